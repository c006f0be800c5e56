// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/geo/Projection.h"

#include "orvane/host/core/CLog.h"

#include <proj.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <mutex>

namespace orvane {

namespace {

constexpr const char* kSource = "host/Projection";

// One PROJ context for the process, used under a lock (PROJ contexts are not
// shared between threads).
struct ProjContext {
    PJ_CONTEXT* ctx = nullptr;
    std::mutex mutex;
    ProjContext() {
        ctx = proj_context_create();
        if (ctx)
            proj_log_func(ctx, nullptr, [](void*, int level, const char* msg) {
                // Unknown codes are an expected answer, not an error of the host.
                if (msg) ORVANE_LOG(CLog::NOTICES, kSource, std::string("PROJ (") + std::to_string(level) + "): " + msg);
            });
    }
    ~ProjContext() {
        if (ctx) proj_context_destroy(ctx);
    }
};

ProjContext& context() {
    static ProjContext c;
    return c;
}

struct PJHolder {
    PJ* p;
    explicit PJHolder(PJ* pj) : p(pj) {}
    ~PJHolder() {
        if (p) proj_destroy(p);
    }
    PJHolder(const PJHolder&) = delete;
    PJHolder& operator=(const PJHolder&) = delete;
};

bool knownInDatabase(PJ_CONTEXT* ctx, const char* authority, const std::string& code) {
    PJHolder p(proj_create_from_database(ctx, authority, code.c_str(), PJ_CATEGORY_CRS, 0, nullptr));
    return p.p != nullptr;
}

double parseNumber(const char* text) {
    if (!text) return std::numeric_limits<double>::quiet_NaN();
    char* end = nullptr;
    double v = std::strtod(text, &end);
    return end == text ? std::numeric_limits<double>::quiet_NaN() : v;
}

} // namespace

namespace Proj4 {

std::shared_ptr<Projection> Projection::create(const std::string& definition) {
    if (definition.empty()) return nullptr;
    std::string text = definition;
    if (text[0] == '+' && text.find("+type=crs") == std::string::npos) text += " +type=crs";
    ProjContext& pc = context();
    if (!pc.ctx) return nullptr;
    std::lock_guard<std::mutex> lock(pc.mutex);
    PJHolder crs(proj_create(pc.ctx, text.c_str()));
    if (!crs.p || !proj_is_crs(crs.p)) {
        ORVANE_LOG(CLog::ERRORS, kSource, "not a coordinate reference system: " + definition);
        return nullptr;
    }
    // A CRS with a datum shift attached (+towgs84, +nadgrids) is judged by
    // the CRS it wraps.
    PJHolder source(proj_get_type(crs.p) == PJ_TYPE_BOUND_CRS ? proj_get_source_crs(pc.ctx, crs.p) : nullptr);
    PJ* base = source.p ? source.p : crs.p;

    auto projection = std::make_shared<Projection>();
    projection->definition_ = definition;
    if (const char* name = proj_get_name(base)) projection->name_ = name;
    if (const char* s = proj_as_proj_string(pc.ctx, crs.p, PJ_PROJ_5, nullptr)) projection->projString_ = s;
    PJ_TYPE type = proj_get_type(base);
    projection->latLong_ = type == PJ_TYPE_GEOGRAPHIC_2D_CRS || type == PJ_TYPE_GEOGRAPHIC_3D_CRS;
    projection->projected_ = type == PJ_TYPE_PROJECTED_CRS;
    if (projection->projected_) {
        PJHolder op(proj_crs_get_coordoperation(pc.ctx, base));
        const char* methodName = nullptr;
        const char* authority = nullptr;
        const char* code = nullptr;
        if (op.p && proj_coordoperation_get_method_info(pc.ctx, op.p, &methodName, &authority, &code)) {
            std::string m = methodName ? methodName : "";
            bool epsg1024 = authority && code && std::string(authority) == "EPSG" && std::string(code) == "1024";
            projection->webMercator_ = epsg1024 || m.find("Pseudo Mercator") != std::string::npos;
        }
    }
    return projection;
}

std::string Projection::getSpatialReferenceCode(int wkid) {
    if (wkid <= 0) return "";
    ProjContext& pc = context();
    if (!pc.ctx) return "";
    std::lock_guard<std::mutex> lock(pc.mutex);
    std::string code = std::to_string(wkid);
    if (knownInDatabase(pc.ctx, "EPSG", code)) return "EPSG:" + code;
    if (knownInDatabase(pc.ctx, "ESRI", code)) return "ESRI:" + code;
    return "";
}

std::vector<Projection::EllipsoidRow> Projection::listEllipsoids() {
    std::vector<EllipsoidRow> rows;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const PJ_ELLPS* e = proj_list_ellps(); e && e->id; ++e) {
        EllipsoidRow row{e->id, nan, nan, nan, e->name ? e->name : ""};
        std::string major = e->major ? e->major : "";
        std::string ell = e->ell ? e->ell : "";
        if (major.rfind("a=", 0) == 0) row.a = parseNumber(major.c_str() + 2);
        if (ell.rfind("b=", 0) == 0) row.b = parseNumber(ell.c_str() + 2);
        if (ell.rfind("rf=", 0) == 0) row.rf = parseNumber(ell.c_str() + 3);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace Proj4

} // namespace orvane
