// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqRefCount.h"
#include "orvane/displaylist/TqSelectionInfoStruct.h"
#include "orvane/displaylist/TqTransform.h"

#include <cstdint>
#include <vector>

namespace displaylist {

class TqCanvas;
class TqGroup;
class TqPickQuery;
class TqSvgWriter;

/// Colours are 24-bit RGB integers (0xRRGGBB); this value means "no colour".
constexpr uint32_t TQ_COLOR_NONE = 0xffffffffu;

/// Base of every node of a display list. A node draws itself in its own
/// coordinates (origin lower left, y up); its scale (about GetScaleOrigin())
/// and, for groups, translation map them into the parent's coordinates.
/// Each node kind implements bounds, drawing (TqCanvas), SVG output
/// (TqSvgWriter) and hit testing (TqPickQuery), so new kinds plug in without
/// changes elsewhere.
///
/// Node ids: a node with an id >= 0 is reported by picks as {id, detail
/// index}; -1 (the default) makes a node visible but not pickable.
class ORVANE_DISPLAYLIST_EXPORT TqGeometry : public TqRefCount {
public:
    /// Short name of the node kind ("rect", "text", "group", ...).
    virtual const char* GetKindName() const = 0;

    int GetNodeId() const { return nodeId_; }
    void SetNodeId(int id);
    uint64_t GetDetailIndex() const { return detailIndex_; }
    void SetDetailIndex(uint64_t index) { detailIndex_ = index; }

    /// Set by callers when a property that changes the drawing changed; kept
    /// for them to read back.
    void SetModifiedFlag(bool modified) { setFlag(MODIFIED, modified); }
    bool GetModifiedFlag() const { return flag(MODIFIED); }
    /// Auto-release: the list is the node's only owner. Nodes a caller keeps
    /// across updates clear it and hold their own Ref(). Either way the list
    /// keeps a reference while the node is in it.
    void SetAutoRelease(bool autoRelease) { setFlag(AUTO_RELEASE, autoRelease); }
    bool GetAutoRelease() const { return flag(AUTO_RELEASE); }
    /// Scalable: the node follows the scale of the groups above it (always
    /// true for drawing here; kept for callers).
    void SetScalable(bool scalable) { setFlag(SCALABLE, scalable); }
    bool IsScalable() const { return flag(SCALABLE); }
    /// Hidden nodes are neither drawn nor picked.
    void SetVisible(bool visible);
    bool IsVisible() const { return !flag(HIDDEN); }

    /// Opacity in [0, 1], applied to everything the node draws.
    void SetOpacity(float opacity);
    float GetOpacity() const { return opacity_; }
    /// Scale about GetScaleOrigin(); both factors must be positive and finite.
    void SetScale(float sx, float sy);
    float GetScaleX() const { return sx_; }
    float GetScaleY() const { return sy_; }

    /// The map from this node's coordinates to its parent's.
    virtual TqTransform GetTransform() const;
    /// Bounds of what the node draws, in its own coordinates (an empty rect,
    /// see bounds::isEmpty, when it draws nothing).
    virtual Rect GetBounds() const = 0;
    Rect GetBoundsInParent() const;

    virtual void Draw(TqCanvas& canvas) const = 0;
    virtual void WriteSVG(TqSvgWriter& svg) const = 0;
    /// True when the query region touches what the node draws.
    virtual bool HitTest(const TqPickQuery& query) const = 0;
    /// Appends the picks of this node (front-most first) for a query in the
    /// node's coordinates. The default reports {id, detail} when the node has
    /// an id and HitTest() is true.
    virtual void Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const;

    virtual TqGroup* AsGroup() { return nullptr; }
    virtual const TqGroup* AsGroup() const { return nullptr; }

    /// True when some live node carries this id.
    static bool IsNodeIdInUse(int id);
    /// True when `node` is this node or one of the groups holding it, at any
    /// depth (walks the parent links, so it costs the depth, not the size).
    bool HasAncestorOrSelf(const TqGeometry* node) const;

protected:
    TqGeometry();
    ~TqGeometry() override;

    virtual Point GetScaleOrigin() const { return {0.0f, 0.0f}; }
    /// Call after any change of what the node draws: drops cached layout and
    /// tells the groups holding the node that their bounds changed.
    void GeometryChanged();
    virtual void InvalidateCache() const {}
    /// Logs and returns false when a value is not finite.
    static bool checkFinite(const char* what, std::initializer_list<float> values);

private:
    friend class TqGroup;
    enum Flag : uint8_t { MODIFIED = 1, AUTO_RELEASE = 2, SCALABLE = 4, HIDDEN = 8 };
    bool flag(Flag f) const { return (flags_ & f) != 0; }
    void setFlag(Flag f, bool on) { flags_ = on ? uint8_t(flags_ | f) : uint8_t(flags_ & ~f); }

    void addParent(TqGroup* g);
    void removeParent(TqGroup* g);
    void notifyParents() const;

    int nodeId_ = -1;
    uint64_t detailIndex_ = 0;
    float opacity_ = 1.0f;
    float sx_ = 1.0f;
    float sy_ = 1.0f;
    uint8_t flags_ = AUTO_RELEASE | SCALABLE;
    /// The groups holding this node: nearly always one, rarely several (a
    /// shared sub-list), so the extra ones live outside the node.
    TqGroup* parent_ = nullptr;
    std::vector<TqGroup*>* moreParents_ = nullptr;
};

} // namespace displaylist
