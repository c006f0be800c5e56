// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: model documents. Whatever reads is written back; the
// written text reads again to an equal tree, and writing that tree gives the
// same text.
#include "../../geo/fuzz/FuzzSupport.h"
#include "orvane/host/core/BaseModel.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/document/ModelSerializer.h"
#include "orvane/package/OrvaneUIDeserializer.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace orvane;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (CLog::setEnabled(CLog::ERRORS, false), true);
    (void)quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (bool strict : {true, false}) {
        auto reader = OrvaneUIDeserializer::create();
        auto first = reader->deserialize(text, strict);
        if (!first) continue;
        ModelSerializer writer;
        std::string written = writer.serialize(first, reader->getLastVersion());
        auto again = OrvaneUIDeserializer::create();
        auto second = again->deserialize(written, true);
        check(second != nullptr);
        std::string difference;
        check(ModelTreeComparison::equal(first, second, &difference));
        check(ModelSerializer().serialize(second, reader->getLastVersion()) == written);
    }
    return 0;
}
