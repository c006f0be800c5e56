// SPDX-License-Identifier: Apache-2.0
#pragma once
// An output file written under a unique temporary name in its folder and
// renamed into place by commit(), so that no partial file ever carries the
// final name; without a commit the temporary file is removed. Errors read
// "PATH: cannot write (reason)".
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::tool {

class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    bool write(const void* data, size_t size);
    bool write(const std::vector<uint8_t>& bytes) { return write(bytes.data(), bytes.size()); }
    bool commit();
    const std::string& error() const { return error_; }

private:
    bool setError(int err);

    std::string path_, tmp_, error_;
    int fd_ = -1;
    bool opened_ = false, committed_ = false;
};

} // namespace orvane::tool
