// SPDX-License-Identifier: Apache-2.0
#include "ViewerServer.h"
#include "ToolFiles.h"
#include "ViewerEventBatch.h"
#include "ViewerEventLoop.h"
#include "ViewerSession.h"

#include "orvane/accessibility/SonificationTone.h"
#include "orvane/accessibility/SonificationToneMapper.h"
#include "orvane/package/SoundAssetTable.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <random>
#include <regex>

namespace orvane::tool {

namespace {

constexpr const char* SOUND_PREFIX = "sonification/mp3/";
constexpr int MAX_WAIT_MS = 1000;
constexpr size_t MAX_TONES = 2000;

void error(httplib::Response& response, int status, const std::string& message) {
    response.status = status;
    response.set_content("{\"error\": \"" + message + "\"}\n", "application/json");
}

// A session id: 32 lowercase hexadecimal digits, nothing else.
bool isSessionId(const std::string& id) {
    return id.size() == 32 && std::all_of(id.begin(), id.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// The host name of a Host header ("127.0.0.1:8080", "[::1]:80", "localhost").
std::string hostName(const std::string& header) {
    if (!header.empty() && header[0] == '[') {
        const size_t close = header.find(']');
        return close == std::string::npos ? header : header.substr(1, close - 1);
    }
    return header.substr(0, header.find(':'));
}

} // namespace

struct ViewerServer::Slot {
    std::mutex mutex;                              // guards `pending`
    std::vector<ViewerEventBatch::Event> pending;  // events not yet fed to the session
    std::unique_ptr<ViewerSession> session;        // used on the loop only
    std::atomic<double> lastUsed{0.0};
    std::atomic<long long> frame{0};
};

ViewerServer::ViewerServer(Options options) : options_(std::move(options)) {}

ViewerServer::~ViewerServer() { stop(); }

bool ViewerServer::isLoopback(const std::string& address) {
    if (address == "localhost") return true;
    in_addr v4{};
    if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    if (inet_pton(AF_INET6, address.c_str(), &v6) == 1) return IN6_IS_ADDR_LOOPBACK(&v6);
    return false;
}

bool ViewerServer::start(std::string& error) {
    const std::string dir = options_.assetDir + "/";
    for (auto [name, text] : {std::pair<const char*, std::string*>{"index.html", &page_},
                              {"viewer.js", &script_},
                              {"viewer.css", &style_}})
        if (!ToolFiles::read(dir + name, *text, error)) return false;
    loop_ = std::make_unique<ViewerEventLoop>([this](double now) { return tick(now); });
    http_ = std::make_unique<httplib::Server>();
    http_->set_payload_max_length(options_.maxBody);
    // A reply is written in pieces (headers, then the body): without this the
    // second piece waits for the browser's delayed acknowledgement (~40 ms).
    http_->set_tcp_nodelay(true);
    // Every request goes to handle(), which knows the few routes there are;
    // registering them per method makes the server read (capped) bodies.
    const auto all = [this](const httplib::Request& request, httplib::Response& response) { handle(request, response); };
    http_->Get(".*", all);
    http_->Post(".*", all);
    http_->Put(".*", all);
    http_->Delete(".*", all);
    http_->Patch(".*", all);
    http_->Options(".*", all);
    http_->set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        ::orvane::tool::error(response, 500, "internal error");
    });
    if (options_.port == 0) {
        port_ = http_->bind_to_any_port(options_.bind);
        if (port_ <= 0) {
            error = "serve: cannot listen on " + options_.bind;
            return false;
        }
    } else {
        if (!http_->bind_to_port(options_.bind, options_.port)) {
            error = "serve: cannot listen on " + options_.bind + " port " + std::to_string(options_.port) +
                    " (in use, or not an address of this machine)";
            return false;
        }
        port_ = options_.port;
    }
    return true;
}

void ViewerServer::serve() {
    if (http_) http_->listen_after_bind();
}

void ViewerServer::serveInBackground() {
    background_ = std::thread([this] { serve(); });
    while (http_ && !http_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void ViewerServer::stop() {
    if (http_) http_->stop();
    if (background_.joinable()) background_.join();
    if (loop_) loop_->stop();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        frames_.notify_all();
    }
    // The loop has ended: the sessions can be freed here.
    std::map<std::string, std::shared_ptr<Slot>> slots;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        slots.swap(slots_);
    }
    for (auto& [id, slot] : slots) slot->session.reset();
}

size_t ViewerServer::sessionCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return slots_.size();
}

std::string ViewerServer::newId() {
    // Unguessable: another page on this machine must not reach a tab's session.
    static thread_local std::random_device device;
    char text[33];
    for (int i = 0; i < 4; ++i) std::snprintf(text + 8 * i, 9, "%08x", static_cast<unsigned>(device()));
    return std::string(text, 32);
}

std::shared_ptr<ViewerServer::Slot> ViewerServer::find(const std::string& id) {
    if (!isSessionId(id)) return nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = slots_.find(id);
    return it == slots_.end() ? nullptr : it->second;
}

bool ViewerServer::hostAllowed(const httplib::Request& request) const {
    // Bound to loopback, only pages of this machine may talk to it: a page
    // from elsewhere that renamed its host to 127.0.0.1 still sends its own name.
    if (!isLoopback(options_.bind)) return true;
    const std::string name = hostName(request.get_header_value("Host"));
    return name.empty() || isLoopback(name);
}

void ViewerServer::handle(const httplib::Request& request, httplib::Response& response) {
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("Cache-Control", "no-store");
    if (!hostAllowed(request)) return error(response, 403, "this server only answers pages of its own machine");
    const std::string& path = request.path;
    const bool get = request.method == "GET" || request.method == "HEAD";
    const bool post = request.method == "POST";
    if (get && (path == "/" || path == "/index.html")) {
        response.set_header("Content-Security-Policy",
                            "default-src 'self'; img-src 'self' data:; style-src 'self' 'unsafe-inline'; "
                            "media-src 'self'; object-src 'none'; base-uri 'none'");
        response.set_content(page_, "text/html; charset=utf-8");
        return;
    }
    if (get && path == "/viewer.js") return response.set_content(script_, "text/javascript; charset=utf-8");
    if (get && path == "/viewer.css") return response.set_content(style_, "text/css; charset=utf-8");
    if (post && path == "/session") return createSession(request, response);
    static const std::regex sessionRoute("^/s/([0-9a-f]{32})/(frame|events|close)$");
    std::smatch m;
    if (std::regex_match(path, m, sessionRoute)) {
        const std::string action = m[2];
        if ((action == "frame") != get || (action != "frame" && !post)) return error(response, 405, "wrong method");
        return sessionRequest(m[1], action, request, response);
    }
    if (get && path.rfind("/sound/", 0) == 0 && serveSound(path.substr(7), response)) return;
    if (get && path == "/tones") return tones(request, response);
    error(response, 404, "not found");
}

bool ViewerServer::serveSound(const std::string& name, httplib::Response& response) const {
    // Only the sounds compiled into the library, found by exact name.
    for (const auto& entry : SoundAssetTable::entries()) {
        const std::string path = entry.path;
        if (path.rfind(SOUND_PREFIX, 0) != 0 || path.substr(std::char_traits<char>::length(SOUND_PREFIX)) != name)
            continue;
        response.set_header("Cache-Control", "max-age=3600");
        response.set_content(reinterpret_cast<const char*>(entry.bytes), entry.length, "audio/mpeg");
        return true;
    }
    return false;
}

void ViewerServer::tones(const httplib::Request& request, httplib::Response& response) const {
    // The values, comma-separated; anything that is not a number is missing.
    std::vector<double> values;
    const std::string text = request.get_param_value("values");
    size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        char* stop = nullptr;
        const double v = std::strtod(item.c_str(), &stop);
        values.push_back(!item.empty() && stop && *stop == '\0' && std::isfinite(v) ? v : std::nan(""));
        if (values.size() > MAX_TONES) return error(response, 400, "at most 2000 values at a time");
        start = end + 1;
    }
    double low = INFINITY, high = -INFINITY;
    for (double v : values)
        if (!std::isnan(v)) low = std::min(low, v), high = std::max(high, v);
    auto mapper = SonificationToneMapper::create(SonificationScale::PENTATONIC, SonificationStyle::PIANO,
                                                 std::isfinite(low) ? low : 0.0, std::isfinite(high) ? high : 0.0);
    std::string json = "{\"tones\":[";
    for (size_t i = 0; i < values.size(); ++i) {
        auto tone = mapper->map(values[i]);
        char name[64];
        if (!tone || tone->getKeyNumber() == 0)
            std::snprintf(name, sizeof name, "missing.mp3");
        else
            std::snprintf(name, sizeof name, "piano/key%02d_p_Flat.mp3", tone->getKeyNumber());
        json += (i ? ",\"/sound/" : "\"/sound/") + std::string(name) + "\"";
    }
    response.set_content(json + "]}", "application/json");
}

void ViewerServer::createSession(const httplib::Request& request, httplib::Response& response) {
    double width = 1024.0;
    if (!request.body.empty()) {
        rapidjson::Document doc;
        doc.Parse(request.body.data(), request.body.size());
        if (doc.HasParseError() || !doc.IsObject()) return error(response, 400, "the body must be a JSON object");
        if (doc.HasMember("width")) {
            const rapidjson::Value& it = doc["width"];
            if (!it.IsNumber() || !(it.GetDouble() >= 1.0 && it.GetDouble() <= 16384.0))
                return error(response, 400, "\\\"width\\\" must be a number of pixels from 1 to 16384");
            width = it.GetDouble();
        }
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (slots_.size() + opening_ >= options_.maxSessions)
            return error(response, 503, "too many open sessions; close a tab or try again later");
        ++opening_;
    }
    auto slot = std::make_shared<Slot>();
    std::string reply, failure;
    const bool ran = loop_->run([&] {
        slot->session = ViewerSession::open(options_.report, static_cast<float>(width), failure);
        if (slot->session) {
            slot->frame = slot->session->frameNumber();
            reply = slot->session->replyJson(-1, 0);
        }
    });
    std::string id = newId();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        --opening_;
        if (ran && slot->session) {
            slot->lastUsed = ViewerEventLoop::now();
            slots_[id] = slot;
        }
    }
    if (!ran) return error(response, 503, "the server is stopping");
    if (!slot->session) return error(response, 500, "the report cannot be shown");
    // The reply is the frame reply with the session's id in front.
    response.set_content("{\"session\":\"" + id + "\"," + reply.substr(1), "application/json");
}

void ViewerServer::sessionRequest(const std::string& id, const std::string& action, const httplib::Request& request,
                                  httplib::Response& response) {
    auto slot = find(id);
    if (!slot) return error(response, 404, "no such session (it may have timed out)");
    slot->lastUsed = ViewerEventLoop::now();
    if (action == "close") {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            slots_.erase(id);
        }
        loop_->run([&] { slot->session.reset(); });
        response.set_content("{}", "application/json");
        return;
    }
    long long have = -1;
    std::vector<ViewerEventBatch::Event> none;
    if (action == "frame") {
        const std::string haveText = request.get_param_value("have");
        const std::string waitText = request.get_param_value("wait");
        try {
            have = haveText.empty() ? -1 : std::stoll(haveText);
            const int wait = waitText.empty() ? 0 : std::clamp(std::stoi(waitText), 0, MAX_WAIT_MS);
            if (wait > 0) {
                std::unique_lock<std::mutex> lock(mutex_);
                frames_.wait_for(lock, std::chrono::milliseconds(wait), [&] { return slot->frame != have; });
            }
        } catch (const std::exception&) {
            return error(response, 400, "have and wait must be numbers");
        }
    } else {
        std::string why;
        auto batch = ViewerEventBatch::parse(request.body, why);
        if (!batch) return error(response, 400, why);
        have = batch->have();
        std::lock_guard<std::mutex> lock(slot->mutex);
        if (!ViewerEventBatch::merge(slot->pending, batch->events()))
            return error(response, 503, "too many events waiting; send fewer");
    }
    std::string reply;
    bool gone = false;
    const bool ran = loop_->run([&] {
        if (!slot->session) {
            gone = true;
            return;
        }
        std::vector<ViewerEventBatch::Event> events;
        {
            std::lock_guard<std::mutex> lock(slot->mutex);
            events.swap(slot->pending);
        }
        // Every batch waiting is fed at once and drawn once.
        const int handled = events.empty() ? 0 : slot->session->apply(events, ViewerEventLoop::now());
        slot->frame = slot->session->frameNumber();
        reply = slot->session->replyJson(have, handled);
    });
    if (!ran) return error(response, 503, "the server is stopping");
    if (gone) return error(response, 404, "no such session (it may have timed out)");
    {
        std::lock_guard<std::mutex> lock(mutex_);
        frames_.notify_all();
    }
    response.set_content(reply, "application/json");
}

double ViewerServer::tick(double now) {
    std::vector<std::pair<std::string, std::shared_ptr<Slot>>> all;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        all.assign(slots_.begin(), slots_.end());
    }
    double next = -1.0;
    bool drew = false;
    for (auto& [id, slot] : all) {
        if (!slot->session) continue;
        if (now - slot->lastUsed > options_.idleSeconds) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                slots_.erase(id);
            }
            slot->session.reset();
            continue;
        }
        double due = slot->session->nextDeadline();
        if (due >= 0.0 && due <= now) {
            slot->session->tick(now);
            drew = drew || slot->frame != slot->session->frameNumber();
            slot->frame = slot->session->frameNumber();
            due = slot->session->nextDeadline();
        }
        if (due >= 0.0) next = next < 0.0 ? due : std::min(next, due);
    }
    if (drew) {
        std::lock_guard<std::mutex> lock(mutex_);
        frames_.notify_all();
    }
    return next;
}

} // namespace orvane::tool
