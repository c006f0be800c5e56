// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: the answer parsers of the geocoding client, and the
// request body it builds from arbitrary address text.
#include "FuzzSupport.h"
#include "orvane/host/net/URL.h"
#include "orvane/geo/EsriGeocodeServices.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace orvane;
using fuzz::check;

namespace {

void checkAnswer(const EsriGeocodeServices::Answer& a) {
    fuzz::checkAnswerState(a);
    check(a.ok || a.results.empty());
    for (const auto& r : a.results) check(r && r->getAddress());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    checkAnswer(EsriGeocodeServices::parseGeocodeAnswer(text));
    checkAnswer(EsriGeocodeServices::parseReverseGeocodeAnswer(text));

    // Whatever the address and token hold, the body is three form fields and
    // its batch JSON is valid and gives the address back.
    std::string body = EsriGeocodeServices::buildGeocodeBody({{7, text}}, std::string(text.substr(0, 64)));
    size_t fields = 1;
    for (char c : body) fields += c == '&';
    check(fields == 3);
    check(body.rfind("addresses=", 0) == 0);
    auto d = fuzz::parseObject(URL::decodeComponent(std::string_view(body).substr(10, body.find('&') - 10)));
    const auto& attributes = d["records"][0]["attributes"];
    check(attributes["OBJECTID"].GetInt() == 7);
    check(attributes["SingleLine"].IsString());
    return 0;
}
