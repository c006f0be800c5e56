// SPDX-License-Identifier: Apache-2.0
// The host network layer against a real loopback server: asynchronous
// delivery on the pump, exact bodies, failures as responses, limits.
#include "GeoTestFixture.h"

#include "orvane/host/net/NetworkDataEvent.h"
#include "orvane/host/net/NetworkManager.h"
#include "orvane/host/net/URL.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <string>
#include <thread>

using namespace orvane;
using orvane::test::GeoServiceTest;
using orvane::test::GeoTestServer;

namespace {

struct Sent {
    std::shared_ptr<NetworkDataEvent> event;
    int responses = 0;
};

// Builds and sends a request whose RESPONSE count is recorded in `sent`.
std::shared_ptr<Sent> send(const std::string& url, NetworkDataEvent::Method method = NetworkDataEvent::Method::GET,
                           const std::string* body = nullptr, const std::string& type = "text/plain") {
    auto s = std::make_shared<Sent>();
    s->event = NetworkDataEvent::create(NetworkDataEvent::REQUEST);
    s->event->setURL(URL::create(url));
    s->event->setMethod(method);
    if (body) s->event->addContent(NetworkRequestContent::create(*body, type));
    std::weak_ptr<Sent> weak = s;
    s->event->addEventListener(NetworkDataEvent::RESPONSE,
                               FunctionEventCallback::create([weak](const std::shared_ptr<PortableEvent>&) {
                                   if (auto p = weak.lock()) ++p->responses;
                               }));
    EXPECT_TRUE(NetworkManager::processNetworkRequest(s->event));
    return s;
}

} // namespace

class NetworkManagerTest : public GeoServiceTest {};

TEST_F(NetworkManagerTest, DeliversOnThePumpOnlyAndExactlyOnce) {
    server.answer("GET", "/hello", 200, "hi there", "text/plain");
    auto s = send(server.root() + "/hello?x=1");
    EXPECT_EQ(s->responses, 0);  // never inside processNetworkRequest
    // Not without a pump either, however long the answer has been waiting.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(s->responses, 0);
    EXPECT_EQ(NetworkManager::getPendingRequestCount(), 1u);
    ASSERT_TRUE(pump());
    EXPECT_EQ(s->responses, 1);
    EXPECT_EQ(s->event->getType(), NetworkDataEvent::RESPONSE);
    EXPECT_EQ(s->event->getStatus(), 200);
    EXPECT_EQ(s->event->getResponseBody(), "hi there");
    EXPECT_EQ(s->event->getURLString(), server.root() + "/hello?x=1");
    EXPECT_EQ(NetworkManager::processPendingResponses(), 0u);
    EXPECT_EQ(s->responses, 1);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].method, "GET");
    EXPECT_EQ(server.requests()[0].param("x"), "1");
}

TEST_F(NetworkManagerTest, SendsBodiesAndContentTypesByteForByte) {
    server.answer("POST", "/post", 200, "ok");
    std::string body("a=1&b=%41+c\r\n", 13);
    body += std::string("\0\xff\xfe", 3);
    body += std::string(3 * 1024 * 1024, 'z');
    const std::string type = "application/x-www-form-urlencoded; charset=ISO-8859-1";
    auto s = send(server.root() + "/post", NetworkDataEvent::Method::POST, &body, type);
    std::string empty;
    auto t = send(server.root() + "/post", NetworkDataEvent::Method::POST, &empty, "text/plain");
    ASSERT_TRUE(pump());
    EXPECT_EQ(s->event->getStatus(), 200);
    auto got = server.requestsTo("/post");
    ASSERT_EQ(got.size(), 2u);
    const auto& big = got[0].body.size() > got[1].body.size() ? got[0] : got[1];
    const auto& small = got[0].body.size() > got[1].body.size() ? got[1] : got[0];
    EXPECT_EQ(big.method, "POST");
    EXPECT_TRUE(big.body == body) << "body differs (" << big.body.size() << " vs " << body.size() << " bytes)";
    EXPECT_EQ(big.contentType, type);
    EXPECT_EQ(small.body, "");
    EXPECT_EQ(small.contentType, "text/plain");
}

TEST_F(NetworkManagerTest, HttpErrorsComeWithTheirStatusAndBody) {
    server.answer("GET", "/broken", 500, "{\"oops\":true}");
    auto s = send(server.root() + "/broken");
    auto missing = send(server.root() + "/nowhere");
    ASSERT_TRUE(pump());
    EXPECT_EQ(s->responses, 1);
    EXPECT_EQ(s->event->getStatus(), 500);
    EXPECT_EQ(s->event->getResponseBody(), "{\"oops\":true}");
    EXPECT_EQ(missing->event->getStatus(), 404);
}

TEST_F(NetworkManagerTest, TransportFailuresAreResponsesWithStatusZero) {
    int closedPort;
    {
        GeoTestServer gone;
        closedPort = gone.port();
    }
    std::string body = "x";
    std::vector<std::shared_ptr<Sent>> all = {
        send("http://127.0.0.1:" + std::to_string(closedPort) + "/refused"),
        send("not a url"),
        send("ftp://127.0.0.1/file"),
        send(server.root() + "/with space"),
        send(server.root() + "/get-with-body", NetworkDataEvent::Method::GET, &body),
        send(server.root() + "/bad-type", NetworkDataEvent::Method::POST, &body, "text/plain\r\nX-Injected: 1"),
    };
    auto noUrl = std::make_shared<Sent>();
    noUrl->event = NetworkDataEvent::create(NetworkDataEvent::REQUEST);
    noUrl->event->addEventListener(NetworkDataEvent::RESPONSE, FunctionEventCallback::create(
                                                                   [&](const std::shared_ptr<PortableEvent>&) {
                                                                       ++noUrl->responses;
                                                                   }));
    ASSERT_TRUE(NetworkManager::processNetworkRequest(noUrl->event));
    all.push_back(noUrl);
    for (auto& s : all) EXPECT_EQ(s->responses, 0);
    ASSERT_TRUE(pump());
    for (auto& s : all) {
        SCOPED_TRACE(s->event->getURLString());
        EXPECT_EQ(s->responses, 1);
        EXPECT_EQ(s->event->getStatus(), 0);
        EXPECT_FALSE(s->event->getErrorText().empty());
        EXPECT_EQ(s->event->getResponseText(), s->event->getErrorText());
    }
    // Nothing reached the server: the bad requests were refused before sending.
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(NetworkManagerTest, SlowAnswersPastTheTimeoutFail) {
    setTotalTimeout(0.3);
    server.route("GET", "/slow", [this](const GeoTestServer::Request&, httplib::Response& res) {
        server.waitForRelease(10);
        res.set_content("late", "text/plain");
    });
    auto start = std::chrono::steady_clock::now();
    auto s = send(server.root() + "/slow");
    ASSERT_TRUE(pump());
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(s->responses, 1);
    EXPECT_EQ(s->event->getStatus(), 0);
    EXPECT_NE(s->event->getErrorText().find("timed out"), std::string::npos) << s->event->getErrorText();
    EXPECT_LT(seconds, 5.0);
}

TEST_F(NetworkManagerTest, AnswersOverTheSizeLimitFailCleanly) {
    auto c = NetworkManager::getConfiguration();
    c.maxAnswerBytes = 1000;
    NetworkManager::setConfiguration(c);
    server.answer("GET", "/big", 200, std::string(5000, 'b'));
    server.answer("GET", "/fits", 200, std::string(1000, 'f'));
    // Streamed without a length up front: the limit still holds.
    server.route("GET", "/stream", [](const GeoTestServer::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain", [](size_t, httplib::DataSink& sink) {
            std::string chunk(400, 's');
            for (int i = 0; i < 10; ++i)
                if (!sink.write(chunk.data(), chunk.size())) return false;
            sink.done();
            return true;
        });
    });
    auto big = send(server.root() + "/big");
    auto fits = send(server.root() + "/fits");
    auto stream = send(server.root() + "/stream");
    ASSERT_TRUE(pump());
    EXPECT_EQ(big->event->getStatus(), 0);
    EXPECT_TRUE(big->event->getResponseBody().empty());
    EXPECT_NE(big->event->getErrorText().find("1000 bytes"), std::string::npos) << big->event->getErrorText();
    EXPECT_EQ(stream->event->getStatus(), 0);
    EXPECT_EQ(stream->responses, 1);
    EXPECT_EQ(fits->event->getStatus(), 200);
    EXPECT_EQ(fits->event->getResponseBody().size(), 1000u);
}

TEST_F(NetworkManagerTest, LimitsConcurrentTransfersAndAnswersEveryRequestOnce) {
    auto c = NetworkManager::getConfiguration();
    c.maxConcurrentRequests = 2;
    NetworkManager::setConfiguration(c);
    server.route("GET", "/work", [](const GeoTestServer::Request& req, httplib::Response& res) {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        res.set_content(req.get_param_value("id"), "text/plain");
    });
    std::vector<std::shared_ptr<Sent>> all;
    for (int i = 0; i < 12; ++i) all.push_back(send(server.root() + "/work?id=" + std::to_string(i)));
    ASSERT_TRUE(pump());
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(all[static_cast<size_t>(i)]->responses, 1);
        EXPECT_EQ(all[static_cast<size_t>(i)]->event->getResponseBody(), std::to_string(i));
    }
    EXPECT_LE(server.peakConcurrency(), 2);
    EXPECT_EQ(server.requestsTo("/work").size(), 12u);
}

TEST_F(NetworkManagerTest, ListenersMayStartRequestsButAnEventInFlightIsRefused) {
    server.answer("GET", "/first", 200, "1");
    server.answer("GET", "/second", 200, "2");
    auto second = std::make_shared<Sent>();
    auto first = send(server.root() + "/first");
    EXPECT_FALSE(NetworkManager::processNetworkRequest(first->event));  // already in flight
    EXPECT_FALSE(NetworkManager::processNetworkRequest(nullptr));
    first->event->addEventListener(NetworkDataEvent::RESPONSE,
                                   FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) {
                                       if (!second->event) second = send(server.root() + "/second");
                                   }));
    ASSERT_TRUE(pump());
    EXPECT_EQ(first->responses, 1);
    ASSERT_TRUE(second->event);
    EXPECT_EQ(second->responses, 1);
    EXPECT_EQ(second->event->getResponseBody(), "2");
    EXPECT_EQ(server.requestsTo("/first").size(), 1u);
}

TEST_F(NetworkManagerTest, CancelAllAnswersEveryRequestOnce) {
    auto c = NetworkManager::getConfiguration();
    c.maxConcurrentRequests = 1;  // one running, two waiting
    NetworkManager::setConfiguration(c);
    server.route("GET", "/hold", [this](const GeoTestServer::Request&, httplib::Response& res) {
        server.waitForRelease(10);
        res.set_content("held", "text/plain");
    });
    std::vector<std::shared_ptr<Sent>> all;
    for (int i = 0; i < 3; ++i) all.push_back(send(server.root() + "/hold"));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    NetworkManager::cancelAll();
    ASSERT_TRUE(pump());
    for (auto& s : all) {
        EXPECT_EQ(s->responses, 1);
        EXPECT_EQ(s->event->getStatus(), 0);
        EXPECT_EQ(s->event->getErrorText(), "request cancelled");
    }
}

TEST(NetworkManagerConfiguration, ServiceRootsFallBackToTheDefault) {
    NetworkManager::clearServiceRoots();
    EXPECT_EQ(NetworkManager::getServiceRoot("geocode", "https://default"), "https://default");
    NetworkManager::setServiceRoot("geocode", "http://127.0.0.1:1");
    EXPECT_EQ(NetworkManager::getServiceRoot("geocode", "https://default"), "http://127.0.0.1:1");
    NetworkManager::setServiceRoot("geocode", "");
    EXPECT_EQ(NetworkManager::getServiceRoot("geocode"), "");
}

TEST(URL, SplitsAbsoluteUrlsAndRejectsOthers) {
    URL u("https://user@Example.com:8443/a/b%20c/?q=1&r=%2F#frag");
    ASSERT_TRUE(u.isValid());
    EXPECT_EQ(u.getScheme(), "https");
    EXPECT_EQ(u.getHost(), "Example.com");
    EXPECT_EQ(u.getPort(), 8443);
    EXPECT_EQ(u.getPath(), "/a/b%20c/");
    EXPECT_EQ(u.getQuery(), "q=1&r=%2F");
    EXPECT_EQ(u.getLastPathComponent(), "b c");
    EXPECT_EQ(u.withoutQuery(), "https://user@Example.com:8443/a/b%20c");
    EXPECT_EQ(URL("http://h").getPort(), 80);
    EXPECT_EQ(URL("http://h").withoutQuery(), "http://h");
    EXPECT_EQ(URL("http://[::1]:81/x").getHost(), "[::1]");
    for (const char* bad : {"", "no scheme", "://x", "http://", "http://h:99999/", "http://h:8a/", "1http://h/"})
        EXPECT_FALSE(URL(bad).isValid()) << bad;
}

TEST(URL, EncodingRoundTripsEveryByte) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    std::string encoded = URL::encodeComponent(all);
    for (char c : encoded)
        EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || std::string("-._~%").find(c) != std::string::npos);
    EXPECT_EQ(URL::decodeComponent(encoded), all);
    EXPECT_EQ(URL::encodeComponent("a b&c=d+e\"/"), "a%20b%26c%3Dd%2Be%22%2F");
    EXPECT_EQ(URL::decodeComponent("a+b%2", true), "a b%2");
    EXPECT_EQ(URL::decodeComponent("%zz%4"), "%zz%4");
}
