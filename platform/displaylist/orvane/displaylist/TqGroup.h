// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"

#include <memory>
#include <vector>

namespace displaylist {

class TqSpatialIndex;

/// A node holding other nodes, drawn in order (the first is drawn first, so
/// the last is the front-most). The group maps its children's coordinates into
/// its parent's by a uniform scale and then a translation. Its size is the
/// frame it was opened with; with clipping on, children are cut to it.
///
/// Picking never visits every child of a large group: the group keeps the
/// bounds of its content to skip itself, and a spatial index over its
/// children once it has more than a few.
class ORVANE_DISPLAYLIST_EXPORT TqGroup : public TqGeometry {
public:
    /// Above this many children a pick uses the spatial index.
    static constexpr size_t INDEX_THRESHOLD = 32;

    TqGroup();
    TqGroup(float x, float y, float width, float height);

    const char* GetKindName() const override { return "group"; }
    TqGroup* AsGroup() override { return this; }
    const TqGroup* AsGroup() const override { return this; }

    void SetTranslation(float x, float y);
    Point GetTranslation() const { return {tx_, ty_}; }
    void SetSize(float width, float height);
    Size GetSize() const { return {width_, height_}; }
    void SetClipping(bool clip);
    bool GetClipping() const { return clip_; }

    /// Appends a node (one more reference). Refuses null, the group itself
    /// and a group that already contains this one (a cycle).
    bool AddChild(TqGeometry* node);
    bool InsertChild(size_t index, TqGeometry* node);
    /// Removes the front-most occurrence; false when the node is not a child.
    bool RemoveChild(TqGeometry* node);
    void RemoveAllChildren();
    /// Removes every node with this id at any depth; returns how many.
    size_t RemoveNodesWithId(int nodeId);

    size_t GetChildCount() const { return children_.size(); }
    TqGeometry* GetChild(size_t index) const { return index < children_.size() ? children_[index] : nullptr; }
    const std::vector<TqGeometry*>& GetChildren() const { return children_; }
    /// First node with the id in drawing order, at any depth (null if none).
    TqGeometry* FindNode(int nodeId) const;
    /// True when `node` is this group or lies anywhere below it.
    bool Contains(const TqGeometry* node) const;
    /// Nodes below this group, itself not counted.
    size_t CountNodes() const;

    TqTransform GetTransform() const override;
    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;
    void Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const override;

protected:
    ~TqGroup() override;

private:
    friend class TqGeometry;
    /// A child's bounds changed: drop the cached bounds and index.
    void ChildChanged();
    void attach(TqGeometry* node);
    void detach(TqGeometry* node);

    std::vector<TqGeometry*> children_;
    float tx_ = 0.0f;
    float ty_ = 0.0f;
    float width_ = 0.0f;
    float height_ = 0.0f;
    bool clip_ = false;
    mutable bool boundsValid_ = false;
    mutable Rect bounds_;
    mutable std::unique_ptr<TqSpatialIndex> index_;
};

} // namespace displaylist
