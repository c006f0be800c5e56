// SPDX-License-Identifier: Apache-2.0
#pragma once
// Reading and writing the files the `orvane` commands name, with the
// conventions they share: "-" is standard input or standard output, and every
// failure says which file and why ("FILE: cannot read (No such file or
// directory)", "FILE: is a directory").
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::tool {

class ToolFiles {
public:
    // The name of standard input in messages and as a document's path.
    static constexpr const char* STDIN_NAME = "<stdin>";

    // Reads the whole file ("-": standard input) into `text`.
    static bool read(const std::string& path, std::string& text, std::string& error);
    // Checks that a file the library will read itself exists and is readable,
    // so that the reason is the system's ("No such file or directory").
    static bool checkReadable(const std::string& path, std::string& error);
    // The bundled example report: beside the sources, else under the current folder.
    static std::string bundledReport();
    // Writes `bytes` to the file ("-": standard output). A file is written
    // beside itself and renamed, so a failure never leaves half a file.
    static bool write(const std::string& path, const std::string& bytes, std::string& error);
    static bool write(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

    // The picture format of an output: --format when given (needed for "-"),
    // else the extension. One of `allowed` ("svg", "png"), else an error.
    static bool pictureFormat(const std::string& path, const std::string& formatOption,
                              const std::vector<std::string>& allowed, std::string& format, std::string& error);
};

} // namespace orvane::tool
