// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/net/NetworkDataEvent.h"
#include "orvane/geo/EsriFolderInfo.h"
#include "orvane/geo/EsriMapServiceInfo.h"
#include "orvane/properties/vector_map.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace orvane {

/// Client of an ArcGIS map-server directory: walks the folders below a root
/// URL, reads every map service, and tells for each whether its spatial
/// reference can serve as a base-map grid. QUERY_SERVICES_READY follows when
/// every request of the walk has been answered and none failed; each failure
/// is a QUERY_SERVICES_FAILED WarningEvent (the walk goes on, its results so
/// far stay readable). A new queryServices call abandons the previous walk.
class ORVANE_EXPORT EsriDirectoryServices : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10029;
    static constexpr int QUERY_SERVICES_READY = 20029;
    static constexpr int QUERY_SERVICES_FAILED = 20030;
    static constexpr int ESRI_DIRECTORY_SERVICES_ERROR = 20000;

    /// Used when the root URL given to create is empty.
    static constexpr const char* SERVICE_NAME = "directory";
    static constexpr const char* DEFAULT_SERVICE_ROOT = "https://services.arcgisonline.com/arcgis/rest/services";
    /// Bounds of one walk, against directories that list themselves endlessly.
    static constexpr int MAX_FOLDER_DEPTH = 16;
    static constexpr int MAX_REQUESTS = 10000;

    EsriDirectoryServices();
    ~EsriDirectoryServices() override;
    /// The root URL's query and trailing slashes are dropped.
    static std::shared_ptr<EsriDirectoryServices> create(const std::string& rootUrl);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    void setToken(const std::string& token) { token_ = token; }
    const std::string& getToken() const { return token_; }
    const std::string& getRootUrl() const { return rootUrl_; }

    void queryServices();
    /// The root folder of the last walk (null before the first).
    const std::shared_ptr<EsriFolderInfo>& getQueryResults() const { return root_; }
    /// The folder or service of the last walk with this URL, or null.
    std::shared_ptr<EsriServiceInfo> findService(const std::string& url) const;
    /// The host's code for a spatial-reference id, cached per id ("" when unknown).
    std::string getSpatialReferenceCode(int wkid);
    /// Griddable: one of the griddable ids, or a web Mercator or
    /// longitude/latitude projection by the host's projection library.
    bool isGriddable(int wkid);

    int getPendingRequestCount() const { return pendingRequestCount_; }
    bool hasFailed() const { return failed_; }

    void receiveFolderResponse(const std::shared_ptr<PortableEvent>& event);
    void receiveServiceResponse(const std::shared_ptr<PortableEvent>& event);

    /// Answer parsers, usable without a network (tools, fuzzing).
    struct FolderAnswer {
        bool ok = false;
        bool esriError = false;
        int errorCode = 0;
        std::string problem;
        std::vector<std::string> folders;
        /// (name, type) of the services that have both.
        std::vector<std::pair<std::string, std::string>> services;
    };
    struct MapServiceAnswer {
        bool ok = false;
        bool esriError = false;
        int errorCode = 0;
        std::string problem;
        std::string title;
        std::string description;
        std::string mapName;
        /// "latestWkid" when present, else "wkid"; 0 without a spatial reference.
        int wkid = 0;
    };
    static FolderAnswer parseFolderAnswer(std::string_view body);
    static MapServiceAnswer parseMapServiceAnswer(std::string_view body);

private:
    struct Pending {
        std::weak_ptr<NetworkDataEvent> event;
        bool isFolder = true;
        /// The folder being read, or the folder a service belongs to.
        std::weak_ptr<EsriFolderInfo> folder;
        std::string url;
        /// Path below the root ("" for the root itself).
        std::string relativePath;
        std::string displayName;
        int depth = 0;
        int order = 0;
    };

    bool request(Pending pending);
    bool take(const std::shared_ptr<PortableEvent>& event, bool isFolder, Pending& out);
    /// Reports a failure; false when a listener started a new walk meanwhile.
    bool reportFailure(const std::string& url, const std::string& text);
    /// The same for a failed or unusable answer.
    bool reportFailure(const NetworkDataEvent& answer);
    void readFolder(const Pending& p, const FolderAnswer& answer);
    void insertOrdered(EsriFolderInfo& folder, const std::shared_ptr<EsriServiceInfo>& child, int order);
    void finishCurrent();

    std::string rootUrl_;
    std::string token_;
    std::shared_ptr<EsriFolderInfo> root_;
    std::unordered_map<const NetworkDataEvent*, Pending> pending_;
    std::unordered_set<std::string> visited_;
    std::unordered_map<const EsriServiceInfo*, int> order_;
    vector_map<int, std::string> spatialReferenceCodes_;
    int pendingRequestCount_ = 0;
    int requestsSent_ = 0;
    unsigned walk_ = 0;
    bool failed_ = false;
    bool limitReported_ = false;
};

} // namespace orvane
