// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqSelectionInfoStruct.h"
#include "orvane/displaylist/TqTransform.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace displaylist {

class DisplayListRenderer;
class TqAnimate;
class TqArc;
class TqController2D;
class TqEllipse;
class TqGeometry;
class TqGroup;
class TqImageRectangle;
class TqLine;
class TqRectangle;
class TqRichText;
class TqRoundedRectangle;
class TqText;

/// Records nodes into a renderer's display list. New nodes go into the
/// current group: the root at first, then whatever openGroup() opened last
/// until the matching closeGroup(). Nodes created by the editor take the
/// current node id (setCurrentNodeId, -1 = not pickable) and are owned by the
/// list; callers that keep a node across updates Ref() it themselves.
///
/// Coordinates: origin at the lower left, y up, in pixels of the group being
/// recorded into. A node given a non-finite coordinate is not recorded: the
/// call logs a line and returns a detached node, so that setters called on it
/// are harmless.
///
/// Everything that belongs to the display list rather than to one editor
/// (focus rectangle, selection info, animations, drawing mode, 2-D controller)
/// lives in the renderer; all editors of a renderer share it.
class ORVANE_DISPLAYLIST_EXPORT DisplayListEditor : public std::enable_shared_from_this<DisplayListEditor> {
public:
    /// An editor recording into the renderer's list. Without a renderer the
    /// editor records into a private off-screen renderer of its own (handy for
    /// measuring), reachable with getRenderer().
    static std::shared_ptr<DisplayListEditor> create(const std::shared_ptr<DisplayListRenderer>& renderer);
    ~DisplayListEditor();

    std::shared_ptr<DisplayListRenderer> getRenderer() const;
    TqGroup* getRootNode() const { return root_.get(); }
    TqGroup* getCurrentGroup() const;
    size_t getGroupDepth() const { return stack_.size() - 1; }

    /// Groups: a group translated to (x, y) with the frame size (w, h), and
    /// optionally a uniform scale (children are scaled, then translated).
    TqGroup* openGroup(float x, float y, float width, float height);
    TqGroup* openGroup(float x, float y, float width, float height, float scale);
    /// Closes the innermost open group (the root cannot be closed; logged).
    void closeGroup();

    /// Inserts an existing node (for example another list's root) into the
    /// current group; false for null or a group that would contain itself.
    bool addNode(TqGeometry* node);
    /// Removes one node from the group it was added to in this list.
    bool removeNode(TqGeometry* node);
    /// Deletes every node with the id; -1 deletes all nodes (and closes every
    /// open group of this editor).
    void deleteNode(int nodeId);
    /// First node with the id in drawing order, or null.
    TqGeometry* getDisplayNode(int nodeId) const;

    TqRectangle* addRectangle(float x, float y, float width, float height);
    TqRectangle* addRectangle(float x, float y, float width, float height, uint32_t fillColor);
    TqRoundedRectangle* addRoundedRectangle(float x, float y, float width, float height, float radius);
    TqLine* addLine(float x1, float y1, float x2, float y2, uint32_t color, float width = 1.0f);
    TqLine* addPolyline(const std::vector<Point>& points, uint32_t color, float width = 1.0f);
    TqEllipse* addCircle(float cx, float cy, float radius);
    TqEllipse* addEllipse(float cx, float cy, float rx, float ry);
    TqArc* addArc(float cx, float cy, float rx, float ry, float startDegrees, float sweepDegrees);
    /// Text whose anchor point (code 0-8, TqAnchor) lies at (x, y).
    TqText* addText(const std::string& text, float x, float y, int anchorCode);
    TqRichText* addRichText(const Rect& rect, int nodeId);
    TqImageRectangle* addImageRectangle(const Rect& rect);

    /// Node ids. generateUniqueDisplayNodeId(n) hands out a block of n
    /// consecutive ids (returning the first) that no live node carries.
    /// resetDisplayNodeIds() restarts the counter at 1 (the views call it when
    /// they rebuild the whole list); ids still carried by nodes a caller kept
    /// are skipped, so they are never handed out twice.
    static int generateUniqueDisplayNodeId(int count = 1);
    static void resetDisplayNodeIds();
    void setCurrentNodeId(int nodeId) { currentNodeId_ = nodeId < 0 ? -1 : nodeId; }
    int getCurrentNodeId() const { return currentNodeId_; }

    /// Focus rectangle (drawn on top of the list, in root coordinates).
    void setFocusRectAttributes(uint32_t color, float thickness, int lineStyle, float factor);
    void setFocusRect(const Rect& rect);
    void clearFocusRect();
    bool hasFocusRect() const;
    Rect getFocusRect() const;

    /// The current selection of the list as picks.
    std::vector<TqSelectionInfoStruct> getSelectionInfoArray() const;
    void setSelectionInfoArray(std::vector<TqSelectionInfoStruct> selection);
    void addSelectionInfo(const TqSelectionInfoStruct& info);
    void clearSelectionInfo();

    /// Animations: added ones start now (unless started) and count until they end.
    void addAnimation(TqAnimate* animation);
    /// Running animations at getCurrentTime(); finished ones are dropped.
    int getAnimationCount() const;
    /// Applies every animation at `time` and drops the finished ones.
    void updateAnimations(double time);
    void removeAllAnimations();

    int getDrawingMode() const;
    void setDrawingMode(int mode);

    /// The list's 2-D scroll controller (never null while the renderer lives).
    TqController2D* getController2D() const;

private:
    friend class DisplayListRenderer;
    DisplayListEditor() = default;
    template <class T>
    T* record(T* node, bool finite);

    std::weak_ptr<DisplayListRenderer> renderer_;
    std::shared_ptr<DisplayListRenderer> ownedRenderer_;
    TqRef<TqGroup> root_;
    std::vector<TqRef<TqGroup>> stack_;
    std::vector<TqRef<TqGeometry>> detached_;
    int currentNodeId_ = -1;
};

} // namespace displaylist
