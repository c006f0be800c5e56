// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/DataSet.h"

#include "orvane/host/data/AbstractWhereClauseExpression.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/RowBitmap.h"

#include <algorithm>
#include <iostream>
#include <unordered_set>

namespace orvane {

namespace {
constexpr const char* kSource = "host/DataSet";

struct ValueHash {
    size_t operator()(const std::shared_ptr<DataValue>& v) const { return v->hash(); }
};
struct ValueEq {
    bool operator()(const std::shared_ptr<DataValue>& a, const std::shared_ptr<DataValue>& b) const {
        return a->equals(*b);
    }
};
} // namespace

DataSet::~DataSet() {
    for (auto& c : columns_) c->owner_.reset();
    if (rowStates_) rowStates_->removeForwardTarget(this);
}

std::shared_ptr<DataSet> DataSet::create(const std::string& name) {
    auto ds = std::make_shared<DataSet>();
    if (!name.empty()) ds->setName(name);
    return ds;
}

bool DataSet::addColumn(const std::shared_ptr<Column>& column) {
    if (!column) {
        ORVANE_LOG(CLog::ERRORS, kSource, "addColumn: no column given");
        return false;
    }
    if (auto owner = column->owner_.lock(); owner && owner.get() != this) {
        ORVANE_LOG(CLog::ERRORS, kSource, "addColumn: column " + *column->getName() + " belongs to another data set");
        return false;
    }
    if (getColumnWithName(*column->getName())) {
        ORVANE_LOG(CLog::ERRORS, kSource, "addColumn: a column named " + *column->getName() + " already exists");
        return false;
    }
    if (!columns_.empty() && column->getRowCount() != getRowCount()) {
        ORVANE_LOG(CLog::ERRORS, kSource,
                   "addColumn: column " + *column->getName() + " has " + std::to_string(column->getRowCount()) +
                       " rows, the data set " + std::to_string(getRowCount()));
        return false;
    }
    column->owner_ = sharedAs<DataSet>();
    columns_.push_back(column);
    notifyChanged();
    return true;
}

bool DataSet::removeColumn(std::string_view name) {
    auto it = std::find_if(columns_.begin(), columns_.end(), [&](const auto& c) { return *c->getName() == name; });
    if (it == columns_.end()) return false;
    (*it)->owner_.reset();
    columns_.erase(it);
    notifyChanged();
    return true;
}

std::shared_ptr<Column> DataSet::getColumn(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= columns_.size()) return nullptr;
    return columns_[static_cast<size_t>(index)];
}

std::shared_ptr<Column> DataSet::getColumnWithName(std::string_view name) const {
    int i = getIndexOfColumnWithName(name);
    return i < 0 ? nullptr : columns_[static_cast<size_t>(i)];
}

int DataSet::getIndexOfColumnWithName(std::string_view name) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (*columns_[i]->getName() == name) return static_cast<int>(i);
    return -1;
}

std::vector<std::shared_ptr<const std::string>> DataSet::getColumnNames() const {
    std::vector<std::shared_ptr<const std::string>> names;
    names.reserve(columns_.size());
    for (const auto& c : columns_) names.push_back(c->getName());
    return names;
}

std::vector<std::shared_ptr<Column>> DataSet::getNumberColumns() const {
    std::vector<std::shared_ptr<Column>> out;
    for (const auto& c : columns_)
        if (c->isNumeric()) out.push_back(c);
    return out;
}

size_t DataSet::getRowCount() const {
    if (columns_.empty()) return 0;
    size_t n = columns_[0]->getRowCount();
    for (const auto& c : columns_) n = std::min(n, c->getRowCount());
    return n;
}

bool DataSet::appendRow(const std::vector<std::shared_ptr<DataValue>>& values) {
    if (values.size() != columns_.size()) {
        ORVANE_LOG(CLog::ERRORS, kSource,
                   "appendRow: " + std::to_string(values.size()) + " values for " + std::to_string(columns_.size()) +
                       " columns");
        return false;
    }
    beginUpdate();
    size_t row = getRowCount();
    for (size_t i = 0; i < columns_.size(); ++i) {
        Column& c = *columns_[i];
        if (c.getRowCount() != row) {
            // A column grown on its own would put this row out of line: it is
            // cut back to the common length, and that is said.
            ORVANE_LOG(CLog::ERRORS, kSource,
                       "appendRow: column " + *c.getName() + " had " + std::to_string(c.getRowCount()) +
                           " rows, cut to " + std::to_string(row));
            c.resize(row);
        }
        if (values[i]) c.appendValue(*values[i]);
        else c.appendMissing();
    }
    endUpdate();
    return true;
}

void DataSet::setRowStates(const std::shared_ptr<RowStates>& rowStates) {
    if (rowStates_ == rowStates) return;
    if (rowStates_) rowStates_->removeForwardTarget(this);
    rowStates_ = rowStates;
    if (rowStates_) {
        rowStates_->setRowCount(getRowCount());
        rowStates_->addForwardTarget(this);
    }
}

std::shared_ptr<RowStates> DataSet::ensureRowStates() {
    if (!rowStates_) setRowStates(RowStates::create(getRowCount()));
    return rowStates_;
}

bool DataSet::evaluate(const AbstractWhereClauseExpression& clause, RowBitmap& rows, std::string& error) const {
    return clause.evaluate(*this, rows, error);
}

std::vector<int> DataSet::getRowIndicesThatEvaluateToState(const AbstractWhereClauseExpression& clause,
                                                           int state) const {
    RowBitmap rows;
    std::string error;
    if (!clause.evaluate(*this, rows, error)) {
        ORVANE_LOG(CLog::ERRORS, kSource, "where-clause " + clause.toString() + " selects no rows: " + error);
        return {};
    }
    if (state == 0) rows.invert();
    return rows.toIndices();
}

std::vector<int> DataSet::getRowIndicesThatEvaluateToState(
    const std::shared_ptr<AbstractWhereClauseExpression>& clause, int state) const {
    if (!clause) return {};
    return getRowIndicesThatEvaluateToState(*clause, state);
}

std::vector<std::shared_ptr<DataValue>> DataSet::getSelectedValues(std::string_view columnName) const {
    std::vector<std::shared_ptr<DataValue>> out;
    auto column = getColumnWithName(columnName);
    if (!column || !rowStates_) return out;
    std::unordered_set<std::shared_ptr<DataValue>, ValueHash, ValueEq> seen;
    size_t n = getRowCount();
    rowStates_->getBitmap().forEachSet([&](size_t row) {
        if (row >= n) return;
        auto v = column->getDataValueAtIndex(row);
        if (v && seen.insert(v).second) out.push_back(v);
    });
    return out;
}

void DataSet::columnChanged(const Column&) { notifyChanged(); }

void DataSet::notifyChanged() {
    if (rowStates_) rowStates_->setRowCount(getRowCount());
    if (updateDepth_ > 0) {
        pendingChange_ = true;
        return;
    }
    pendingChange_ = false;
    if (wouldDeliver(CHANGED)) dispatchEvent(PortableEvent::create(CHANGED));
}

void DataSet::endUpdate() {
    if (updateDepth_ > 0) --updateDepth_;
    if (updateDepth_ == 0 && pendingChange_) notifyChanged();
}

void DataSet::printTable(int rowLimit) const { printTable(rowLimit, std::cout); }

void DataSet::printTable(int rowLimit, std::ostream& out) const {
    size_t rows = getRowCount();
    if (rowLimit >= 0) rows = std::min(rows, static_cast<size_t>(rowLimit));
    std::vector<std::vector<std::string>> cells(rows + 1);
    std::vector<size_t> widths(columns_.size(), 0);
    for (size_t c = 0; c < columns_.size(); ++c) {
        cells[0].push_back(*columns_[c]->getName());
        for (size_t r = 0; r < rows; ++r) {
            auto t = columns_[c]->getFormattedValueAtIndex(r);
            cells[r + 1].push_back(t ? *t : std::string());
        }
    }
    for (const auto& row : cells)
        for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    for (size_t r = 0; r < cells.size(); ++r) {
        for (size_t c = 0; c < cells[r].size(); ++c) {
            const std::string& t = cells[r][c];
            bool right = r > 0 && columns_[c]->isNumeric();
            std::string pad(widths[c] - t.size(), ' ');
            out << (c ? "  " : "") << (right ? pad + t : t + (c + 1 < cells[r].size() ? pad : std::string()));
        }
        out << "\n";
    }
}

} // namespace orvane
