// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Crosstab;
class DataSet;

/// A crosstab as a report describes it: a data set, the row and column
/// levels, the measures with their aggregations, totals, subtotals, where the
/// summaries go, the members shown expanded, and the heat-map measures.
/// build() checks it against the data and makes the Crosstab (with its
/// hierarchy data set, ready for a CrosstabRenderer).
struct ORVANE_EXPORT CrosstabDefinition {
    std::vector<std::string> rows;
    std::vector<std::string> columns;
    /// "name" or "name:aggregation" (sum, mean, min, max, count, ...).
    std::vector<std::string> measures;
    bool totals = false;
    bool subtotals = false;
    bool summaryOnTop = false;
    bool indented = false;
    /// The measures down the rows (one column per column member).
    bool transposed = false;
    /// Member paths shown expanded ("East", "East/Boston"); "*" expands all.
    /// A path after "columns:" names a column member ("columns:2024",
    /// "columns:*").
    std::vector<std::string> expanded;
    std::vector<std::string> heatMap;
    /// "level:ascending" or "level:descending": the members of a row or
    /// column level in that order by label, shown by the level's axis-label
    /// header.
    std::vector<std::string> sorts;

    /// Splits "a,b,c" (empty items dropped, blanks around items trimmed).
    static std::vector<std::string> splitList(const std::string& text, char separator = ',');
    /// The crosstab over the data, or null with `error` saying why.
    std::shared_ptr<Crosstab> build(const std::shared_ptr<DataSet>& data, std::string& error) const;
    /// The measure names without their aggregations.
    std::vector<std::string> measureNames() const;
};

} // namespace orvane
