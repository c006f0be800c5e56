// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/ResponsiveLayoutHelper.h"

#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutPass.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/RelativeLayoutStrategy.h"
#include "orvane/layout/ResponsiveLayoutStrategy.h"
#include "orvane/layout/SlideLayoutStrategy.h"
#include "orvane/layout/TiledLayoutStrategy.h"
#include "orvane/layout/TiledReflowLayoutStrategy.h"
#include "orvane/package/FlexibilityType.h"
#include "orvane/package/LayoutStrategyType.h"
#include "orvane/package/PreferredSizeBehaviorType.h"
#include "orvane/view/GroupPreferredSizeRequestEvent.h"
#include "orvane/view/PreferredSizeRequestEvent.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

namespace {
constexpr float kEps = 0.001f;
constexpr int kMaxRounds = 64;

using Info = ResponsiveLayoutStrategyInfo;

bool followsChildren(const LayoutProxy& proxy, const LayoutConstraint* c) {
    if (!LayoutUtilities::hasChildren(proxy) || !proxy.getStrategy()) return false;
    return !c || c->considerChildrenForSizeCalculations.get();
}
bool followsChildren(const LayoutProxy& proxy) {
    if (!LayoutUtilities::hasChildren(proxy)) return false;
    return followsChildren(proxy, proxy.getConstraint().get());
}

bool honorsSize(const LayoutConstraint* c, bool vertical) {
    if (!c) return true;
    return (vertical ? c->heightPreferredSizeBehavior.get() : c->widthPreferredSizeBehavior.get()) ==
           PreferredSizeBehaviorType::HONOR;
}

std::shared_ptr<Dimension> sizeDimension(const LayoutConstraint* c, bool vertical) {
    if (!c) return nullptr;
    return vertical ? c->height.get() : c->width.get();
}

float clampToLimits(float v, const LayoutConstraint* c, bool vertical) {
    float mx = LayoutUtilities::maximumSize(c, vertical);
    if (LayoutUtilities::hasMaximum(mx)) v = std::min(v, mx);
    return std::max(v, LayoutUtilities::minimumSize(c, vertical));
}

// Enabled children whose maximums do not take them out of placement.
bool isPlaceable(const LayoutProxy& kid, const LayoutConstraint* k);

std::vector<std::shared_ptr<LayoutProxy>> placeable(const LayoutProxy& proxy) {
    std::vector<std::shared_ptr<LayoutProxy>> out;
    auto* kids = LayoutUtilities::peek(proxy.children);
    if (!kids) return out;
    out.reserve(kids->size());
    for (const auto& c : kids->items()) {
        if (!c) continue;
        auto k = c->getConstraint();
        if (isPlaceable(*c, k.get())) out.push_back(c);
    }
    return out;
}

size_t weightCount(const LayoutProxy& proxy) {
    auto c = proxy.getConstraint();
    if (!c) return 0;
    auto w = c->responsiveWeights.get();
    if (!w) return 0;
    float sum = 0.0f;
    for (float v : w->items())
        if (v > 0.0f && std::isfinite(v)) sum += v;
    return sum > 0.0f ? w->size() : 0;
}

bool isVerticalOrientation(const LayoutStrategy& s) {
    if (auto r = dynamic_cast<const ResponsiveLayoutStrategy*>(&s)) return r->orientation.get() == LayoutOrientation::VERTICAL;
    if (auto t = dynamic_cast<const TiledLayoutStrategy*>(&s)) return t->orientation.get() == LayoutOrientation::VERTICAL;
    if (auto l = dynamic_cast<const SlideLayoutStrategy*>(&s)) return l->orientation.get() == LayoutOrientation::VERTICAL;
    return false;
}

bool isPlaceable(const LayoutProxy& kid, const LayoutConstraint* k) {
    if (kid.isDisabled.get()) return false;
    if (!k) return true;
    float mw = k->maximumWidth.get();
    float mh = k->maximumHeight.get();
    return !((!std::isnan(mw) && mw <= 0.0f) || (!std::isnan(mh) && mh <= 0.0f));
}

// What the children of `proxy` need along each axis (width, height), without
// its own additional space. One walk over the children serves both axes.
struct Minimums {
    float along[2] = {0.0f, 0.0f};
};

Minimums contentMinimums(const LayoutContext& ctx, const LayoutProxy& proxy, float available) {
    Minimums out;
    auto s = proxy.getStrategy();
    if (!s) return out;
    LayoutPass::Scope scope;
    if (!scope.ok()) return out;
    auto* kids = LayoutUtilities::peek(proxy.children);
    if (!kids || kids->empty()) return out;
    const int type = s->getStrategyType();
    const bool responsive = dynamic_cast<const ResponsiveLayoutStrategy*>(s.get()) != nullptr;
    const bool orientationVertical = isVerticalOrientation(*s);
    const size_t weights = responsive ? weightCount(proxy) : 0;
    float largest[2] = {0, 0}, sum[2] = {0, 0}, lineMax[2] = {0, 0}, lines[2] = {0, 0};
    size_t count = 0;
    for (const auto& kid : kids->items()) {
        if (!kid) continue;
        auto k = kid->getConstraint();
        if (!isPlaceable(*kid, k.get())) continue;
        for (int a = 0; a < 2; ++a) {
            float m = ResponsiveLayoutHelper::minimumOf(ctx, *kid, k.get(), a == 1, available, true);
            largest[a] = std::max(largest[a], m);
            sum[a] += m;
            if (weights > 0) {
                if (count % weights == 0) {
                    lines[a] += lineMax[a];
                    lineMax[a] = 0.0f;
                }
                lineMax[a] = std::max(lineMax[a], m);
            }
        }
        ++count;
    }
    if (count == 0) return out;
    const float gap = LayoutUtilities::nonNegative(ctx.tileGap.get(), "tileGap");
    const float inset = LayoutUtilities::nonNegative(ctx.containerInset.get(), "containerInset");
    for (int a = 0; a < 2; ++a) {
        const bool along = (a == 1) == orientationVertical;
        float& m = out.along[a];
        if (responsive) {
            m = (along || weights == 0) ? largest[a] : lines[a] + lineMax[a];
            continue;
        }
        switch (type) {
        case LayoutStrategyType::LS_TILED:
        case LayoutStrategyType::LS_TILED_REFLOW:
        case LayoutStrategyType::LS_SLIDE: {
            float insets = type == LayoutStrategyType::LS_SLIDE ? 2.0f * inset : 0.0f;
            // Tiles that may re-flow into rows need only the widest tile.
            const bool flows = a == 0 && (type == LayoutStrategyType::LS_TILED_REFLOW ||
                                          (type == LayoutStrategyType::LS_TILED && ctx.enableTileReflow.get()));
            m = (along && !flows ? sum[a] + static_cast<float>(count - 1) * gap : largest[a]) + insets;
            break;
        }
        case LayoutStrategyType::LS_STACK: m = largest[a] + 2.0f * inset; break;
        case LayoutStrategyType::LS_RELATIVE: m = largest[a]; break;
        default: m = 0.0f;
        }
    }
    return out;
}

// Shares of the available primary size by weight, line by line.
void computeWeightedShares(Info& info) {
    info.weightedShares.assign(info.children.size(), 0.0f);
    for (const auto& line : info.lines) {
        std::vector<float> w(static_cast<size_t>(line.count), 0.0f);
        for (int k = 0; k < line.count; ++k)
            w[static_cast<size_t>(k)] = static_cast<size_t>(k) < info.weights.size() ? info.weights[static_cast<size_t>(k)] : 0.0f;
        float sum = 0.0f;
        for (float v : w) sum += v;
        if (!(sum > 0.0f)) continue;  // no weight in this line: nobody has a weighted share
        auto shares = LayoutUtilities::distributeWholePixels(info.availablePrimarySize, w);
        for (int k = 0; k < line.count; ++k) info.weightedShares[line.first + static_cast<size_t>(k)] = shares[static_cast<size_t>(k)];
    }
}

// Minimum of the index-th child along an axis. A container child's minimum
// does not depend on the available space while minimums are reserved, so it is
// measured once per pass; a leaf's is its constraint's.
float childMinimum(Info& info, size_t index, bool vertical, float available) {
    auto& ch = info.children[index];
    const bool reserve = !info.context || info.context->reserveSpaceForMinimum.get();
    const int a = vertical ? 1 : 0;
    float m;
    if (!ch.followsChildren || !info.context) {
        m = LayoutUtilities::minimumSize(ch.constraint.get(), vertical);
    } else if (reserve && ch.minimumCache[a] >= 0.0f) {
        m = ch.minimumCache[a];
    } else if (reserve && LayoutPass::isIncremental() && !LayoutPass::isOnPath(ch.proxy.get()) &&
               ResponsiveLayoutHelper::measuredMinimum(*ch.proxy, vertical) >= 0.0f &&
               ResponsiveLayoutHelper::measuredMinimum(*ch.proxy, !vertical) >= 0.0f) {
        ch.minimumCache[0] = ResponsiveLayoutHelper::measuredMinimum(*ch.proxy, false);
        ch.minimumCache[1] = ResponsiveLayoutHelper::measuredMinimum(*ch.proxy, true);
        m = ch.minimumCache[a];
    } else if (reserve) {
        // Both axes in one walk over the child's children.
        const LayoutConstraint* c = ch.constraint.get();
        Minimums content = contentMinimums(*info.context, *ch.proxy, available);
        for (int axis = 0; axis < 2; ++axis) {
            float extra = ResponsiveLayoutHelper::calculateAdditionalSpaceNeeded(c, axis == 1);
            float v = std::max(LayoutUtilities::minimumSize(c, axis == 1), content.along[axis] + extra);
            ch.minimumCache[axis] = v;
            ResponsiveLayoutHelper::rememberMinimum(*ch.proxy, axis == 1, v);
        }
        m = ch.minimumCache[a];
    } else {
        m = ResponsiveLayoutHelper::getMinimumSize(info, *ch.proxy, vertical, available, true);
    }
    if (!reserve) m = std::min(m, std::max(0.0f, available));
    return m;
}

// Whether the lines describe the children (the steps ran in order).
bool linesMatch(const Info& info) {
    size_t next = 0;
    for (const auto& line : info.lines) {
        if (line.first != next || line.count <= 0) return false;
        next += static_cast<size_t>(line.count);
    }
    return next == info.children.size();
}

void layOutLines(Info& info) {
    float position = 0.0f;
    for (auto& line : info.lines) {
        line.position = position;
        position += line.size;
    }
}
} // namespace

// ---- children and flexibility ---------------------------------------------

std::vector<std::shared_ptr<LayoutProxy>> ResponsiveLayoutHelper::getFilteredChildren(const std::shared_ptr<LayoutProxy>& proxy) {
    if (!proxy) return {};
    return placeable(*proxy);
}

std::vector<std::shared_ptr<LayoutProxy>> ResponsiveLayoutHelper::getFilteredChildren(
    const std::shared_ptr<LayoutProxy>& proxy, std::vector<std::shared_ptr<LayoutConstraint>>& constraints) {
    std::vector<std::shared_ptr<LayoutProxy>> out;
    constraints.clear();
    if (!proxy) return out;
    auto* kids = LayoutUtilities::peek(proxy->children);
    if (!kids) return out;
    out.reserve(kids->size());
    constraints.reserve(kids->size());
    for (const auto& c : kids->items()) {
        if (!c) continue;
        auto k = c->getConstraint();
        if (!isPlaceable(*c, k.get())) continue;
        out.push_back(c);
        constraints.push_back(std::move(k));
    }
    return out;
}

bool ResponsiveLayoutHelper::isGrowable(const LayoutConstraint* c, bool vertical) {
    if (!c) return false;
    if (vertical ? c->lockUserHeight.get() : c->lockUserWidth.get()) return false;
    auto f = vertical ? c->heightFlexibility.get() : c->widthFlexibility.get();
    return f == FlexibilityType::GROWABLE || f == FlexibilityType::FLEXIBLE ||
           (vertical ? c->growVertical.get() : c->growHorizontal.get());
}

bool ResponsiveLayoutHelper::isShrinkable(const LayoutConstraint* c, bool vertical) {
    if (!c) return false;
    if (vertical ? c->lockUserHeight.get() : c->lockUserWidth.get()) return false;
    auto f = vertical ? c->heightFlexibility.get() : c->widthFlexibility.get();
    return f == FlexibilityType::SHRINKABLE || f == FlexibilityType::FLEXIBLE;
}

bool ResponsiveLayoutHelper::isGrowable(const LayoutProxy& child, bool vertical) {
    return isGrowable(child.getConstraint().get(), vertical);
}

bool ResponsiveLayoutHelper::isShrinkable(const LayoutProxy& child, bool vertical) {
    return isShrinkable(child.getConstraint().get(), vertical);
}

bool ResponsiveLayoutHelper::isSizeChangeable(const LayoutProxy& child, bool vertical) {
    return isGrowable(child, vertical) || isShrinkable(child, vertical);
}

float ResponsiveLayoutHelper::calculateAdditionalSpaceNeeded(const LayoutProxy& proxy, bool vertical) {
    return calculateAdditionalSpaceNeeded(proxy.getConstraint().get(), vertical);
}

float ResponsiveLayoutHelper::calculateAdditionalSpaceNeeded(const LayoutConstraint* c, bool vertical) {
    if (!c) return 0.0f;
    float band = LayoutUtilities::nonNegative(LayoutUtilities::pixels(LayoutUtilities::peek(c->padding), -1.0f, "padding"), "padding") +
                 LayoutUtilities::nonNegative(c->borderThickness.get(), "borderThickness");
    if (vertical)
        return LayoutUtilities::headerHeight(c) + LayoutUtilities::footerHeight(c) +
               LayoutUtilities::nonNegative(c->additionalContentHeight.get(), "additionalContentHeight") + 2.0f * band;
    return LayoutUtilities::leftSpace(c) + LayoutUtilities::rightSpace(c) +
           LayoutUtilities::nonNegative(c->additionalContentWidth.get(), "additionalContentWidth") + 2.0f * band;
}

bool ResponsiveLayoutHelper::isConstrainedBasedOnChildren(const Info&, const LayoutProxy& child) {
    return followsChildren(child);
}

// ---- measures ----------------------------------------------------------------

float ResponsiveLayoutHelper::measuredMinimum(const LayoutProxy& proxy, bool vertical) {
    return proxy.measuredMinimum_[vertical ? 1 : 0];
}

void ResponsiveLayoutHelper::rememberMinimum(LayoutProxy& proxy, bool vertical, float minimum) {
    proxy.measuredMinimum_[vertical ? 1 : 0] = minimum;
}

float ResponsiveLayoutHelper::minimumOf(const LayoutContext& ctx, const LayoutProxy& proxy, bool vertical, float available,
                                        bool reserve) {
    auto c = proxy.getConstraint();
    return minimumOf(ctx, proxy, c.get(), vertical, available, reserve);
}

float ResponsiveLayoutHelper::minimumOf(const LayoutContext& ctx, const LayoutProxy& proxy, const LayoutConstraint* c,
                                        bool vertical, float available, bool reserve) {
    float m = LayoutUtilities::minimumSize(c, vertical);
    if (followsChildren(proxy, c)) {
        float extra = calculateAdditionalSpaceNeeded(c, vertical);
        m = std::max(m, contentMinimums(ctx, proxy, available - extra).along[vertical ? 1 : 0] + extra);
    }
    if (!(reserve && ctx.reserveSpaceForMinimum.get())) m = std::min(m, std::max(0.0f, available));
    return m;
}

float ResponsiveLayoutHelper::preferredExtent(const LayoutContext& ctx, LayoutProxy& proxy, bool vertical, float other,
                                              float reference) {
    auto c = proxy.getConstraint();
    if (auto d = sizeDimension(c.get(), vertical)) {
        float s = LayoutUtilities::size(d, reference, vertical ? "constraint height" : "constraint width").value_or(0.0f);
        if (s > 0.0f) return clampToLimits(s, c.get(), vertical);
    }
    float v = 0.0f;
    if (followsChildren(proxy)) {
        v = contentExtent(ctx, proxy, vertical, other);
    } else if (honorsSize(c.get(), vertical)) {
        float extraOther = calculateAdditionalSpaceNeeded(proxy, !vertical);
        auto a = LayoutUtilities::requestSize(
            proxy, vertical ? PreferredSizeRequestEvent::HEIGHT_REQUEST : PreferredSizeRequestEvent::WIDTH_REQUEST,
            std::max(0.0f, other - extraOther));
        if (a) v = *a + calculateAdditionalSpaceNeeded(proxy, vertical);
    }
    return clampToLimits(v, c.get(), vertical);
}

float ResponsiveLayoutHelper::contentExtent(const LayoutContext& ctx, const LayoutProxy& proxy, bool vertical, float other) {
    auto s = proxy.getStrategy();
    if (!s) return 0.0f;
    LayoutPass::Scope scope;
    if (!scope.ok()) return 0.0f;
    auto kids = placeable(proxy);
    const float extra = calculateAdditionalSpaceNeeded(proxy, vertical);
    const float inner = std::max(0.0f, other - calculateAdditionalSpaceNeeded(proxy, !vertical));
    float total = 0.0f;
    if (!kids.empty()) {
        const int type = s->getStrategyType();
        const bool responsive = dynamic_cast<const ResponsiveLayoutStrategy*>(s.get()) != nullptr;
        const bool along = vertical == isVerticalOrientation(*s);
        if (vertical && TiledReflowLayoutStrategy::reflows(s.get(), ctx, other)) {
            // The rows the reflow will make at this width (it uses the whole
            // width), all as high as the tallest row needs: the rows share
            // the container's height equally.
            const auto tiles = LayoutUtilities::enabledChildrenOf(proxy);
            const auto rows = TiledReflowLayoutStrategy::planRows(tiles, ctx, TiledReflowLayoutStrategy::rowLimit(s.get()),
                                                                  other);
            float rowHeight = 0.0f;
            for (const auto& row : rows) {
                float need = row.minimumHeight;
                for (size_t i = row.first; i < row.end; ++i)
                    need = std::max(need, preferredExtent(ctx, *tiles[i], true, row.widths[i - row.first], -1.0f));
                rowHeight = std::max(rowHeight, need);
            }
            const float gap = LayoutUtilities::nonNegative(ctx.tileGap.get(), "tileGap");
            if (!rows.empty()) total = static_cast<float>(rows.size()) * rowHeight + static_cast<float>(rows.size() - 1) * gap;
        } else if (responsive && !along) {
            // Lines stack along the asked axis: break them at the minimums.
            const bool primaryVertical = !vertical;
            const size_t per = weightCount(proxy);
            size_t i = 0;
            while (i < kids.size()) {
                size_t start = i;
                float sum = 0.0f;
                while (i < kids.size()) {
                    float m = minimumOf(ctx, *kids[i], primaryVertical, inner, true);
                    size_t count = i - start;
                    if (count > 0 && ((per > 0 && count >= per) || sum + m > inner + kEps)) break;
                    sum += m;
                    ++i;
                }
                const float share = inner / static_cast<float>(i - start);
                float line = 0.0f;
                for (size_t j = start; j < i; ++j)
                    line = std::max(line, preferredExtent(ctx, *kids[j], vertical, share, -1.0f));
                total += line;
            }
        } else if (responsive || type == LayoutStrategyType::LS_TILED || type == LayoutStrategyType::LS_SLIDE ||
                   type == LayoutStrategyType::LS_TILED_REFLOW) {
            const float gap = responsive ? 0.0f : LayoutUtilities::nonNegative(ctx.tileGap.get(), "tileGap");
            const float insets = type == LayoutStrategyType::LS_SLIDE && !responsive
                                     ? 2.0f * LayoutUtilities::nonNegative(ctx.containerInset.get(), "containerInset")
                                     : 0.0f;
            for (const auto& k : kids) {
                float e = preferredExtent(ctx, *k, vertical, inner, -1.0f);
                total = along ? total + e : std::max(total, e);
            }
            if (along) total += static_cast<float>(kids.size() - 1) * gap;
            total += insets;
        } else if (type == LayoutStrategyType::LS_STACK || type == LayoutStrategyType::LS_RELATIVE) {
            float insets = type == LayoutStrategyType::LS_STACK
                               ? 2.0f * LayoutUtilities::nonNegative(ctx.containerInset.get(), "containerInset")
                               : 0.0f;
            // Stacked children lie inside the insets on both axes.
            const float across = std::max(0.0f, inner - insets);
            for (const auto& k : kids) {
                float e = preferredExtent(ctx, *k, vertical, across, -1.0f);
                if (type == LayoutStrategyType::LS_RELATIVE) {
                    auto kc = k->getConstraint();
                    if (kc)
                        e += LayoutUtilities::offset(vertical ? kc->verticalOffset.get() : kc->horizontalOffset.get(), -1.0f,
                                                     vertical ? "verticalOffset" : "horizontalOffset")
                                 .value_or(0.0f);
                }
                total = std::max(total, e);
            }
            total += insets;
        }
    }
    auto c = proxy.getConstraint();
    return clampToLimits(total + extra, c.get(), vertical);
}

float ResponsiveLayoutHelper::getMinimumSize(const Info& info, const LayoutProxy& child, bool vertical, float available,
                                             bool reserve) {
    if (!info.context) return LayoutUtilities::minimumSize(child.getConstraint().get(), vertical);
    return minimumOf(*info.context, child, vertical, available, reserve);
}

float ResponsiveLayoutHelper::getPreferredSize(Info& info, size_t index, bool vertical) {
    if (index >= info.children.size()) return 0.0f;
    auto& ch = info.children[index];
    const bool primary = vertical == info.isVertical;
    if (primary && info.useWeights && linesMatch(info)) {
        if (info.weightedShares.size() != info.children.size()) computeWeightedShares(info);
        return info.weightedShares[index];
    }
    const LayoutConstraint* c = ch.constraint.get();
    if (auto d = sizeDimension(c, vertical)) {
        float ref = vertical ? info.percentReferenceHeight : info.percentReferenceWidth;
        float s = LayoutUtilities::size(d, ref, vertical ? "constraint height" : "constraint width").value_or(0.0f);
        if (s > 0.0f) {
            if (primary) ch.preferredSize = d;
            return s;
        }
    }
    if (ch.hasChildren && ch.proxy->grow.get() && ch.proxy->getStrategy())
        return getGrowContainerPreferredSize(info, *ch.proxy, vertical);
    if (!followsChildren(*ch.proxy) && honorsSize(c, vertical)) {
        float other = primary ? info.availableSecondarySize : ch.primarySize;
        float extraOther = calculateAdditionalSpaceNeeded(*ch.proxy, !vertical);
        auto a = LayoutUtilities::requestSize(
            *ch.proxy,
            vertical ? PreferredSizeRequestEvent::PREFERRED_HEIGHT_REQUEST : PreferredSizeRequestEvent::PREFERRED_WIDTH_REQUEST,
            std::max(0.0f, other - extraOther));
        if (a) return *a + calculateAdditionalSpaceNeeded(*ch.proxy, vertical);
    }
    return 0.0f;
}

float ResponsiveLayoutHelper::getMaximumSize(const Info& info, const LayoutProxy& child, bool vertical, float preferred) {
    auto c = child.getConstraint();
    return getMaximumSize(info, c.get(), vertical, preferred);
}

float ResponsiveLayoutHelper::getMaximumSize(const Info&, const LayoutConstraint* c, bool vertical, float preferred) {
    float m = LayoutUtilities::maximumSize(c, vertical);
    float result = LayoutUtilities::hasMaximum(m) ? m : 0.0f;
    if (c && c->usePreferredSizeAsMaximum.get() && preferred > 0.0f)
        result = result > 0.0f ? std::min(result, preferred) : preferred;
    return result;
}

float ResponsiveLayoutHelper::getGrowContainerPreferredSize(const Info& info, const LayoutProxy& child, bool vertical) {
    if (!info.context) return 0.0f;
    float other = vertical == info.isVertical ? info.availableSecondarySize : info.availablePrimarySize;
    return contentExtent(*info.context, child, vertical, other);
}

float ResponsiveLayoutHelper::calculatePreferredSecondarySizeForContainer(const Info& info, const LayoutProxy& child,
                                                                          float primarySize, bool honorChildren) {
    if (!info.context || !honorChildren) return 0.0f;
    return contentExtent(*info.context, child, !info.isVertical, primarySize);
}

// ---- primary axis ------------------------------------------------------------

void ResponsiveLayoutHelper::calculateEffectiveMinimumPrimarySizes(Info& info) {
    const bool vertical = info.isVertical;
    float r = info.availablePrimarySize;
    for (auto& ch : info.children) {
        float m = childMinimum(info, static_cast<size_t>(&ch - info.children.data()), vertical, r);
        ch.effectiveMinimumPrimarySize = m;
        r -= m;
    }
    const float n = static_cast<float>(info.children.size());
    bool changed = true;
    for (int round = 0; round < kMaxRounds && r > kEps && changed; ++round) {
        changed = false;
        for (size_t i = 0; i < info.children.size(); ++i) {
            auto& ch = info.children[i];
            if (!ch.hasChildren) continue;
            float m = ch.effectiveMinimumPrimarySize;
            float m2 = childMinimum(info, i, vertical, r / n + m);
            if (std::fabs(m2 - m) > kEps) {
                ch.effectiveMinimumPrimarySize = m2;
                r -= m2 - m;
                changed = true;
            }
        }
    }
}

void ResponsiveLayoutHelper::determineNumberOfChildrenPerLine(Info& info) {
    info.lines.clear();
    info.weightedShares.clear();
    const float capacity = info.availablePrimarySize;
    float sum = 0.0f;
    for (size_t i = 0; i < info.children.size(); ++i) {
        auto& ch = info.children[i];
        const float e = ch.effectiveMinimumPrimarySize;
        bool newLine = info.lines.empty();
        if (!newLine) {
            const auto& line = info.lines.back();
            newLine = (info.useWeights && static_cast<size_t>(line.count) >= info.weights.size()) ||
                      (line.count >= 1 && sum + e > capacity + kEps);
        }
        if (newLine) {
            Info::Line line;
            line.first = i;
            info.lines.push_back(line);
            sum = 0.0f;
        }
        info.lines.back().count++;
        sum += e;
        ch.line = static_cast<int>(info.lines.size() - 1);
    }
    if (info.proxy) {
        std::vector<int> counts;
        counts.reserve(info.lines.size());
        for (const auto& line : info.lines) counts.push_back(line.count);
        info.proxy->childrenPerLine.set(MonitoredVector<int>::create(std::move(counts)));
    }
}

void ResponsiveLayoutHelper::determinePrimarySizesAndPositions(Info& info) {
    if (!linesMatch(info)) determineNumberOfChildrenPerLine(info);
    const bool vertical = info.isVertical;
    for (auto& line : info.lines) line.primarySum = 0.0f;
    for (size_t i = 0; i < info.children.size(); ++i) {
        auto& ch = info.children[i];
        const float e = ch.effectiveMinimumPrimarySize;
        ch.primarySize = e;
        ch.preferredSize = nullptr;
        ch.growable = info.grows(ch, vertical);
        ch.shrinkable = info.shrinks(ch, vertical);
        const float p = getPreferredSize(info, i, vertical);
        const float M = getMaximumSize(info, ch.constraint.get(), vertical, p);
        ch.maximumPrimarySize = M;
        if (!(p > 0.0f)) {
            ch.constrained = false;
            ch.preferredPrimarySize = 0.0f;
            continue;
        }
        float t = std::max(e, p);
        if (M > 0.0f && t > M) t = M;
        ch.constrained = true;
        ch.preferredPrimarySize = t;
        ch.primarySize = t;
        if (static_cast<size_t>(ch.line) < info.lines.size()) info.lines[static_cast<size_t>(ch.line)].primarySum += t;
    }
    for (auto& line : info.lines) {
        const size_t end = line.first + static_cast<size_t>(line.count);
        if (!info.primaryUnconstrained) {
            float remaining = info.availablePrimarySize - line.primarySum;
            bool anyUnconstrained = false;
            for (size_t i = line.first; i < end; ++i) anyUnconstrained |= !info.children[i].constrained;
            float left = anyUnconstrained ? applyRemainingPrimarySpaceToUnconstrained(info, line.first, remaining) : remaining;
            applyRemainingPrimarySpaceToConstrained(info, line.first, left);
        }
        float position = 0.0f;
        for (size_t i = line.first; i < end; ++i) {
            info.children[i].primaryPosition = position;
            position += info.children[i].primarySize;
        }
        if (info.useWeights) {
            // Whole pixels: round the boundaries, keep the line's end exactly.
            float previous = 0.0f;
            for (size_t i = line.first; i < end; ++i) {
                auto& ch = info.children[i];
                float boundary = i + 1 == end ? ch.primaryPosition + ch.primarySize
                                              : std::round(ch.primaryPosition + ch.primarySize);
                ch.primaryPosition = previous;
                ch.primarySize = boundary - previous;
                previous = boundary;
            }
        }
    }
}

float ResponsiveLayoutHelper::applyRemainingPrimarySpaceToUnconstrained(Info& info, size_t first, float space) {
    if (first >= info.children.size() || static_cast<size_t>(info.children[first].line) >= info.lines.size()) return space;
    const auto& line = info.lines[static_cast<size_t>(info.children[first].line)];
    const size_t end = std::min(info.children.size(), line.first + static_cast<size_t>(line.count));
    std::vector<size_t> open;
    for (size_t i = line.first; i < end; ++i)
        if (!info.children[i].constrained) open.push_back(i);
    if (open.empty()) return space;
    const float share = space / static_cast<float>(open.size());
    for (size_t i : open) {
        auto& ch = info.children[i];
        float v = std::max(ch.effectiveMinimumPrimarySize, share);
        if (ch.maximumPrimarySize > 0.0f && v > ch.maximumPrimarySize) v = ch.maximumPrimarySize;
        ch.primarySize = v;
        space -= v;
    }
    for (int round = 0; round < kMaxRounds && space < -kEps; ++round) {
        std::vector<size_t> above;
        for (size_t i : open)
            if (info.children[i].primarySize > info.children[i].effectiveMinimumPrimarySize + kEps) above.push_back(i);
        if (above.empty()) break;
        const float part = -space / static_cast<float>(above.size());
        for (size_t i : above) {
            auto& ch = info.children[i];
            float give = std::min(part, ch.primarySize - ch.effectiveMinimumPrimarySize);
            ch.primarySize -= give;
            space += give;
        }
    }
    return space;
}

void ResponsiveLayoutHelper::applyRemainingPrimarySpaceToConstrained(Info& info, size_t first, float left) {
    if (first >= info.children.size() || static_cast<size_t>(info.children[first].line) >= info.lines.size()) return;
    const auto& line = info.lines[static_cast<size_t>(info.children[first].line)];
    const size_t end = std::min(info.children.size(), line.first + static_cast<size_t>(line.count));
    if (left > kEps) {
        std::vector<size_t> active;
        for (size_t i = line.first; i < end; ++i)
            if (info.children[i].constrained && info.children[i].growable) active.push_back(i);
        while (!active.empty() && left > kEps) {
            float sum = 0.0f;
            for (size_t i : active) sum += info.children[i].preferredPrimarySize;
            if (!(sum > 0.0f)) break;
            // Children that would pass their maximum are held there first.
            std::vector<size_t> keep;
            float taken = 0.0f;
            for (size_t i : active) {
                auto& ch = info.children[i];
                float grown = ch.primarySize + ch.preferredPrimarySize / sum * left;
                if (ch.maximumPrimarySize > 0.0f && grown > ch.maximumPrimarySize) {
                    float take = std::max(0.0f, ch.maximumPrimarySize - ch.primarySize);
                    ch.primarySize += take;
                    taken += take;
                } else {
                    keep.push_back(i);
                }
            }
            if (keep.size() == active.size()) {
                for (size_t i : active) {
                    auto& ch = info.children[i];
                    ch.primarySize += ch.preferredPrimarySize / sum * left;
                }
                left = 0.0f;
                break;
            }
            left -= taken;
            active = std::move(keep);
        }
    } else if (left < -kEps) {
        for (int round = 0; round < kMaxRounds && left < -kEps; ++round) {
            std::vector<size_t> active;
            float sum = 0.0f;
            for (size_t i = line.first; i < end; ++i) {
                auto& ch = info.children[i];
                if (ch.constrained && ch.shrinkable && ch.primarySize > ch.effectiveMinimumPrimarySize + kEps) {
                    active.push_back(i);
                    sum += ch.preferredPrimarySize;
                }
            }
            if (active.empty() || !(sum > 0.0f)) break;
            const float overdraft = -left;
            float gave = 0.0f;
            for (size_t i : active) {
                auto& ch = info.children[i];
                float cut = std::min(ch.primarySize - ch.effectiveMinimumPrimarySize, ch.preferredPrimarySize / sum * overdraft);
                ch.primarySize -= cut;
                gave += cut;
            }
            left += gave;
            if (gave <= kEps) break;
        }
    }
}

// ---- secondary axis ----------------------------------------------------------

void ResponsiveLayoutHelper::calculateSecondaryPreferredSizes(Info& info) {
    const bool sv = !info.isVertical;  // the secondary axis is vertical
    const float ref = sv ? info.percentReferenceHeight : info.percentReferenceWidth;
    std::vector<size_t> ask;
    for (size_t i = 0; i < info.children.size(); ++i) {
        auto& ch = info.children[i];
        ch.explicitSecondarySize = false;
        ch.preferredSecondarySize = 0.0f;
        if (auto d = sizeDimension(ch.constraint.get(), sv)) {
            float s = LayoutUtilities::size(d, ref, sv ? "constraint height" : "constraint width").value_or(0.0f);
            if (s > 0.0f) {
                ch.preferredSecondarySize = s;
                ch.explicitSecondarySize = true;
                continue;
            }
        }
        if (ch.followsChildren) {
            LayoutProxy& p = *ch.proxy;
            if (LayoutPass::isIncremental() && !LayoutPass::isOnPath(&p) && p.measuredPreferred_ >= 0.0f &&
                p.measuredPreferredFor_ == ch.primarySize && p.measuredPreferredVertical_ == sv) {
                ch.preferredSecondarySize = p.measuredPreferred_;
            } else {
                ch.preferredSecondarySize = calculatePreferredSecondarySizeForContainer(info, p, ch.primarySize, true);
                p.measuredPreferred_ = ch.preferredSecondarySize;
                p.measuredPreferredFor_ = ch.primarySize;
                p.measuredPreferredVertical_ = sv;
            }
        } else if (honorsSize(ch.constraint.get(), sv)) {
            ask.push_back(i);
        }
    }
    if (ask.empty()) return;
    std::vector<std::shared_ptr<LayoutProxy>> proxies;
    std::vector<float> constrained;
    for (size_t i : ask) {
        auto& ch = info.children[i];
        proxies.push_back(ch.proxy);
        constrained.push_back(std::max(0.0f, ch.primarySize - calculateAdditionalSpaceNeeded(ch.constraint.get(), !sv)));
    }
    std::vector<float> answers;
    if (info.proxy)
        LayoutUtilities::requestGroupSizes(*info.proxy,
                                           sv ? GroupPreferredSizeRequestEvent::GROUP_HEIGHT_REQUEST
                                              : GroupPreferredSizeRequestEvent::GROUP_WIDTH_REQUEST,
                                           proxies, constrained, answers);
    answers.resize(ask.size(), std::numeric_limits<float>::quiet_NaN());
    // Whether the container's chain hears each kind of single request: asked
    // once here instead of once per child.
    const int preferredType = sv ? PreferredSizeRequestEvent::PREFERRED_HEIGHT_REQUEST : PreferredSizeRequestEvent::PREFERRED_WIDTH_REQUEST;
    const int plainType = sv ? PreferredSizeRequestEvent::HEIGHT_REQUEST : PreferredSizeRequestEvent::WIDTH_REQUEST;
    auto* vector = info.proxy ? LayoutUtilities::peek(info.proxy->children) : nullptr;
    const int hearsPreferred = vector ? (vector->wouldDeliver(preferredType) ? 1 : 0) : -1;
    const int hearsPlain = vector ? (vector->wouldDeliver(plainType) ? 1 : 0) : -1;
    for (size_t k = 0; k < ask.size(); ++k) {
        auto& ch = info.children[ask[k]];
        float answer = answers[k];
        if (std::isnan(answer)) {
            const bool changeable = info.grows(ch, sv) || info.shrinks(ch, sv);
            if (auto a = LayoutUtilities::requestSize(*ch.proxy, changeable ? preferredType : plainType, constrained[k],
                                                      changeable ? hearsPreferred : hearsPlain))
                answer = *a;
        }
        if (!std::isnan(answer)) ch.preferredSecondarySize = answer + calculateAdditionalSpaceNeeded(ch.constraint.get(), sv);
    }
}

void ResponsiveLayoutHelper::calculateMinMaxSecondarySizesPerLine(Info& info) {
    if (!linesMatch(info)) determineNumberOfChildrenPerLine(info);
    const bool sv = !info.isVertical;
    for (auto& ch : info.children) {
        ch.minimumSecondarySize = childMinimum(info, static_cast<size_t>(&ch - info.children.data()), sv, info.availableSecondarySize);
        ch.maximumSecondarySize = getMaximumSize(info, ch.constraint.get(), sv, ch.preferredSecondarySize);
        if (ch.preferredSecondarySize > 0.0f) {
            float p = std::max(ch.preferredSecondarySize, ch.minimumSecondarySize);
            if (ch.maximumSecondarySize > 0.0f) p = std::max(std::min(p, ch.maximumSecondarySize), ch.minimumSecondarySize);
            ch.preferredSecondarySize = p;
        }
    }
    for (auto& line : info.lines) {
        line.minimumSecondarySize = 0.0f;
        line.preferredSecondarySize = 0.0f;
        line.maximumSecondarySize = 0.0f;
        bool allLimited = true;
        const size_t end = line.first + static_cast<size_t>(line.count);
        for (size_t i = line.first; i < end; ++i) {
            const auto& ch = info.children[i];
            line.minimumSecondarySize = std::max(line.minimumSecondarySize, ch.minimumSecondarySize);
            line.preferredSecondarySize = std::max(line.preferredSecondarySize, ch.preferredSecondarySize);
            if (ch.maximumSecondarySize > 0.0f)
                line.maximumSecondarySize =
                    std::max(line.maximumSecondarySize, std::max(ch.maximumSecondarySize, ch.minimumSecondarySize));
            else
                allLimited = false;
        }
        if (!allLimited) line.maximumSecondarySize = 0.0f;
        line.preferredSecondarySize = std::max(line.preferredSecondarySize, line.minimumSecondarySize);
        if (line.maximumSecondarySize > 0.0f)
            line.preferredSecondarySize =
                std::max(std::min(line.preferredSecondarySize, line.maximumSecondarySize), line.minimumSecondarySize);
    }
}

void ResponsiveLayoutHelper::applySecondaryMinAndPreferredSizes(Info& info) {
    const bool fit = info.overflow == ResponsiveLayoutOverflowType::FIT && !info.secondaryUnconstrained;
    if (!fit) {
        for (auto& line : info.lines) line.size = line.preferredSecondarySize;
        return;
    }
    // Fitting: a line starts at its floor (its minimum, raised to the
    // preferred size of children that may not shrink) and grows toward its
    // preferred size as far as the container allows.
    const bool sv = !info.isVertical;
    std::vector<float> floors(info.lines.size(), 0.0f);
    float used = 0.0f;
    float wants = 0.0f;
    for (size_t l = 0; l < info.lines.size(); ++l) {
        auto& line = info.lines[l];
        float floor = line.minimumSecondarySize;
        for (size_t i = line.first; i < line.first + static_cast<size_t>(line.count); ++i) {
            const auto& ch = info.children[i];
            if (!info.shrinks(ch, sv)) floor = std::max(floor, ch.preferredSecondarySize);
        }
        floors[l] = std::min(floor, std::max(line.preferredSecondarySize, line.minimumSecondarySize));
        line.size = floors[l];
        used += floors[l];
        wants += line.preferredSecondarySize - floors[l];
    }
    const float remaining = info.availableSecondarySize - used;
    if (remaining > kEps && wants > kEps) {
        const float f = std::min(1.0f, remaining / wants);
        for (size_t l = 0; l < info.lines.size(); ++l)
            info.lines[l].size += (info.lines[l].preferredSecondarySize - floors[l]) * f;
    }
}

void ResponsiveLayoutHelper::applyRemainingSecondarySpaceUnconstrained(Info& info, float space) {
    if (!linesMatch(info)) return;
    std::vector<size_t> open;
    for (size_t l = 0; l < info.lines.size(); ++l) {
        const auto& line = info.lines[l];
        for (size_t i = line.first; i < line.first + static_cast<size_t>(line.count); ++i)
            if (!(info.children[i].preferredSecondarySize > 0.0f)) {
                open.push_back(l);
                break;
            }
    }
    while (!open.empty() && space > kEps) {
        const float share = space / static_cast<float>(open.size());
        std::vector<size_t> keep;
        for (size_t l : open) {
            auto& line = info.lines[l];
            if (line.maximumSecondarySize > 0.0f && line.size + share > line.maximumSecondarySize) {
                float take = std::max(0.0f, line.maximumSecondarySize - line.size);
                line.size += take;
                space -= take;
            } else {
                keep.push_back(l);
            }
        }
        if (keep.size() == open.size()) {
            for (size_t l : open) info.lines[l].size += share;
            space = 0.0f;
            break;
        }
        open = std::move(keep);
    }
}

void ResponsiveLayoutHelper::applyRemainingSecondarySpaceConstrained(Info& info, float space) {
    if (!linesMatch(info)) return;
    const bool sv = !info.isVertical;
    std::vector<size_t> open;
    for (size_t l = 0; l < info.lines.size(); ++l) {
        const auto& line = info.lines[l];
        for (size_t i = line.first; i < line.first + static_cast<size_t>(line.count); ++i)
            if (info.grows(info.children[i], sv)) {
                open.push_back(l);
                break;
            }
    }
    while (!open.empty() && space > kEps) {
        float sum = 0.0f;
        for (size_t l : open) sum += info.lines[l].size;
        auto shareOf = [&](size_t l) {
            return sum > 0.0f ? info.lines[l].size / sum * space : space / static_cast<float>(open.size());
        };
        std::vector<size_t> keep;
        float taken = 0.0f;
        for (size_t l : open) {
            auto& line = info.lines[l];
            if (line.maximumSecondarySize > 0.0f && line.size + shareOf(l) > line.maximumSecondarySize) continue;
            keep.push_back(l);
        }
        if (keep.size() == open.size()) {
            std::vector<float> shares;
            for (size_t l : open) shares.push_back(shareOf(l));
            for (size_t k = 0; k < open.size(); ++k) info.lines[open[k]].size += shares[k];
            break;
        }
        for (size_t l : open) {
            auto& line = info.lines[l];
            if (std::find(keep.begin(), keep.end(), l) != keep.end()) continue;
            float take = std::max(0.0f, line.maximumSecondarySize - line.size);
            line.size += take;
            taken += take;
        }
        space -= taken;
        open = std::move(keep);
    }
}

void ResponsiveLayoutHelper::applyRemainingSecondarySpace(Info& info) {
    if (!linesMatch(info)) return;
    const bool sv = !info.isVertical;
    if (!info.secondaryUnconstrained) {
        float used = 0.0f;
        for (const auto& line : info.lines) used += line.size;
        const float space = info.availableSecondarySize - used;
        if (space > kEps) {
            bool open = false;
            for (const auto& ch : info.children) open |= !(ch.preferredSecondarySize > 0.0f);
            if (open)
                applyRemainingSecondarySpaceUnconstrained(info, space);
            else
                applyRemainingSecondarySpaceConstrained(info, space);
        }
    }
    layOutLines(info);
    for (auto& ch : info.children) {
        if (ch.line < 0 || static_cast<size_t>(ch.line) >= info.lines.size()) continue;
        const auto& line = info.lines[static_cast<size_t>(ch.line)];
        float s = line.size;
        if (ch.explicitSecondarySize && !info.grows(ch, sv))
            s = std::max(std::min(line.size, ch.preferredSecondarySize), std::min(ch.minimumSecondarySize, line.size));
        if (ch.maximumSecondarySize > 0.0f) s = std::min(s, ch.maximumSecondarySize);
        ch.secondarySize = s;
        ch.secondaryPosition = line.position;
    }
}

void ResponsiveLayoutHelper::fitChildrenToContainerSecondarySize(Info& info) {
    if (info.overflow != ResponsiveLayoutOverflowType::FIT || info.secondaryUnconstrained || !linesMatch(info)) return;
    const bool sv = !info.isVertical;
    for (int round = 0; round < kMaxRounds; ++round) {
        float extent = 0.0f;
        for (const auto& ch : info.children) extent = std::max(extent, ch.secondaryPosition + ch.secondarySize);
        const float excess = extent - info.availableSecondarySize;
        if (excess <= kEps) break;
        std::vector<float> floors(info.lines.size(), 0.0f);
        float total = 0.0f;
        for (size_t l = 0; l < info.lines.size(); ++l) {
            const auto& line = info.lines[l];
            float floor = 0.0f;
            for (size_t i = line.first; i < line.first + static_cast<size_t>(line.count); ++i) {
                const auto& ch = info.children[i];
                floor = std::max(floor, info.shrinks(ch, sv) ? ch.minimumSecondarySize : ch.secondarySize);
            }
            floors[l] = std::min(floor, line.size);
            if (line.size - floors[l] > kEps) total += line.size;
        }
        if (!(total > 0.0f)) break;
        float gave = 0.0f;
        for (size_t l = 0; l < info.lines.size(); ++l) {
            auto& line = info.lines[l];
            if (!(line.size - floors[l] > kEps)) continue;
            float cut = std::min(line.size - floors[l], line.size / total * excess);
            line.size -= cut;
            gave += cut;
        }
        layOutLines(info);
        for (auto& ch : info.children) {
            if (ch.line < 0 || static_cast<size_t>(ch.line) >= info.lines.size()) continue;
            const auto& line = info.lines[static_cast<size_t>(ch.line)];
            if (info.shrinks(ch, sv))
                ch.secondarySize = std::max(std::min(ch.secondarySize, line.size), std::min(ch.minimumSecondarySize, ch.secondarySize));
            ch.secondaryPosition = line.position;
        }
        if (gave <= kEps) break;
    }
}

void ResponsiveLayoutHelper::sizeAndPositionChildren(Info& info) {
    const Point o = info.contentOrigin;
    for (auto& ch : info.children) {
        Rect r = info.isVertical
                     ? Rect(o.x + ch.secondaryPosition, o.y + ch.primaryPosition, ch.secondarySize, ch.primarySize)
                     : Rect(o.x + ch.primaryPosition, o.y + ch.secondaryPosition, ch.primarySize, ch.secondarySize);
        ch.proxy->setBoundsInPixels(r);
    }
}

bool ResponsiveLayoutHelper::childrenSizeBiggerPrimary(const Info& info) {
    if (!linesMatch(info)) return false;
    for (const auto& line : info.lines) {
        if (line.count <= 0) continue;
        float end = info.children[line.first].primaryPosition;
        for (size_t i = line.first; i < line.first + static_cast<size_t>(line.count); ++i) end += info.children[i].primarySize;
        if (end > info.availablePrimarySize + kEps) return true;
    }
    return false;
}

bool ResponsiveLayoutHelper::childrenSizeBiggerSecondary(const Info& info) {
    float extent = 0.0f;
    for (const auto& line : info.lines) extent = std::max(extent, line.position + line.size);
    return extent > info.availableSecondarySize + kEps;
}

void ResponsiveLayoutHelper::runSteps(Info& info) {
    calculateEffectiveMinimumPrimarySizes(info);
    determineNumberOfChildrenPerLine(info);
    determinePrimarySizesAndPositions(info);
    calculateSecondaryPreferredSizes(info);
    calculateMinMaxSecondarySizesPerLine(info);
    applySecondaryMinAndPreferredSizes(info);
    applyRemainingSecondarySpace(info);
    fitChildrenToContainerSecondarySize(info);
    sizeAndPositionChildren(info);
}

bool ResponsiveLayoutHelper::handleScrollBarSpace(Info& info, const std::shared_ptr<LayoutProxy>&,
                                                  const ResponsiveLayoutStrategy&, bool biggerPrimary, bool biggerSecondary) {
    if (!info.context || !info.context->handleScrollBarSpace.get() || info.overflow != ResponsiveLayoutOverflowType::SCROLL)
        return false;
    const float bar = LayoutUtilities::nonNegative(info.context->scrollBarSize.get(), "scrollBarSize");
    if (!(bar > 0.0f)) return false;
    bool ran = false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        bool changed = false;
        if (biggerSecondary && !info.scrollBarOnPrimary) {
            info.scrollBarOnPrimary = true;
            info.availablePrimarySize = std::max(0.0f, info.availablePrimarySize - bar);
            changed = true;
        }
        if (biggerPrimary && !info.scrollBarOnSecondary) {
            info.scrollBarOnSecondary = true;
            info.availableSecondarySize = std::max(0.0f, info.availableSecondarySize - bar);
            changed = true;
        }
        if (!changed) break;
        runSteps(info);
        ran = true;
        biggerPrimary = childrenSizeBiggerPrimary(info);
        biggerSecondary = childrenSizeBiggerSecondary(info);
    }
    return ran;
}

// ---- non-responsive cases ----------------------------------------------------

bool ResponsiveLayoutHelper::isRelativeLayout(const Info& info) {
    if (info.children.empty()) return false;
    for (const auto& ch : info.children) {
        const auto* c = ch.constraint.get();
        if (!c || (!c->horizontalOffset.get() && !c->verticalOffset.get())) return false;
    }
    return true;
}

void ResponsiveLayoutHelper::positionChildrenRelativeToRoot(Info& info) {
    if (!info.context) return;
    static const auto relative = RelativeLayoutStrategy::create();
    const float w = info.isVertical ? info.availableSecondarySize : info.availablePrimarySize;
    const float h = info.isVertical ? info.availablePrimarySize : info.availableSecondarySize;
    Point shift = info.contentOrigin;
    if (info.context->positionTiledContentRelativeToRoot.get()) shift = shift + info.bounds.origin();
    for (auto& ch : info.children) {
        Rect r = relative->computeProxyBounds(ch.proxy, info.context, Rect(0.0f, 0.0f, w, h));
        ch.proxy->setBoundsInPixels(r.offsetBy(shift));
    }
}

bool ResponsiveLayoutHelper::handleNonResponsiveCases(Info& info) {
    if (isRelativeLayout(info)) {
        positionChildrenRelativeToRoot(info);
        return true;
    }
    if (info.overflow != ResponsiveLayoutOverflowType::STACK || !info.context) return false;
    // Stacked top to bottom across the content width.
    const float width = info.isVertical ? info.availableSecondarySize : info.availablePrimarySize;
    const float height = info.isVertical ? info.availablePrimarySize : info.availableSecondarySize;
    const float fallback = LayoutUtilities::nonNegative(info.context->defaultMinimumHeight.get(), "defaultMinimumHeight");
    float y = 0.0f;
    for (auto& ch : info.children) {
        const LayoutConstraint* c = ch.constraint.get();
        float h = 0.0f;
        if (auto d = sizeDimension(c, true))
            h = LayoutUtilities::size(d, height, "constraint height").value_or(0.0f);
        if (!(h > 0.0f)) {
            LayoutProxy& p = *ch.proxy;
            if (followsChildren(p)) {
                h = contentExtent(*info.context, p, true, width);
            } else if (honorsSize(c, true)) {
                float extraW = calculateAdditionalSpaceNeeded(p, false);
                if (auto a = LayoutUtilities::requestSize(p, PreferredSizeRequestEvent::HEIGHT_REQUEST,
                                                          std::max(0.0f, width - extraW)))
                    h = *a + calculateAdditionalSpaceNeeded(p, true);
            }
        }
        if (!(h > 0.0f)) h = std::max(LayoutUtilities::minimumSize(c, true), fallback);
        h = clampToLimits(h, c, true);
        ch.proxy->setBoundsInPixels(Rect(info.contentOrigin.x, info.contentOrigin.y + y, width, h));
        y += h;
    }
    return true;
}

} // namespace orvane
