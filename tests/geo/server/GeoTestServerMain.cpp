// SPDX-License-Identifier: Apache-2.0
// geo_test_server [--port N]: serves the recorded geocoding, geoenrichment
// and directory answers on 127.0.0.1 until interrupted, so that the `orvane`
// geo commands can be tried without a network.
#include "GeoTestServer.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }
} // namespace

int main(int argc, char** argv) {
    int port = 8765;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--port" && i + 1 < argc) {
            port = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: geo_test_server [--port N]   (N = 0 picks a free port)\n");
            return 2;
        }
    }
    orvane::test::GeoTestServer server(port);
    if (!server.isRunning()) {
        std::fprintf(stderr, "geo_test_server: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    server.serveRecordedServices();
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::printf("geo_test_server: listening on %s\n", server.root().c_str());
    std::printf("  geocoding and geoenrichment root: %s\n", server.root().c_str());
    std::printf("  directory root:                   %s%s\n", server.root().c_str(),
                orvane::test::GeoTestServer::DIRECTORY_PATH);
    std::fflush(stdout);
    while (!stopRequested) {
        struct timespec ts = {0, 100 * 1000 * 1000};
        nanosleep(&ts, nullptr);
    }
    return 0;
}
