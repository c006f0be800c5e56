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

const EsriJsonReader::Value* EsriJsonReader::object(const Value& obj, const char* key) {
    const Value* v = member(obj, key);
    if (v && !v->IsObject()) {
        fail(std::string("\"") + key + "\" is not an object");
        return nullptr;
    }
    return v;
}

const EsriJsonReader::Value* EsriJsonReader::array(const Value& obj, const char* key) {
    const Value* v = member(obj, key);
    if (v && !v->IsArray()) {
        fail(std::string("\"") + key + "\" is not an array");
        return nullptr;
    }
    return v;
}

bool EsriJsonReader::string(const Value& obj, const char* key, std::string& out) {
    const Value* v = member(obj, key);
    if (!v) return true;
    if (!v->IsString()) return fail(std::string("\"") + key + "\" is not a text");
    out = text(*v);
    return true;
}

bool EsriJsonReader::boolean(const Value& obj, const char* key, bool& out) {
    const Value* v = member(obj, key);
    if (!v) return true;
    if (!v->IsBool()) return fail(std::string("\"") + key + "\" is not true or false");
    out = v->GetBool();
    return true;
}

bool EsriJsonReader::integer(const Value& obj, const char* key, int& out) {
    const Value* v = member(obj, key);
    if (!v) return true;
    if (v->IsInt()) {
        out = v->GetInt();
        return true;
    }
    if (v->IsNumber()) {
        double d = v->GetDouble();
        if (std::isfinite(d) && d == std::floor(d) && d >= INT_MIN && d <= INT_MAX) {
            out = static_cast<int>(d);
            return true;
        }
    }
    return fail(std::string("\"") + key + "\" is not a whole number");
}

bool EsriJsonReader::roundedInteger(const Value& obj, const char* key, int& out) {
    const Value* v = member(obj, key);
    if (!v) return true;
    if (v->IsInt()) {
        out = v->GetInt();
        return true;
    }
    if (v->IsNumber()) {
        double d = v->GetDouble();
        if (std::isfinite(d)) {
            d = std::round(d);
            out = d <= INT_MIN ? INT_MIN : d >= INT_MAX ? INT_MAX : static_cast<int>(d);
            return true;
        }
    }
    return fail(std::string("\"") + key + "\" is not a number");
}

bool EsriJsonReader::number(const Value& obj, const char* key, double& out) {
    const Value* v = member(obj, key);
    if (!v) return true;
    if (v->IsNumber()) {
        out = v->GetDouble();
        return true;
    }
    if (v->IsString() && equalsIgnoringCase(*v, "NaN")) {
        out = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    return fail(std::string("\"") + key + "\" is not a number");
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
