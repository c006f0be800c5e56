// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/data/DataValue.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

class Hierarchy;

/// What selection needs to know about a hierarchy: its name, the column of
/// its current (drilled-to) level, its level names, and the levels above the
/// current one with the value each is drilled into. Selection reads
/// hierarchies only through this adapter, so that the hierarchy engine can
/// supply the answers; the installed default knows nothing about a hierarchy
/// (empty names, no levels), which makes hierarchies inert in selections.
class ORVANE_EXPORT SelectionHierarchyAdapter {
public:
    using DrillStep = std::pair<std::string, std::shared_ptr<DataValue>>;

    virtual ~SelectionHierarchyAdapter() = default;

    /// The hierarchy's name ("" when unknown).
    virtual std::string getHierarchyName(const Hierarchy& hierarchy) const;
    /// The column name of the current level ("" when unknown).
    virtual std::string getCurrentLevelName(const Hierarchy& hierarchy) const;
    /// Every level's column name, from the top.
    virtual std::vector<std::string> getLevelNames(const Hierarchy& hierarchy) const;
    /// The levels above the current one with their drilled-into values, from the top.
    virtual std::vector<DrillStep> getDrillPath(const Hierarchy& hierarchy) const;

    /// The adapter in use (never null).
    static std::shared_ptr<SelectionHierarchyAdapter> get();
    /// Installs an adapter; null restores the default.
    static void set(std::shared_ptr<SelectionHierarchyAdapter> adapter);
};

} // namespace orvane
