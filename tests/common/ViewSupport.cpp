// SPDX-License-Identifier: Apache-2.0
#include "common/ViewSupport.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqGroup.h"

namespace orvane::test {

void prepareRoot(BaseView& v, float w, float h) {
    v.setDisplayListRenderer(displaylist::DisplayListRenderer::create(false));
    v.setFrame({0, 0, w, h});
}

std::shared_ptr<BaseView> rootView(float w, float h) { return asRoot(BaseView::create(), w, h); }

void forEachNode(const displaylist::TqGeometry* node, const std::function<void(const displaylist::TqGeometry*)>& f) {
    if (!node) return;
    f(node);
    if (const auto* g = node->AsGroup())
        for (const auto* c : g->GetChildren()) forEachNode(c, f);
}

int countLogged(const CLogCapture& log, int section, std::string_view part) {
    int n = 0;
    for (const auto& e : log.entries()) n += e.section == section && e.message.find(part) != std::string::npos;
    return n;
}

} // namespace orvane::test
