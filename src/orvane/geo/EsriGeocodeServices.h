// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/net/NetworkDataEvent.h"
#include "orvane/geo/GeocodeInfo.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane {

/// Client of the Esri geocoding service: turns address texts into points, in
/// batches, and a point into an address. Answers arrive through the host's
/// network manager; completion and failure are events on the client
/// (GEOCODE_READY, GEOCODE_FAILED, REVERSE_GEOCODE_READY,
/// REVERSE_GEOCODE_FAILED). Failures are WarningEvents carrying one Warning.
///
/// One run at a time: a new geocode or reverseGeocode call starts a new run,
/// and answers still outstanding from the previous run are dropped.
class ORVANE_EXPORT EsriGeocodeServices : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10032;

    static constexpr int GEOCODE_READY = 20035;
    static constexpr int GEOCODE_FAILED = 20036;
    static constexpr int REVERSE_GEOCODE_READY = 20037;
    static constexpr int REVERSE_GEOCODE_FAILED = 20038;
    static constexpr int ESRI_GEOCODE_SERVICES_ERROR = 20002;

    /// Answer keys.
    static const char* const LOCATIONS;
    static const char* const ADDRESS;
    static const char* const LOCATION;
    static const char* const X;
    static const char* const Y;
    static const char* const SCORE;
    static const char* const ATTRIBUTES;
    static const char* const RESULTID;
    static const char* const RESPONSE_ERROR;

    static constexpr int DEFAULT_BATCH_SIZE = 200;
    /// Service-root name in NetworkManager's configuration, and its default.
    static constexpr const char* SERVICE_NAME = "geocode";
    static constexpr const char* DEFAULT_SERVICE_ROOT = "https://geocode.arcgis.com";
    static constexpr const char* GEOCODE_PATH = "/arcgis/rest/services/World/GeocodeServer/geocodeAddresses";
    static constexpr const char* REVERSE_GEOCODE_PATH = "/arcgis/rest/services/World/GeocodeServer/reverseGeocode";

    using Addresses = std::shared_ptr<std::vector<std::shared_ptr<const std::string>>>;
    using ObjectIds = std::shared_ptr<std::vector<int>>;
    using Results = std::shared_ptr<std::vector<std::shared_ptr<GeocodeInfo>>>;

    EsriGeocodeServices();
    ~EsriGeocodeServices() override;
    static std::shared_ptr<EsriGeocodeServices> create();
    /// A batch size below 1 is refused (logged) and the default used.
    static std::shared_ptr<EsriGeocodeServices> create(int batchSize);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Geocodes the addresses in batches of the batch size. With object ids,
    /// their count must equal the address count (else GEOCODE_FAILED with
    /// "EsriGeocodeServices.InvalidInputs.txt" and nothing is sent); without,
    /// records are numbered from 0. An empty list completes at once with an
    /// empty result (GEOCODE_READY). Empty address entries are sent as "".
    void geocode(const Addresses& addresses, const ObjectIds& objectIds, const std::string& token);
    void geocode(const std::vector<std::string>& addresses, const std::string& token = std::string());
    /// Non-finite coordinates fail at once with REVERSE_GEOCODE_FAILED.
    void reverseGeocode(float x, float y);

    /// Results of the current run (never null).
    const Results& getGeocodeResults() const { return results_; }

    int getBatchSize() const { return batchSize_; }
    const std::string& getToken() const { return token_; }
    int getPendingRequestCount() const { return pendingRequestCount_; }
    int getNextObjectId() const { return nextObjectId_; }
    bool hasFailed() const { return failed_; }

    /// The service root used for requests: this client's own when set, else
    /// the network manager's configured "geocode" root, else the public service.
    std::string getServiceRoot() const;
    void setServiceRoot(const std::string& root) { serviceRoot_ = root; }

    /// Network answers (registered on the request events).
    void receiveGeocodeResponse(const std::shared_ptr<PortableEvent>& event);
    void receiveReverseGeocodeResponse(const std::shared_ptr<PortableEvent>& event);

    /// The answer parsers, usable without a network (tools, fuzzing). ok is
    /// false for an "error" answer or a malformed one; problem says why.
    struct Answer {
        bool ok = false;
        bool esriError = false;
        std::string problem;
        std::vector<std::shared_ptr<GeocodeInfo>> results;
    };
    static Answer parseGeocodeAnswer(std::string_view body);
    static Answer parseReverseGeocodeAnswer(std::string_view body);

    /// The form body of one batch of records (id, address), as sent.
    static std::string buildGeocodeBody(const std::vector<std::pair<int, std::string_view>>& records,
                                        const std::string& token);
    /// "location=x,y&f=json", 10 significant digits.
    static std::string buildReverseGeocodeBody(float x, float y);

private:
    enum class Kind { GEOCODE, REVERSE };
    struct Pending {
        std::weak_ptr<NetworkDataEvent> event;
        Kind kind;
    };

    void startRun();
    bool send(const std::string& url, std::string body, Kind kind);
    /// The pending entry for an answer of the current run (removed), or false
    /// when the answer belongs to an abandoned run.
    bool takePending(const std::shared_ptr<NetworkDataEvent>& event, Kind kind);
    void fail(int eventType, const std::string& key, const std::string& url, const std::string& text);
    /// Marks the run failed and reports a failed or unusable answer.
    void fail(int eventType, const NetworkDataEvent& answer);

    Results results_;
    std::unordered_map<const NetworkDataEvent*, Pending> pending_;
    int pendingRequestCount_ = 0;
    std::string token_;
    int batchSize_ = DEFAULT_BATCH_SIZE;
    int nextObjectId_ = 0;
    bool failed_ = false;
    std::string serviceRoot_;
};

} // namespace orvane
