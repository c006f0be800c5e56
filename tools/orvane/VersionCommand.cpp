// SPDX-License-Identifier: Apache-2.0
// orvane version: the version of the library the tool runs with, the version
// of the headers it was built with, and the asset folder the library uses
// (the one beside the installed library, or $ORVANE_ASSET_DIR).
#include "Command.h"

#include "orvane/Version.h"
#include "orvane/host/io/ResourceManager.h"

#include <filesystem>
#include <iostream>

namespace orvane::tool {

namespace {

int version(const std::vector<std::string>& args) {
    if (!args.empty()) return fail("version: takes no arguments");
    std::cout << "libOrvaneUI " << orvane::version() << " (headers " << ORVANE_VERSION_STRING << ")\n";
    const std::string assets = ResourceManager::getAssetDirectory();
    std::error_code ec;
    const bool catalogue = std::filesystem::is_directory(assets + "/messages", ec);
    std::cout << "assets: " << assets << (catalogue ? "" : " (no message catalogue there)") << "\n";
    return catalogue ? 0 : 1;
}

} // namespace

ORVANE_TOOL_COMMAND("version", "", "print the library version and the asset folder it uses", &version);

} // namespace orvane::tool
