// SPDX-License-Identifier: Apache-2.0
// orvane serve: shows a report in a web browser, live. Every tab gets its own
// session of the report; the page sends pointer, wheel and key input, the
// server turns it into the library's gestures and answers with the frames
// the views draw.
#include "Command.h"
#include "ToolFiles.h"
#include "ViewerServer.h"

#include "orvane/host/io/ResourceManager.h"
#include "orvane/report/Report.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>
#include <thread>

namespace orvane::tool {

namespace {

bool parseCount(const std::string& text, long long low, long long high, long long& out) {
    try {
        size_t used = 0;
        out = std::stoll(text, &used);
        return used == text.size() && out >= low && out <= high;
    } catch (const std::exception&) {
        return false;
    }
}

int serve(const std::vector<std::string>& args) {
    ArgParser p = CommandRegistry::parserFor("serve");
    if (!p.parse(args)) return usageError("serve", p.error());
    if (p.positional().size() != 1) return usageError("serve", "give one report file to serve");
    ViewerServer::Options options;
    options.report = p.positional()[0];
    long long n = 0;
    if (p.has("port")) {
        if (!parseCount(p.get("port"), 0, 65535, n))
            return usageError("serve", "--port must be a port number from 0 (any free port) to 65535, not \"" +
                                           p.get("port") + "\"");
        options.port = static_cast<int>(n);
    }
    if (p.has("bind")) options.bind = p.get("bind");
    if (p.has("max-sessions")) {
        if (!parseCount(p.get("max-sessions"), 1, 1000, n))
            return usageError("serve", "--max-sessions must be from 1 to 1000, not \"" + p.get("max-sessions") + "\"");
        options.maxSessions = static_cast<size_t>(n);
    }
    if (p.has("idle-timeout")) {
        if (!parseCount(p.get("idle-timeout"), 1, 7 * 24 * 3600, n))
            return usageError("serve", "--idle-timeout must be seconds from 1 to 604800, not \"" +
                                           p.get("idle-timeout") + "\"");
        options.idleSeconds = static_cast<double>(n);
    }
    options.assetDir = ResourceManager::getAssetDirectory() + "/viewer";

    // The report is read once here, so that a bad file is reported before
    // anything listens; every session reads it again for itself.
    std::string error;
    if (!ToolFiles::checkReadable(options.report, error)) return fail(error);
    std::vector<std::string> errors;
    if (!Report::open(options.report, errors)) {
        for (const auto& e : errors) fail(e);
        if (errors.empty()) fail("serve: " + options.report + ": cannot be shown");
        return EXIT_FAILED;
    }

    // Ctrl+C and a termination request stop the server cleanly: the signals
    // are taken by one thread of their own rather than interrupting any.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    ViewerServer server(options);
    if (!server.start(error)) return fail(error);
    if (!ViewerServer::isLoopback(options.bind))
        std::cerr << "orvane: serve: warning: listening on " << options.bind
                  << ", not only on this machine: anyone who can reach it can open the report\n";
    const std::string host = options.bind.find(':') != std::string::npos ? "[" + options.bind + "]" : options.bind;
    std::cout << "orvane serve: " << options.report << " at http://" << host << ":" << server.port()
              << "/ (Ctrl+C stops)" << std::endl;
    std::thread stopper([&server, signals] {
        int which = 0;
        sigwait(&signals, &which);
        server.stop();
    });
    server.serve();
    // serve() only ends by a signal (or a failure to listen): make sure the
    // signal thread ends too.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    server.stop();
    return EXIT_OK;
}

} // namespace

ORVANE_TOOL_COMMAND(
    "serve", "REPORT.xml [--port N] [--bind ADDR] [--max-sessions N] [--idle-timeout S]",
    "show a report live in a web browser: tap, pan, scroll and type on its tables and crosstabs", &serve,
    {{"--port", "N", "the port to listen on (default 8080; 0: any free port, printed)"},
     {"--bind", "ADDR", "the address to listen on (default 127.0.0.1, this machine only)"},
     {"--max-sessions", "N", "browser tabs open at once (default 16)"},
     {"--idle-timeout", "S", "seconds after which an unused tab's session is freed (default 600)"}},
    "Open the printed address in a browser. Each tab is a session of its own;\n"
    "nothing but the report file is shared between tabs. Given --bind with an\n"
    "address other than loopback, serve warns that others can reach it.\n\n"
    "A click on a table or crosstab gives it the keyboard: arrows, Home, End and\n"
    "the page keys walk its cells, Enter sorts on a table's header or expands a\n"
    "crosstab's member. Tab into the page's ARIA grids (one stop each) to walk a\n"
    "table or crosstab as a screen reader does; p plays the column.\n\n"
    "examples:\n"
    "  orvane serve examples/report/report.xml\n"
    "  orvane serve examples/table/scrolling-table.xml --port 0\n"
    "  orvane serve examples/crosstab/two-crosstabs.xml");

} // namespace orvane::tool
