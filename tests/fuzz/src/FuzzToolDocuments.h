// SPDX-License-Identifier: Apache-2.0
// What the fuzz targets of the tool's document readers share: the input goes
// to a file of this process (the commands read files), and the command runs
// in process with its output thrown away.
#pragma once
#include "Command.h"

#include "../../geo/fuzz/FuzzSupport.h"
#include "orvane/host/core/CLog.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// A file path of this process with the extension, in the temporary folder.
inline std::string scratchPath(const std::string& extension) {
    return "/tmp/orvane-fuzz-" + std::to_string(getpid()) + extension;
}

// Writes the input to the path and runs the command with the arguments; the
// answer is 0 (done) or 1 (refused with a message), nothing else.
inline void runCommand(const char* name, std::string_view input, const std::string& path,
                       const std::vector<std::string>& args) {
    static const bool quiet = (orvane::CLog::setEnabled(orvane::CLog::ERRORS, false), true);
    (void)quiet;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << input;
    const orvane::tool::Command* command = orvane::tool::CommandRegistry::find(name);
    check(command != nullptr);
    int status = command->run(args);
    check(status == 0 || status == 1);
}

} // namespace fuzz
