// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqScrollBarController.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqLineStyle.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

TqScrollBarController::TqScrollBarController()
    : horizontal_(new TqScrollBar(TqScrollBar::HORIZONTAL)), vertical_(new TqScrollBar(TqScrollBar::VERTICAL)) {}

TqScrollBarController::~TqScrollBarController() = default;

void TqScrollBarController::SetController2D(TqController2D* controller) {
    controller_ = controller;
    if (controller_) {
        controller_->SetContentSize(content_.width, content_.height);
        controller_->SetViewportSize(frame_.width, frame_.height);
        SyncFromController();
    }
}

void TqScrollBarController::SetFrame(const Rect& frame) {
    if (!checkFinite("scroll bar frame", {frame.x, frame.y, frame.width, frame.height})) return;
    frame_ = bounds::normalized(frame.x, frame.y, frame.width, frame.height);
    layoutBars();
}

void TqScrollBarController::SetContentSize(float width, float height) {
    if (!checkFinite("content size", {width, height})) return;
    content_ = {std::max(width, 0.0f), std::max(height, 0.0f)};
    layoutBars();
}

void TqScrollBarController::SetBarThickness(float thickness) {
    if (!checkFinite("scroll bar thickness", {thickness})) return;
    thickness_ = std::max(thickness, 1.0f);
    layoutBars();
}

void TqScrollBarController::layoutBars() {
    horizontal_->SetLengths(content_.width, frame_.width);
    vertical_->SetLengths(content_.height, frame_.height);
    bool h = horizontal_->IsNeeded(), v = vertical_->IsNeeded();
    float t = thickness_;
    vertical_->SetTrack({frame_.maxX() - t, frame_.y + (h ? t : 0.0f), t, frame_.height - (h ? t : 0.0f)});
    horizontal_->SetTrack({frame_.x, frame_.y, frame_.width - (v ? t : 0.0f), t});
    if (controller_) {
        controller_->SetContentSize(content_.width, content_.height);
        controller_->SetViewportSize(frame_.width, frame_.height);
    }
    apply(position_);
    delta_ = {};
    GeometryChanged();
}

TqScrollBar* TqScrollBarController::GetScrollBar(int orientation) const {
    return orientation == TqScrollBar::VERTICAL ? vertical_.get() : horizontal_.get();
}

bool TqScrollBarController::AreScrollBarsShown() const {
    return shown_ && (horizontal_->IsNeeded() || vertical_->IsNeeded());
}

void TqScrollBarController::SetScrollBarsShown(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    GeometryChanged();
}

void TqScrollBarController::apply(Point p) {
    Point old = position_;
    horizontal_->SetScrollPosition(std::isfinite(p.x) ? p.x : old.x);
    vertical_->SetScrollPosition(std::isfinite(p.y) ? p.y : old.y);
    position_ = {horizontal_->GetScrollPosition(), vertical_->GetScrollPosition()};
    delta_ = position_ - old;
    if (controller_) controller_->SetTranslation(-position_.x, position_.y);
}

void TqScrollBarController::ScrollTo(float x, float y) { apply({x, y}); }

void TqScrollBarController::ScrollBy(float dx, float dy) { apply({position_.x + dx, position_.y + dy}); }

void TqScrollBarController::UpdateScrollTranslation(float x, float y) {
    Point old = position_;
    horizontal_->UpdateScrollTranslation(x, y);
    vertical_->UpdateScrollTranslation(x, y);
    position_ = {horizontal_->GetScrollPosition(), vertical_->GetScrollPosition()};
    delta_ = position_ - old;
}

void TqScrollBarController::SyncFromController() {
    if (!controller_) return;
    Point t = controller_->GetTranslation();
    Point old = position_;
    horizontal_->SetScrollPosition(-t.x);
    vertical_->SetScrollPosition(t.y);
    position_ = {horizontal_->GetScrollPosition(), vertical_->GetScrollPosition()};
    delta_ = position_ - old;
}

TqScrollBar* TqScrollBarController::barAt(const Point& p) const {
    if (!shown_) return nullptr;
    if (vertical_->IsNeeded() && vertical_->GetTrack().contains(p)) return vertical_.get();
    if (horizontal_->IsNeeded() && horizontal_->GetTrack().contains(p)) return horizontal_.get();
    return nullptr;
}

bool TqScrollBarController::handleTap(const Point& location) {
    delta_ = {};
    TqScrollBar* bar = barAt(location);
    if (!bar) return false;
    Rect thumb = bar->GetThumbRect();
    if (thumb.contains(location)) return true;
    float page = bar->GetViewLength();
    if (bar->GetOrientation() == TqScrollBar::VERTICAL) {
        // Above the thumb (larger y) pages towards the top.
        ScrollBy(0.0f, location.y > thumb.maxY() ? -page : page);
    } else {
        ScrollBy(location.x < thumb.x ? -page : page, 0.0f);
    }
    return true;
}

bool TqScrollBarController::handlePan(const Point& location, const Point& translation, int state) {
    delta_ = {};
    if (state == 1) {
        SetDragging(false);
        TqScrollBar* bar = barAt(location);
        if (!bar || !bar->GetThumbRect().contains(location)) return false;
        dragging_ = bar->GetOrientation();
        dragStart_ = position_;
        bar->SetPressed(true);
        return true;
    }
    if (dragging_ == NONE) return false;
    if (std::isfinite(translation.x) && std::isfinite(translation.y)) {
        if (dragging_ == TqScrollBar::VERTICAL) {
            // Dragging the thumb down (negative y) scrolls towards later content.
            float k = vertical_->GetContentPerThumbPixel();
            ScrollTo(position_.x, dragStart_.y - translation.y * k);
        } else {
            float k = horizontal_->GetContentPerThumbPixel();
            ScrollTo(dragStart_.x + translation.x * k, position_.y);
        }
    }
    if (state == 3) {
        Point d = delta_;
        SetDragging(false);
        delta_ = d;
    }
    return true;
}

void TqScrollBarController::SetDragging(bool dragging) {
    if (dragging) return;  // a drag only starts on a thumb (handlePan)
    dragging_ = NONE;
    horizontal_->SetPressed(false);
    vertical_->SetPressed(false);
}

bool TqScrollBarController::handleHover(const Point& location) {
    TqScrollBar* bar = barAt(location);
    horizontal_->SetHover(bar == horizontal_.get() && bar->GetThumbRect().contains(location));
    vertical_->SetHover(bar == vertical_.get() && bar->GetThumbRect().contains(location));
    return bar != nullptr;
}

bool TqScrollBarController::handleTouches(const std::vector<Point>& touches) {
    bool any = false;
    horizontal_->SetPressed(false);
    vertical_->SetPressed(false);
    for (const Point& p : touches) {
        TqScrollBar* bar = barAt(p);
        if (!bar) continue;
        any = true;
        if (bar->GetThumbRect().contains(p)) bar->SetPressed(true);
    }
    return any;
}

uint32_t TqScrollBarController::thumbColor(const TqScrollBar& bar) const {
    if (bar.IsPressed()) return sliderPressed_;
    if (bar.IsHover()) return sliderHover_;
    return sliderFill_;
}

Rect TqScrollBarController::GetBounds() const {
    if (!AreScrollBarsShown()) return bounds::empty();
    Rect b = bounds::empty();
    if (horizontal_->IsNeeded()) b = bounds::unite(b, horizontal_->GetTrack());
    if (vertical_->IsNeeded()) b = bounds::unite(b, vertical_->GetTrack());
    return b;
}

void TqScrollBarController::Draw(TqCanvas& canvas) const {
    if (!AreScrollBarsShown()) return;
    for (const TqScrollBar* bar : {horizontal_.get(), vertical_.get()}) {
        if (!bar->IsNeeded()) continue;
        const Rect& track = bar->GetTrack();
        canvas.fillRect(track, background_);
        Rect line = bar->GetOrientation() == TqScrollBar::VERTICAL ? Rect{track.x, track.y, 1.0f, track.height}
                                                                    : Rect{track.x, track.maxY() - 1.0f, track.width, 1.0f};
        canvas.fillRect(line, scrollLine_);
        Rect thumb = bounds::inflate(bar->GetThumbRect(), -1.0f);
        canvas.fillRect(thumb, thumbColor(*bar));
        canvas.strokeRect(thumb, outline_, 1.0f, TqLineStyle::SOLID, 1.0f);
    }
}

void TqScrollBarController::WriteSVG(TqSvgWriter& svg) const {
    if (!AreScrollBarsShown()) return;
    for (const TqScrollBar* bar : {horizontal_.get(), vertical_.get()}) {
        if (!bar->IsNeeded()) continue;
        const Rect& track = bar->GetTrack();
        Rect line = bar->GetOrientation() == TqScrollBar::VERTICAL ? Rect{track.x, track.y, 1.0f, track.height}
                                                                    : Rect{track.x, track.maxY() - 1.0f, track.width, 1.0f};
        Rect thumb = bounds::inflate(bar->GetThumbRect(), -1.0f);
        svg.open("rect");
        svg.rectAttrs(track);
        svg.fillAttrs(background_);
        svg.closeEmpty();
        svg.open("rect");
        svg.rectAttrs(line);
        svg.fillAttrs(scrollLine_);
        svg.closeEmpty();
        svg.open("rect");
        svg.rectAttrs(thumb);
        svg.fillAttrs(thumbColor(*bar));
        svg.strokeAttrs(outline_, 1.0f, TqLineStyle::SOLID, 1.0f);
        svg.closeEmpty();
    }
}

bool TqScrollBarController::HitTest(const TqPickQuery& query) const {
    if (!AreScrollBarsShown()) return false;
    return (horizontal_->IsNeeded() && query.intersectsRect(horizontal_->GetTrack())) ||
           (vertical_->IsNeeded() && query.intersectsRect(vertical_->GetTrack()));
}

} // namespace displaylist
