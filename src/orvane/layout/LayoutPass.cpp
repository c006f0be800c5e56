// SPDX-License-Identifier: Apache-2.0
#include "orvane/layout/LayoutPass.h"

#include "orvane/host/core/CLog.h"

#include <algorithm>

namespace orvane {

namespace {
thread_local int tDepth = 0;
thread_local bool tReported = false;
thread_local const std::vector<const LayoutProxy*>* tPath = nullptr;
} // namespace

LayoutPass::Scope::Scope() : ok_(tDepth < MAX_DEPTH) {
    if (tDepth == 0) tReported = false;
    ++tDepth;
    if (!ok_ && !tReported) {
        tReported = true;
        ORVANE_LOG(CLog::ERRORS, "orvane/layout/LayoutPass",
                   "layout stopped: the proxy tree is deeper than 256 levels or has a cycle");
    }
}

LayoutPass::Scope::~Scope() { --tDepth; }

LayoutPass::Incremental::Incremental(std::vector<const LayoutProxy*> path) : path_(std::move(path)), previous_(tPath) {
    tPath = &path_;
}

LayoutPass::Incremental::~Incremental() { tPath = previous_; }

LayoutPass::Full::Full() : previous_(tPath) { tPath = nullptr; }

LayoutPass::Full::~Full() { tPath = previous_; }

int LayoutPass::depth() { return tDepth; }

bool LayoutPass::isIncremental() { return tPath != nullptr; }

bool LayoutPass::isOnPath(const LayoutProxy* proxy) {
    return tPath && std::find(tPath->begin(), tPath->end(), proxy) != tPath->end();
}

} // namespace orvane
