// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: report pages (and rich-text documents) of `orvane
// render`, read, laid out and rendered in process.
#include "FuzzToolDocuments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = fuzz::scratchPath(".xml");
    static const std::string output = fuzz::scratchPath(".page.svg");
    fuzz::runCommand("render", std::string_view(reinterpret_cast<const char*>(data), size), input,
                     {"--fixed-metrics", input, "--width", "480", "-o", output});
    return 0;
}
