// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/DisplayListRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqAnimate.h"
#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/Clock.h"
#include "orvane/host/io/Image.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace displaylist {

namespace {
constexpr const char* SOURCE = "displaylist/DisplayListRenderer";
// Largest picture side in pixels.
constexpr float MAX_PICTURE_SIDE = 16384.0f;
} // namespace

DisplayListRenderer::DisplayListRenderer() : root_(new TqGroup), controller_(new TqController2D) {}

DisplayListRenderer::~DisplayListRenderer() = default;

std::shared_ptr<DisplayListRenderer> DisplayListRenderer::create(bool interactiveContext) {
    std::shared_ptr<DisplayListRenderer> r(new DisplayListRenderer);
    r->interactiveContext_ = interactiveContext;
    return r;
}

std::shared_ptr<DisplayListEditor> DisplayListRenderer::getEditor() {
    if (!editor_) editor_ = DisplayListEditor::create(shared_from_this());
    return editor_;
}

void DisplayListRenderer::setViewport(float x, float y, float width, float height) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height)) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Ignored a viewport with non-finite values");
        return;
    }
    viewport_ = {x, y, std::max(width, 0.0f), std::max(height, 0.0f)};
    controller_->SetViewportSize(viewport_.width, viewport_.height);
}

void DisplayListRenderer::configure(bool transparentBackground, unsigned int backgroundColor) {
    transparent_ = transparentBackground;
    background_ = backgroundColor & 0xffffffu;
}

void DisplayListRenderer::clear() { frame_.reset(); }

void DisplayListRenderer::prepareForDrawing() { updateAnimations(orvane::getCurrentTime()); }

void DisplayListRenderer::drawFrame() {
    ++frames_;
    if (offscreen_) frame_ = renderImage(!transparent_);
}

std::shared_ptr<orvane::Image> DisplayListRenderer::getImage() {
    if (offscreen_ && frame_) return frame_;
    frame_ = renderImage(!transparent_);
    return frame_;
}

std::shared_ptr<orvane::Image> DisplayListRenderer::renderImage(bool opaque, float scale) const {
    if (!std::isfinite(scale) || scale <= 0.0f) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Picture scale must be a positive number");
        return nullptr;
    }
    float fw = std::ceil(viewport_.width * scale - 1e-3f), fh = std::ceil(viewport_.height * scale - 1e-3f);
    if (fw < 1.0f || fh < 1.0f) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "No picture for an empty viewport");
        return nullptr;
    }
    if (fw > MAX_PICTURE_SIDE || fh > MAX_PICTURE_SIDE) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Picture too large to rasterise");
        return nullptr;
    }
    int w = static_cast<int>(fw), h = static_cast<int>(fh);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Cannot allocate a picture");
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    if (opaque) {
        cairo_set_source_rgb(cr, ((background_ >> 16) & 0xff) / 255.0, ((background_ >> 8) & 0xff) / 255.0,
                             (background_ & 0xff) / 255.0);
        cairo_paint(cr);
    }
    // Display-list coordinates (y up) onto picture rows (y down).
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -viewport_.x, viewport_.height + viewport_.y);
    cairo_scale(cr, 1.0, -1.0);
    {
        TqCanvas canvas(cr);
        canvas.drawNode(*root_);
        if (hasFocus_) canvas.strokeRect(focusRect_, focusColor_, focusThickness_, focusLineStyle_, focusFactor_);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        uint8_t* out = &rgba[static_cast<size_t>(y) * w * 4];
        for (int x = 0; x < w; ++x, out += 4) {
            uint32_t p = row[x];
            uint32_t a = p >> 24;
            uint32_t r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
            if (a != 0 && a != 255) {
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            out[0] = static_cast<uint8_t>(std::min(r, 255u));
            out[1] = static_cast<uint8_t>(std::min(g, 255u));
            out[2] = static_cast<uint8_t>(std::min(b, 255u));
            out[3] = static_cast<uint8_t>(a);
        }
    }
    cairo_surface_destroy(surface);
    return std::make_shared<orvane::Image>(w, h, std::move(rgba));
}

bool DisplayListRenderer::writePNG(const std::string& path, bool opaque, float scale) const {
    auto image = renderImage(opaque, scale);
    if (!image) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Nothing to write to " + path);
        return false;
    }
    if (path.empty() || !image->writePNG(path)) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Cannot write PNG file " + path);
        return false;
    }
    return true;
}

std::string DisplayListRenderer::getDisplayListSVGString() const {
    TqSvgWriter svg(viewport_.width, viewport_.height);
    if (!transparent_) {
        svg.open("rect");
        svg.attr("width", viewport_.width);
        svg.attr("height", viewport_.height);
        svg.fillAttrs(background_);
        svg.closeEmpty();
    }
    bool shifted = viewport_.x != 0.0f || viewport_.y != 0.0f;
    if (shifted) {
        svg.open("g");
        svg.attr("transform", "translate(" + TqSvgWriter::number(-viewport_.x) + " " +
                                  TqSvgWriter::number(viewport_.y) + ")");
        svg.out() += ">\n";
    }
    svg.writeNode(*root_);
    if (hasFocus_ && focusThickness_ > 0.0f) {
        svg.open("rect");
        svg.out() += " class=\"focus\"";
        svg.rectAttrs(focusRect_);
        svg.fillAttrs(0xffffffffu);
        svg.strokeAttrs(focusColor_, focusThickness_, focusLineStyle_, focusFactor_);
        svg.closeEmpty();
    }
    if (shifted) svg.out() += "  </g>\n";
    return svg.finish();
}

std::vector<TqSelectionInfoStruct> DisplayListRenderer::getPickedNodeIds(const Rect& aperture, bool frontMostOnly) const {
    std::vector<TqSelectionInfoStruct> out;
    if (!aperture.isFinite()) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Ignored a pick with non-finite coordinates");
        return out;
    }
    TqPickQuery q = TqPickQuery::rect(aperture);
    root_->Pick(q.toLocal(root_->GetTransform()), out, frontMostOnly);
    return out;
}

std::vector<TqSelectionInfoStruct> DisplayListRenderer::getPickedNodeIdsInPolygon(const std::vector<Point>& polygon,
                                                                                  bool frontMostOnly) const {
    std::vector<TqSelectionInfoStruct> out;
    for (const Point& p : polygon) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Ignored a pick polygon with non-finite coordinates");
            return out;
        }
    }
    if (polygon.empty()) return out;
    TqPickQuery q = TqPickQuery::polygon(polygon);
    root_->Pick(q.toLocal(root_->GetTransform()), out, frontMostOnly);
    return out;
}

bool DisplayListRenderer::isOnScreen(const Rect& rect) const {
    if (!rect.isFinite()) return false;
    return bounds::intersects(viewport_, bounds::normalized(rect.x, rect.y, rect.width, rect.height));
}

bool DisplayListRenderer::isOnScreen(const std::vector<Point>& polygon) const {
    for (const Point& p : polygon)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return TqPickQuery::polygon(polygon).intersectsRect(viewport_);
}

void DisplayListRenderer::setFocusRectAttributes(uint32_t color, float thickness, int lineStyle, float factor) {
    focusColor_ = color & 0xffffffu;
    if (std::isfinite(thickness)) focusThickness_ = std::max(thickness, 0.0f);
    focusLineStyle_ = lineStyle;
    if (std::isfinite(factor)) focusFactor_ = factor;
}

void DisplayListRenderer::setFocusRect(const Rect& rect) {
    if (!rect.isFinite()) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Ignored a focus rectangle with non-finite coordinates");
        return;
    }
    focusRect_ = bounds::normalized(rect.x, rect.y, rect.width, rect.height);
    hasFocus_ = true;
}

void DisplayListRenderer::addAnimation(TqAnimate* animation) {
    if (!animation) return;
    if (!animation->IsStarted()) animation->Start(orvane::getCurrentTime());
    animations_.emplace_back(animation);
}

void DisplayListRenderer::updateAnimations(double time) {
    // Take the list first: an update function may add animations.
    std::vector<TqRef<TqAnimate>> current;
    current.swap(animations_);
    std::vector<TqRef<TqAnimate>> running;
    for (auto& a : current) {
        a->Update(time);
        if (a->IsRunning(time)) running.push_back(a);
    }
    for (auto& a : animations_) running.push_back(a);
    animations_.swap(running);
}

int DisplayListRenderer::getAnimationCount() {
    double now = orvane::getCurrentTime();
    // Finished animations get their final update and leave the list.
    std::vector<TqRef<TqAnimate>> finished;
    auto end = std::stable_partition(animations_.begin(), animations_.end(),
                                     [now](const TqRef<TqAnimate>& a) { return a->IsRunning(now); });
    finished.assign(end, animations_.end());
    animations_.erase(end, animations_.end());
    for (auto& a : finished) a->Update(now);
    return static_cast<int>(animations_.size());
}

void DisplayListRenderer::removeAllAnimations() { animations_.clear(); }

} // namespace displaylist
