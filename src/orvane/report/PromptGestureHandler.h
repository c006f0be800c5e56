// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/view/GestureHandler.h"

#include <memory>

namespace orvane {

class ReportPrompt;

/// The hit area of a report prompt: a gesture handler over a prompt's
/// renderer that passes taps and drags, in the view's coordinates, to the
/// ReportPrompt, which works out the part hit and writes the model.
class ORVANE_EXPORT PromptGestureHandler : public GestureHandler {
public:
    static std::shared_ptr<PromptGestureHandler> create();

    void setPrompt(const std::shared_ptr<ReportPrompt>& prompt) { prompt_ = prompt; }
    /// The whole of the view it serves.
    Rect getFrame() const override;
    int getRequiredGestureRecognizerTypes() const override;
    bool handleTap(const Tap& tap) override;
    bool handlePan(const Pan& pan) override;

private:
    std::weak_ptr<ReportPrompt> prompt_;
};

} // namespace orvane
