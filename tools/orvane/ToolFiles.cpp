// SPDX-License-Identifier: Apache-2.0
#include "ToolFiles.h"

#include "AtomicFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <unistd.h>

namespace orvane::tool {

namespace {

std::string reason(int err) { return std::string(" (") + std::strerror(err) + ")"; }

bool isDirectory(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool writeAll(std::FILE* f, const char* data, size_t size) {
    return size == 0 || std::fwrite(data, 1, size, f) == size;
}

bool writeData(const std::string& path, const char* data, size_t size, std::string& error) {
    if (path == "-") {
        std::cout.flush();
        if (!writeAll(stdout, data, size) || std::fflush(stdout) != 0) {
            error = "standard output: cannot write" + reason(errno);
            return false;
        }
        return true;
    }
    AtomicFile file(path);
    if (!file.open() || !file.write(data, size) || !file.commit()) {
        error = file.error();
        return false;
    }
    return true;
}

} // namespace

bool ToolFiles::read(const std::string& path, std::string& text, std::string& error) {
    text.clear();
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        if (std::cin.bad()) {
            error = "standard input: cannot read" + reason(errno);
            return false;
        }
        return true;
    }
    if (!checkReadable(path, error)) return false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = path + ": cannot read" + reason(errno);
        return false;
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    bool failed = std::ferror(f) != 0;
    int err = errno;
    std::fclose(f);
    if (failed) {
        error = path + ": cannot read" + reason(err);
        return false;
    }
    return true;
}

bool ToolFiles::checkReadable(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "an empty file name";
        return false;
    }
    if (isDirectory(path)) {
        error = path + ": is a directory, not a file";
        return false;
    }
    if (::access(path.c_str(), R_OK) != 0) {
        error = path + ": cannot read" + reason(errno);
        return false;
    }
    return true;
}

bool ToolFiles::write(const std::string& path, const std::string& bytes, std::string& error) {
    return writeData(path, bytes.data(), bytes.size(), error);
}

bool ToolFiles::write(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    return writeData(path, reinterpret_cast<const char*>(bytes.data()), bytes.size(), error);
}

bool ToolFiles::pictureFormat(const std::string& path, const std::string& formatOption,
                              const std::vector<std::string>& allowed, std::string& format, std::string& error) {
    std::string list;
    for (const auto& a : allowed) list += (list.empty() ? "" : "|") + a;
    if (!formatOption.empty()) {
        format = formatOption;
        std::transform(format.begin(), format.end(), format.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (std::find(allowed.begin(), allowed.end(), format) == allowed.end()) {
            error = "--format must be " + list + ", not \"" + formatOption + "\"";
            return false;
        }
        return true;
    }
    if (path == "-") {
        error = "-o - (standard output) needs --format " + list;
        return false;
    }
    std::string ext = std::filesystem::path(path).extension().string();
    if (!ext.empty()) ext.erase(0, 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (std::find(allowed.begin(), allowed.end(), ext) == allowed.end()) {
        error = "the output must end in ." + list.substr(0, list.find('|')) + " or ." +
                list.substr(list.rfind('|') + 1) + " (or give --format): " + path;
        if (allowed.size() == 1) error = "the output must end in ." + allowed[0] + ": " + path;
        return false;
    }
    format = ext;
    return true;
}

std::string ToolFiles::bundledReport() {
    const std::string relative = "report/report.xml";
#ifdef ORVANE_EXAMPLES_DIR
    std::string built = std::string(ORVANE_EXAMPLES_DIR) + "/" + relative;
    if (std::filesystem::exists(built)) return built;
#endif
    return "examples/" + relative;
}

} // namespace orvane::tool
