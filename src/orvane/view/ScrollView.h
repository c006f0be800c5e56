// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/view/BaseView.h"

namespace displaylist {
class TqScrollBarController;
}

namespace orvane {

/// A view whose content scrolls through the display list's 2-D controller.
class ORVANE_EXPORT ScrollView : public BaseView {
public:
    static constexpr int WRAPPER_TYPE_ID = 10068;
    static std::shared_ptr<ScrollView> create() { return std::make_shared<ScrollView>(); }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    virtual displaylist::TqScrollBarController* getScrollBarController() const { return nullptr; }
    /// Moves the content so that (x, y) of the content is at the view's origin.
    void scrollTo(float x, float y);
    /// The current scroll position, or the null point without an editor.
    Point getScrollPosition() const;
};

} // namespace orvane
