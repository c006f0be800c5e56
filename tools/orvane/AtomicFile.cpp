// SPDX-License-Identifier: Apache-2.0
#include "AtomicFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvane::tool {

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)), tmp_(path_ + ".XXXXXX") {}

AtomicFile::~AtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && opened_) ::unlink(tmp_.c_str());
}

bool AtomicFile::open() {
    struct stat st{};
    if (::stat(path_.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error_ = path_ + ": is a directory, not a file";
        return false;
    }
    fd_ = ::mkstemp(tmp_.data());
    opened_ = fd_ >= 0;
    if (!opened_) setError(errno);
    return opened_;
}

bool AtomicFile::write(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    for (size_t done = 0; error_.empty() && done < size;) {
        ssize_t n = ::write(fd_, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            setError(errno);
        else
            done += static_cast<size_t>(n);
    }
    return error_.empty();
}

bool AtomicFile::commit() {
    if (!error_.empty() || fd_ < 0) return false;
    // mkstemp makes the file private to its owner; an output file gets the
    // usual permissions, narrowed by the umask.
    mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd_, 0666 & ~mask) != 0) return setError(errno);
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return setError(errno);
    if (std::rename(tmp_.c_str(), path_.c_str()) != 0) return setError(errno);
    committed_ = true;
    return true;
}

bool AtomicFile::setError(int err) {
    if (error_.empty()) error_ = path_ + ": cannot write (" + std::strerror(err) + ")";
    return false;
}

} // namespace orvane::tool
