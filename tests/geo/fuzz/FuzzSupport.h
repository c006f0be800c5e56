// SPDX-License-Identifier: Apache-2.0
// What the libFuzzer targets of the geo answer parsers share.
#pragma once
#include <rapidjson/document.h>

#include <cstdlib>
#include <string>

namespace fuzz {

// A failed property stops the run; libFuzzer keeps the input that did it.
inline void check(bool condition) {
    if (!condition) std::abort();
}

// What every parsed answer promises: a problem exactly when it is not ok,
// and an error answer of the service is never ok.
template <class Answer>
void checkAnswerState(const Answer& a) {
    check(a.ok == a.problem.empty());
    check(!a.esriError || !a.ok);
}

// The text, which must be valid JSON in valid UTF-8 with an object at the top.
inline rapidjson::Document parseObject(const std::string& json) {
    rapidjson::Document d;
    d.Parse<rapidjson::kParseValidateEncodingFlag>(json.c_str(), json.size());
    check(!d.HasParseError() && d.IsObject());
    return d;
}

} // namespace fuzz
