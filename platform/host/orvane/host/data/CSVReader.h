// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class DataSet;

/// Reads comma-separated text (RFC 4180 quoting, UTF-8, a header row of column
/// names) into a DataSet with typed columns.
///
/// Types: a column whose every non-empty value is a plain number ("12",
/// "-3.5e2"; empty, ".", "NA", "NaN", "N/A" and "null" are missing) is
/// numeric, any other column is character. A column given a format is read in
/// that format: dates, date-times and times become day and second numbers
/// ("2024-03-01", "01MAR2024", "2024-03-01T10:30:00" ...), number formats also
/// read "$1,234.50", "12%" and "(5)". A value that does not read in its
/// column's format is missing and counted as a warning.
///
/// Refused with "file:line: problem": rows with more or fewer fields than the
/// header, bad quoting, text that is not UTF-8, duplicate column names.
///
/// Per-column labels, formats, data usage and types may be given in Options or
/// in a metadata file beside the data: FILE.columns.csv with the header
/// name,label,format,usage[,type] (usage "category"/"measure" or 1/2, type
/// "numeric"/"character").
class ORVANE_HOST_EXPORT CSVReader {
public:
    struct ColumnSpec {
        std::string name;
        std::string label;
        std::string format;
        int dataUsage = 0;  ///< 0 = by type
        int type = -1;      ///< -1 = detect, 0 numeric, 1 character
    };
    struct Options {
        char delimiter = ',';
        /// Detect numeric columns; false reads every column as character.
        bool inferTypes = true;
        bool createRowStates = true;
        /// The data set's name; empty takes the file name without extension.
        std::string dataSetName;
        std::vector<ColumnSpec> columns;
        /// readFile: use FILE.columns.csv when present and no specs are given.
        bool readMetadataFile = true;
        /// Threads that read pieces of the text at the same time (0: one per
        /// processor core), and the size of a piece in bytes (0: 2 MB).
        unsigned threads = 0;
        size_t chunkBytes = 0;
    };
    struct Result {
        std::shared_ptr<DataSet> dataSet;  ///< null when refused
        std::string error;                 ///< "file:line: problem"
        size_t warningCount = 0;
        std::vector<std::string> warnings;  ///< the first few, with their line
        std::string metadataFile;           ///< the metadata file used, if any
        bool ok() const { return dataSet != nullptr; }
    };

    static Result readFile(const std::string& path, const Options& options);
    static Result readFile(const std::string& path);
    static Result readString(std::string_view text, const Options& options, const std::string& sourceName = "<text>");
    static Result readString(std::string_view text);
    /// Reads a metadata file (see above).
    static bool readColumnSpecs(const std::string& path, std::vector<ColumnSpec>& out, std::string& error);
    /// "dir/sales.csv" -> "dir/sales.columns.csv"
    static std::string metadataPathFor(const std::string& csvPath);

    static constexpr size_t MAX_LISTED_WARNINGS = 20;
};

} // namespace orvane
