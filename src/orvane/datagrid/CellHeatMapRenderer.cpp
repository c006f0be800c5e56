// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/CellHeatMapRenderer.h"

#include "orvane/host/style/ColorUtilities.h"

#include <cmath>
#include <vector>

namespace orvane {

uint32_t CellHeatMapRenderer::getFillColor(const CellGraph& graph) {
    double value = graph.value.get();
    if (!std::isfinite(value)) return graph.fillColor.hasValue() ? graph.missingColor.get() : NO_COLOR;
    if (graph.fillColor.hasValue()) return graph.fillColor.get();
    std::vector<uint32_t> ramp;
    if (auto chain = graph.styleChain.get()) {
        for (int id : {27, 28, 26})
            if (chain->hasAttribute(id)) ramp.push_back(chain->getColor(id, 0));
    }
    if (ramp.empty()) return DEFAULT_COLOR;
    double lo = graph.minimum.get(), hi = graph.maximum.get();
    if (!std::isfinite(lo) || !std::isfinite(hi)) return DEFAULT_COLOR;
    return ColorUtilities::mapValueToColor(lo, hi, value, ramp);
}

} // namespace orvane
