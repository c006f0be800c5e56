// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/Variable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class DataSet;

/// One column of a DataSet. Numeric columns (type 0) hold doubles, NaN being
/// missing; dates, date-times and times are numeric columns with a temporal
/// format. Character columns hold strings dictionary-encoded: every distinct
/// string is stored once and rows hold its code; code 0 is the empty string,
/// which is the missing character value.
///
/// Per row a column may also carry value flags (sparse, all-others,
/// matches-all) and a formatted text that replaces the formatted value; both
/// are stored only once used. A column may carry a total (a number and its
/// formatted text).
///
/// Changing values through the setters announces DataSet::CHANGED on the owning
/// data set.
class ORVANE_HOST_EXPORT Column : public Variable {
public:
    static constexpr uint32_t NO_CODE = 0xffffffffu;

    Column(std::string name, int type) : Variable(std::move(name), type) { dictionaryReset(); }

    static std::shared_ptr<Column> create(const std::string& name, int type = NUMERIC) {
        return std::make_shared<Column>(name, type);
    }
    /// A numeric column with a label and a data usage (a measure column).
    static std::shared_ptr<Column> create(const std::string& name, const std::string& label, int dataUsage,
                                          int type = NUMERIC);
    static std::shared_ptr<Column> createNumeric(const std::string& name, const std::vector<double>& values = {},
                                                 std::string_view formatName = {});
    static std::shared_ptr<Column> createCharacter(const std::string& name,
                                                   const std::vector<std::string>& values = {});
    /// A copy with the same metadata and values, owned by no data set.
    std::shared_ptr<Column> copy() const;

    size_t getRowCount() const { return isNumeric() ? numbers_.size() : codes_.size(); }
    size_t getNumberOfRows() const { return getRowCount(); }

    // ---- values at a row (out-of-range rows read as missing)
    bool isMissingAtIndex(size_t row) const;
    /// The number (NaN for missing values, character columns and bad rows).
    double getNumberAtIndex(size_t row) const;
    /// Character columns: the raw string. Numeric columns: the formatted value.
    /// Null for a row outside the column.
    std::shared_ptr<const std::string> getStringAtIndex(size_t row) const;
    /// The text of the row in the column's format (its own formatted text when
    /// one is set; "" for sparse values). Null for a row outside the column.
    std::shared_ptr<const std::string> getFormattedValueAtIndex(size_t row) const;
    /// The value with its type (a date for date formats ...), flags and text
    /// formatted with the column's format. Null for a row outside the column.
    std::shared_ptr<DataValue> getDataValueAtIndex(size_t row) const;
    uint8_t getValueFlagsAtIndex(size_t row) const { return row < flags_.size() ? flags_[row] : 0; }
    /// Type of the values: Number, Date, DateTime, Time or String.
    DataValue::Type getValueType() const;

    /// Smallest and largest non-missing number (NaN when there is none).
    double getMinimumNumber() const;
    double getMaximumNumber() const;

    // ---- total
    bool hasTotal() const { return total_ != nullptr; }
    /// The total (a number with its formatted text), or null.
    std::shared_ptr<DataValue> getTotalValue() const { return total_; }
    /// The formatted total (null when there is no total).
    std::shared_ptr<const std::string> getFormattedTotal() const {
        return total_ ? total_->getFormattedValue() : nullptr;
    }
    /// Sets the total; without a text the number is formatted with the column's format.
    void setTotalValue(double number, std::shared_ptr<const std::string> formattedText = nullptr);
    void clearTotal() { total_.reset(); }

    /// The name of the measure a column of normalised (crossed) data carries;
    /// the column name unless set.
    std::shared_ptr<const std::string> getMeasureName() const { return measureName_ ? measureName_ : getName(); }
    void setMeasureName(const std::string& name) { measureName_ = std::make_shared<const std::string>(name); }

    bool isSuppressed() const { return suppressed_; }
    void setSuppressed(bool suppressed) { suppressed_ = suppressed; }

    // ---- building and changing values
    void reserve(size_t rows);
    /// Appends one row. A string appended to a numeric column is read in the
    /// column's format (missing and false when it does not read); a number
    /// appended to a character column is written in its best text.
    void appendNumber(double value);
    bool appendString(std::string_view value);
    void appendMissing();
    bool appendValue(const DataValue& value);
    /// Changing a row; false for a row outside the column or a string that does
    /// not read as a number of a numeric column.
    bool setNumberAtIndex(size_t row, double value);
    bool setStringAtIndex(size_t row, std::string_view value);
    bool setValueAtIndex(size_t row, const DataValue& value);
    bool setValueFlagsAtIndex(size_t row, uint8_t flags);
    /// A text that replaces the formatted value of the row (null clears it).
    bool setFormattedValueAtIndex(size_t row, std::shared_ptr<const std::string> text);
    /// Sets the row count: new rows are missing, dropped rows are gone.
    void resize(size_t rows);

    // ---- column-at-a-time access
    const std::vector<double>& getNumbers() const { return numbers_; }
    const std::vector<uint32_t>& getCodes() const { return codes_; }
    /// Distinct strings by code (code 0 is "").
    const std::vector<std::shared_ptr<const std::string>>& getDictionary() const { return dictionary_; }
    /// The code of a string, or NO_CODE when no row holds it.
    uint32_t findCode(std::string_view text) const;
    /// The code of a string, adding it to the dictionary when new.
    uint32_t internString(std::string_view text);
    /// Rank of every dictionary code in the collation order of the current
    /// locale (equal strings under collation share a rank).
    const std::vector<uint32_t>& getCollationRanks() const;
    /// Appends a row by code (no check beyond the dictionary size).
    void appendCode(uint32_t code) { codes_.push_back(code < dictionary_.size() ? code : 0); }
    /// Direct fill of a numeric column (the reader's fast path).
    std::vector<double>& mutableNumbers() { return numbers_; }
    /// Direct fill of a character column's codes (the reader's fast path;
    /// codes must be below the dictionary size).
    std::vector<uint32_t>& mutableCodes() { return codes_; }

    /// The data set this column belongs to (null when none).
    std::shared_ptr<DataSet> getDataSet() const { return owner_.lock(); }

private:
    friend class DataSet;
    void changed();
    void formatChanged() override;
    void dictionaryReset();
    void rehash(size_t capacity);
    std::shared_ptr<const std::string> formatNumber(double v) const;

    std::vector<double> numbers_;
    std::vector<uint32_t> codes_;
    std::vector<std::shared_ptr<const std::string>> dictionary_;
    /// Open-addressing index of the dictionary: per slot the high 32 bits of
    /// the string's hash and code + 1 (0 = empty), so that most probes need
    /// no string comparison.
    std::vector<uint64_t> slots_;
    /// The dictionary's strings as views into arena blocks, packed for cache
    /// locality while reading (the blocks never move).
    std::vector<std::string_view> views_;
    std::vector<std::shared_ptr<char[]>> arena_;
    size_t arenaUsed_ = 0;
    size_t arenaSize_ = 0;
    std::vector<uint8_t> flags_;
    std::vector<std::shared_ptr<const std::string>> formattedOverrides_;
    std::shared_ptr<DataValue> total_;
    std::shared_ptr<const std::string> measureName_;
    bool suppressed_ = false;
    bool totalTextGiven_ = false;

    mutable bool rangeValid_ = false;
    mutable double min_ = 0, max_ = 0;
    mutable std::vector<uint32_t> ranks_;
    mutable std::string ranksLocale_;
    mutable size_t ranksDictionarySize_ = 0;

    std::weak_ptr<DataSet> owner_;
};

} // namespace orvane
