// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/LayoutUtilities.h"

#include "orvane/host/core/CLog.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutPass.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/view/GroupPreferredSizeRequestEvent.h"
#include "orvane/view/PreferredSizeRequestEvent.h"

#include <cmath>
#include <limits>
#include <string>
#include <atomic>
#include <cstdint>

namespace orvane {

namespace {
constexpr const char* kSource = "orvane/layout/LayoutUtilities";

void report(const char* what, const char* problem) {
    if (!CLog::isEnabled(CLog::ERRORS)) return;
    std::string m = "layout: ";
    m += problem;
    m += " ";
    m += what;
    m += " ignored";
    CLog::log(CLog::ERRORS, kSource, __LINE__, m);
}
} // namespace

void LayoutUtilities::log(const char* message) { ORVANE_LOG(CLog::ERRORS, kSource, message); }

float LayoutUtilities::pixels(const std::shared_ptr<Dimension>& d, float reference, const char* what) {
    return pixels(d.get(), reference, what);
}

float LayoutUtilities::pixels(const Dimension* d, float reference, const char* what) {
    if (!d) return 0.0f;
    float v = d->getScalarValueForUnit(DimensionUnit::PIXELS, reference, 1.0f);
    if (!std::isfinite(v)) {
        report(what, "non-finite");
        return 0.0f;
    }
    return v;
}

namespace {
// The pixel value of a Dimension that is there: a value that is not finite
// gives `nonFinite`, a negative one 0 (both logged).
std::optional<float> checkedSize(const Dimension& d, float reference, const char* what,
                                 std::optional<float> nonFinite) {
    float v = d.getScalarValueForUnit(DimensionUnit::PIXELS, reference, 1.0f);
    if (!std::isfinite(v)) {
        report(what, "non-finite");
        return nonFinite;
    }
    if (v < 0.0f) {
        report(what, "negative");
        return 0.0f;
    }
    return v;
}
} // namespace

std::optional<float> LayoutUtilities::size(const std::shared_ptr<Dimension>& d, float reference, const char* what) {
    if (!d) return std::nullopt;
    return checkedSize(*d, reference, what, std::nullopt);
}

std::optional<float> LayoutUtilities::offset(const std::shared_ptr<Dimension>& d, float reference, const char* what) {
    if (!d) return std::nullopt;
    return checkedSize(*d, reference, what, 0.0f);
}

float LayoutUtilities::nonNegative(float v, const char* what) {
    if (v >= 0.0f && v <= std::numeric_limits<float>::max()) return v;
    report(what, std::isnan(v) ? "NaN" : (std::isinf(v) ? "infinite" : "negative"));
    return 0.0f;
}

float LayoutUtilities::maximum(float v) {
    if (std::isnan(v) || v == std::numeric_limits<float>::infinity()) return std::numeric_limits<float>::quiet_NaN();
    return v;
}

Rect LayoutUtilities::finiteRect(const Rect& r, const char* what) {
    if (r.isFinite()) return r;
    report(what, "non-finite bounds of");
    auto f = [](float v) { return std::isfinite(v) ? v : 0.0f; };
    return {f(r.x), f(r.y), f(r.width), f(r.height)};
}

float LayoutUtilities::minimumSize(const LayoutConstraint* c, bool vertical) {
    if (!c) return 0.0f;
    return vertical ? nonNegative(c->minimumHeight.get(), "minimumHeight")
                    : nonNegative(c->minimumWidth.get(), "minimumWidth");
}

float LayoutUtilities::maximumSize(const LayoutConstraint* c, bool vertical) {
    if (!c) return std::numeric_limits<float>::quiet_NaN();
    return maximum(vertical ? c->maximumHeight.get() : c->maximumWidth.get());
}

float LayoutUtilities::headerHeight(const LayoutConstraint* c) {
    return c ? nonNegative(c->headerHeight.get(), "headerHeight") : 0.0f;
}
float LayoutUtilities::footerHeight(const LayoutConstraint* c) {
    return c ? nonNegative(c->footerHeight.get(), "footerHeight") : 0.0f;
}
float LayoutUtilities::leftSpace(const LayoutConstraint* c) {
    return c ? nonNegative(c->leftSpace.get(), "leftSpace") : 0.0f;
}
float LayoutUtilities::rightSpace(const LayoutConstraint* c) {
    return c ? nonNegative(c->rightSpace.get(), "rightSpace") : 0.0f;
}

bool LayoutUtilities::hasChildren(const LayoutProxy& proxy) {
    auto* v = peek(proxy.children);
    return v && !v->empty();
}

std::vector<std::shared_ptr<LayoutProxy>> LayoutUtilities::childrenOf(const LayoutProxy& proxy) {
    std::vector<std::shared_ptr<LayoutProxy>> out;
    auto v = proxy.children.get();
    if (!v) return out;
    out.reserve(v->size());
    for (const auto& c : v->items())
        if (c) out.push_back(c);
    return out;
}

std::vector<std::shared_ptr<LayoutProxy>> LayoutUtilities::enabledChildrenOf(const LayoutProxy& proxy) {
    std::vector<std::shared_ptr<LayoutProxy>> out;
    for (auto& c : childrenOf(proxy))
        if (!c->isDisabled.get()) out.push_back(std::move(c));
    return out;
}

std::vector<float> LayoutUtilities::shareRemaining(const std::vector<float>& wanted, float available) {
    const size_t n = wanted.size();
    std::vector<float> primary(n, 0.0f);
    std::vector<bool> fixed(n, false);
    float fixedTotal = 0.0f;
    size_t flexible = 0;
    for (size_t i = 0; i < n; ++i) {
        if (wanted[i] > 0.0f) {
            fixed[i] = true;
            primary[i] = wanted[i];
            fixedTotal += wanted[i];
        } else {
            ++flexible;
        }
    }
    if (flexible > 0) {
        float share = (available - fixedTotal) / static_cast<float>(flexible);
        for (size_t i = 0; i < n; ++i)
            if (!fixed[i]) primary[i] = share;
    }
    return primary;
}

Point LayoutUtilities::tiledOrigin(const LayoutContext& context, const Rect& bounds, float header) {
    if (context.positionTiledContentRelativeToRoot.get()) return bounds.origin();
    return {0.0f, header};
}

bool LayoutUtilities::checkTree(const LayoutProxy& root, const char* operation) {
    // Iterative depth-first walk. Each proxy carries two marks: the number of
    // the check that last met it, and whether it is on the current branch.
    // Both cost one field write per proxy, so a check is cheap beside a pass.
    static std::atomic<uint64_t> checks{0};
    const uint64_t mark = ++checks;
    struct Frame {
        const LayoutProxy* proxy;
        const MonitoredVector<std::shared_ptr<LayoutProxy>>* children;
        size_t next;
    };
    std::vector<Frame> stack;
    stack.reserve(16);
    auto unwind = [&stack]() {
        for (auto& f : stack) f.proxy->onCheckPath_ = false;
    };
    auto refuse = [&](const char* why) {
        unwind();
        if (CLog::isEnabled(CLog::ERRORS)) {
            std::string m = std::string(operation) + " refused: " + why;
            CLog::log(CLog::ERRORS, kSource, __LINE__, m);
        }
        return false;
    };
    root.checkMark_ = mark;
    root.onCheckPath_ = true;
    stack.push_back({&root, peek(root.children), 0});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (!f.children || f.next >= f.children->size()) {
            f.proxy->onCheckPath_ = false;
            stack.pop_back();
            continue;
        }
        const LayoutProxy* c = (*f.children)[f.next++].get();
        if (!c) continue;
        if (c->checkMark_ == mark) {
            if (c->onCheckPath_) return refuse("the layout proxy tree has a cycle (a proxy is its own descendant)");
            return refuse("a layout proxy appears more than once in the tree");
        }
        c->checkMark_ = mark;
        auto* grand = peek(c->children);
        if (!grand || grand->empty()) continue;
        if (static_cast<int>(stack.size()) >= LayoutPass::MAX_DEPTH)
            return refuse("the layout proxy tree is deeper than 256 levels");
        c->onCheckPath_ = true;
        stack.push_back({c, grand, 0});
    }
    return true;
}

std::optional<float> LayoutUtilities::requestSize(LayoutProxy& proxy, int type, float constrained, int hears) {
    // A proxy forwards only to its parent's children vector: with that
    // vector's answer known, its own listeners decide.
    bool deliver = hears >= 0 && proxy.getForwardTargetCount() == 1 ? (hears == 1 || proxy.hasEventListener(type))
                                                                     : proxy.wouldDeliver(type);
    if (!deliver) return std::nullopt;
    auto event = PreferredSizeRequestEvent::create(type, std::isfinite(constrained) ? constrained : 0.0f);
    proxy.dispatchEvent(event);
    if (!event->hasResult()) return std::nullopt;
    return event->getResult();
}

void LayoutUtilities::requestGroupSizes(LayoutProxy& container, int type,
                                        const std::vector<std::shared_ptr<LayoutProxy>>& proxies,
                                        const std::vector<float>& constrained, std::vector<float>& answers) {
    answers.assign(proxies.size(), std::numeric_limits<float>::quiet_NaN());
    if (proxies.empty() || !container.wouldDeliver(type)) return;
    auto sizes = std::make_shared<std::vector<float>>(constrained);
    sizes->resize(proxies.size(), 0.0f);
    auto list = std::make_shared<std::vector<std::shared_ptr<LayoutProxy>>>(proxies);
    auto event = GroupPreferredSizeRequestEvent::create(type, sizes, list);
    container.dispatchEvent(event);
    for (size_t i = 0; i < proxies.size(); ++i)
        if (event->hasResult(i)) answers[i] = event->getResult(i);
}

std::vector<float> LayoutUtilities::distributeWholePixels(float total, const std::vector<float>& weights) {
    const size_t n = weights.size();
    std::vector<float> out(n, 0.0f);
    if (n == 0) return out;
    double sum = 0.0;
    for (float w : weights)
        if (w > 0.0f && std::isfinite(w)) sum += w;
    if (!std::isfinite(total)) total = 0.0f;
    double cumulative = 0.0;
    double previous = 0.0;
    size_t last = n;  // last part with a share; it ends exactly at total
    for (size_t i = 0; i < n; ++i) {
        float w = weights[i];
        if (sum > 0.0 && !(w > 0.0f && std::isfinite(w))) continue;
        last = i;
    }
    for (size_t i = 0; i < n; ++i) {
        float w = weights[i];
        double share = sum > 0.0 ? ((w > 0.0f && std::isfinite(w)) ? w / sum : 0.0) : 1.0 / static_cast<double>(n);
        if (share == 0.0) continue;
        cumulative += share;
        double boundary = (i == last) ? static_cast<double>(total) : std::round(cumulative * total);
        out[i] = static_cast<float>(boundary - previous);
        previous = boundary;
    }
    return out;
}

} // namespace orvane
