// The `orvane` command-line host: reads report documents and data through the
// library and shows what it does with them.
#include "Command.h"

#include "orvane/package/OrvaneUIPackage.h"

#include <cstdio>
#include <exception>

using orvane::tool::CommandRegistry;

static void usage(std::FILE* out) {
    std::fprintf(out, "usage: orvane <command> [arguments]\n\ncommands:\n");
    for (const auto& c : CommandRegistry::all())
        std::fprintf(out, "  %-16s %s\n  %-16s   %s %s\n", c.name.c_str(), c.summary.c_str(), "", c.name.c_str(),
                     c.usage.c_str());
}

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h" ||
        std::string(argv[1]) == "help") {
        usage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const auto* command = CommandRegistry::find(argv[1]);
    if (!command) {
        std::fprintf(stderr, "orvane: unknown command \"%s\"\n\n", argv[1]);
        usage(stderr);
        return 2;
    }
    orvane::OrvaneUIPackage::instance();
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
        return command->run(args);
    } catch (const std::exception& e) {
        return orvane::tool::fail(std::string("internal error: ") + e.what());
    }
}
