// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class Formatter;

/// Reads the records of one piece of CSV text that starts at a record boundary
/// into column buffers of its own, so that pieces of a file can be read at the
/// same time and joined in order afterwards. It accepts exactly the text the
/// strict reader accepts: any problem (bad quoting, a row of the wrong length,
/// a quoted field still open at the end of the piece) makes parse return false,
/// and the caller reads the text again with the reader that reports the line.
///
/// Text values are dictionary-encoded per piece (code 0 is ""); joining maps
/// the piece's codes to the column's.
class ORVANE_HOST_EXPORT CSVChunkParser {
public:
    enum class Kind : uint8_t {
        SKIP,       ///< not read
        AUTO,       ///< numbers while every value is one; else the piece turns it to text
        FORMATTED,  ///< numbers read in a format; values that do not read are missing and warned about
        TEXT,       ///< strings
    };
    struct ColumnPlan {
        Kind kind = Kind::SKIP;
        const Formatter* format = nullptr;
        size_t distinctHint = 0;  ///< text: distinct values expected (sizes the index)
    };
    struct ColumnValues {
        Kind kind = Kind::SKIP;
        std::vector<double> numbers;
        std::vector<uint32_t> codes;
        /// By code; 0 is "". With dictionaries taken from an earlier parser,
        /// the strings of the earlier pieces come first.
        std::vector<std::string_view> dictionary;
    };
    /// A value that did not read in its column's format.
    struct Warning {
        size_t column;
        std::string text;
        size_t recordEnd;  ///< offset in the piece of the end of its record
    };
    static constexpr size_t MAX_WARNINGS = 20;

    CSVChunkParser(char delimiter, std::vector<ColumnPlan> plan);
    ~CSVChunkParser();
    CSVChunkParser(const CSVChunkParser&) = delete;
    CSVChunkParser& operator=(const CSVChunkParser&) = delete;

    /// Takes over the text dictionaries of the parser of an earlier piece
    /// read on the same thread (before parse): strings met before keep their
    /// codes, so joining looks up in the column only the strings new to the
    /// thread, and a string is hashed into a fresh index once per thread
    /// rather than once per piece.
    void takeDictionaries(CSVChunkParser& earlier);
    /// Reads every record of text. last: the text ends the file (the last
    /// record may lack its line end). The text must stay alive while the
    /// values are used.
    bool parse(std::string_view text, bool last);
    /// Reads the column's values again as strings (a column that turned to
    /// text, here or in another piece).
    bool reparseAsText(size_t column);

    size_t getRowCount() const { return rows_; }
    ColumnValues& column(size_t c) { return columns_[c]; }
    size_t getWarningCount() const { return warningCount_; }
    const std::vector<Warning>& getWarnings() const { return warnings_; }

    /// The fields of the first record of text and the offset just past it;
    /// false when the text has no complete record or is malformed.
    static bool readHeader(std::string_view text, char delimiter, bool last, std::vector<std::string>& fields,
                           size_t& end);
    /// Reads a plain number ("12", " -3.5e2", "+4"); missing tokens ("",
    /// ".", "NA", "NaN", "N/A", "null" ...) read as NaN. False for any other text.
    static bool readNumber(std::string_view text, double& out);
    /// Where a record may start after text[0, size) that starts at a record
    /// boundary: just past the last line feed outside quotes (0 when none).
    static size_t lastRecordBoundary(const char* text, size_t size);

private:
    class Tokenizer;
    struct Dictionary;
    /// Helpers of the parse loop: not exported, so that calls among them stay
    /// direct within the library.
    ORVANE_HOST_NO_EXPORT uint32_t intern(size_t column, std::string_view value);
    ORVANE_HOST_NO_EXPORT uint32_t intern(size_t column, std::string_view value, uint64_t hash);
    ORVANE_HOST_NO_EXPORT Dictionary& dictionaryOf(size_t column);
    /// Appends the code of a text value, looked up a few values later (see
    /// the source); flushText looks up every value still waiting.
    ORVANE_HOST_NO_EXPORT void queueText(size_t column, std::string_view value);
    ORVANE_HOST_NO_EXPORT void flushText();
    /// Reads the column's values of the records in text_[0, end) as strings.
    ORVANE_HOST_NO_EXPORT bool readAsText(size_t column, size_t end);

    char delimiter_;
    std::vector<ColumnPlan> plan_;
    std::vector<ColumnValues> columns_;
    std::vector<std::unique_ptr<Dictionary>> dictionaries_;
    std::string_view text_;
    bool last_ = false;
    size_t rows_ = 0;
    size_t warningCount_ = 0;
    std::vector<Warning> warnings_;

    struct PendingText {
        size_t column;
        size_t row;
        std::string_view value;
        uint64_t hash;
    };
    static constexpr size_t kRing = 64;
    std::array<PendingText, kRing> ring_;
    size_t ringHead_ = 0, ringMid_ = 0, ringTail_ = 0;
};

} // namespace orvane
