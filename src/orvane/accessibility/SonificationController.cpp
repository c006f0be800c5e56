// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/SonificationController.h"

#include "orvane/accessibility/SonificationTone.h"

namespace orvane {

const std::array<int, 36>& SonificationController::blackKeys() {
    static constexpr std::array<int, 36> keys{2,  5,  7,  10, 12, 14, 17, 19, 22, 24, 26, 29, 31, 34, 36, 38, 41, 43,
                                              46, 48, 50, 53, 55, 58, 60, 62, 65, 67, 70, 72, 74, 77, 79, 82, 84, 86};
    return keys;
}

std::shared_ptr<SonificationController::ToneList> SonificationController::getScale(SonificationScale::type /*scale*/,
                                                                                   SonificationStyle::type style) const {
    auto tones = std::make_shared<ToneList>();
    tones->reserve(blackKeys().size());
    for (int key : blackKeys()) tones->push_back(SonificationTone::create(style, key));
    return tones;
}

} // namespace orvane
