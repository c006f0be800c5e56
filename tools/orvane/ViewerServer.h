// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace orvane::tool {

class ViewerEventLoop;

// The HTTP side of `orvane serve`: one page per report, its script and style,
// frames of each browser tab's session and the library's sound files. It
// answers a fixed set of routes only; no part of a request names a file.
//
//   GET  /                     the page
//   GET  /viewer.js, /viewer.css
//   POST /session              {"width": W} -> {"session": ID, frame reply}
//   GET  /s/ID/frame?have=N[&wait=MS]   the frame reply (waits for a newer frame)
//   POST /s/ID/events          the events of a ViewerEventBatch -> frame reply
//   POST /s/ID/close           frees the session
//   GET  /sound/NAME.mp3       a tone of the sonification scale
//   GET  /tones?values=A,B,... the sound of each value, as /sound/ addresses
//
// A frame reply is the JSON of ViewerSession::replyJson. Sessions live on the
// event loop; a session idle for longer than the timeout is freed, and no
// more than the cap are open at once.
class ViewerServer {
public:
    struct Options {
        std::string report;          // the report file every session shows
        std::string bind = "127.0.0.1";
        int port = 8080;             // 0: any free port
        size_t maxSessions = 16;
        double idleSeconds = 600.0;  // a session unused this long is freed
        size_t maxBody = 64 * 1024;  // bytes of a request body
        std::string assetDir;        // the folder of index.html, viewer.js and viewer.css
    };

    explicit ViewerServer(Options options);
    ~ViewerServer();
    ViewerServer(const ViewerServer&) = delete;
    ViewerServer& operator=(const ViewerServer&) = delete;

    // Reads the page's files and binds the port; false with the reason.
    bool start(std::string& error);
    // Serves until stop() (from another thread or a signal handler's thread).
    void serve();
    // Serves on a thread of its own (tests, benchmarks).
    void serveInBackground();
    void stop();
    int port() const { return port_; }
    size_t sessionCount() const;

    // Whether an address is one of this machine's loopback addresses.
    static bool isLoopback(const std::string& address);

private:
    struct Slot;

    void handle(const httplib::Request& request, httplib::Response& response);
    void createSession(const httplib::Request& request, httplib::Response& response);
    void sessionRequest(const std::string& id, const std::string& action, const httplib::Request& request,
                        httplib::Response& response);
    bool serveSound(const std::string& name, httplib::Response& response) const;
    void tones(const httplib::Request& request, httplib::Response& response) const;
    bool hostAllowed(const httplib::Request& request) const;
    std::shared_ptr<Slot> find(const std::string& id);
    // Runs on the loop: ticks the sessions that are due and frees idle ones.
    double tick(double now);
    std::string newId();

    Options options_;
    std::unique_ptr<httplib::Server> http_;
    std::unique_ptr<ViewerEventLoop> loop_;
    std::thread background_;
    int port_ = 0;
    std::string page_, script_, style_;

    mutable std::mutex mutex_;
    std::map<std::string, std::shared_ptr<Slot>> slots_;
    size_t opening_ = 0;  ///< sessions being opened (counted against the cap)
    std::condition_variable frames_;  ///< notified when a session draws a new frame
    std::atomic<unsigned long long> idCounter_{0};
};

} // namespace orvane::tool
