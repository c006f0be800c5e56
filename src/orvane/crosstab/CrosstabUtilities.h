// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Crosstab;
class DataSet;

/// Static helpers the crosstab classes share.
class ORVANE_EXPORT CrosstabUtilities {
public:
    /// The indices of the columns that are not suppressed, in order; empty for
    /// an empty or absent data set.
    static std::vector<int> getDisplayedColumnIndicies(const std::shared_ptr<DataSet>& cells);
    /// The cell column of a column crossing: the column leaf whose member
    /// labels (from the top of the column tree down) equal the tuple, and the
    /// measure of that name under it; -1 when there is none.
    static int getColumnIndexForTuple(const Crosstab& crosstab, const std::vector<std::string>& memberLabels,
                                      const std::string& measureName);
};

} // namespace orvane
