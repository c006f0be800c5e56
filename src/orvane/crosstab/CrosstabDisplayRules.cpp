// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabDisplayRules.h"

#include "orvane/crosstab/Crosstab.h"
#include "orvane/datagrid/CellGraph.h"
#include "orvane/datagrid/CellHeatMapRenderer.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/GridUtilities.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/FontTool.h"
#include "orvane/view/DisplayTreeNode.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

namespace {
// The project's style attribute numbers.
constexpr int FILL_COLOR = 8;
constexpr int TEXT_COLOR = 19;
constexpr int FONT_SIZE = 31;
constexpr int FONT_FAMILY = 32;
constexpr int FONT_ITALIC = 33;
constexpr int FONT_BOLD = 34;
constexpr int UNDERLINE = 52;

NodeType::type typeOf(const std::shared_ptr<DisplayTreeNode>& n) { return n ? n->getNodeType() : NodeType::NONE; }
} // namespace

std::shared_ptr<CrosstabDisplayRules> CrosstabDisplayRules::create(const std::string& name) {
    return std::make_shared<CrosstabDisplayRules>(name);
}

void CrosstabDisplayRules::setModel(const std::shared_ptr<Crosstab>& model) {
    model_ = model;
    ranges_.clear();
    setDataSet(model ? model->dataSet.get() : nullptr);
}

std::shared_ptr<DisplayTreeNode> CrosstabDisplayRules::rowLeaf(int row) const {
    if (!rowLeafNodes_ || row < 0 || static_cast<size_t>(row) >= rowLeafNodes_->size()) return nullptr;
    return std::dynamic_pointer_cast<DisplayTreeNode>((*rowLeafNodes_)[static_cast<size_t>(row)]);
}

std::shared_ptr<DisplayTreeNode> CrosstabDisplayRules::getColumnLeafNodeAtIndex(int column) const {
    auto model = model_.lock();
    if (!columnLeafNodes_ || columnLeafNodes_->empty() || !model || model->numberOfMeasures.get() == 0 || column < 0)
        return nullptr;
    if (transposedMeasures_ > 0)  // one grid column per leaf
        return static_cast<size_t>(column) < columnLeafNodes_->size()
                   ? std::dynamic_pointer_cast<DisplayTreeNode>((*columnLeafNodes_)[static_cast<size_t>(column)])
                   : nullptr;
    int running = 0;
    for (const auto& leaf : *columnLeafNodes_) {
        auto d = std::dynamic_pointer_cast<DisplayTreeNode>(leaf);
        running += d ? std::max(d->getSpan(), 0) : 0;
        if (running > column) return d;
    }
    return nullptr;
}

std::shared_ptr<StyleChain> CrosstabDisplayRules::getStyleOverrideForCell(int row, int column) const {
    auto model = model_.lock();
    if (!model) return nullptr;
    const auto r = typeOf(rowLeaf(row));
    const auto c = typeOf(getColumnLeafNodeAtIndex(column));
    if (r == NodeType::TOTAL || c == NodeType::TOTAL) return model->totalStyle.get();
    if (r == NodeType::SUBTOTAL || c == NodeType::SUBTOTAL) return model->subtotalStyle.get();
    return nullptr;
}

bool CrosstabDisplayRules::isDrilled() const {
    auto model = model_.lock();
    if (!model) return false;
    auto r = model->rowHierarchy.get();
    auto c = model->columnHierarchy.get();
    return (r && r->getCurrentLevelIndex() != 0) || (c && c->getCurrentLevelIndex() != 0);
}

std::vector<RelationalDataRuleContext::LevelRef> CrosstabDisplayRules::getCurrentLevels(
    const std::shared_ptr<Hierarchy>& h, const std::shared_ptr<DataTreeNode>& leaf) {
    std::vector<RelationalDataRuleContext::LevelRef> out;
    if (!h || !leaf) return out;
    const auto& levels = h->getLevels();
    const int current = h->getCurrentLevelIndex();
    auto d = std::dynamic_pointer_cast<DisplayTreeNode>(leaf);
    const int depth = leaf->getLevel();
    int last = (depth == 0 || (d && d->getNodeType() == NodeType::TOTAL)) ? current - 1 : current + depth - 1;
    for (int i = 0; i <= last && static_cast<size_t>(i) < levels.size(); ++i)
        out.push_back({*levels[static_cast<size_t>(i)]->getName(), *levels[static_cast<size_t>(i)]->getLabel()});
    return out;
}

bool CrosstabDisplayRules::isTotalCell(int row, int column) const {
    if (isDrilled() || row != totalCellRow_ || totalCellColumn_ < 0) return false;
    if (column == totalCellColumn_) return true;
    auto model = model_.lock();
    const int M = model ? model->numberOfMeasures.get() : 0;
    if (M < 2) return false;
    if (columnLeafMeasureNumbers_ && !columnLeafMeasureNumbers_->empty()) {
        // Groups run from the previous running sum (excluded) to the sum that
        // reaches past the column: with spans [2, 2, 2], column 4 is in 4-5.
        int start = 0;
        for (int n : *columnLeafMeasureNumbers_) {
            const int end = start + n;   // exclusive
            if (totalCellColumn_ >= start && totalCellColumn_ < end) return column >= start && column < end;
            start = end;
        }
        return false;
    }
    const int lo = totalCellColumn_ - totalCellColumn_ % M;
    return column >= lo && column <= totalCellColumn_ + M - 1 && column <= lo + M - 1;
}

void CrosstabDisplayRules::configureRuleContext(RelationalDataRuleContext& context, int row, int column) {
    DataGridDisplayRules::configureRuleContext(context, row, column);
    context.setTotalCell(isTotalCell(row, column));
    auto model = model_.lock();
    if (!model) return;
    context.setRowLevels(getCurrentLevels(model->rowHierarchy.get(), rowLeaf(row)));
    context.setColumnLevels(getCurrentLevels(model->columnHierarchy.get(), getColumnLeafNodeAtIndex(column)));
}

void CrosstabDisplayRules::DisplayRuleCallback(int column, int row, DataGridCellInfoStruct* info) {
    if (!info) return;
    if (auto chain = getStyleOverrideForCell(row, column)) {
        if (chain->hasAttribute(TEXT_COLOR)) info->textColor = chain->getColor(TEXT_COLOR, info->textColor);
        if (chain->hasAttribute(FILL_COLOR)) info->fillColor = chain->getColor(FILL_COLOR, info->fillColor);
        std::string family = chain->getStringValue(FONT_FAMILY, std::string());
        if (!family.empty()) info->fontFamily = family;
        if (chain->hasAttribute(FONT_BOLD)) info->bold = chain->getInt(FONT_BOLD, 0) == 1;
        if (chain->hasAttribute(FONT_ITALIC)) info->italic = chain->getInt(FONT_ITALIC, 0) == 1;
        if (chain->hasAttribute(UNDERLINE)) info->underline = chain->getInt(UNDERLINE, 0) == 1;
        if (auto size = chain->getDimension(FONT_SIZE)) {
            float points = size->getScalarValueForUnit(DimensionUnit::POINTS);
            if (points > 0) {
                if (isReducedSizeMode()) points *= 0.75f;
                // Shrink the font until a line fits the row less a 5-pixel margin.
                const float scale = displayScale_ > 0 ? displayScale_ : ResourceManager::getDPIScaleFactor();
                FontTool tool;
                if (tool.setFont(info->fontFamily.empty() ? FontTool::DEFAULT_FAMILY : info->fontFamily, points,
                                 info->italic, info->bold)) {
                    const float line = tool.getFontMetrics().lineHeight;
                    const float available = static_cast<float>(info->height) - 5.0f * scale;
                    if (line > 0 && available > 0 && available < line) points *= available / line;
                }
                info->fontSize = points;
            }
        }
    }
    // The cells are in the hierarchies' sorted order already: the rule is
    // evaluated on the data column shown at the grid position.
    const auto [dataRow, dataColumn] = dataCellOf(column, row);
    const unsigned fillBefore = info->fillColor;
    DataGridDisplayRules::DisplayRuleCallback(dataColumn, dataRow, info);
    // A fill chosen by a rule wins over the heat map.
    if (info->fillColor == fillBefore && transposedMeasures_ == 0) colourHeatMapCell(column, row, dataColumn, *info);
}

std::pair<int, int> CrosstabDisplayRules::dataCellOf(int column, int row) const {
    if (transposedMeasures_ <= 0) return {row, dataColumnOf(column)};
    if (row < 0 || column < 0) return {-1, -1};
    const size_t k = static_cast<size_t>(column) * static_cast<size_t>(transposedMeasures_) +
                     static_cast<size_t>(row % transposedMeasures_);
    const int dataColumn = transposedCells_ && k < transposedCells_->size() ? (*transposedCells_)[k] : -1;
    return {row / transposedMeasures_, dataColumn};
}

int CrosstabDisplayRules::dataColumnOf(int column) const {
    if (visibleColumnIndices_ && !visibleColumnIndices_->empty()) {
        if (column < 0 || static_cast<size_t>(column) >= visibleColumnIndices_->size()) return -1;
        return (*visibleColumnIndices_)[static_cast<size_t>(column)];
    }
    return column;
}

bool CrosstabDisplayRules::isColumnTotalOrSubTotal(int column) const {
    const auto t = typeOf(getColumnLeafNodeAtIndex(column));
    return t == NodeType::TOTAL || t == NodeType::SUBTOTAL;
}

bool CrosstabDisplayRules::isRowTotalOrSubTotal(int row) const {
    const auto t = typeOf(rowLeaf(row));
    return t == NodeType::TOTAL || t == NodeType::SUBTOTAL;
}

std::pair<double, double> CrosstabDisplayRules::computeMinMax(int dataColumn) const {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto model = model_.lock();
    auto cells = model ? model->dataSet.get() : nullptr;
    const int M = model ? model->numberOfMeasures.get() : 0;
    if (!cells || M <= 0 || dataColumn < 0 || static_cast<size_t>(dataColumn) >= cells->getColumnCount())
        return {nan, nan};
    auto shown = cells->getColumn(dataColumn);
    const std::string measure = shown->getMeasureName() ? *shown->getMeasureName() : *shown->getName();
    if (auto it = ranges_.find(measure); it != ranges_.end()) return it->second;

    // Data column c belongs to column leaf c / M (every leaf has M columns).
    auto summaryLeaf = [&](size_t c) {
        if (!columnLeafNodes_ || columnLeafNodes_->empty()) return false;
        const size_t leaf = c / static_cast<size_t>(M);
        if (leaf >= columnLeafNodes_->size()) return false;
        const auto t = typeOf(std::dynamic_pointer_cast<DisplayTreeNode>((*columnLeafNodes_)[leaf]));
        return t == NodeType::TOTAL || t == NodeType::SUBTOTAL;
    };
    std::vector<size_t> rows;
    const int perRow = std::max(transposedMeasures_, 1);  // grid rows of a data row
    for (size_t r = 0; r < cells->getRowCount(); ++r)
        if (!isRowTotalOrSubTotal(static_cast<int>(r) * perRow)) rows.push_back(r);
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (size_t c = 0; c < cells->getColumnCount(); ++c) {
        auto col = cells->getColumn(static_cast<int>(c));
        const std::string name = col->getMeasureName() ? *col->getMeasureName() : *col->getName();
        if (name != measure || !col->isNumeric() || summaryLeaf(c)) continue;
        for (size_t r : rows) {
            if (col->isMissingAtIndex(r)) continue;
            const double v = col->getNumberAtIndex(r);
            if (!std::isfinite(v)) continue;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    const std::pair<double, double> range = lo <= hi ? std::make_pair(lo, hi) : std::make_pair(nan, nan);
    ranges_[measure] = range;
    return range;
}

void CrosstabDisplayRules::colourHeatMapCell(int column, int row, int dataColumn, DataGridCellInfoStruct& info) const {
    auto model = model_.lock();
    auto cells = model ? model->dataSet.get() : nullptr;
    if (!cells || dataColumn < 0 || static_cast<size_t>(dataColumn) >= cells->getColumnCount() || row < 0 ||
        static_cast<size_t>(row) >= cells->getRowCount())
        return;
    auto record = model->getColumnInfo(column);
    if (!record || record->cellVisual.get() != CellVisualType::HEATMAP) return;
    if (isColumnTotalOrSubTotal(column) || isRowTotalOrSubTotal(row)) return;
    auto col = cells->getColumn(dataColumn);
    if (!col->isNumeric()) return;
    const auto [lo, hi] = computeMinMax(dataColumn);
    auto graph = CellGraph::create();
    const double v = col->isMissingAtIndex(static_cast<size_t>(row)) ? NAN : col->getNumberAtIndex(static_cast<size_t>(row));
    graph->value.set(static_cast<float>(v));
    graph->minimum.set(static_cast<float>(lo));
    graph->maximum.set(static_cast<float>(hi));
    graph->styleChain.set(model->tableStyle.get());
    if (record->cellVisualFillColor.hasValue()) {
        graph->fillColor.set(record->cellVisualFillColor.get());
        graph->missingColor.set(record->cellVisualMissingColor.get());
    }
    const uint32_t c = CellHeatMapRenderer::getFillColor(*graph);
    if (c != CellHeatMapRenderer::NO_COLOR) info.fillColor = c;
}

void CrosstabDisplayRules::CellContentCallback(int column, int row, void* grid) {
    auto* g = static_cast<displaylist::TqDataGrid*>(grid);
    auto model = model_.lock();
    auto cells = model ? model->dataSet.get() : nullptr;
    const auto [dataRow, dataColumn] = dataCellOf(column, row);
    if (!g || !cells || dataRow < 0 || static_cast<size_t>(dataRow) >= cells->getRowCount()) return;
    std::string text;
    if (dataColumn >= 0 && static_cast<size_t>(dataColumn) < cells->getColumnCount()) {
        auto col = cells->getColumn(dataColumn);
        auto record = transposedMeasures_ > 0 ? nullptr : model->getColumnInfo(column);
        text = GridUtilities::getValueForFormat(*col, static_cast<size_t>(dataRow),
                                                GridUtilities::compactFormatForColumn(*col, record.get()));
    }
    g->SetStringEntryFromCallback(row, column, text);
}

} // namespace orvane
