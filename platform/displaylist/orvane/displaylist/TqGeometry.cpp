// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqGeometry.h"

#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/host/core/CLog.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <unordered_map>

namespace displaylist {

namespace {
constexpr const char* SOURCE = "displaylist/TqGeometry";

struct IdRegistry {
    std::mutex mutex;
    std::unordered_map<int, int> counts;
};
IdRegistry& ids() {
    static IdRegistry* r = new IdRegistry;  // outlives nodes freed during static destruction
    return *r;
}
void registerId(int id, int delta) {
    if (id < 0) return;
    IdRegistry& r = ids();
    std::lock_guard<std::mutex> lock(r.mutex);
    int& c = r.counts[id];
    c += delta;
    if (c <= 0) r.counts.erase(id);
}
} // namespace

TqGeometry::TqGeometry() = default;

TqGeometry::~TqGeometry() {
    registerId(nodeId_, -1);
    delete moreParents_;
}

bool TqGeometry::IsNodeIdInUse(int id) {
    IdRegistry& r = ids();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.counts.count(id) != 0;
}

void TqGeometry::SetNodeId(int id) {
    if (id < 0) id = -1;
    if (id == nodeId_) return;
    registerId(nodeId_, -1);
    nodeId_ = id;
    registerId(nodeId_, 1);
}

bool TqGeometry::checkFinite(const char* what, std::initializer_list<float> values) {
    for (float v : values) {
        if (!std::isfinite(v)) {
            ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, std::string("Skipped non-finite value in ") + what);
            return false;
        }
    }
    return true;
}

void TqGeometry::SetVisible(bool visible) {
    if (visible == IsVisible()) return;
    setFlag(HIDDEN, !visible);
    notifyParents();
}

void TqGeometry::SetOpacity(float opacity) {
    if (!checkFinite("opacity", {opacity})) return;
    opacity_ = std::clamp(opacity, 0.0f, 1.0f);
}

void TqGeometry::SetScale(float sx, float sy) {
    if (!checkFinite("scale", {sx, sy})) return;
    if (sx <= 0.0f || sy <= 0.0f) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Ignored a scale that is not positive");
        return;
    }
    if (sx == sx_ && sy == sy_) return;
    sx_ = sx;
    sy_ = sy;
    notifyParents();
}

TqTransform TqGeometry::GetTransform() const {
    if (sx_ == 1.0f && sy_ == 1.0f) return {};
    Point o = GetScaleOrigin();
    return {sx_, sy_, o.x * (1.0f - sx_), o.y * (1.0f - sy_)};
}

Rect TqGeometry::GetBoundsInParent() const {
    Rect b = GetBounds();
    if (bounds::isEmpty(b)) return b;
    return GetTransform().apply(b);
}

void TqGeometry::Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool) const {
    if (nodeId_ < 0 || !IsVisible()) return;
    if (HitTest(query)) out.push_back({static_cast<unsigned int>(nodeId_), detailIndex_});
}

void TqGeometry::GeometryChanged() {
    InvalidateCache();
    notifyParents();
}

void TqGeometry::notifyParents() const {
    if (parent_) parent_->ChildChanged();
    if (moreParents_)
        for (TqGroup* g : *moreParents_) g->ChildChanged();
}

void TqGeometry::addParent(TqGroup* g) {
    if (!parent_) {
        parent_ = g;
        return;
    }
    if (!moreParents_) moreParents_ = new std::vector<TqGroup*>;
    moreParents_->push_back(g);
}

void TqGeometry::removeParent(TqGroup* g) {
    if (parent_ == g) {
        parent_ = nullptr;
        if (moreParents_ && !moreParents_->empty()) {
            parent_ = moreParents_->back();
            moreParents_->pop_back();
        }
        return;
    }
    if (moreParents_) {
        auto it = std::find(moreParents_->begin(), moreParents_->end(), g);
        if (it != moreParents_->end()) moreParents_->erase(it);
    }
}

bool TqGeometry::HasAncestorOrSelf(const TqGeometry* node) const {
    if (!node) return false;
    std::vector<const TqGeometry*> pending{this};
    size_t visited = 0;
    while (!pending.empty()) {
        const TqGeometry* g = pending.back();
        pending.pop_back();
        if (g == node) return true;
        if (++visited > 1000000) return true;  // a malformed graph: refuse rather than loop
        if (g->parent_) pending.push_back(g->parent_);
        if (g->moreParents_)
            for (const TqGroup* p : *g->moreParents_) pending.push_back(p);
    }
    return false;
}

} // namespace displaylist
