// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Column;
class DataGridColumnInfo;
class StyleChain;

/// Formatting helpers shared by tables and crosstabs: every value a table
/// shows is formatted here, through the column's formatter or a compact
/// variant of it.
class ORVANE_EXPORT GridUtilities {
public:
    /// The message key of a totals label by aggregation code; empty for the
    /// codes without a label (4, 13, 24 and above, negative).
    static std::string getTotalLabelKey(int aggregation);
    /// The compact format name of a numeric column whose record asks for
    /// one (useCompactFormat, or a compactFormatName given); empty otherwise.
    static std::string compactFormatForColumn(const Column& column, const DataGridColumnInfo* info);
    /// The text of one value: missing values give "", numbers go through the
    /// compact format when one is given, else the column's own formatter.
    static std::string getValueForFormat(const Column& column, size_t row, const std::string& compactFormat);
    /// A number formatted the same way (totals).
    static std::string formatNumericValue(const Column& column, double value, const std::string& compactFormat);
    /// The column's total by its aggregation code (sum, count, average,
    /// minimum, maximum, median, distinct count, standard deviation, number
    /// missing); NaN when the code has no rule here or no value takes part.
    static double computeTotal(const Column& column, int aggregation);
    /// The data row of each display row from a sort map (identity when null
    /// or of another size).
    static size_t dataRowOf(const std::shared_ptr<std::vector<unsigned>>& sortMap, size_t displayRow);
    /// The library's text of a key ("" when the bundle has none).
    static std::string message(const std::string& key);
    /// The display's DPI scale factor (1 when the host gives none that is usable).
    static float displayScale();
    /// A style dimension in pixels (paddings), or the fallback when the chain
    /// has none or it is not a finite size of 0 or more.
    static float dimensionPixels(const std::shared_ptr<StyleChain>& chain, int id, float fallback);
};

} // namespace orvane
