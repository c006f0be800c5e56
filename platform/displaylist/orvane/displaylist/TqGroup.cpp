// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqGroup.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSpatialIndex.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/host/core/CLog.h"

#include <algorithm>

namespace displaylist {

namespace {
constexpr const char* SOURCE = "displaylist/TqGroup";
}

TqGroup::TqGroup() = default;

TqGroup::TqGroup(float x, float y, float width, float height) {
    SetTranslation(x, y);
    SetSize(width, height);
}

TqGroup::~TqGroup() {
    for (TqGeometry* c : children_) detach(c);
}

void TqGroup::attach(TqGeometry* node) {
    node->Ref();
    node->addParent(this);
}

void TqGroup::detach(TqGeometry* node) {
    node->removeParent(this);
    node->Unref();
}

void TqGroup::SetTranslation(float x, float y) {
    if (!checkFinite("group translation", {x, y})) return;
    if (x == tx_ && y == ty_) return;
    tx_ = x;
    ty_ = y;
    notifyParents();
}

void TqGroup::SetSize(float width, float height) {
    if (!checkFinite("group size", {width, height})) return;
    width_ = std::max(width, 0.0f);
    height_ = std::max(height, 0.0f);
    if (clip_) ChildChanged();
}

void TqGroup::SetClipping(bool clip) {
    if (clip == clip_) return;
    clip_ = clip;
    ChildChanged();
}

bool TqGroup::AddChild(TqGeometry* node) { return InsertChild(children_.size(), node); }

bool TqGroup::InsertChild(size_t index, TqGeometry* node) {
    if (!node) return false;
    // Adding an ancestor (or itself) would make a cycle.
    if (node == this || (node->AsGroup() && HasAncestorOrSelf(node))) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Refused to add a group into itself");
        return false;
    }
    attach(node);
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(std::min(index, children_.size())), node);
    ChildChanged();
    return true;
}

bool TqGroup::RemoveChild(TqGeometry* node) {
    auto it = std::find(children_.rbegin(), children_.rend(), node);
    if (it == children_.rend()) return false;
    children_.erase(std::next(it).base());
    detach(node);
    ChildChanged();
    return true;
}

void TqGroup::RemoveAllChildren() {
    if (children_.empty()) return;
    std::vector<TqGeometry*> old;
    old.swap(children_);
    for (TqGeometry* c : old) detach(c);
    ChildChanged();
}

size_t TqGroup::RemoveNodesWithId(int nodeId) {
    size_t removed = 0;
    std::vector<TqGeometry*> kept;
    std::vector<TqGeometry*> dropped;
    kept.reserve(children_.size());
    for (TqGeometry* c : children_) {
        if (c->GetNodeId() == nodeId) {
            dropped.push_back(c);
            continue;
        }
        if (TqGroup* g = c->AsGroup()) removed += g->RemoveNodesWithId(nodeId);
        kept.push_back(c);
    }
    if (!dropped.empty()) {
        children_.swap(kept);
        for (TqGeometry* c : dropped) detach(c);
        ChildChanged();
    }
    return removed + dropped.size();
}

TqGeometry* TqGroup::FindNode(int nodeId) const {
    for (TqGeometry* c : children_) {
        if (c->GetNodeId() == nodeId) return c;
        if (const TqGroup* g = c->AsGroup())
            if (TqGeometry* f = g->FindNode(nodeId)) return f;
    }
    return nullptr;
}

bool TqGroup::Contains(const TqGeometry* node) const {
    if (node == this) return true;
    for (TqGeometry* c : children_) {
        if (c == node) return true;
        if (const TqGroup* g = c->AsGroup())
            if (g->Contains(node)) return true;
    }
    return false;
}

size_t TqGroup::CountNodes() const {
    size_t n = children_.size();
    for (TqGeometry* c : children_)
        if (const TqGroup* g = c->AsGroup()) n += g->CountNodes();
    return n;
}

TqTransform TqGroup::GetTransform() const { return {GetScaleX(), GetScaleY(), tx_, ty_}; }

void TqGroup::ChildChanged() {
    bool wasValid = boundsValid_ || index_;
    boundsValid_ = false;
    index_.reset();
    if (wasValid) notifyParents();
}

Rect TqGroup::GetBounds() const {
    if (!boundsValid_) {
        Rect b = bounds::empty();
        for (TqGeometry* c : children_)
            if (c->IsVisible()) b = bounds::unite(b, c->GetBoundsInParent());
        if (clip_) {
            Rect frame{0.0f, 0.0f, width_, height_};
            if (!bounds::intersects(b, frame)) {
                b = bounds::empty();
            } else {
                float x0 = std::max(b.x, 0.0f), y0 = std::max(b.y, 0.0f);
                float x1 = std::min(b.maxX(), width_), y1 = std::min(b.maxY(), height_);
                b = {x0, y0, x1 - x0, y1 - y0};
            }
        }
        bounds_ = b;
        boundsValid_ = true;
    }
    return bounds_;
}

void TqGroup::Draw(TqCanvas& canvas) const {
    if (clip_) canvas.pushClip({0.0f, 0.0f, width_, height_});
    for (TqGeometry* c : children_) canvas.drawNode(*c);
    if (clip_) canvas.popClip();
}

void TqGroup::WriteSVG(TqSvgWriter& svg) const {
    for (TqGeometry* c : children_) svg.writeNode(*c);
}

bool TqGroup::HitTest(const TqPickQuery& query) const {
    std::vector<TqSelectionInfoStruct> out;
    Pick(query, out, true);
    return !out.empty();
}

void TqGroup::Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const {
    if (!IsVisible() || children_.empty()) return;
    Rect b = GetBounds();
    if (!bounds::intersects(b, query.getBounds())) return;
    if (clip_ && !query.intersectsRect({0.0f, 0.0f, width_, height_})) return;

    auto visit = [&](TqGeometry* c) {
        if (!c->IsVisible()) return false;
        TqTransform t = c->GetTransform();
        if (t.isIdentity()) {
            c->Pick(query, out, frontMostOnly);
        } else {
            c->Pick(query.toLocal(t), out, frontMostOnly);
        }
        return frontMostOnly && !out.empty();
    };

    if (children_.size() > INDEX_THRESHOLD) {
        if (!index_) {
            std::vector<Rect> rects;
            rects.reserve(children_.size());
            for (TqGeometry* c : children_)
                rects.push_back(c->IsVisible() ? c->GetBoundsInParent() : bounds::empty());
            index_ = std::make_unique<TqSpatialIndex>(rects);
        }
        std::vector<uint32_t> candidates;
        index_->query(query.getBounds(), candidates);
        for (uint32_t i : candidates)
            if (visit(children_[i])) return;
        return;
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        TqGeometry* c = *it;
        if (!bounds::intersects(c->GetBoundsInParent(), query.getBounds())) continue;
        if (visit(c)) return;
    }
}

} // namespace displaylist
