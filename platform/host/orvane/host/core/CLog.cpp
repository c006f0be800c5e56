// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/CLog.h"

#include <atomic>
#include <cstdio>

namespace orvane {

namespace {
std::atomic<unsigned>& mask() {
    static std::atomic<unsigned> m{CLog::ERRORS};
    return m;
}
std::mutex& sinkMutex() {
    static std::mutex m;
    return m;
}
CLog::Sink& sink() {
    static CLog::Sink s;
    return s;
}
// Sections are bit values themselves (ERRORS 1, NOTICES 2, INFO 4), so the
// mask tests them as they are.
unsigned bitFor(int section) { return section > 0 ? static_cast<unsigned>(section) : 0u; }
} // namespace

bool CLog::isEnabled(int section) { return (mask().load() & bitFor(section)) != 0; }

void CLog::setEnabled(int section, bool enabled) {
    if (enabled)
        mask() |= bitFor(section);
    else
        mask() &= ~bitFor(section);
}

void CLog::log(int section, std::string_view source, int line, std::string_view message) {
    if (!isEnabled(section)) return;
    Entry e{section, std::string(source), line, std::string(message)};
    Sink s;
    {
        std::lock_guard<std::mutex> lock(sinkMutex());
        s = sink();
    }
    if (s) {
        s(e);
        return;
    }
    std::fprintf(stderr, "[%d] %s:%d: %s\n", section, e.source.c_str(), line, e.message.c_str());
}

void CLog::setSink(Sink s) {
    std::lock_guard<std::mutex> lock(sinkMutex());
    sink() = std::move(s);
}

CLogCapture::CLogCapture() : savedMask_(mask().load()) {
    mask() = ~0u;
    CLog::setSink([this](const CLog::Entry& e) {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.push_back(e);
    });
}

CLogCapture::~CLogCapture() {
    CLog::setSink({});
    mask() = savedMask_;
}

std::vector<CLog::Entry> CLogCapture::entries() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_;
}

bool CLogCapture::contains(std::string_view part) const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& e : entries_)
        if (e.message.find(part) != std::string::npos) return true;
    return false;
}

bool CLogCapture::contains(int section, std::string_view part) const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& e : entries_)
        if (e.section == section && e.message.find(part) != std::string::npos) return true;
    return false;
}

size_t CLogCapture::count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_.size();
}

void CLogCapture::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
}

} // namespace orvane
