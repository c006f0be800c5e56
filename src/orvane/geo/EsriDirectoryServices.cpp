// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/EsriDirectoryServices.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/geo/MapUtilities.h"
#include "orvane/host/net/NetworkManager.h"
#include "orvane/host/geo/Projection.h"
#include "orvane/host/net/URL.h"
#include "orvane/geo/EsriJsonReader.h"
#include "orvane/geo/EsriRequest.h"
#include "orvane/geo/ProjCode.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr const char* kSource = "orvane/geo/EsriDirectoryServices";
constexpr const char* kWarningName = "EsriDirectoryServices";
constexpr const char* kQueryKey = "EsriDirectoryServices.EsriQuery.txt";

using Value = EsriJsonReader::Value;

// The last "/"-separated part of a name.
std::string lastSegment(const std::string& name) {
    size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

} // namespace

EsriDirectoryServices::EsriDirectoryServices() = default;

EsriDirectoryServices::~EsriDirectoryServices() = default;

std::shared_ptr<EsriDirectoryServices> EsriDirectoryServices::create(const std::string& rootUrl) {
    auto client = std::make_shared<EsriDirectoryServices>();
    std::string root = rootUrl.empty() ? NetworkManager::getServiceRoot(SERVICE_NAME, DEFAULT_SERVICE_ROOT) : rootUrl;
    if (size_t q = root.find_first_of("?#"); q != std::string::npos) {
        ORVANE_LOG(CLog::ERRORS, kSource, "query of the root URL dropped: " + root);
        root.erase(q);
    }
    client->rootUrl_ = EsriRequest::trimRoot(root);
    return client;
}

// ------------------------------------------------------------------ walk

void EsriDirectoryServices::queryServices() {
    ++walk_;
    pending_.clear();
    visited_.clear();
    order_.clear();
    pendingRequestCount_ = 0;
    requestsSent_ = 0;
    failed_ = false;
    limitReported_ = false;
    std::string name = URL(rootUrl_).getLastPathComponent();
    root_ = EsriFolderInfo::create(rootUrl_, name, name);
    Pending p;
    p.isFolder = true;
    p.folder = root_;
    p.url = rootUrl_;
    visited_.insert(rootUrl_);
    request(std::move(p));
}

bool EsriDirectoryServices::request(Pending p) {
    if (requestsSent_ >= MAX_REQUESTS || p.depth > MAX_FOLDER_DEPTH) {
        if (!limitReported_) {
            limitReported_ = true;
            failed_ = true;
            std::string why = requestsSent_ >= MAX_REQUESTS
                                  ? "walk stopped after " + std::to_string(MAX_REQUESTS) + " requests"
                                  : "folders nested deeper than " + std::to_string(MAX_FOLDER_DEPTH) + " levels";
            ORVANE_LOG(CLog::ERRORS, kSource, why + ": " + p.url);
            reportFailure(p.url, why);
        }
        return false;
    }
    std::string url = p.url + "?f=json";
    if (!token_.empty()) url += "&token=" + URL::encodeComponent(token_);
    auto event = EsriRequest::createGet(url);
    if (!EsriRequest::listen(*this, *event,
                             p.isFolder ? &EsriDirectoryServices::receiveFolderResponse
                                        : &EsriDirectoryServices::receiveServiceResponse,
                             kSource))
        return false;
    p.event = event;
    pending_[event.get()] = std::move(p);
    ++pendingRequestCount_;
    ++requestsSent_;
    NetworkManager::processNetworkRequest(event);
    return true;
}

bool EsriDirectoryServices::take(const std::shared_ptr<PortableEvent>& e, bool isFolder, Pending& out) {
    auto event = std::dynamic_pointer_cast<NetworkDataEvent>(e);
    if (!event) return false;
    auto it = pending_.find(event.get());
    if (it == pending_.end() || it->second.event.lock() != event || it->second.isFolder != isFolder) {
        ORVANE_LOG(CLog::INFO, kSource, "answer of an abandoned walk ignored: " + event->getURLString());
        return false;
    }
    out = std::move(it->second);
    pending_.erase(it);
    return true;
}

bool EsriDirectoryServices::reportFailure(const std::string& url, const std::string& text) {
    failed_ = true;
    const unsigned walk = walk_;
    EsriRequest::reportWarning(*this, QUERY_SERVICES_FAILED, ESRI_DIRECTORY_SERVICES_ERROR, kWarningName, kQueryKey,
                               url, text);
    return walk == walk_;
}

bool EsriDirectoryServices::reportFailure(const NetworkDataEvent& answer) {
    return reportFailure(answer.getURLString(), EsriRequest::answerText(answer));
}

void EsriDirectoryServices::finishCurrent() {
    if (pendingRequestCount_ > 0) --pendingRequestCount_;
    if (pendingRequestCount_ == 0 && !failed_) dispatchEvent(PortableEvent::create(QUERY_SERVICES_READY));
}

void EsriDirectoryServices::insertOrdered(EsriFolderInfo& folder, const std::shared_ptr<EsriServiceInfo>& child,
                                          int order) {
    order_[child.get()] = order;
    const auto& children = folder.getChildren();
    size_t at = children.size();
    for (size_t i = 0; i < children.size(); ++i) {
        auto o = order_.find(children[i].get());
        if (o != order_.end() && o->second > order) {
            at = i;
            break;
        }
    }
    folder.insertChild(at, child);
}

void EsriDirectoryServices::receiveFolderResponse(const std::shared_ptr<PortableEvent>& e) {
    Pending p;
    if (!take(e, true, p)) return;
    auto event = std::static_pointer_cast<NetworkDataEvent>(e);
    auto answer = EsriRequest::readAnswer(*event, &parseFolderAnswer, kSource, "folder not read");
    if (!answer) {
        if (reportFailure(*event)) finishCurrent();
        return;
    }
    const unsigned walk = walk_;
    readFolder(p, *answer);
    if (walk == walk_) finishCurrent();
}

void EsriDirectoryServices::readFolder(const Pending& p, const FolderAnswer& answer) {
    auto folder = p.folder.lock();
    if (!folder) return;
    const unsigned walk = walk_;
    int order = 0;
    // Names below a folder may be given relative to it ("Child") or, as
    // ArcGIS does, relative to the root ("Folder/Child"); both lead to the
    // same URL.
    auto childPath = [&](const std::string& name, std::string& relative) -> std::string {
        std::string encoded = EsriRequest::encodePath(name);
        if (encoded.empty()) return std::string();
        if (!p.relativePath.empty() && name.compare(0, p.relativePath.size() + 1, p.relativePath + "/") == 0) {
            relative = name;
            return rootUrl_ + "/" + encoded;
        }
        relative = p.relativePath.empty() ? name : p.relativePath + "/" + name;
        return p.url + "/" + encoded;
    };
    for (const auto& name : answer.folders) {
        std::string relative;
        std::string url = childPath(name, relative);
        if (url.empty()) {
            ORVANE_LOG(CLog::ERRORS, kSource, "folder name not followed: \"" + name + "\"");
            continue;
        }
        if (!visited_.insert(url).second) continue;
        std::string display = lastSegment(name);
        auto child = EsriFolderInfo::create(url, display, display);
        Pending next;
        next.isFolder = true;
        next.folder = child;
        next.url = url;
        next.relativePath = relative;
        next.displayName = display;
        next.depth = p.depth + 1;
        next.order = order++;
        const int childOrder = next.order;
        // Answers come later, through the pump: the folder can join the tree now.
        if (request(std::move(next)) && walk == walk_) insertOrdered(*folder, child, childOrder);
        if (walk != walk_) return;
    }
    for (const auto& [name, type] : answer.services) {
        if (!EsriJsonReader::equalsIgnoringCase(type, "MapServer")) continue;
        std::string relative;
        std::string base = childPath(name, relative);
        if (base.empty()) {
            ORVANE_LOG(CLog::ERRORS, kSource, "service name not followed: \"" + name + "\"");
            continue;
        }
        std::string url = base + "/MapServer";
        if (!visited_.insert(url).second) continue;
        Pending next;
        next.isFolder = false;
        next.folder = folder;
        next.url = url;
        next.relativePath = relative;
        next.displayName = lastSegment(name);
        next.depth = p.depth;
        next.order = order++;
        request(std::move(next));
        if (walk != walk_) return;
    }
}

void EsriDirectoryServices::receiveServiceResponse(const std::shared_ptr<PortableEvent>& e) {
    Pending p;
    if (!take(e, false, p)) return;
    auto event = std::static_pointer_cast<NetworkDataEvent>(e);
    auto answer = EsriRequest::readAnswer(*event, &parseMapServiceAnswer, kSource, "map service not read");
    if (!answer) {
        if (reportFailure(*event)) finishCurrent();
        return;
    }
    if (auto folder = p.folder.lock()) {
        auto info = EsriMapServiceInfo::create(p.url, answer->mapName.empty() ? p.displayName : answer->mapName,
                                               p.displayName, answer->title, answer->description,
                                               p.url + "/info/thumbnail", isGriddable(answer->wkid));
        insertOrdered(*folder, info, p.order);
    }
    finishCurrent();
}

// ------------------------------------------------------------------ lookups

std::shared_ptr<EsriServiceInfo> EsriDirectoryServices::findService(const std::string& url) const {
    if (!root_) return nullptr;
    std::vector<std::pair<std::shared_ptr<EsriServiceInfo>, int>> stack{{root_, 0}};
    while (!stack.empty()) {
        auto [info, depth] = stack.back();
        stack.pop_back();
        if (!info) continue;
        if (info->getUrl() == url) return info;
        auto* folder = dynamic_cast<EsriFolderInfo*>(info.get());
        if (!folder || depth >= EsriFolderInfo::MAX_JSON_DEPTH) continue;
        for (auto it = folder->getChildren().rbegin(); it != folder->getChildren().rend(); ++it)
            stack.emplace_back(*it, depth + 1);
    }
    return nullptr;
}

std::string EsriDirectoryServices::getSpatialReferenceCode(int wkid) {
    if (std::string* cached = spatialReferenceCodes_.find(wkid)) return *cached;
    std::string code = Proj4::Projection::getSpatialReferenceCode(wkid);
    spatialReferenceCodes_.insert(wkid, code);
    return code;
}

bool EsriDirectoryServices::isGriddable(int wkid) {
    if (wkid <= 0) return false;
    if (Proj4::isGriddableProjection(wkid)) return true;
    std::string code = getSpatialReferenceCode(wkid);
    if (code.empty()) return false;
    auto projection = MapUtilities::getProjection(code);
    return projection && (projection->isWebMercator() || projection->isLatLong());
}

// ------------------------------------------------------------------ parsers

EsriDirectoryServices::FolderAnswer EsriDirectoryServices::parseFolderAnswer(std::string_view body) {
    FolderAnswer a;
    EsriJsonReader r;
    if (!r.parseAnswer(body, a.esriError, a.problem, &a.errorCode)) return a;
    const Value& root = r.root();
    const Value* folders = r.array(root, "folders");
    const Value* services = r.array(root, "services");
    if (r.ok() && !folders && !services) r.fail("the answer lists neither \"folders\" nor \"services\"");
    if (folders) {
        for (const Value& f : folders->GetArray()) {
            if (!f.IsString()) {
                r.fail("a folder name is not a text");
                break;
            }
            a.folders.push_back(EsriJsonReader::text(f));
        }
    }
    if (services && r.ok()) {
        for (const Value& s : services->GetArray()) {
            if (!s.IsObject()) {
                r.fail("a service is not an object");
                break;
            }
            std::string name, type;
            r.string(s, "name", name);
            r.string(s, "type", type);
            if (!r.ok()) break;
            if (!name.empty() && !type.empty()) a.services.emplace_back(std::move(name), std::move(type));
        }
    }
    if (!r.ok()) {
        a.problem = r.problem();
        a.folders.clear();
        a.services.clear();
        return a;
    }
    a.ok = true;
    return a;
}

EsriDirectoryServices::MapServiceAnswer EsriDirectoryServices::parseMapServiceAnswer(std::string_view body) {
    MapServiceAnswer a;
    EsriJsonReader r;
    if (!r.parseAnswer(body, a.esriError, a.problem, &a.errorCode)) return a;
    const Value& root = r.root();
    if (const Value* info = r.object(root, "documentInfo")) r.string(*info, "Title", a.title);
    r.string(root, "description", a.description);
    r.string(root, "mapName", a.mapName);
    if (const Value* sr = r.object(root, "spatialReference")) {
        int latest = 0, wkid = 0;
        r.integer(*sr, "latestWkid", latest);
        r.integer(*sr, "wkid", wkid);
        a.wkid = EsriJsonReader::member(*sr, "latestWkid") ? latest : wkid;
    }
    if (!r.ok()) {
        a.problem = r.problem();
        return a;
    }
    a.ok = true;
    return a;
}

} // namespace orvane
