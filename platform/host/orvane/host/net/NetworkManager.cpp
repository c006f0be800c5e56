// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/net/NetworkManager.h"

#include "orvane/host/core/CLog.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <list>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <unordered_set>

namespace orvane {

namespace {

constexpr const char* kSource = "host/NetworkManager";

// What the network thread needs of a request: copies, never the event.
struct Job {
    uint64_t id = 0;
    std::string url;
    bool post = false;
    bool hasContent = false;
    std::string body;
    std::string contentType;
    NetworkManager::Configuration config;
};

struct Result {
    uint64_t id = 0;
    int status = 0;
    std::string body;
    std::string error;
};

struct Transfer {
    Job job;
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    std::string answer;
    bool tooLarge = false;
    char errorBuffer[CURL_ERROR_SIZE] = {0};
};

long toMilliseconds(double seconds) {
    if (!(seconds > 0)) return 0;  // no limit
    double ms = seconds * 1000.0;
    return ms >= 2e9 ? 2000000000L : std::max(1L, static_cast<long>(ms));
}

std::string sizeLimitText(size_t limit) {
    return "the answer is larger than the limit of " + std::to_string(limit) + " bytes";
}

// Loopback hosts never go through a proxy; other exclusions come from the
// environment as usual.
std::string noProxyList() {
    std::string list = "localhost,127.0.0.1,::1";
    for (const char* var : {"no_proxy", "NO_PROXY"}) {
        if (const char* v = std::getenv(var); v && *v) {
            list += ",";
            list += v;
            break;
        }
    }
    return list;
}

size_t writeAnswer(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    size_t n = size * count;
    if (t->answer.size() + n > t->job.config.maxAnswerBytes) {
        t->tooLarge = true;
        return 0;  // aborts the transfer with a write error
    }
    t->answer.append(data, n);
    return n;
}

class Engine {
public:
    Engine() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~Engine() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake();
        if (worker_.joinable()) worker_.join();
    }

    // ---- user-interface side
    bool submit(const std::shared_ptr<NetworkDataEvent>& event) {
        if (!event) {
            ORVANE_LOG(CLog::ERRORS, kSource, "processNetworkRequest: no event given");
            return false;
        }
        Job job;
        {
            std::lock_guard<std::mutex> lock(uiMutex_);
            if (inFlightEvents_.count(event.get())) {
                ORVANE_LOG(CLog::ERRORS, kSource,
                           "processNetworkRequest: the event is already in flight: " + event->getURLString());
                return false;
            }
            job.id = nextId_++;
            job.config = config_;
            inFlight_.emplace(job.id, event);
            inFlightEvents_.insert(event.get());
        }
        std::string problem = describe(*event, job);
        std::lock_guard<std::mutex> lock(mutex_);
        if (!problem.empty()) {
            // Answered like any other failure: later, at the next pump.
            done_.push_back({job.id, 0, std::string(), problem});
            readyCv_.notify_all();
            return true;
        }
        queued_.push_back(std::move(job));
        if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
        wakeLocked();
        return true;
    }

    size_t pump() {
        std::deque<Result> batch;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            batch.swap(done_);
        }
        size_t delivered = 0;
        while (!batch.empty()) {
            Result r = std::move(batch.front());
            batch.pop_front();
            std::shared_ptr<NetworkDataEvent> event;
            {
                std::lock_guard<std::mutex> lock(uiMutex_);
                auto it = inFlight_.find(r.id);
                if (it == inFlight_.end()) continue;
                event = std::move(it->second);
                inFlight_.erase(it);
                inFlightEvents_.erase(event.get());
            }
            event->setResponse(r.status, std::move(r.body), std::move(r.error));
            event->setType(NetworkDataEvent::RESPONSE);
            ++delivered;
            try {
                event->dispatchEvent(event);
            } catch (...) {
                // A throwing listener must not cost the other requests their answers.
                std::lock_guard<std::mutex> lock(mutex_);
                while (!batch.empty()) {
                    done_.push_front(std::move(batch.back()));
                    batch.pop_back();
                }
                throw;
            }
        }
        return delivered;
    }

    size_t waitAndPump(double timeoutSeconds) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (done_.empty() && timeoutSeconds > 0) {
                auto d = std::chrono::duration<double>(std::min(timeoutSeconds, 1e6));
                readyCv_.wait_for(lock, d, [this] { return !done_.empty(); });
            }
        }
        return pump();
    }

    size_t pendingCount() {
        std::lock_guard<std::mutex> lock(uiMutex_);
        return inFlight_.size();
    }

    void cancelAll() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (auto& j : queued_) done_.push_back({j.id, 0, std::string(), "request cancelled"});
            queued_.clear();
            // Running transfers belong to the network thread; it cancels them.
            if (worker_.joinable()) cancelRequested_ = true;
            wakeLocked();
        }
        readyCv_.notify_all();
    }

    void setConfig(const NetworkManager::Configuration& c) {
        std::lock_guard<std::mutex> lock(uiMutex_);
        config_ = c;
        if (config_.maxConcurrentRequests < 1) config_.maxConcurrentRequests = 1;
        maxConcurrent_ = config_.maxConcurrentRequests;
    }
    NetworkManager::Configuration getConfig() {
        std::lock_guard<std::mutex> lock(uiMutex_);
        return config_;
    }
    void setRoot(const std::string& service, const std::string& root) {
        std::lock_guard<std::mutex> lock(uiMutex_);
        if (root.empty())
            roots_.erase(service);
        else
            roots_[service] = root;
    }
    std::string getRoot(const std::string& service, const std::string& fallback) {
        std::lock_guard<std::mutex> lock(uiMutex_);
        auto it = roots_.find(service);
        return it == roots_.end() ? fallback : it->second;
    }
    void clearRoots() {
        std::lock_guard<std::mutex> lock(uiMutex_);
        roots_.clear();
    }
    void setHook(std::function<void()> hook) {
        std::lock_guard<std::mutex> lock(mutex_);
        hook_ = std::move(hook);
    }

private:
    // Copies the request into the job; returns why it cannot be sent, or "".
    static std::string describe(const NetworkDataEvent& event, Job& job) {
        const auto& url = event.getURL();
        if (!url) return "the request has no URL";
        job.url = url->toString();
        if (!url->isValid()) return "invalid URL: " + job.url;
        if (url->getScheme() != "http" && url->getScheme() != "https")
            return "unsupported URL scheme \"" + url->getScheme() + "\": " + job.url;
        for (unsigned char c : job.url)
            if (c <= ' ' || c == 0x7f) return "the URL contains spaces or control characters: " + job.url;
        job.post = event.isPost();
        const auto& contents = event.getContents();
        if (contents.size() > 1) return "a request carries at most one content";
        if (!contents.empty()) {
            if (!job.post) return "a GET request carries no content";
            job.hasContent = true;
            job.body = contents[0]->getBody();
            job.contentType = contents[0]->getContentType();
            for (unsigned char c : job.contentType)
                if (c < ' ' || c == 0x7f) return "the content type contains control characters";
        }
        return std::string();
    }

    void wake() {
        std::lock_guard<std::mutex> lock(mutex_);
        wakeLocked();
    }
    void wakeLocked() {
        if (multi_) curl_multi_wakeup(multi_);
    }

    // ---- network thread
    void run() {
        CURLM* multi = curl_multi_init();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            multi_ = multi;
        }
        const std::string noProxy = noProxyList();
        std::list<Transfer> active;
        for (;;) {
            std::deque<Job> starting;
            bool stopping = false, cancelling = false;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                stopping = stop_;
                cancelling = cancelRequested_;
                cancelRequested_ = false;
                if (!cancelling) {
                    int cap = std::max(1, maxConcurrent_.load());
                    while (!queued_.empty() && static_cast<int>(active.size() + starting.size()) < cap) {
                        starting.push_back(std::move(queued_.front()));
                        queued_.pop_front();
                    }
                }
            }
            if (stopping) break;
            if (cancelling) {
                std::vector<Result> results;
                for (auto& t : active) {
                    curl_multi_remove_handle(multi, t.easy);
                    results.push_back({t.job.id, 0, std::string(), "request cancelled"});
                    release(t);
                }
                active.clear();
                deliver(std::move(results));
            }
            for (auto& job : starting) {
                active.emplace_back();
                Transfer& t = active.back();
                t.job = std::move(job);
                if (!setUp(t, noProxy) || curl_multi_add_handle(multi, t.easy) != CURLM_OK) {
                    std::vector<Result> r{{t.job.id, 0, std::string(), "the transfer could not be set up"}};
                    release(t);
                    active.pop_back();
                    deliver(std::move(r));
                }
            }
            int running = 0;
            curl_multi_perform(multi, &running);
            std::vector<Result> finished;
            int left = 0;
            while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
                if (msg->msg != CURLMSG_DONE) continue;
                auto it = std::find_if(active.begin(), active.end(),
                                       [&](const Transfer& t) { return t.easy == msg->easy_handle; });
                if (it == active.end()) continue;
                finished.push_back(finish(*it, msg->data.result));
                curl_multi_remove_handle(multi, it->easy);
                release(*it);
                active.erase(it);
            }
            if (!finished.empty()) {
                deliver(std::move(finished));
                continue;  // free slots may start waiting jobs at once
            }
            curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
        }
        for (auto& t : active) {
            curl_multi_remove_handle(multi, t.easy);
            release(t);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            multi_ = nullptr;
        }
        curl_multi_cleanup(multi);
    }

    static bool setUp(Transfer& t, const std::string& noProxy) {
        t.easy = curl_easy_init();
        if (!t.easy) return false;
        const auto& c = t.job.config;
        CURL* e = t.easy;
        curl_easy_setopt(e, CURLOPT_URL, t.job.url.c_str());
        curl_easy_setopt(e, CURLOPT_PRIVATE, &t);
        curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(e, CURLOPT_ERRORBUFFER, t.errorBuffer);
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &writeAnswer);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);
        curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, c.maxRedirects > 0 ? 1L : 0L);
        curl_easy_setopt(e, CURLOPT_MAXREDIRS, static_cast<long>(std::max(0, c.maxRedirects)));
        curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, toMilliseconds(c.connectTimeoutSeconds));
        curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, toMilliseconds(c.totalTimeoutSeconds));
        curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(c.maxAnswerBytes));
        if (!c.acceptEncoding.empty()) curl_easy_setopt(e, CURLOPT_ACCEPT_ENCODING, c.acceptEncoding.c_str());
        curl_easy_setopt(e, CURLOPT_NOPROXY, noProxy.c_str());
        if (!c.userAgent.empty()) curl_easy_setopt(e, CURLOPT_USERAGENT, c.userAgent.c_str());
        // No "Expect: 100-continue" round trip before larger bodies.
        t.headers = curl_slist_append(t.headers, "Expect:");
        if (t.job.post) {
            curl_easy_setopt(e, CURLOPT_POST, 1L);
            curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(t.job.body.size()));
            curl_easy_setopt(e, CURLOPT_POSTFIELDS, t.job.body.data());
            // Exactly the given type; without content, no type at all.
            std::string type = "Content-Type:";
            if (t.job.hasContent && !t.job.contentType.empty()) type += " " + t.job.contentType;
            t.headers = curl_slist_append(t.headers, type.c_str());
        } else {
            curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
        }
        curl_easy_setopt(e, CURLOPT_HTTPHEADER, t.headers);
        return true;
    }

    static Result finish(Transfer& t, CURLcode code) {
        Result r;
        r.id = t.job.id;
        if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
            r.error = sizeLimitText(t.job.config.maxAnswerBytes);
            return r;
        }
        if (code != CURLE_OK) {
            r.error = t.errorBuffer[0] ? std::string(t.errorBuffer) : std::string(curl_easy_strerror(code));
            if (code == CURLE_OPERATION_TIMEDOUT) r.error = "timed out: " + r.error;
            return r;
        }
        long status = 0;
        curl_easy_getinfo(t.easy, CURLINFO_RESPONSE_CODE, &status);
        r.status = static_cast<int>(status);
        r.body = std::move(t.answer);
        if (r.status == 0) r.error = "no HTTP status in the answer";
        return r;
    }

    static void release(Transfer& t) {
        if (t.easy) curl_easy_cleanup(t.easy);
        if (t.headers) curl_slist_free_all(t.headers);
        t.easy = nullptr;
        t.headers = nullptr;
    }

    void deliver(std::vector<Result> results) {
        std::function<void()> hook;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (auto& r : results) done_.push_back(std::move(r));
            hook = hook_;
        }
        readyCv_.notify_all();
        if (hook) hook();
    }

    // Shared with the network thread.
    std::mutex mutex_;
    std::condition_variable readyCv_;
    std::deque<Job> queued_;
    std::deque<Result> done_;
    std::function<void()> hook_;
    CURLM* multi_ = nullptr;
    bool stop_ = false;
    bool cancelRequested_ = false;
    std::thread worker_;
    std::atomic<int> maxConcurrent_{NetworkManager::Configuration().maxConcurrentRequests};

    // User-interface side (guarded all the same, hosts may call from elsewhere).
    std::mutex uiMutex_;
    std::unordered_map<uint64_t, std::shared_ptr<NetworkDataEvent>> inFlight_;
    std::unordered_set<const NetworkDataEvent*> inFlightEvents_;
    uint64_t nextId_ = 1;
    NetworkManager::Configuration config_;
    std::map<std::string, std::string> roots_;
};

Engine& engine() {
    static Engine e;
    return e;
}

} // namespace

bool NetworkManager::processNetworkRequest(const std::shared_ptr<NetworkDataEvent>& event) {
    return engine().submit(event);
}

size_t NetworkManager::processPendingResponses() { return engine().pump(); }

size_t NetworkManager::waitForResponses(double timeoutSeconds) { return engine().waitAndPump(timeoutSeconds); }

bool NetworkManager::runUntilIdle(double timeoutSeconds) {
    Engine& e = engine();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(std::max(0.0, timeoutSeconds));
    e.pump();
    while (e.pendingCount() > 0) {
        double remaining = std::chrono::duration<double>(deadline - std::chrono::steady_clock::now()).count();
        if (remaining <= 0) return false;
        e.waitAndPump(std::min(remaining, 0.25));
    }
    return true;
}

size_t NetworkManager::getPendingRequestCount() { return engine().pendingCount(); }

void NetworkManager::cancelAll() { engine().cancelAll(); }

void NetworkManager::setConfiguration(const Configuration& configuration) { engine().setConfig(configuration); }

NetworkManager::Configuration NetworkManager::getConfiguration() { return engine().getConfig(); }

void NetworkManager::setServiceRoot(const std::string& service, const std::string& root) {
    engine().setRoot(service, root);
}

std::string NetworkManager::getServiceRoot(const std::string& service, const std::string& fallback) {
    return engine().getRoot(service, fallback);
}

void NetworkManager::clearServiceRoots() { engine().clearRoots(); }

void NetworkManager::setResponseReadyHook(std::function<void()> hook) { engine().setHook(std::move(hook)); }

} // namespace orvane
