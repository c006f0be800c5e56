// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/ScrollView.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/displaylist/TqScrollBar.h"
#include "orvane/displaylist/TqScrollBarController.h"

namespace orvane {

void ScrollView::scrollTo(float x, float y) {
    auto editor = getDisplayListEditor();
    displaylist::TqController2D* c = editor ? editor->getController2D() : nullptr;
    if (!c) return;
    Point t = c->GetTranslation();
    float dx = -x - t.x;
    float dy = y - t.y;
    if (auto* bars = getScrollBarController(); bars && bars->AreScrollBarsShown())
        bars->UpdateScrollTranslation(-dx, dy);
    c->OnGestureTranslate(dx, -dy);
    invalidateFrameBuffer();
}

Point ScrollView::getScrollPosition() const {
    auto editor = getDisplayListEditor();
    displaylist::TqController2D* c = editor ? editor->getController2D() : nullptr;
    if (!c) return Point::null();
    Point t = c->GetTranslation();
    return {-t.x, t.y};
}

} // namespace orvane
