// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: the display-list JSON of `orvane draw`, read and drawn to
// SVG in process.
#include "FuzzToolDocuments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = fuzz::scratchPath(".json");
    static const std::string output = fuzz::scratchPath(".svg");
    fuzz::runCommand("draw", std::string_view(reinterpret_cast<const char*>(data), size), input,
                     {"--fixed-metrics", input, "-o", output});
    return 0;
}
