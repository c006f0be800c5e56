// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/DisplayListEditor.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqAnimate.h"
#include "orvane/displaylist/TqArc.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/displaylist/TqEllipse.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqImageRectangle.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqRichText.h"
#include "orvane/displaylist/TqRoundedRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/CLog.h"

#include <cmath>
#include <mutex>

namespace displaylist {

namespace {
constexpr const char* SOURCE = "displaylist/DisplayListEditor";

bool finite(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

struct IdCounter {
    std::mutex mutex;
    int next = 1;
};
IdCounter& idCounter() {
    static IdCounter c;
    return c;
}
} // namespace

std::shared_ptr<DisplayListEditor> DisplayListEditor::create(const std::shared_ptr<DisplayListRenderer>& renderer) {
    std::shared_ptr<DisplayListEditor> e(new DisplayListEditor);
    std::shared_ptr<DisplayListRenderer> r = renderer;
    if (!r) {
        r = DisplayListRenderer::create(false);
        e->ownedRenderer_ = r;
    }
    e->renderer_ = r;
    e->root_ = r->getRootNode();
    e->stack_.push_back(e->root_);
    return e;
}

DisplayListEditor::~DisplayListEditor() = default;

std::shared_ptr<DisplayListRenderer> DisplayListEditor::getRenderer() const { return renderer_.lock(); }

TqGroup* DisplayListEditor::getCurrentGroup() const { return stack_.back().get(); }

template <class T>
T* DisplayListEditor::record(T* node, bool isFinite) {
    if (currentNodeId_ >= 0 && node->GetNodeId() < 0) node->SetNodeId(currentNodeId_);
    if (!isFinite) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE,
                   std::string("Skipped a ") + node->GetKindName() + " node with non-finite coordinates");
        detached_.emplace_back(node);
        return node;
    }
    getCurrentGroup()->AddChild(node);
    return node;
}

TqGroup* DisplayListEditor::openGroup(float x, float y, float width, float height) {
    return openGroup(x, y, width, height, 1.0f);
}

TqGroup* DisplayListEditor::openGroup(float x, float y, float width, float height, float scale) {
    bool ok = finite({x, y, width, height, scale});
    auto* g = new TqGroup(ok ? x : 0.0f, ok ? y : 0.0f, ok ? width : 0.0f, ok ? height : 0.0f);
    if (ok && scale != 1.0f) {
        if (scale > 0.0f) {
            g->SetScale(scale, scale);
        } else {
            ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Group scale must be positive; drawing unscaled");
        }
    }
    record(g, ok);
    stack_.emplace_back(g);
    return g;
}

void DisplayListEditor::closeGroup() {
    if (stack_.size() <= 1) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "closeGroup without an open group ignored");
        return;
    }
    stack_.pop_back();
}

bool DisplayListEditor::addNode(TqGeometry* node) {
    if (!node) return false;
    return getCurrentGroup()->AddChild(node);
}

bool DisplayListEditor::removeNode(TqGeometry* node) {
    if (!node) return false;
    if (getCurrentGroup()->RemoveChild(node)) return true;
    // Look for the group holding it anywhere in the list.
    std::vector<TqGroup*> pending{root_.get()};
    while (!pending.empty()) {
        TqGroup* g = pending.back();
        pending.pop_back();
        if (g->RemoveChild(node)) return true;
        for (TqGeometry* c : g->GetChildren())
            if (TqGroup* cg = c->AsGroup()) pending.push_back(cg);
    }
    return false;
}

void DisplayListEditor::deleteNode(int nodeId) {
    if (nodeId == -1) {
        root_->RemoveAllChildren();
        stack_.resize(1);
        detached_.clear();
        return;
    }
    if (nodeId < 0) return;
    root_->RemoveNodesWithId(nodeId);
}

TqGeometry* DisplayListEditor::getDisplayNode(int nodeId) const {
    if (nodeId < 0) return nullptr;
    return root_->FindNode(nodeId);
}

TqRectangle* DisplayListEditor::addRectangle(float x, float y, float width, float height) {
    bool ok = finite({x, y, width, height});
    return record(ok ? new TqRectangle(x, y, width, height) : new TqRectangle(0, 0, 0, 0), ok);
}

TqRectangle* DisplayListEditor::addRectangle(float x, float y, float width, float height, uint32_t fillColor) {
    TqRectangle* r = addRectangle(x, y, width, height);
    r->SetFillColor(fillColor);
    return r;
}

TqRoundedRectangle* DisplayListEditor::addRoundedRectangle(float x, float y, float width, float height,
                                                           float radius) {
    bool ok = finite({x, y, width, height, radius});
    return record(ok ? new TqRoundedRectangle(x, y, width, height, radius) : new TqRoundedRectangle(0, 0, 0, 0, 0),
                  ok);
}

TqLine* DisplayListEditor::addLine(float x1, float y1, float x2, float y2, uint32_t color, float width) {
    bool ok = finite({x1, y1, x2, y2, width});
    TqLine* l = ok ? new TqLine(x1, y1, x2, y2) : new TqLine(std::vector<Point>{});
    l->SetColor(color);
    if (ok) l->SetWidth(width);
    return record(l, ok);
}

TqLine* DisplayListEditor::addPolyline(const std::vector<Point>& points, uint32_t color, float width) {
    bool ok = std::isfinite(width);
    for (const Point& p : points) ok = ok && std::isfinite(p.x) && std::isfinite(p.y);
    TqLine* l = new TqLine(ok ? points : std::vector<Point>{});
    l->SetColor(color);
    if (ok) l->SetWidth(width);
    return record(l, ok);
}

TqEllipse* DisplayListEditor::addCircle(float cx, float cy, float radius) { return addEllipse(cx, cy, radius, radius); }

TqEllipse* DisplayListEditor::addEllipse(float cx, float cy, float rx, float ry) {
    bool ok = finite({cx, cy, rx, ry});
    return record(ok ? new TqEllipse(cx, cy, rx, ry) : new TqEllipse(0, 0, 0, 0), ok);
}

TqArc* DisplayListEditor::addArc(float cx, float cy, float rx, float ry, float startDegrees, float sweepDegrees) {
    bool ok = finite({cx, cy, rx, ry, startDegrees, sweepDegrees});
    return record(ok ? new TqArc(cx, cy, rx, ry, startDegrees, sweepDegrees) : new TqArc(0, 0, 0, 0, 0, 0), ok);
}

TqText* DisplayListEditor::addText(const std::string& text, float x, float y, int anchorCode) {
    bool ok = finite({x, y});
    return record(new TqText(text, ok ? x : 0.0f, ok ? y : 0.0f, anchorCode), ok);
}

TqRichText* DisplayListEditor::addRichText(const Rect& rect, int nodeId) {
    bool ok = rect.isFinite();
    return record(new TqRichText(ok ? rect : Rect(), nodeId), ok);
}

TqImageRectangle* DisplayListEditor::addImageRectangle(const Rect& rect) {
    bool ok = rect.isFinite();
    auto* n = ok ? new TqImageRectangle(rect.x, rect.y, rect.width, rect.height) : new TqImageRectangle(0, 0, 0, 0);
    return record(n, ok);
}

int DisplayListEditor::generateUniqueDisplayNodeId(int count) {
    if (count < 1) count = 1;
    IdCounter& c = idCounter();
    std::lock_guard<std::mutex> lock(c.mutex);
    while (true) {
        int first = c.next;
        bool free = true;
        for (int i = 0; i < count && free; ++i)
            if (TqGeometry::IsNodeIdInUse(first + i)) {
                free = false;
                c.next = first + i + 1;
            }
        if (free) {
            c.next = first + count;
            return first;
        }
    }
}

void DisplayListEditor::resetDisplayNodeIds() {
    IdCounter& c = idCounter();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.next = 1;
}

void DisplayListEditor::setFocusRectAttributes(uint32_t color, float thickness, int lineStyle, float factor) {
    if (auto r = getRenderer()) r->setFocusRectAttributes(color, thickness, lineStyle, factor);
}

void DisplayListEditor::setFocusRect(const Rect& rect) {
    if (auto r = getRenderer()) r->setFocusRect(rect);
}

void DisplayListEditor::clearFocusRect() {
    if (auto r = getRenderer()) r->clearFocusRect();
}

bool DisplayListEditor::hasFocusRect() const {
    auto r = getRenderer();
    return r && r->hasFocusRect();
}

Rect DisplayListEditor::getFocusRect() const {
    auto r = getRenderer();
    return r ? r->getFocusRect() : Rect();
}

std::vector<TqSelectionInfoStruct> DisplayListEditor::getSelectionInfoArray() const {
    auto r = getRenderer();
    return r ? r->getSelectionInfo() : std::vector<TqSelectionInfoStruct>{};
}

void DisplayListEditor::setSelectionInfoArray(std::vector<TqSelectionInfoStruct> selection) {
    if (auto r = getRenderer()) r->setSelectionInfo(std::move(selection));
}

void DisplayListEditor::addSelectionInfo(const TqSelectionInfoStruct& info) {
    if (auto r = getRenderer()) {
        auto s = r->getSelectionInfo();
        s.push_back(info);
        r->setSelectionInfo(std::move(s));
    }
}

void DisplayListEditor::clearSelectionInfo() {
    if (auto r = getRenderer()) r->setSelectionInfo({});
}

void DisplayListEditor::addAnimation(TqAnimate* animation) {
    if (auto r = getRenderer()) r->addAnimation(animation);
}

int DisplayListEditor::getAnimationCount() const {
    auto r = getRenderer();
    return r ? r->getAnimationCount() : 0;
}

void DisplayListEditor::updateAnimations(double time) {
    if (auto r = getRenderer()) r->updateAnimations(time);
}

void DisplayListEditor::removeAllAnimations() {
    if (auto r = getRenderer()) r->removeAllAnimations();
}

int DisplayListEditor::getDrawingMode() const {
    auto r = getRenderer();
    return r ? r->getDrawingMode() : 0;
}

void DisplayListEditor::setDrawingMode(int mode) {
    if (auto r = getRenderer()) r->setDrawingMode(mode);
}

TqController2D* DisplayListEditor::getController2D() const {
    auto r = getRenderer();
    return r ? r->getController2D() : nullptr;
}

} // namespace displaylist
