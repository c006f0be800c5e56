// SPDX-License-Identifier: Apache-2.0
// The `orvane` command-line host: reads report documents and data through the
// library and shows what it does with them.
#include "Command.h"

#include "orvane/host/core/CLog.h"
#include "orvane/package/OrvaneUIPackage.h"

#include <cstdio>
#include <exception>

using orvane::tool::CommandRegistry;

namespace {

void usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: orvane <command> [arguments]\n"
                 "       orvane help <command>   (or orvane <command> --help)\n"
                 "       orvane --version\n\ncommands:\n");
    for (const auto& c : CommandRegistry::all())
        std::fprintf(out, "  %-16s %s\n  %-16s   %s %s\n", c.name.c_str(), c.summary.c_str(), "", c.name.c_str(),
                     c.usage.c_str());
    std::fprintf(out,
                 "\nconventions (every command):\n"
                 "  --name value and --name=value are the same; -- ends the options\n"
                 "  -  as a file reads standard input, -o - writes standard output (with --format)\n"
                 "  picture coordinates (--tap, --pick) are pixels from the top left\n"
                 "  -v, --verbose  log the library's notices too (its errors are always logged)\n"
                 "  -q, --quiet    print nothing on success\n"
                 "  messages start with the sub-command or the file they concern\n"
                 "\nexit status:\n"
                 "  0  success\n"
                 "  1  the work failed (unreadable or bad input, a service failure, cannot write)\n"
                 "  2  usage error (unknown command or option, missing or bad argument)\n");
}

bool isHelp(const std::string& a) { return a == "--help" || a == "-h"; }

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        usage(stderr);
        return orvane::tool::EXIT_USAGE;
    }
    const std::string& first = all[0];
    if (first == "--version" || first == "-V") {
        std::printf("orvane %s (libOrvaneUI %s)\n", ORVANE_VERSION, ORVANE_VERSION);
        return 0;
    }
    if (isHelp(first) || first == "help") {
        if (first == "help" && all.size() > 1) {
            const auto* command = CommandRegistry::find(all[1]);
            if (!command) {
                std::fprintf(stderr, "orvane: unknown command \"%s\" (see: orvane help)\n", all[1].c_str());
                return orvane::tool::EXIT_USAGE;
            }
            std::fputs(CommandRegistry::help(*command).c_str(), stdout);
            return 0;
        }
        usage(stdout);
        return 0;
    }
    const auto* command = CommandRegistry::find(first);
    if (!command) {
        std::fprintf(stderr, "orvane: unknown command \"%s\"\n\n", first.c_str());
        usage(stderr);
        return orvane::tool::EXIT_USAGE;
    }
    // The options every command shares, up to "--".
    std::vector<std::string> args;
    bool optionsEnded = false;
    for (size_t i = 1; i < all.size(); ++i) {
        const std::string& a = all[i];
        if (!optionsEnded && isHelp(a)) {
            std::fputs(CommandRegistry::help(*command).c_str(), stdout);
            return 0;
        }
        if (!optionsEnded && (a == "-v" || a == "--verbose")) {
            orvane::CLog::setEnabled(orvane::CLog::NOTICES, true);
            orvane::CLog::setEnabled(orvane::CLog::INFO, true);
            continue;
        }
        if (!optionsEnded && (a == "-q" || a == "--quiet")) {
            orvane::tool::setQuiet(true);
            continue;
        }
        if (a == "--") optionsEnded = true;
        args.push_back(a);
    }
    orvane::OrvaneUIPackage::instance();
    try {
        return command->run(args);
    } catch (const std::exception& e) {
        return orvane::tool::fail(first + ": internal error: " + e.what());
    }
}
