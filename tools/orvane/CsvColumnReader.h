#pragma once
#include <string>
#include <vector>

namespace orvane::tool {

// Reads one numeric column of a CSV file whose first row names the columns.
// Kept apart from the commands so that it can give way to the host's data-set
// reader: callers only see the values.
class CsvColumnReader {
public:
    // Values of the column in row order; NaN for a missing value (an empty
    // cell, ".", "NA", "N/A", "NaN" or "null", or a row too short to reach the
    // column). False, with a message in error, when the file cannot be read or
    // parsed, has no header row, has no such column, or holds a cell that is
    // not a number.
    static bool read(const std::string& path, const std::string& column, std::vector<double>& values,
                     std::string& error);
};

} // namespace orvane::tool
