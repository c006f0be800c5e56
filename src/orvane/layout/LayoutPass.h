// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <memory>
#include <vector>

namespace orvane {

class LayoutProxy;

/// State of the layout pass running on this thread: the depth of the strategy
/// recursion (and of the size queries that walk down the tree), and, for an
/// incremental relayout, the proxies on the path to the changed one.
///
/// The depth bound is what keeps a malformed tree from overflowing the stack:
/// every recursive walk enters a Scope, and a walk deeper than MAX_DEPTH stops
/// there with one log line.
class ORVANE_EXPORT LayoutPass {
public:
    static constexpr int MAX_DEPTH = 256;

    /// One level of recursion. ok() is false past MAX_DEPTH; the walk must then
    /// not descend further.
    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        bool ok() const { return ok_; }

    private:
        bool ok_;
    };

    /// Marks an incremental relayout for its lifetime: the base recursion then
    /// descends only into children on `path` or whose bounds moved since they
    /// were last laid out.
    class Incremental {
    public:
        explicit Incremental(std::vector<const LayoutProxy*> path);
        ~Incremental();
        Incremental(const Incremental&) = delete;
        Incremental& operator=(const Incremental&) = delete;

    private:
        std::vector<const LayoutProxy*> path_;
        const std::vector<const LayoutProxy*>* previous_;
    };

    /// Marks a full pass for its lifetime (also inside an incremental one).
    class Full {
    public:
        Full();
        ~Full();
        Full(const Full&) = delete;
        Full& operator=(const Full&) = delete;

    private:
        const std::vector<const LayoutProxy*>* previous_;
    };

    static int depth();
    static bool isIncremental();
    static bool isOnPath(const LayoutProxy* proxy);
};

} // namespace orvane
