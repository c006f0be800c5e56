// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/RowStates.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class AbstractWhereClauseExpression;
class RowBitmap;

/// A columnar in-memory table: named columns of equal length, an optional
/// name, and optional row states (the selection). Dispatches CHANGED when its
/// content changes (columns added or removed, values changed through the
/// columns), and re-dispatches the row states' SELECTED_CHANGED with itself as
/// current source.
class ORVANE_HOST_EXPORT DataSet : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 42;
    static constexpr int CHANGED = 401;  ///< host event id

    DataSet() = default;
    ~DataSet() override;
    static std::shared_ptr<DataSet> create(const std::string& name = std::string());
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// The data name; null when the data set has none.
    const std::shared_ptr<const std::string>& getName() const { return name_; }
    void setName(std::shared_ptr<const std::string> name) { name_ = std::move(name); }
    void setName(const std::string& name) { name_ = std::make_shared<const std::string>(name); }

    // ---- columns
    // Adds a column at the end. Refused (false, logged) for a null column, a
    // column of another data set, a name already present, or a row count that
    // differs from the data set's when it already has columns.
    bool addColumn(const std::shared_ptr<Column>& column);
    bool removeColumn(std::string_view name);
    size_t getColumnCount() const { return columns_.size(); }
    /// Null for an index outside the columns.
    std::shared_ptr<Column> getColumn(int index) const;
    std::shared_ptr<Column> getColumnAtIndex(int index) const { return getColumn(index); }
    /// Null when absent.
    std::shared_ptr<Column> getColumnWithName(std::string_view name) const;
    /// -1 when absent.
    int getIndexOfColumnWithName(std::string_view name) const;
    const std::vector<std::shared_ptr<Column>>& getColumns() const { return columns_; }
    std::vector<std::shared_ptr<const std::string>> getColumnNames() const;
    /// The numeric columns in data-set order.
    std::vector<std::shared_ptr<Column>> getNumberColumns() const;

    // ---- rows
    // Rows of the shortest column (0 without columns).
    size_t getRowCount() const;
    size_t getNumberOfRows() const { return getRowCount(); }
    /// Appends one row: one value per column, in column order (a null value is
    /// missing). False when the count does not match the columns.
    bool appendRow(const std::vector<std::shared_ptr<DataValue>>& values);

    // ---- selection
    // Null until created.
    const std::shared_ptr<RowStates>& getRowStates() const { return rowStates_; }
    void setRowStates(const std::shared_ptr<RowStates>& rowStates);
    /// The row states, created (nothing selected) on first use.
    std::shared_ptr<RowStates> ensureRowStates();
    /// Rows for which the where-clause is true (state 1) or false (state 0),
    /// ascending. An unknown column or a comparison of a string with a number
    /// gives no rows, with a log line.
    std::vector<int> getRowIndicesThatEvaluateToState(const AbstractWhereClauseExpression& clause, int state = 1) const;
    std::vector<int> getRowIndicesThatEvaluateToState(const std::shared_ptr<AbstractWhereClauseExpression>& clause,
                                                      int state = 1) const;
    /// The rows of the where-clause as a bitmap; false (with the reason) when it
    /// cannot be evaluated.
    bool evaluate(const AbstractWhereClauseExpression& clause, RowBitmap& rows, std::string& error) const;
    /// The distinct values of a column over the selected rows, in row order.
    std::vector<std::shared_ptr<DataValue>> getSelectedValues(std::string_view columnName) const;

    // ---- change notification
    // Announces CHANGED (once per outermost endUpdate while updating).
    void notifyChanged();
    void beginUpdate() { ++updateDepth_; }
    void endUpdate();

    /// Crosstab option: cut the displayed levels at the expanded depth.
    bool getCutLevelsAtExpandedDepth() const { return cutLevelsAtExpandedDepth_; }
    void setCutLevelsAtExpandedDepth(bool cut) { cutLevelsAtExpandedDepth_ = cut; }

    /// Writes the column names and the formatted rows as a text table; a limit
    /// of -1 prints every row.
    void printTable(int rowLimit = -1) const;
    void printTable(int rowLimit, std::ostream& out) const;

private:
    friend class Column;
    void columnChanged(const Column& column);

    std::shared_ptr<const std::string> name_;
    std::vector<std::shared_ptr<Column>> columns_;
    std::shared_ptr<RowStates> rowStates_;
    int updateDepth_ = 0;
    bool pendingChange_ = false;
    bool cutLevelsAtExpandedDepth_ = false;
};

} // namespace orvane
