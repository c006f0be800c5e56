// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/EsriJsonReader.h"

#include <rapidjson/error/en.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

namespace orvane {

bool EsriJsonReader::parse(std::string_view body) {
    problem_.clear();
    constexpr unsigned kFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseNanAndInfFlag;
    doc_.Parse<kFlags>(body.data(), body.size());
    if (doc_.HasParseError()) {
        fail(std::string("the answer is not JSON: ") + rapidjson::GetParseError_En(doc_.GetParseError()) +
             " at offset " + std::to_string(doc_.GetErrorOffset()));
        doc_.SetNull();
        return false;
    }
    if (!doc_.IsObject()) return fail("the answer is not a JSON object");
    return true;
}

bool EsriJsonReader::parseAnswer(std::string_view body, bool& esriError, std::string& problem, int* errorCode) {
    if (!parse(body)) {
        problem = problem_;
        return false;
    }
    const Value* error = member(doc_, "error");
    if (!error) return true;
    if (errorCode && error->IsObject()) roundedInteger(*error, "code", *errorCode);
    esriError = true;
    problem = "the service answered with an error";
    return false;
}

bool EsriJsonReader::fail(const std::string& problem) {
    if (problem_.empty()) problem_ = problem.empty() ? "malformed answer" : problem;
    return false;
}

const EsriJsonReader::Value* EsriJsonReader::member(const Value& obj, const char* key) {
    if (!obj.IsObject()) return nullptr;
    auto it = obj.FindMember(key);
    if (it == obj.MemberEnd() || it->value.IsNull()) return nullptr;
    return &it->value;
}

template <class Take>
bool EsriJsonReader::typed(const Value& obj, const char* key, const char* wanted, Take&& take) {
    const Value* v = member(obj, key);
    if (!v || take(*v)) return true;
    return fail(std::string("\"") + key + "\" is not " + wanted);
}

const EsriJsonReader::Value* EsriJsonReader::object(const Value& obj, const char* key) {
    const Value* out = nullptr;
    typed(obj, key, "an object", [&](const Value& v) {
        if (v.IsObject()) out = &v;
        return out != nullptr;
    });
    return out;
}

const EsriJsonReader::Value* EsriJsonReader::array(const Value& obj, const char* key) {
    const Value* out = nullptr;
    typed(obj, key, "an array", [&](const Value& v) {
        if (v.IsArray()) out = &v;
        return out != nullptr;
    });
    return out;
}

bool EsriJsonReader::string(const Value& obj, const char* key, std::string& out) {
    return typed(obj, key, "a text", [&](const Value& v) {
        if (!v.IsString()) return false;
        out = text(v);
        return true;
    });
}

bool EsriJsonReader::boolean(const Value& obj, const char* key, bool& out) {
    return typed(obj, key, "true or false", [&](const Value& v) {
        if (!v.IsBool()) return false;
        out = v.GetBool();
        return true;
    });
}

bool EsriJsonReader::integer(const Value& obj, const char* key, int& out) {
    return typed(obj, key, "a whole number", [&](const Value& v) {
        if (v.IsInt()) {
            out = v.GetInt();
            return true;
        }
        if (!v.IsNumber()) return false;
        double d = v.GetDouble();
        if (!(std::isfinite(d) && d == std::floor(d) && d >= INT_MIN && d <= INT_MAX)) return false;
        out = static_cast<int>(d);
        return true;
    });
}

bool EsriJsonReader::roundedInteger(const Value& obj, const char* key, int& out) {
    return typed(obj, key, "a number", [&](const Value& v) {
        if (v.IsInt()) {
            out = v.GetInt();
            return true;
        }
        if (!v.IsNumber()) return false;
        double d = v.GetDouble();
        if (!std::isfinite(d)) return false;
        d = std::round(d);
        out = d <= INT_MIN ? INT_MIN : d >= INT_MAX ? INT_MAX : static_cast<int>(d);
        return true;
    });
}

bool EsriJsonReader::number(const Value& obj, const char* key, double& out) {
    return typed(obj, key, "a number", [&](const Value& v) {
        if (v.IsNumber()) {
            out = v.GetDouble();
            return true;
        }
        if (!(v.IsString() && equalsIgnoringCase(v, "NaN"))) return false;
        out = std::numeric_limits<double>::quiet_NaN();
        return true;
    });
}

bool EsriJsonReader::equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool EsriJsonReader::equalsIgnoringCase(const Value& v, std::string_view word) {
    return v.IsString() && equalsIgnoringCase(std::string_view(v.GetString(), v.GetStringLength()), word);
}

float EsriJsonReader::toFloat(double v) {
    if (std::isnan(v)) return std::numeric_limits<float>::quiet_NaN();
    if (v > FLT_MAX) return std::numeric_limits<float>::infinity();
    if (v < -FLT_MAX) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

} // namespace orvane
