// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/SonificationToneMapper.h"

#include "orvane/host/core/MathUtilities.h"
#include "orvane/accessibility/SonificationController.h"
#include "orvane/accessibility/SonificationTone.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<SonificationToneMapper> SonificationToneMapper::create(SonificationScale::type scale,
                                                                       SonificationStyle::type style, double minimum,
                                                                       double maximum) {
    constexpr double eps = MathUtilities::DOUBLE_EPSILON;
    auto mapper = std::make_shared<SonificationToneMapper>();
    // Infinite ends would make every breakpoint infinite or NaN.
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) return mapper;
    if (!MathUtilities::epsilon_ge(maximum, minimum, eps)) return mapper;

    auto tones = SonificationController::create()->getScale(scale, style);
    if (!tones || tones->empty()) return mapper;
    const size_t n = tones->size() + 1;

    auto breakpoints = std::make_shared<std::vector<double>>();
    if (MathUtilities::epsilon_eq(minimum, maximum, static_cast<double>(n) * eps)) {
        // Zero width (within rounding): one band. Kept in ascending order even
        // when the maximum lies a rounding error below the minimum.
        breakpoints->assign({std::min(minimum, maximum), std::max(minimum, maximum)});
    } else {
        const double intervals = static_cast<double>(n - 1);
        const double step = (maximum - minimum) / intervals;
        breakpoints->reserve(n);
        for (size_t i = 0; i < n; ++i) {
            double t = static_cast<double>(i);
            // maximum - minimum overflows for ranges spanning most of the
            // doubles; interpolating between the ends cannot.
            breakpoints->push_back(std::isfinite(step) ? t * step + minimum : std::lerp(minimum, maximum, t / intervals));
        }
        // Rounding must not leave the maximum itself outside the last band.
        breakpoints->back() = maximum;
    }
    mapper->tones_ = std::move(tones);
    mapper->breakpoints_ = std::move(breakpoints);
    return mapper;
}

std::shared_ptr<SonificationTone> SonificationToneMapper::map(double value) const {
    if (std::isnan(value)) return SonificationTone::createMissing();
    if (!breakpoints_ || breakpoints_->empty() || !tones_ || tones_->empty()) return nullptr;
    const auto& bp = *breakpoints_;
    if (value < bp.front() || value > bp.back()) return nullptr;
    if (bp.size() == 2) return tones_->front();

    auto it = std::lower_bound(bp.begin(), bp.end(), value);
    if (it != bp.begin()) {
        size_t band = static_cast<size_t>(it - bp.begin()) - 1;
        return band < tones_->size() ? (*tones_)[band] : nullptr;
    }
    return MathUtilities::epsilon_eq(value, bp.front(), MathUtilities::DOUBLE_EPSILON) ? tones_->front() : nullptr;
}

} // namespace orvane
