// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
// Internal to the geo clients (needs rapidjson); not part of the installed interface.
#include <rapidjson/document.h>

#include <string>
#include <string_view>

namespace orvane {

/// Reads a JSON answer of an Esri service. Lookups are forgiving about absence
/// (a missing or null member leaves the default) and strict about type: a
/// member present with the wrong type marks the answer malformed, and the
/// first such problem is kept for the log.
class ORVANE_EXPORT EsriJsonReader {
public:
    using Value = rapidjson::Value;

    /// Parses the body (iteratively: deep nesting cannot exhaust the stack).
    /// False, with a problem text, when it is not JSON or not an object.
    bool parse(std::string_view body);
    /// The start the answer parsers share: parse, then look for the service's
    /// "error" member. False when reading stops there: `problem` says why, and
    /// `esriError` is set for an error answer (whose "code", when there is one,
    /// goes to *errorCode).
    bool parseAnswer(std::string_view body, bool& esriError, std::string& problem, int* errorCode = nullptr);

    const Value& root() const { return doc_; }
    bool ok() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }
    /// Records a problem (the first one wins); returns false for convenience.
    bool fail(const std::string& problem);

    /// The member, or null when obj is not an object or the member is absent or null.
    static const Value* member(const Value& obj, const char* key);
    /// An object or array member; null when absent. Wrong type: null and a problem.
    const Value* object(const Value& obj, const char* key);
    const Value* array(const Value& obj, const char* key);
    /// Typed values; absent leaves out unchanged. Return false on a wrong type.
    bool string(const Value& obj, const char* key, std::string& out);
    bool boolean(const Value& obj, const char* key, bool& out);
    /// A number with an integral value in int range.
    bool integer(const Value& obj, const char* key, int& out);
    /// Any finite number, rounded to the nearest int and clamped to int range.
    bool roundedInteger(const Value& obj, const char* key, int& out);
    /// A number; the text "NaN" (any case) reads as NaN.
    bool number(const Value& obj, const char* key, double& out);

    static std::string text(const Value& v) { return std::string(v.GetString(), v.GetStringLength()); }
    /// Case-insensitive comparison of a JSON string value with an ASCII word.
    static bool equalsIgnoringCase(const Value& v, std::string_view word);
    static bool equalsIgnoringCase(std::string_view a, std::string_view b);
    /// A double narrowed to float without overflow (out-of-range values become infinities).
    static float toFloat(double v);

private:
    /// The frame of the typed lookups: an absent member leaves everything as
    /// it is; `take` reads a present one and answers whether it had the right
    /// type, else the problem is "\"key\" is not <wanted>".
    template <class Take>
    bool typed(const Value& obj, const char* key, const char* wanted, Take&& take);

    rapidjson::Document doc_;
    std::string problem_;
};

} // namespace orvane
