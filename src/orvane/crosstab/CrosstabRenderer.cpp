// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabRenderer.h"

#include "orvane/accessibility/CrosstabAccessibilityController.h"
#include "orvane/crosstab/CrosstabController.h"
#include "orvane/crosstab/CrosstabControllerEvent.h"
#include "orvane/crosstab/CrosstabGestureHandler.h"
#include "orvane/crosstab/CrosstabLevelInfo.h"
#include "orvane/crosstab/CrosstabModelBuilder.h"
#include "orvane/crosstab/CrosstabSelectionController.h"
#include "orvane/crosstab/CrosstabUtilities.h"
#include "orvane/datagrid/DataGridCellContentEvent.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/GridColumnInfoManager.h"
#include "orvane/datagrid/GridUtilities.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/view/PickResult.h"
#include "orvane/view/TextStyle.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <sstream>

namespace orvane {

namespace {
using G = displaylist::TqCrosstab;
constexpr const char* SOURCE = "crosstab/CrosstabRenderer";
constexpr int ROW = G::AXIS_ROW;
constexpr int COL = G::AXIS_COLUMN;

std::string message(const std::string& key) { return GridUtilities::message(key); }
float dpi() { return GridUtilities::displayScale(); }
float dimensionPixels(const std::shared_ptr<StyleChain>& chain, int id, float fallback) {
    return GridUtilities::dimensionPixels(chain, id, fallback);
}

std::vector<std::string> texts(const std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>& v) {
    std::vector<std::string> out;
    if (v)
        for (const auto& s : *v)
            if (s) out.push_back(*s);
    return out;
}

NodeType::type typeOf(const std::shared_ptr<DataTreeNode>& node) {
    auto* d = dynamic_cast<DisplayTreeNode*>(node.get());
    return d ? d->getNodeType() : NodeType::NONE;
}

// Fills a style chain's silent colours with the defaults (lowest priority).
void defaultColours(const std::shared_ptr<StyleChain>& chain, uint32_t text, uint32_t fill, bool bold) {
    if (!chain || chain->hasAttribute(8)) return;
    auto b = AttributeBundle::create();
    b->setColor(8, fill);
    if (!chain->hasAttribute(19)) b->setColor(19, text);
    if (bold && !chain->hasAttribute(34)) b->setInt(34, 1);
    chain->append(b);
}
} // namespace

CrosstabRenderer::CrosstabRenderer() = default;

CrosstabRenderer::~CrosstabRenderer() {
    for (auto& [target, l] : listeners_) target->removeEventListener(l.first, l.second);
    if (listenedSource_ && sourceListener_) listenedSource_->removeEventListener(RowStates::SELECTED_CHANGED, sourceListener_);
}

std::shared_ptr<CrosstabRenderer> CrosstabRenderer::create() { return std::make_shared<CrosstabRenderer>(); }

void CrosstabRenderer::setModel(const std::shared_ptr<Crosstab>& model) {
    model_ = model;
    builder_.reset();
    builtFrom_.reset();
    builtFromData_.reset();
    selected_.clear();
    listen();
    setNeedsUpdateDisplayList(true);
}

std::shared_ptr<AccessibilityController> CrosstabRenderer::createAccessibilityController() {
    return CrosstabAccessibilityController::create(std::dynamic_pointer_cast<CrosstabRenderer>(shared_from_this()));
}

void CrosstabRenderer::listen() {
    for (auto& [target, l] : listeners_) target->removeEventListener(l.first, l.second);
    listeners_.clear();
    if (!model_) return;
    std::weak_ptr<CrosstabRenderer> weak = std::dynamic_pointer_cast<CrosstabRenderer>(shared_from_this());
    auto add = [&](const std::shared_ptr<EventDispatcher>& target, int type) {
        if (!target) return;
        auto cb = FunctionEventCallback::create([weak](const std::shared_ptr<PortableEvent>&) {
            if (auto self = weak.lock()) self->setNeedsUpdateDisplayList(true);
        });
        target->addEventListener(type, cb);
        listeners_.push_back({target, {type, cb}});
    };
    add(model_, AbstractProperty::CHANGE_EVENT);
    add(model_, Crosstab::ROW_HEADER_UPDATED);
    add(model_, Crosstab::COLUMN_HEADER_UPDATED);
    if (auto style = model_->style.get()) add(style, Style::STYLE_CHANGED);
}

void CrosstabRenderer::setInteractiveDisplay(bool interactive) {
    interactive_ = interactive;
    setNeedsUpdateDisplayList(true);
}

void CrosstabRenderer::setHeatMapMeasureNames(std::vector<std::string> names) {
    heatMap_ = std::move(names);
    setNeedsUpdateDisplayList(true);
}

std::shared_ptr<Hierarchy> CrosstabRenderer::getHierarchy(int axis) const {
    if (!model_) return nullptr;
    return axis == ROW ? model_->rowHierarchy.get() : model_->columnHierarchy.get();
}

// ---------------------------------------------------------------- model

void CrosstabRenderer::updateModel(bool force) {
    if (!model_) return;
    auto hds = model_->hierarchyDataSet.get();
    if (!hds) return;
    auto built = builtFrom_.lock();
    if (built == hds && !force && builtFromData_.lock() == hds->getDataSet()) return;
    ++modelGeneration_;
    // A new data set (not the first build, not an action) regenerates the
    // trees; otherwise the user's expand and drill state is kept.
    const bool dataReplaced = built && (built != hds || builtFromData_.lock() != hds->getDataSet());

    // The row-state listener follows the source data set.
    auto source = hds->getDataSet();
    if (source != listenedSource_) {
        if (listenedSource_ && sourceListener_) listenedSource_->removeEventListener(RowStates::SELECTED_CHANGED, sourceListener_);
        listenedSource_ = source;
        if (!sourceListener_) {
            std::weak_ptr<CrosstabRenderer> weak = std::dynamic_pointer_cast<CrosstabRenderer>(shared_from_this());
            sourceListener_ = FunctionEventCallback::create([weak](const std::shared_ptr<PortableEvent>&) {
                if (auto self = weak.lock()) self->rowStatesChanged();
            });
        }
        if (listenedSource_) listenedSource_->addEventListener(RowStates::SELECTED_CHANGED, sourceListener_);
        selected_.clear();
    }

    builder_ = CrosstabModelBuilder::create(hds, model_);
    auto rowNames = texts(model_->rowHierarchyNames.get());
    auto colNames = texts(model_->columnHierarchyNames.get());
    if (!rowNames.empty()) builder_->setRowHierarchyName(rowNames.front());
    else if (auto h = model_->rowHierarchy.get()) builder_->setRowHierarchyName(*h->getName());
    if (!colNames.empty()) builder_->setColumnHierarchyName(colNames.front());
    else if (auto h = model_->columnHierarchy.get()) builder_->setColumnHierarchyName(*h->getName());
    else if (hds->getHierarchies().size() < 2) builder_->setColumnHierarchyName("");
    // The builder's default row hierarchy is the first one; when that is the
    // column hierarchy, the crosstab has no row levels.
    if (rowNames.empty() && !model_->rowHierarchy.get() && !builder_->getColumnHierarchyName().empty() &&
        builder_->getRowHierarchyName() == builder_->getColumnHierarchyName())
        builder_->setRowHierarchyName("");
    auto measures = texts(model_->measureColumnNames.get());
    if (!measures.empty()) builder_->setMeasureNames(measures);
    // The action flags and ranked levels reach the builder, so that buttons
    // appear and ranked levels keep their drill-only buttons.
    auto levelNames = [&](const std::string& name, std::vector<std::string>& ranked) {
        std::vector<std::string> out;
        if (auto h = hds->getHierarchyForName(name))
            for (const auto& l : h->getLevels()) {
                out.push_back(*l->getName());
                if (l->isRanked()) ranked.push_back(*l->getName());
            }
        return out;
    };
    std::vector<std::string> rankedRows, rankedColumns;
    builder_->setRowMemberNames(levelNames(builder_->getRowHierarchyName(), rankedRows), model_->rowActionEnabled.get());
    builder_->setColumnMemberNames(levelNames(builder_->getColumnHierarchyName(), rankedColumns),
                                   model_->columnActionEnabled.get());
    builder_->setRankedRowLevelNames(rankedRows);
    builder_->setRankedColumnLevelNames(rankedColumns);
    builder_->showRowTotal.set(model_->showRowTotal.get());
    builder_->showColumnTotal.set(model_->showColumnTotal.get());
    builder_->showRowSubTotal.set(model_->showRowSubTotal.get());
    builder_->showColumnSubTotal.set(model_->showColumnSubTotal.get());
    builder_->showSummaryOnTop.set(model_->showSummaryOnTop.get());
    builder_->showMissingLabelAsBlank.set(model_->showMissingLabelAsBlank.get());
    builder_->setDataTreeSortContext(model_->sortContext.get());
    builder_->regenerateData.set(rebuildHierarchyDataTree_ && dataReplaced);
    builder_->setOmittedSubtotalColumnLevelNames(texts(model_->omittedSubtotalColumnLevelNames.get()));
    builder_->setPagingThresholds(pagingThresholds_[0], pagingThresholds_[1]);
    auto result = builder_->build();
    if (result && result != model_) setModel(result);
    builtFrom_ = hds;
    builtFromData_ = hds->getDataSet();
    columnLeafNodes_.clear();
    if (auto c = model_->columnDataTreeNode.get()) {
        for (const auto& leaf : c->getDepthFirstListOfAllLeafNodesUnderThisNode())
            if (leaf != c) columnLeafNodes_.push_back(leaf);
    }
    setNeedsUpdateDisplayList(true);
}

void CrosstabRenderer::rebuildInPlace() {
    updateModel(true);
    setNeedsUpdateDisplayList(true);
    invalidateFrameBuffer();
}

// ---------------------------------------------------------------- display list

displaylist::TqScrollBarController* CrosstabRenderer::getScrollBarController() const {
    return grid_ ? grid_->GetScrollBarController() : nullptr;
}

void CrosstabRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    if (!editor) return;
    // The new grid node keeps the scroll position and the keyboard's focus.
    uint64_t focus = G::NO_PICK_ID;
    bool showFocus = false;
    if (grid_) {
        scrollX_ = grid_->GetScrollX();
        scrollY_ = grid_->GetScrollY();
        focus = grid_->GetFocusedCell();
        showFocus = grid_->GetShowFocusRect();
    }
    updateModel(false);
    Rect frame = getFrame();
    struct Updating {
        bool& flag;
        explicit Updating(bool& f) : flag(f) { flag = true; }
        ~Updating() { flag = false; }
    } updating(updating_);
    int savedMode = editor->getDrawingMode();
    editor->setDrawingMode(3);
    // The node is made once and kept: each update empties and refills it,
    // so its id, scroll position and the pointers others hold stay valid.
    if (!grid_) {
        int id = displaylist::DisplayListEditor::generateUniqueDisplayNodeId(1);
        grid_ = displaylist::TqRef<G>(new G(0.0f, 0.0f, std::max(frame.width, 0.0f), std::max(frame.height, 0.0f), id));
        // The paging buttons follow every scroll, however it came.
        std::weak_ptr<CrosstabRenderer> weak = std::dynamic_pointer_cast<CrosstabRenderer>(shared_from_this());
        grid_->SetScrollListener([weak] {
            if (auto self = weak.lock(); self && !self->updating_) self->refreshPaging(false);
        });
    } else {
        grid_->ClearContent();
        grid_->SetFrame(0.0f, 0.0f, std::max(frame.width, 0.0f), std::max(frame.height, 0.0f));
    }
    G& grid = *grid_;
    rowLeafNodes_.clear();
    crossingsReady_ = false;
    cellNodes_.clear();
    pagedCells_.clear();
    gridColumnLeaf_.clear();
    columnLeafMeasureNumbers_.clear();
    visibleColumns_.clear();
    if (!model_) {
        editor->addNode(grid_.get());
        editor->setDrawingMode(savedMode);
        return;
    }
    const float s = dpi();
    // Measures run down the rows of a transposed crosstab (when there are
    // cells to show).
    transposed_ = model_->transpose.get() && model_->dataSet.get() && model_->dataSet.get()->getColumnCount() > 0;
    transposedMeasures_ = 0;
    grid.SetDisplayScale(s);
    grid.SetButtonSize(26.0f * s);
    grid.SetMinRowHeight(20.0f * s);
    grid.SetShowRowNumbers(model_->showRowNumbers.get());
    grid.SetScrollTexts(message("scroll.row.txt"), message("scroll.column.txt"));
    auto rnLabel = model_->rowNumberHeaderLabel.get();
    grid.SetRowNumberHeaderText(rnLabel && !rnLabel->empty() ? *rnLabel : message("datagrid.rowNumbers.header.txt"));
    grid.SetShowAxisHeaders(model_->showAxisHeaders.get());
    grid.SetIndentedRowHeaders(model_->indentedViewMode.get() || model_->rowIndentedViewMode.get(), 8.0f * s);
    grid.SetIndentedColumnHeaders(model_->indentedViewMode.get() || model_->columnIndentedViewMode.get());
    grid.SetShowEmptyRowsColumns(model_->showEmptyRowsAndColumns.get(), model_->showEmptyRowsAndColumns.get());
    setupStyles(grid);
    renderAxisHeaders(grid);

    auto cells = model_->dataSet.get();
    const bool noData = !cells || cells->getColumnCount() == 0;
    if (noData) {
        renderEmptyCrosstab(grid);
    } else {
        renderDataGrid(grid);
        renderHeader(grid, ROW);
        renderHeader(grid, COL);
        // Display rules: totals and subtotals, rules, heat maps, and the text
        // of columns beyond the eager ones.
        displayRules_ = CrosstabDisplayRules::create("_crosstabCallback");
        displayRules_->setModel(model_);
        displayRules_->setDisplayScale(s);
        displayRules_->setDataSet(cells);
        if (auto manager = model_->columnInfoManager.get())
            if (auto rules = manager->getRulesMap()) displayRules_->setDisplayRulesFrom(*rules);
        displayRules_->setRowLeafNodes(std::make_shared<NodeList>(rowLeafNodes_));
        displayRules_->setColumnLeafNodes(std::make_shared<NodeList>(columnLeafNodes_));
        displayRules_->setVisibleColumnIndicies(std::make_shared<std::vector<int>>(visibleColumns_));
        displayRules_->setColumnLeafMeasureNumbers(std::make_shared<std::vector<int>>(columnLeafMeasureNumbers_));
        if (transposed_)
            displayRules_->setTransposedCells(transposedMeasures_, std::make_shared<std::vector<int>>(transposedCells_));
        // The total cell: the crossing of the row total and the column total
        // leaves, wherever they are; none when either axis shows no total.
        int64_t totalRow = -1;
        for (size_t r = 0; r < rowLeafNodes_.size(); ++r)
            if (typeOf(rowLeafNodes_[r]) == NodeType::TOTAL) totalRow = int64_t(r);
        int totalColumn = -1;
        if (columnLeafNodes_.empty()) totalColumn = totalRow >= 0 && grid.GetNumColumns() > 0 ? 0 : -1;
        for (size_t g = 0; g < gridColumnLeaf_.size() && totalColumn < 0 && !columnLeafNodes_.empty(); ++g)
            if (typeOf(getColumnLeafAt(int(g))) == NodeType::TOTAL) totalColumn = int(g);
        if (totalRow >= 0 && totalColumn >= 0) displayRules_->setTotalCell(int(totalRow), totalColumn);
        grid.SetCellCallback(displayRules_.get());
    }
    measure(grid);
    grid.MeasureVariableRowHeights();
    grid.MeasureColumnHeaderHeight();
    grid.SetScrollPosition(scrollX_, scrollY_);
    grid.SetFocusedCell(focus);
    grid.SetShowFocusRect(showFocus);
    // Export and printing show the saved window (an interactive display
    // keeps where the user scrolled).
    const auto& w = visibleWindow_;
    if (!interactive_ && (w[0] != -1 || w[1] != -1 || w[2] != -1 || w[3] != -1)) {
        const int64_t row = std::clamp<int64_t>(w[0], 0, std::max<int64_t>(grid.GetNumRows() - 1, 0));
        const int col = int(std::clamp<int64_t>(w[2], 0, std::max(grid.GetNumColumns() - 1, 0)));
        grid.SetScrollPosition(grid.GetColumnTranslationOffset(col), grid.GetRowTranslationOffset(row));
    }
    if (restoreSelectionStatus_) rowStatesChanged();
    refreshPaging(true);
    editor->addNode(grid_.get());
    scrollX_ = grid.GetScrollX();
    scrollY_ = grid.GetScrollY();
    editor->setDrawingMode(savedMode);
    dispatchControllerEvent();
}

void CrosstabRenderer::layout() {
    auto handlers = getGestureHandlers();
    bool has = false;
    if (handlers)
        for (const auto& h : *handlers) has = has || std::dynamic_pointer_cast<CrosstabGestureHandler>(h) != nullptr;
    if (!has) addGestureHandler(CrosstabGestureHandler::create(std::dynamic_pointer_cast<CrosstabRenderer>(shared_from_this())));
    Rect f = getFrame();
    for (auto& h : *getGestureHandlers()) h->setFrame({0.0f, 0.0f, f.width, f.height});
    setNeedsUpdateDisplayList(true);
    ScrollView::layout();
}

void CrosstabRenderer::setupStyles(G& grid) {
    // Chains the model lacks are made (empty), so that the defaults below
    // reach the display rules too.
    for (auto* p : {&model_->tableStyle, &model_->totalStyle, &model_->subtotalStyle})
        if (!p->get()) p->set(StyleChain::create());
    auto table = model_->tableStyle.get();
    // Silent total and subtotal styles get the default total colours.
    defaultColours(model_->totalStyle.get(), 0x111111, 0xa6d3be, true);
    defaultColours(model_->subtotalStyle.get(), 0x111111, 0xd5e9df, true);
    // Heat maps without a ramp of their own get a blue one.
    if (!heatMap_.empty() && table && !table->hasAttribute(26) && !table->hasAttribute(27)) {
        auto ramp = AttributeBundle::create();
        ramp->setColor(27, 0xf7fbff);  // start
        ramp->setColor(28, 0x9ecae1);  // middle
        ramp->setColor(26, 0x2b7bba);  // end
        table->append(ramp);
    }
    TextStyle cells = TextStyle::from(table);
    if (!table || !table->hasAttribute(31)) cells.fontSize = 9.0f;
    if (!table || !table->hasAttribute(19)) cells.color = 0x111111;
    grid.SetFont(G::COMPONENT_CELL, -1, cells.fontName, cells.fontSize, cells.bold, cells.italic, cells.underline,
                 G::LINE_BREAK_NORMAL);
    grid.SetFont(G::COMPONENT_ROW_NUMBER, -1, cells.fontName, cells.fontSize, false, false, false, G::LINE_BREAK_NORMAL);
    grid.SetColumnColors(G::COMPONENT_CELL, -1, cells.color, displaylist::TQ_COLOR_NONE);
    grid.SetDefaultCellColors(table ? table->getColor(7, 0xeeeeee) : 0xeeeeee, table ? table->getColor(16, 0xe0e0e0) : 0xe0e0e0);
    auto measureStyle = model_->measureHeaderStyle.get();
    TextStyle mh = TextStyle::from(measureStyle);
    if (!measureStyle || !measureStyle->hasAttribute(31)) mh.fontSize = cells.fontSize;
    if (!measureStyle || !measureStyle->hasAttribute(34)) mh.bold = true;
    grid.SetFont(G::COMPONENT_HEADER, -1, mh.fontName, mh.fontSize, mh.bold, mh.italic, mh.underline, G::LINE_BREAK_NORMAL);
    grid.TqDataGrid::SetHeaderColors(measureStyle && measureStyle->hasAttribute(19) ? mh.color : 0x202020,
                                     measureStyle ? measureStyle->getColor(8, 0xcccccc) : 0xcccccc);
    auto headerStyle = model_->rowHeaderStyle.get();
    TextStyle hs = TextStyle::from(headerStyle);
    if (!headerStyle || !headerStyle->hasAttribute(31)) hs.fontSize = cells.fontSize;
    grid.SetHeaderFont(hs.fontName, hs.fontSize, hs.bold, hs.italic);
    auto colours = [&](int component, const std::shared_ptr<StyleChain>& chain, uint32_t text, uint32_t fill) {
        grid.SetCrosstabHeaderColors(component, chain && chain->hasAttribute(19) ? chain->getColor(19, text) : text,
                                     chain ? chain->getColor(8, fill) : fill);
    };
    // Transposed, the header styles go with their axes unless told not to.
    const bool swap = model_->transpose.get() && model_->headerStyleTransposed.get();
    colours(G::COMPONENT_ROW_HEADER, swap ? model_->columnHeaderStyle.get() : headerStyle, 0x202020, 0xe7e7e7);
    colours(G::COMPONENT_COLUMN_HEADER, swap ? headerStyle : model_->columnHeaderStyle.get(), 0x202020, 0xe7e7e7);
    colours(G::COMPONENT_ROW_AXIS_HEADER, model_->rowHeaderLabelStyle.get(), 0x202020, 0xd9dce1);
    colours(G::COMPONENT_COLUMN_AXIS_HEADER, model_->columnHeaderLabelStyle.get(), 0x202020, 0xd9dce1);
    colours(G::COMPONENT_TOTAL, model_->totalStyle.get(), 0x111111, 0xa6d3be);
    grid.SetGridLines(true, true, 0xd4d4d4);
    grid.SetSeparatorColor(0xd4d4d4);
    grid.SetFrameColor(0xabafb4);
    auto selection = model_->selectionStyle.get();
    grid.SetSelectionColor(selection ? selection->getColor(8, 0x6fa8ff) : 0x6fa8ff);
    hPad_ = dimensionPixels(table, 82, 5.0f * dpi());
    vPad_ = dimensionPixels(table, 84, 5.0f * dpi());
    grid.SetCellPadding(int(hPad_), int(vPad_));
}

void CrosstabRenderer::renderAxisHeaders(G& grid) {
    auto levels = [](const std::shared_ptr<MonitoredVector<std::shared_ptr<Level>>>& v) {
        std::vector<std::shared_ptr<Level>> out;
        if (v)
            for (const auto& l : *v) out.push_back(l);
        return out;
    };
    const bool transposed = model_->transpose.get();
    if (transposed_) {
        // The measures' own level column comes last on the rows.
        auto rows = levels(model_->rowAxisLevels.get());
        const int n = getHierarchy(ROW) ? int(rows.size()) : 0;
        grid.SetNumCrosstabRowHeaderColumns(n + 1);
        grid.SetCrosstabRowAxisHeaderStringEntry(n, message("crosstab.measures.txt"));
    }
    for (int axis : {ROW, COL}) {
        if (!getHierarchy(axis)) continue;
        auto ls = levels(axis == ROW ? model_->rowAxisLevels.get() : model_->columnAxisLevels.get());
        if (axis == ROW && !transposed_) grid.SetNumCrosstabRowHeaderColumns(int(ls.size()));
        else grid.SetNumCrosstabColumnHeaderRows(int(ls.size()));
        for (size_t i = 0; i < ls.size(); ++i) {
            if (!ls[i]) continue;
            std::string label = ls[i]->getLabel() ? *ls[i]->getLabel() : *ls[i]->getName();
            if (axis == ROW) grid.SetCrosstabRowAxisHeaderStringEntry(int(i), label);
            else grid.SetCrosstabColumnAxisHeaderStringEntry(int(i), label);
            // Sort direction of the level (read from the other axis when transposed).
            auto info = (axis == ROW) != transposed ? model_->getRowLevelInfo(int(i)) : model_->getColumnLevelInfo(int(i));
            int dir = info ? int(info->sortDirection.get()) : 0;
            grid.SetCrosstabAxisHeaderSortIndicator(axis, int(i), dir == 1 || dir == 2 ? dir : 0);
        }
    }
}

void CrosstabRenderer::renderEmptyCrosstab(G& grid) {
    // A 1 x 1 grid with empty header placeholders.
    grid.SetNumGridRowsAndColumns(1, 1);
    grid.InitColumnWidth(0, 100.0f * dpi());
    grid.SetColumnHeader(0, "");
    grid.SetCellStringEntry(0, 0, "");
    if (grid.GetNumCrosstabRowHeaderColumns() == 0) {
        grid.SetNumCrosstabRowHeaderColumns(1);
        grid.SetCrosstabRowAxisHeaderStringEntry(0, "");
    }
    grid.AddCrosstabRowHeaderStringEntry("", -1, 0, 1, false);
    if (grid.GetNumCrosstabColumnHeaderRows() > 0) grid.AddCrosstabColumnHeaderStringEntry("", -1, 0, 1, false);
}

void CrosstabRenderer::renderDataGrid(G& grid) {
    auto cells = model_->dataSet.get();
    visibleColumns_ = CrosstabUtilities::getDisplayedColumnIndicies(cells);
    if (transposed_) {
        renderTransposedGrid(grid);
        return;
    }
    const size_t rows = cells->getRowCount();
    grid.SetNumGridRowsAndColumns(std::max<int64_t>(int64_t(rows), 1), int(visibleColumns_.size()));
    auto tableStyle = model_->tableStyle.get();
    for (size_t g = 0; g < visibleColumns_.size(); ++g) {
        auto col = cells->getColumn(visibleColumns_[g]);
        if (!col) continue;
        const int gi = int(g);
        std::string header = col->getLabel() && !col->getLabel()->empty() ? *col->getLabel() : *col->getName();
        if (!header.empty()) grid.SetColumnHeader(gi, header);
        grid.SetColumnAlignment(gi, col->isNumeric() ? 2 : 0);
        // Heat-map measures: their columns get a record asking for the colours.
        const std::string measure = col->getMeasureName() ? *col->getMeasureName() : *col->getName();
        if (std::find(heatMap_.begin(), heatMap_.end(), measure) != heatMap_.end()) {
            auto info = model_->getColumnInfo(gi);
            if (!info || info->cellVisual.get() != CellVisualType::HEATMAP) {
                if (!info) info = DataGridColumnInfo::create();
                info->cellVisual.set(CellVisualType::HEATMAP);
                info->columnIndex.set(gi);
                model_->setColumnInfo(gi, info);
            }
        }
        if (gi >= EAGER_COLUMNS) continue;
        auto info = model_->getColumnInfo(gi);
        const std::string format = GridUtilities::compactFormatForColumn(*col, info.get());
        for (size_t r = 0; r < std::min<size_t>(rows, EAGER_ROWS); ++r)
            grid.SetCellStringEntry(int64_t(r), gi, GridUtilities::getValueForFormat(*col, r, format));
    }
    if (rows == 0)
        for (size_t g = 0; g < visibleColumns_.size(); ++g) grid.SetCellStringEntry(0, int(g), "");
    (void)tableStyle;
}

void CrosstabRenderer::renderTransposedGrid(G& grid) {
    auto cells = model_->dataSet.get();
    // The measures in the order the cells first show them; a leaf with
    // suppressed measures finds its own by name.
    measureLabels_.clear();
    auto nameOf = [&](int dataColumn) {
        auto col = cells->getColumn(dataColumn);
        return col->getMeasureName() ? *col->getMeasureName() : *col->getName();
    };
    std::vector<int> spans;
    for (const auto& leaf : columnLeafNodes_) {
        auto* d = dynamic_cast<DisplayTreeNode*>(leaf.get());
        spans.push_back(d && d->getSpan() >= 0 ? d->getSpan() : std::max(0, model_->numberOfMeasures.get()));
    }
    if (spans.empty()) spans.push_back(int(visibleColumns_.size()));
    std::vector<std::string> order;
    for (size_t k = 0; k < visibleColumns_.size(); ++k) {
        const std::string name = nameOf(visibleColumns_[k]);
        if (std::find(order.begin(), order.end(), name) != order.end()) continue;
        order.push_back(name);
        auto col = cells->getColumn(visibleColumns_[k]);
        measureLabels_.resize(order.size());
        measureLabels_.back() = col->getLabel() && !col->getLabel()->empty() ? *col->getLabel() : name;
    }
    const int M = std::max<int>(1, int(order.size()));
    measureLabels_.resize(size_t(M));
    transposedMeasures_ = M;
    transposedCells_.assign(spans.size() * size_t(M), -1);
    for (size_t leaf = 0, k = 0; leaf < spans.size(); ++leaf)
        for (int j = 0; j < spans[leaf] && k < visibleColumns_.size(); ++j, ++k) {
            const auto m = size_t(std::find(order.begin(), order.end(), nameOf(visibleColumns_[k])) - order.begin());
            transposedCells_[leaf * size_t(M) + m] = visibleColumns_[k];
        }
    const int64_t rows = int64_t(cells->getRowCount()) * M;
    const int columns = int(spans.size());
    grid.SetNumGridRowsAndColumns(std::max<int64_t>(rows, 1), columns);
    for (int g = 0; g < columns; ++g) grid.SetColumnAlignment(g, 2);
    // The texts the widths are measured on now, the others when drawn.
    for (int64_t r = 0; r < std::min<int64_t>(rows, EAGER_ROWS); ++r)
        for (int g = 0; g < std::min(columns, EAGER_COLUMNS); ++g) {
            const auto [dr, dc] = dataCellAt(r, g);
            if (dc < 0) continue;
            auto col = cells->getColumn(dc);
            grid.SetCellStringEntry(r, g, GridUtilities::getValueForFormat(*col, size_t(dr),
                                                                           GridUtilities::compactFormatForColumn(*col, nullptr)));
        }
}

void CrosstabRenderer::addMeasureCells(G& grid, const std::shared_ptr<DataTreeNode>& leaf, int cell, int level) {
    auto d = std::dynamic_pointer_cast<DisplayTreeNode>(leaf);
    const int last = grid.GetNumCrosstabRowHeaderColumns() - 1;
    const auto t = typeOf(leaf);
    auto remember = [&](int id) {
        if (size_t(id) >= cellNodes_.size()) cellNodes_.resize(size_t(id) + 1);
        cellNodes_[size_t(id)] = d;
        grid.SetCrosstabCellTotal(id, t == NodeType::TOTAL || t == NodeType::SUBTOTAL);
    };
    // Empty cells carry a shallow leaf down to the measures' column.
    for (int lv = level + 1; lv < last; ++lv) {
        cell = grid.AddCrosstabRowHeaderStringEntry("", cell, -1, 1, false);
        remember(cell);
    }
    for (int m = 0; m < std::max(transposedMeasures_, 1); ++m) {
        if (leaf) rowLeafNodes_.push_back(leaf);
        remember(grid.AddCrosstabRowHeaderStringEntry(size_t(m) < measureLabels_.size() ? measureLabels_[size_t(m)] : "",
                                                      cell, leafCounter_++, 1, false));
    }
}

std::pair<int64_t, int> CrosstabRenderer::dataCellAt(int64_t row, int gridColumn) const {
    if (!transposed_) return {row, getDataColumnIndex(gridColumn)};
    const int M = std::max(transposedMeasures_, 1);
    if (row < 0 || gridColumn < 0) return {-1, -1};
    const size_t k = size_t(gridColumn) * size_t(M) + size_t(row % M);
    return {row / M, k < transposedCells_.size() ? transposedCells_[k] : -1};
}

void CrosstabRenderer::renderHeader(G& grid, int axis) {
    if (axis == ROW) grid.InvalidateRowHeader();
    else grid.InvalidateColumnHeader();
    auto root = axis == ROW ? model_->rowDataTreeNode.get() : model_->columnDataTreeNode.get();
    if (axis == COL) columnLeafNodes_.clear();
    leafCounter_ = 0;
    if (!root) {
        // Rows without a row tree: one row-header column of the default width
        // (transposed: the measures of each data row).
        if (axis == ROW && transposed_) {
            const int64_t dataRows = grid.GetNumRows() / std::max(transposedMeasures_, 1);
            for (int64_t r = 0; r < dataRows; ++r) addMeasureCells(grid, nullptr, -1, -1);
        } else if (axis == ROW) {
            if (grid.GetNumCrosstabRowHeaderColumns() == 0) grid.SetNumCrosstabRowHeaderColumns(1);
            grid.AddCrosstabRowHeaderStringEntry("", -1, 0, int(std::max<int64_t>(grid.GetNumRows(), 1)), false);
        } else {
            for (int g = 0; g < grid.GetNumColumns(); ++g) gridColumnLeaf_.push_back(-1);
        }
        return;
    }
    addHeaderNodes(grid, root, -1, axis);
}

void CrosstabRenderer::addHeaderNodes(G& grid, const std::shared_ptr<DataTreeNode>& node, int parentCell, int axis) {
    for (const auto& child : node->getChildren()) {
        auto d = std::dynamic_pointer_cast<DisplayTreeNode>(child);
        bool hyperlink = false;
        const int button = d ? getCellButtonType(d, axis, hyperlink) : 0;
        const bool leaf = child->isLeaf();
        const std::string label = child->getPresentableText();
        int cell;
        if (axis == ROW && transposed_) {
            // The leaf is the parent of its measures' rows.
            cell = grid.AddCrosstabRowHeaderStringEntry(label, parentCell, -1, 1, hyperlink);
        } else if (axis == ROW) {
            if (leaf) rowLeafNodes_.push_back(child);
            cell = grid.AddCrosstabRowHeaderStringEntry(label, parentCell, leaf ? leafCounter_ : -1, 1, hyperlink);
        } else {
            int span = transposed_ ? 1 : d && d->getSpan() >= 0 ? d->getSpan() : std::max(0, model_->numberOfMeasures.get());
            if (leaf) {
                columnLeafNodes_.push_back(child);
                columnLeafMeasureNumbers_.push_back(span);
                for (int k = 0; k < span; ++k) gridColumnLeaf_.push_back(int(columnLeafNodes_.size()) - 1);
            }
            cell = grid.AddCrosstabColumnHeaderStringEntry(label, parentCell, leaf ? leafCounter_ : -1, span, hyperlink);
            if (leaf) leafCounter_ += span;
        }
        if (axis == ROW && leaf && !transposed_) ++leafCounter_;
        addPageButtons(d.get(), cell);
        if (button != 0) grid.AddCrosstabCellButton(cell, button);
        const auto t = typeOf(child);
        grid.SetCrosstabCellTotal(cell, t == NodeType::TOTAL || t == NodeType::SUBTOTAL);
        if (size_t(cell) >= cellNodes_.size()) cellNodes_.resize(size_t(cell) + 1);
        cellNodes_[size_t(cell)] = d;
        if (axis == ROW && transposed_ && leaf) addMeasureCells(grid, child, cell, child->getLevel() - 1);
        addHeaderNodes(grid, child, cell, axis);
    }
}

int CrosstabRenderer::getCellButtonType(const std::shared_ptr<DisplayTreeNode>& node, int axis, bool& hyperlink) const {
    hyperlink = false;
    auto h = getHierarchy(axis);
    if (!node || !h || !model_) return 0;
    if (node->getExpandButtonVisible() || node->getCollapseButtonVisible()) {
        hyperlink = !node->getDrillButtonVisible();
        return node->getExpandButtonVisible() ? 3 : 4;
    }
    const bool indented = model_->indentedViewMode.get() ||
                          (axis == ROW ? model_->rowIndentedViewMode.get() : model_->columnIndentedViewMode.get());
    auto data = node->getDataTreeNode();
    const bool expandable = interactive_ && data && data->isCollapsed() && h->canExpand(data);
    const bool drillable = interactive_ && data && h->canDrillDown(data);
    const auto type = node->getNodeType();
    if (!(type == NodeType::NONE || (type == NodeType::SUBTOTAL && indented))) return 0;
    if (!(axis == ROW ? model_->rowActionEnabled.get() : model_->columnActionEnabled.get())) return 0;
    hyperlink = drillable && model_->showDrillAsHyperLinkText.get();
    if (!model_->displayInteractionButtons.get()) return expandable ? 1 : 0;
    const int level = h->getCurrentLevelIndex() + node->getLevel() - 1;
    const auto& levels = h->getLevels();
    if (level >= 0 && size_t(level) < levels.size() && levels[size_t(level)]->isRanked()) return drillable ? 2 : 0;
    if (expandable) return 3;
    if (data && h->canCollapse(data)) {
        if (!indented || type == NodeType::SUBTOTAL) return 4;
        return drillable ? 2 : 0;
    }
    return drillable ? 2 : 0;
}

// ---------------------------------------------------------------- sizes

float CrosstabRenderer::getMaximumAllowedRowHeaderWidth() const {
    float allowed = getFrame().width;
    if (grid_ && grid_->GetNumColumns() > 0) {
        allowed -= grid_->GetColumnWidth(0);
        if (grid_->GetNumColumns() > 1) allowed -= grid_->GetColumnWidth(1) / 2.0f;
    }
    return allowed < 5.0f ? 50.0f * dpi() : allowed;
}

void CrosstabRenderer::measure(G& grid) {
    const float s = dpi();
    const float minW = 50.0f * s, maxW = 200.0f * s;
    // Data columns.
    for (int g = 0; g < grid.GetNumColumns(); ++g) {
        auto info = model_->getColumnInfo(g);
        float w;
        if (info && info->columnWidth.get() > -1) w = float(info->columnWidth.get()) * s;
        else if (model_->measureWidth.get() >= 0) w = float(model_->measureWidth.get()) * s;
        else if (!model_->dataSet.get() || model_->dataSet.get()->getRowCount() == 0) w = 100.0f * s;
        else
            w = std::clamp(std::max(grid.MeasureColumnWidth(G::COMPONENT_CELL, g, 0, MEASURE_SAMPLE - 1),
                                    grid.MeasureColumnWidth(G::COMPONENT_HEADER, g, 0, 0)),
                           minW, maxW);
        grid.InitColumnWidth(g, w);
    }
    // Column leaves whose label needs more than their columns: widen them.
    for (int g = 0, leaf = 0; g < grid.GetNumColumns() && leaf < MEASURE_SAMPLE; ++leaf) {
        int cell = grid.GetLeafCell(G::AXIS_COLUMN, g);
        const auto* c = grid.GetCrosstabCell(cell);
        if (!c || c->extent <= 0) {
            ++g;
            continue;
        }
        // Every level above the leaf that starts here must fit too (only
        // the leaf shows in the indented layout).
        float need = 0.0f;
        for (int id = cell; id >= 0; id = grid.GetIndentedColumnHeaders() ? -1 : grid.GetCrosstabCell(id)->parent) {
            const auto* k = grid.GetCrosstabCell(id);
            if (k->first == c->first && k->extent == c->extent) need = std::max(need, grid.MeasureHeaderCellWidth(id));
        }
        need = std::min(need, maxW);
        float have = 0.0f;
        for (int64_t i = c->first; i < c->first + c->extent; ++i) have += grid.GetColumnWidth(int(i));
        if (need > have && c->extent > 0) {
            float extra = (need - have) / float(c->extent);
            for (int64_t i = c->first; i < c->first + c->extent; ++i)
                grid.InitColumnWidth(int(i), grid.GetColumnWidth(int(i)) + extra);
        }
        g = int(c->first + std::max<int64_t>(c->extent, 1));
    }
    // Row-header columns: the level's record, else the content (capped).
    const int n = grid.GetNumCrosstabRowHeaderColumns();
    std::vector<float> widths(size_t(std::max(n, 0)), 0.0f);
    for (int i = 0; i < n; ++i) {
        auto info = model_->getRowLevelInfo(i);
        widths[size_t(i)] = info && info->width.get() > 0 ? float(info->width.get()) * s
                                                          : std::min(grid.MeasureRowHeaderColumnWidth(i, MEASURE_SAMPLE), maxW);
        widths[size_t(i)] = std::max(widths[size_t(i)], 24.0f * s);
    }
    if (grid.GetIndentedRowHeaders() && n > 0) {
        float widest = 0.0f;
        for (float w : widths) widest = std::max(widest, w);
        widths.assign(size_t(n), 0.0f);
        widths[0] = widest + 8.0f * s * float(n);
    }
    float total = 0.0f;
    for (float w : widths) total += w;
    // The corner also holds the column levels' axis labels: the last
    // row-header column widens for them.
    const float corner = grid.MeasureColumnAxisLabelWidth();
    if (n > 0 && total < corner) {
        widths[size_t(n - 1)] += corner - total;
        total = corner;
    }
    const float allowed = getMaximumAllowedRowHeaderWidth();
    if (total > allowed && total > 0.0f) {
        // Every column shrinks by the same percentage.
        const float p = (total - allowed) * 100.0f / total;
        for (float& w : widths) w = w * (100.0f - p) / 100.0f;
    }
    for (int i = 0; i < n; ++i) grid.SetCrosstabRowHeaderColumnWidth(i, widths[size_t(i)]);
    for (int i = 0; i < grid.GetNumCrosstabColumnHeaderRows(); ++i) {
        auto info = model_->getColumnLevelInfo(i);
        grid.SetCrosstabColumnHeaderRowHeight(i, grid.MeasureColumnHeaderRowHeight(i));
        (void)info;
    }
}

Size CrosstabRenderer::getPreferredSize(const Size& constraint) {
    auto editor = displaylist::DisplayListEditor::create(nullptr);
    Rect saved = getFrame();
    float w = constraint.width > 0.0f ? constraint.width : 1024.0f;
    setFrame({saved.x, saved.y, w, 100.0f});
    updateDisplayList(editor);
    Size sz;
    if (grid_) {
        auto v = grid_->GetCrosstabVirtualPageSize();
        sz = {static_cast<float>(std::min(v.width, 16384.0)), static_cast<float>(std::min(v.height, 16384.0))};
    }
    setFrame(saved);
    setNeedsUpdateDisplayList(true);
    return sz;
}

void CrosstabRenderer::updateColumnWidth(int column, double width) {
    if (!model_ || !grid_ || column < 0 || column >= grid_->GetNumColumns() || !std::isfinite(width) || width < 0.0) return;
    auto info = model_->getColumnInfo(column);
    if (!info) {
        info = DataGridColumnInfo::create();
        model_->setColumnInfo(column, info);
    }
    info->columnWidth.set(int(std::lround(width / dpi())));
    info->columnIndex.set(column);
    grid_->SetColumnWidth(column, float(width));
    auto e = DataGridCellContentEvent::create(COLUMN_SIZE_CHANGED);
    dispatchEvent(e);
    invalidateFrameBuffer();
}

void CrosstabRenderer::updateRowHeight(int64_t row, double height) {
    if (!grid_ || !std::isfinite(height) || height < 0.0) return;
    grid_->SetRowHeight(row, float(height));
    invalidateFrameBuffer();
}

void CrosstabRenderer::updateRowHeaderSizes(int level, float width) {
    if (!model_ || level < 0 || !std::isfinite(width) || width < 0.0f) return;
    auto info = model_->getRowLevelInfo(level);
    if (!info) {
        info = CrosstabLevelInfo::create();
        model_->setRowLevelInfo(level, info);
    }
    info->width.set(int(std::lround(width / dpi())));
    if (grid_) grid_->SetCrosstabRowHeaderColumnWidth(level, width);
    invalidateFrameBuffer();
}

void CrosstabRenderer::dispatchControllerEvent() {
    if (suppressControllerEvents_) return;
    auto event = CrosstabControllerEvent::create(this, CROSSTAB_CONTROLLER_EVENT);
    event->setController(CrosstabController::create(std::dynamic_pointer_cast<CrosstabRenderer>(shared_from_this())));
    dispatchEvent(event);
}

// ---------------------------------------------------------------- queries

std::shared_ptr<DisplayTreeNode> CrosstabRenderer::getRowLeafAt(int64_t row) const {
    if (row < 0 || size_t(row) >= rowLeafNodes_.size()) return nullptr;
    return std::dynamic_pointer_cast<DisplayTreeNode>(rowLeafNodes_[size_t(row)]);
}

std::shared_ptr<DisplayTreeNode> CrosstabRenderer::getColumnLeafAt(int gridColumn) const {
    if (gridColumn < 0 || size_t(gridColumn) >= gridColumnLeaf_.size()) return nullptr;
    int leaf = gridColumnLeaf_[size_t(gridColumn)];
    if (leaf < 0 || size_t(leaf) >= columnLeafNodes_.size()) return nullptr;
    return std::dynamic_pointer_cast<DisplayTreeNode>(columnLeafNodes_[size_t(leaf)]);
}

int CrosstabRenderer::getDataColumnIndex(int gridColumn) const {
    return gridColumn >= 0 && size_t(gridColumn) < visibleColumns_.size() ? visibleColumns_[size_t(gridColumn)] : -1;
}

bool CrosstabRenderer::isRowTotalOrSubTotal(int64_t row) const {
    auto t = typeOf(getRowLeafAt(row));
    return t == NodeType::TOTAL || t == NodeType::SUBTOTAL;
}

bool CrosstabRenderer::isColumnTotalOrSubTotal(int gridColumn) const {
    auto t = typeOf(getColumnLeafAt(gridColumn));
    return t == NodeType::TOTAL || t == NodeType::SUBTOTAL;
}

std::shared_ptr<DisplayTreeNode> CrosstabRenderer::displayNodeOfCell(int, int cell) const {
    return cell >= 0 && size_t(cell) < cellNodes_.size() ? cellNodes_[size_t(cell)] : nullptr;
}

std::shared_ptr<DisplayTreeNode> CrosstabRenderer::findNode(int axis, const std::string& path) const {
    auto root = model_ ? (axis == ROW ? model_->rowDataTreeNode.get() : model_->columnDataTreeNode.get()) : nullptr;
    if (!root) return nullptr;
    std::vector<std::string> parts;
    std::stringstream in(path);
    for (std::string p; std::getline(in, p, '/');) parts.push_back(p);
    std::shared_ptr<DataTreeNode> node = root;
    for (const auto& p : parts) {
        std::shared_ptr<DataTreeNode> next;
        for (const auto& c : node->getChildren())
            if (typeOf(c) == NodeType::NONE && c->getPresentableText() == p) next = c;
        if (!next) return nullptr;
        node = next;
    }
    return node == root ? nullptr : std::dynamic_pointer_cast<DisplayTreeNode>(node);
}

uint64_t CrosstabRenderer::getPickIdForNode(int axis, const std::shared_ptr<DataTreeNode>& node) const {
    if (!grid_ || !node) return G::NO_PICK_ID;
    for (size_t i = 0; i < cellNodes_.size(); ++i) {
        if (cellNodes_[i] != node) continue;
        const auto* c = grid_->GetCrosstabCell(int(i));
        if (!c || c->axis != axis) continue;
        return G::GetHeaderPickID(axis == ROW ? G::COMPONENT_ROW_HEADER : G::COMPONENT_COLUMN_HEADER, c->first, c->level, 0);
    }
    return G::NO_PICK_ID;
}

// ---------------------------------------------------------------- actions

bool CrosstabRenderer::expand(int axis, const std::shared_ptr<DisplayTreeNode>& node) {
    auto h = getHierarchy(axis);
    auto data = node ? node->getDataTreeNode() : nullptr;
    if (!h || !data || !data->isCollapsed() || !h->canExpand(data)) {
        ORVANE_LOG(CLog::ERRORS, SOURCE, "cannot expand " + (node ? node->getPresentableText() : std::string("<none>")));
        return false;
    }
    if (!h->expand(data)) return false;
    rebuildInPlace();
    return true;
}

bool CrosstabRenderer::collapse(int axis, const std::shared_ptr<DisplayTreeNode>& node) {
    auto h = getHierarchy(axis);
    auto data = node ? node->getDataTreeNode() : nullptr;
    if (!h || !data || !h->canCollapse(data)) {
        ORVANE_LOG(CLog::ERRORS, SOURCE, "cannot collapse " + (node ? node->getPresentableText() : std::string("<none>")));
        return false;
    }
    if (!h->collapse(data)) return false;
    rebuildInPlace();
    return true;
}

bool CrosstabRenderer::drillDown(int axis, const std::shared_ptr<DisplayTreeNode>& node) {
    auto h = getHierarchy(axis);
    auto data = node ? node->getDataTreeNode() : nullptr;
    if (!h || !data || !h->canDrillDown(data)) {
        ORVANE_LOG(CLog::ERRORS, SOURCE, "cannot drill into " + (node ? node->getPresentableText() : std::string("<none>")));
        return false;
    }
    if (!h->drillDown(data)) return false;
    scrollX_ = scrollY_ = 0.0;
    if (grid_) grid_->SetScrollPosition(0.0, 0.0);
    rebuildInPlace();
    return true;
}

bool CrosstabRenderer::drillUp(int axis) {
    auto h = getHierarchy(axis);
    if (!h || h->getCurrentLevelIndex() == 0 || !h->drillUp()) return false;
    scrollX_ = scrollY_ = 0.0;
    if (grid_) grid_->SetScrollPosition(0.0, 0.0);
    rebuildInPlace();
    return true;
}

bool CrosstabRenderer::performButton(const CrosstabPickResultEntry& entry) {
    using B = CrosstabPickResultEntry::ButtonType;
    const int axis = entry.type == CrosstabPickResultEntry::Type::ROW_HEADER ? ROW : COL;
    const int vertical = axis == ROW ? GestureDirectionType::DOWN : GestureDirectionType::RIGHT;
    const int back = axis == ROW ? GestureDirectionType::UP : GestureDirectionType::LEFT;
    switch (entry.buttonType) {
    case B::EXPAND: return expand(axis, entry.displayTreeNode);
    case B::COLLAPSE: return collapse(axis, entry.displayTreeNode);
    case B::DRILLDOWN: return drillDown(axis, entry.displayTreeNode);
    case B::PAGE_DOWN: return page(vertical);
    case B::PAGE_DOWN_END: return pageToEnd(vertical);
    case B::PAGE_UP: return page(back);
    case B::PAGE_UP_END: return pageToEnd(back);
    case B::NONE: break;
    }
    return false;
}

// ---------------------------------------------------------------- paging

void CrosstabRenderer::setPagingThresholds(int rows, int columns) {
    pagingThresholds_[0] = std::max(0, rows);
    pagingThresholds_[1] = std::max(0, columns);
    if (builder_) builder_->setPagingThresholds(pagingThresholds_[0], pagingThresholds_[1]);
    refreshPaging(true);
}

void CrosstabRenderer::addPageButtons(const DisplayTreeNode* node, int cell) {
    if (!node || !grid_ || cell < 0) return;
    const bool flags[] = {node->getPageUpEndButtonVisible(), node->getPageUpButtonVisible(),
                          node->getPageDownButtonVisible(), node->getPageDownEndButtonVisible()};
    const int codes[] = {G::BUTTON_PAGE_UP_END, G::BUTTON_PAGE_UP, G::BUTTON_PAGE_DOWN, G::BUTTON_PAGE_DOWN_END};
    bool any = false;
    for (int i = 0; i < 4; ++i)
        if (flags[i]) grid_->AddCrosstabCellButton(cell, codes[i]), any = true;
    if (any) pagedCells_.push_back(cell);
}

std::pair<int64_t, int64_t> CrosstabRenderer::getVisibleLeafWindow(int axis) const {
    const std::pair<int64_t, int64_t> none{-1, -1};
    if (!grid_ || grid_->GetNumRows() == 0 || grid_->GetNumColumns() == 0) return none;
    int64_t r0, r1;
    int c0, c1;
    grid_->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    // A row (column) counts when it shows whole; at least one always does.
    auto full = [](int64_t lo, int64_t hi, double from, double size, auto offset) {
        int64_t first = offset(lo) >= from - 0.5 ? lo : lo + 1;
        int64_t last = offset(hi + 1) <= from + size + 0.5 ? hi : hi - 1;
        first = std::min(first, hi);
        return std::pair<int64_t, int64_t>{first, std::max(last, first) + 1};
    };
    if (axis == ROW) {
        if (r0 < 0 || rowLeafNodes_.empty()) return none;
        auto w = full(r0, r1, grid_->GetScrollY(), grid_->GetScrollAreaHeight(),
                      [&](int64_t r) { return grid_->GetRowTranslationOffset(r); });
        const auto n = int64_t(rowLeafNodes_.size());
        if (w.first >= n) return none;
        w.second = std::min(w.second, n);
        // Transposed, a leaf has a row per measure: it counts when all show.
        const int64_t per = transposed_ ? std::max(transposedMeasures_, 1) : 1;
        const int64_t first = (w.first + per - 1) / per, end = std::max(w.second / per, first + 1);
        return {first, std::min(end, n / per)};
    }
    if (c0 < 0 || columnLeafNodes_.empty()) return none;
    auto w = full(c0, c1, grid_->GetScrollX(), grid_->GetScrollAreaWidth(),
                  [&](int64_t c) { return grid_->GetColumnTranslationOffset(int(c)); });
    // Grid columns to column leaves: a leaf counts when all its columns show.
    auto leafAt = [&](int64_t g) { return size_t(g) < gridColumnLeaf_.size() ? gridColumnLeaf_[size_t(g)] : -1; };
    int first = leafAt(w.first), last = leafAt(w.second - 1);
    if (first < 0 || last < 0) return none;
    if (w.first > 0 && leafAt(w.first - 1) == first && first < last) ++first;
    if (leafAt(w.second) == last && last > first) --last;
    return {first, int64_t(last) + 1};
}

void CrosstabRenderer::refreshPaging(bool force) {
    if (!grid_ || !builder_ || builder_->getCrosstab() != model_) return;
    // A display that cannot be tapped (export, printing) shows no paging
    // buttons: an empty window flags no leaf.
    const std::pair<int64_t, int64_t> none{-1, -1};
    const std::pair<int64_t, int64_t> window[2] = {interactive_ ? getVisibleLeafWindow(ROW) : none,
                                                   interactive_ ? getVisibleLeafWindow(COL) : none};
    if (!force && window[0] == pagedWindow_[0] && window[1] == pagedWindow_[1]) return;
    pagedWindow_[0] = window[0];
    pagedWindow_[1] = window[1];
    builder_->setRowPagingWindow(window[0].first, window[0].second);
    builder_->setColumnPagingWindow(window[1].first, window[1].second);
    builder_->applyPaging();
    for (int cell : pagedCells_)
        for (int b : {G::BUTTON_PAGE_UP_END, G::BUTTON_PAGE_UP, G::BUTTON_PAGE_DOWN, G::BUTTON_PAGE_DOWN_END})
            grid_->RemoveCrosstabCellButton(cell, b);
    pagedCells_.clear();
    // Only the leaves at the window's ends can carry the flags (transposed:
    // on the first and the last row of the leaf's measures).
    const int64_t per = transposed_ ? std::max(transposedMeasures_, 1) : 1;
    for (int64_t row : {window[0].first * per, window[0].second * per - 1})
        if (window[0].first >= 0 && row >= 0 && size_t(row) < rowLeafNodes_.size())
            addPageButtons(dynamic_cast<DisplayTreeNode*>(rowLeafNodes_[size_t(row)].get()), grid_->GetLeafCell(ROW, row));
    for (int64_t i : {window[1].first, window[1].second - 1}) {
        if (i < 0 || size_t(i) >= columnLeafNodes_.size()) continue;
        auto g = std::find(gridColumnLeaf_.begin(), gridColumnLeaf_.end(), int(i));
        if (g != gridColumnLeaf_.end())
            addPageButtons(dynamic_cast<DisplayTreeNode*>(columnLeafNodes_[size_t(i)].get()),
                           grid_->GetLeafCell(COL, int64_t(g - gridColumnLeaf_.begin())));
    }
    // A window of one leaf may name it twice.
    std::sort(pagedCells_.begin(), pagedCells_.end());
    pagedCells_.erase(std::unique(pagedCells_.begin(), pagedCells_.end()), pagedCells_.end());
    invalidateFrameBuffer();
}

bool CrosstabRenderer::canPage(Direction direction) const {
    if (!grid_) return false;
    switch (direction) {
    case GestureDirectionType::UP: return grid_->GetScrollY() > 0.0;
    case GestureDirectionType::LEFT: return grid_->GetScrollX() > 0.0;
    case GestureDirectionType::DOWN:
        return grid_->GetScrollY() + grid_->GetScrollAreaHeight() < grid_->GetRowTranslationOffset(grid_->GetNumRows()) - 0.5;
    case GestureDirectionType::RIGHT:
        return grid_->GetScrollX() + grid_->GetScrollAreaWidth() <
               grid_->GetColumnTranslationOffset(grid_->GetNumColumns()) - 0.5;
    default: return false;
    }
}

bool CrosstabRenderer::page(Direction direction) {
    if (!canPage(direction)) return false;
    int64_t r0, r1;
    int c0, c1;
    grid_->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    double x = grid_->GetScrollX(), y = grid_->GetScrollY();
    switch (direction) {
    case GestureDirectionType::DOWN: {
        // The row after the last fully visible one becomes the first.
        int64_t next = r1;
        if (grid_->GetRowTranslationOffset(r1 + 1) <= y + grid_->GetScrollAreaHeight() + 0.5) next = r1 + 1;
        next = std::max(next, r0 + 1);
        y = grid_->GetRowTranslationOffset(next);
        break;
    }
    case GestureDirectionType::UP:
        // The row before the first visible one becomes the last (never above 0).
        y = std::max(0.0, grid_->GetRowTranslationOffset(std::max<int64_t>(r0, 0)) - grid_->GetScrollAreaHeight());
        break;
    case GestureDirectionType::RIGHT: {
        int next = c1;
        if (grid_->GetColumnTranslationOffset(c1 + 1) <= x + grid_->GetScrollAreaWidth() + 0.5) next = c1 + 1;
        next = std::max(next, c0 + 1);
        x = grid_->GetColumnTranslationOffset(next);
        break;
    }
    case GestureDirectionType::LEFT:
        x = std::max(0.0, grid_->GetColumnTranslationOffset(std::max(c0, 0)) - grid_->GetScrollAreaWidth());
        break;
    default: return false;
    }
    setScrollPosition(x, y);
    return true;
}

bool CrosstabRenderer::pageToEnd(Direction direction) {
    if (!grid_) return false;
    double x = grid_->GetScrollX(), y = grid_->GetScrollY();
    switch (direction) {
    case GestureDirectionType::UP: y = 0.0; break;
    case GestureDirectionType::LEFT: x = 0.0; break;
    case GestureDirectionType::DOWN: y = grid_->GetRowTranslationOffset(grid_->GetNumRows()); break;
    case GestureDirectionType::RIGHT: x = grid_->GetColumnTranslationOffset(grid_->GetNumColumns()); break;
    default: return false;
    }
    setScrollPosition(x, y);
    return true;
}

void CrosstabRenderer::setVisibleWindow(int64_t firstRow, int64_t endRow, int firstColumn, int endColumn) {
    visibleWindow_ = {firstRow, endRow, firstColumn, endColumn};
    setNeedsUpdateDisplayList(true);
}

void CrosstabRenderer::setScrollPosition(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    visibleWindow_ = {-1, -1, -1, -1};
    if (grid_) {
        grid_->SetScrollPosition(std::max(0.0, x), std::max(0.0, y));
        scrollX_ = grid_->GetScrollX();
        scrollY_ = grid_->GetScrollY();
    } else {
        scrollX_ = std::max(0.0, x);
        scrollY_ = std::max(0.0, y);
    }
    refreshPaging(false);
    invalidateFrameBuffer();
}

// ---------------------------------------------------------------- picking

uint64_t CrosstabRenderer::getDetailIndex(int64_t row, int column, int component) {
    return G::GetPickID(row, column, component);
}

int CrosstabRenderer::getComponentIdFromDetailIndex(uint64_t index) { return G::ConvertPickIDtoComponentID(index); }

int64_t CrosstabRenderer::getRowOrColumnFromDetailIndex(uint64_t index) {
    int comp = G::ConvertPickIDtoComponentID(index);
    if (comp == G::COMPONENT_CELL || comp == G::COMPONENT_ROW_HEADER) return G::GetRowFromPickID(index);
    if (comp == G::COMPONENT_COLUMN_HEADER) return G::GetRowFromPickID(index);
    return G::GetColumnFromPickID(index);
}

std::shared_ptr<CrosstabPickResultEntry> CrosstabRenderer::getPickEntry(uint64_t pickId) const {
    if (!grid_ || pickId == G::NO_PICK_ID) return nullptr;
    using T = CrosstabPickResultEntry::Type;
    auto e = CrosstabPickResultEntry::create();
    e->pickId = pickId;
    const int comp = G::ConvertPickIDtoComponentID(pickId);
    Rect r = grid_->GetScreenRectForPickID(pickId);
    e->x = r.x;
    e->y = r.y;
    e->cellWidth = r.width;
    e->cellHeight = r.height;
    e->text = grid_->GetPickText(pickId);
    if (auto src = model_ ? model_->sourceDataSet.get() : nullptr; src && src->getName()) e->sourceDataSetName = *src->getName();
    auto pathOf = [](const std::shared_ptr<DataTreeNode>& n) {
        std::vector<std::string> path;
        auto* d = dynamic_cast<DisplayTreeNode*>(n.get());
        auto data = d ? d->getDataTreeNode() : n;
        if (!data) return path;
        for (const auto& p : data->getUniqueNodePath()) path.push_back(p->getPresentableText());
        return path;
    };
    switch (comp) {
    case G::COMPONENT_CELL: {
        e->type = T::DATA_CELL;
        e->row = G::GetRowFromPickID(pickId);
        e->column = G::GetColumnFromPickID(pickId);
        e->index = e->column;
        auto rowLeaf = getRowLeafAt(e->row);
        auto colLeaf = getColumnLeafAt(e->column);
        e->node = rowLeaf;
        e->displayTreeNode = rowLeaf;
        e->totalColumn = typeOf(colLeaf) == NodeType::TOTAL;
        e->subtotalColumn = typeOf(colLeaf) == NodeType::SUBTOTAL;
        auto v = rowLeaf ? rowLeaf->getDataValue() : nullptr;
        auto cv = colLeaf ? colLeaf->getDataValue() : nullptr;
        e->allOther = (v && v->isAllOthers()) || (cv && cv->isAllOthers());
        if (auto h = getHierarchy(ROW)) e->hierarchyName = *h->getName();
        e->hierarchyPath = pathOf(rowLeaf);
        auto cells = model_->dataSet.get();
        const auto [dr, dc] = dataCellAt(e->row, e->column);
        if (cells && dc >= 0 && dr >= 0 && size_t(dr) < cells->getRowCount()) {
            auto col = cells->getColumn(dc);
            e->setLabel(col->getLabel());
            if (!col->isMissingAtIndex(size_t(dr))) e->setValue(DataValue::create(col->getNumberAtIndex(size_t(dr))));
            e->setFormattedValue(std::make_shared<const std::string>(e->text));
        }
        break;
    }
    case G::COMPONENT_HEADER:
        e->type = T::MEASURE_HEADER;
        e->column = G::GetColumnFromPickID(pickId);
        e->index = e->column;
        break;
    case G::COMPONENT_ROW_HEADER:
    case G::COMPONENT_COLUMN_HEADER: {
        const int axis = comp == G::COMPONENT_ROW_HEADER ? ROW : COL;
        e->type = axis == ROW ? T::ROW_HEADER : T::COLUMN_HEADER;
        int cell = grid_->GetCellForPickID(pickId);
        e->index = cell;
        e->row = G::GetRowFromPickID(pickId);
        e->column = G::GetLevelFromPickID(pickId);
        e->displayTreeNode = displayNodeOfCell(axis, cell);
        e->node = e->displayTreeNode ? e->displayTreeNode->getDataTreeNode() : nullptr;
        e->buttonType = CrosstabPickResultEntry::buttonTypeForCode(G::GetButtonFromPickID(pickId));
        if (auto h = getHierarchy(axis)) e->hierarchyName = *h->getName();
        e->hierarchyPath = pathOf(e->displayTreeNode);
        auto v = e->displayTreeNode ? e->displayTreeNode->getDataValue() : nullptr;
        e->allOther = v && v->isAllOthers();
        static const char* keys[] = {"crosstab.expand.txt",  "crosstab.collapse.txt", "crosstab.drill.txt",
                                     "crosstab.pageUp.txt",  "crosstab.pageUpEnd.txt", "crosstab.pageDown.txt",
                                     "crosstab.pageDownEnd.txt"};
        if (e->buttonType != CrosstabPickResultEntry::ButtonType::NONE) {
            e->setLabel(std::make_shared<const std::string>(message(keys[int(e->buttonType)])));
            e->setUseAsTooltip(true);
        }
        break;
    }
    case G::COMPONENT_ROW_AXIS_HEADER:
        e->type = T::ROW_AXIS_LABEL_HEADER;
        e->index = G::GetLevelFromPickID(pickId);
        break;
    case G::COMPONENT_COLUMN_AXIS_HEADER:
        e->type = T::COLUMN_AXIS_LABEL_HEADER;
        e->index = G::GetLevelFromPickID(pickId);
        break;
    default: return nullptr;
    }
    if (!e->getLabel() && grid_->IsCrosstabCellTextTruncated(pickId)) {
        // The full text of a cut label becomes the tooltip.
        e->setLabel(std::make_shared<const std::string>(e->text));
        e->setUseAsTooltip(true);
    }
    return e;
}

std::shared_ptr<CrosstabPickResultEntry> CrosstabRenderer::pickAt(const Point& point) const {
    if (!grid_) return nullptr;
    return getPickEntry(grid_->GetCrosstabPickIDAtScreenPosition(point.x, point.y));
}

std::shared_ptr<PickResult> CrosstabRenderer::getPickResultForNodeInfo(const displaylist::TqSelectionInfoStruct& info) {
    if (!grid_ || int(info.nodeId) != grid_->GetNodeId()) return nullptr;
    auto entry = getPickEntry(info.detailIndex);
    if (!entry) return nullptr;
    auto result = PickResult::create();
    result->setDisplayListNodeBounds({entry->x, entry->y, entry->cellWidth, entry->cellHeight});
    result->autoPreferredTargetLocation(true);
    result->addEntry(entry);
    return result;
}

// ---------------------------------------------------------------- selection

std::shared_ptr<SelectionController> CrosstabRenderer::createSelectionController() {
    return CrosstabSelectionController::create(std::dynamic_pointer_cast<CrosstabRenderer>(shared_from_this()));
}

std::vector<int32_t> CrosstabRenderer::getSourceRows(int64_t row, int gridColumn) const {
    if (row < 0 || size_t(row) >= rowLeafNodes_.size() || gridColumn < 0 || (grid_ && gridColumn >= grid_->GetNumColumns()))
        return {};
    int leaf = 0;
    if (!columnLeafNodes_.empty()) {
        leaf = size_t(gridColumn) < gridColumnLeaf_.size() ? gridColumnLeaf_[size_t(gridColumn)] : -1;
        if (leaf < 0) return {};
    }
    return crossings().getRows(row, leaf);
}

CrosstabCrossingRows& CrosstabRenderer::crossings() const {
    auto source = model_ ? model_->sourceDataSet.get() : nullptr;
    auto states = source ? source->getRowStates() : nullptr;
    const size_t n = source ? (states ? std::min(states->getRowCount(), source->getRowCount()) : source->getRowCount()) : 0;
    if (!crossingsReady_ || crossings_.getSourceRowCount() != n) {
        crossings_.reset(rowLeafNodes_, columnLeafNodes_, n);
        crossingsReady_ = true;
    }
    return crossings_;
}

void CrosstabRenderer::updateSelection(const std::vector<uint64_t>& pickIds, bool additive, bool toggle) {
    if (!grid_) return;
    if (!additive && !toggle) selected_.clear();
    for (uint64_t id : pickIds) {
        if (G::ConvertPickIDtoComponentID(id) != G::COMPONENT_CELL) continue;
        std::pair<int64_t, int> cell{G::GetRowFromPickID(id), G::GetColumnFromPickID(id)};
        if (cell.first < 0 || cell.first >= int64_t(rowLeafNodes_.size()) || cell.second < 0 ||
            cell.second >= grid_->GetNumColumns())
            continue;
        auto it = std::find(selected_.begin(), selected_.end(), cell);
        if (it != selected_.end()) {
            if (toggle) selected_.erase(it);
        } else {
            selected_.push_back(cell);
        }
    }
    setSelectedNodes(std::vector<std::pair<int64_t, int>>(selected_));
}

void CrosstabRenderer::setSelectedNodes(const std::vector<std::pair<int64_t, int>>& cells) {
    selected_.clear();
    for (const auto& c : cells)
        if (c.first >= 0 && c.first < int64_t(rowLeafNodes_.size()) && c.second >= 0 &&
            (!grid_ || c.second < grid_->GetNumColumns()))
            selected_.push_back(c);
    // The cells stand for their source rows: written in one change.
    auto source = model_ ? model_->sourceDataSet.get() : nullptr;
    if (source) {
        if (!source->getRowStates()) source->setRowStates(RowStates::create(source->getRowCount()));
        std::vector<int> rows;
        for (const auto& c : selected_) {
            auto r = getSourceRows(c.first, c.second);
            rows.insert(rows.end(), r.begin(), r.end());
        }
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        auto keep = selected_;
        writingRowStates_ = true;
        source->getRowStates()->setSelectedIndices(rows);
        writingRowStates_ = false;
        selected_ = keep;
    }
    if (grid_) {
        grid_->ClearSelectedCells();
        for (const auto& c : selected_) grid_->SetCellSelected(c.first, c.second, true);
    }
    // Other crossings covered by the same rows show too.
    rowStatesChanged();
    dispatchEvent(std::make_shared<PortableEvent>(Crosstab::SELECTED_CHANGED));
}

std::vector<std::pair<std::shared_ptr<DataTreeNode>, std::shared_ptr<DataTreeNode>>> CrosstabRenderer::getSelectedNodes()
    const {
    std::vector<std::pair<std::shared_ptr<DataTreeNode>, std::shared_ptr<DataTreeNode>>> out;
    for (const auto& c : selected_) {
        auto r = getRowLeafAt(c.first);
        if (!r) continue;
        out.push_back({r, getColumnLeafAt(c.second)});
    }
    return out;
}

void CrosstabRenderer::clearSelections() {
    selected_.clear();
    if (grid_) grid_->ClearSelectedCells();
    invalidateFrameBuffer();
}

void CrosstabRenderer::selectAll() {
    if (!grid_) return;
    std::vector<std::pair<int64_t, int>> all;
    for (int64_t r = 0; r < int64_t(rowLeafNodes_.size()); ++r)
        for (int g = 0; g < grid_->GetNumColumns(); ++g) all.push_back({r, g});
    setSelectedNodes(all);
}

void CrosstabRenderer::rowStatesChanged() {
    if (writingRowStates_ || !grid_) return;
    auto source = model_ ? model_->sourceDataSet.get() : nullptr;
    auto states = source ? source->getRowStates() : nullptr;
    grid_->ClearSelectedCells();
    selected_.clear();
    if (states && states->getSelectedCount() > 0) {
        // A crossing shows selected when every one of its rows is.
        const int64_t rows = std::min<int64_t>(grid_->GetNumRows(), int64_t(std::max<size_t>(rowLeafNodes_.size(), 1)));
        for (const auto& [r, leaf] : crossings().getFullySelected(states->getBitmap())) {
            if (r >= rows) continue;
            for (int g = 0; g < grid_->GetNumColumns(); ++g) {
                int gl = size_t(g) < gridColumnLeaf_.size() ? gridColumnLeaf_[size_t(g)] : -1;
                if (!columnLeafNodes_.empty() && gl != leaf) continue;  // without columns: every one
                selected_.push_back({r, g});
                grid_->SetCellSelected(r, g, true);
            }
        }
        std::sort(selected_.begin(), selected_.end());
    }
    invalidateFrameBuffer();
}

void CrosstabRenderer::printNodeInfo(std::ostream& out) const {
    if (!grid_) return;
    for (int i = 0; i < grid_->GetCrosstabCellCount(); ++i) {
        const auto* c = grid_->GetCrosstabCell(i);
        if (!c) continue;
        const auto* p = grid_->GetCrosstabCell(c->parent);
        out << (c->axis == ROW ? "Row: " : "Column: ") << c->label << " ParentNode: " << (p ? p->label : "<none>")
            << " level: " << c->level + 1 << '\n';
    }
}

} // namespace orvane
