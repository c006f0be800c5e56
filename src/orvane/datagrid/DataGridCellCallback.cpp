// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/DataGridCellCallback.h"

#include "orvane/datagrid/CellBarRenderer.h"
#include "orvane/datagrid/CellGraph.h"
#include "orvane/datagrid/CellHeatMapRenderer.h"
#include "orvane/datagrid/DataGridCellContentEvent.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/GridUtilities.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/image/ImageUtilities.h"
#include "orvane/image/RasterImage.h"
#include "orvane/host/style/CSSParser.h"
#include "orvane/package/Div.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/RichTextView.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace orvane {

namespace {
// Rich-text cells hold markup; where the markup is not drawn, its text is.
std::string plainText(const std::string& markup) {
    std::string out;
    bool inTag = false;
    for (char ch : markup) {
        if (ch == '<') inTag = true;
        else if (ch == '>') inTag = false;
        else if (!inTag) out += ch;
    }
    return out;
}
} // namespace

bool DataGridCellCallback::isMatchesAllColumn(const Column& column, size_t dataSetRows) {
    if (dataSetRows != 1 || column.getRowCount() < 1) return false;
    auto value = column.getDataValueAtIndex(0);
    return value && value->isMatchesAll();
}

size_t DataGridCellCallback::dataRowOf(int displayRow) const {
    return GridUtilities::dataRowOf(sort_, static_cast<size_t>(std::max(displayRow, 0)));
}

void DataGridCellCallback::CellContentCallback(int column, int row, void* grid) {
    auto* g = static_cast<displaylist::TqDataGrid*>(grid);
    if (!g || column < 0 || row < 0 || size_t(column) >= columns_.size()) return;
    const ColumnBinding& b = columns_[size_t(column)];
    std::string text;
    if (b.column) {
        size_t dataRow = dataRowOf(row);
        if (dataRow >= b.column->getRowCount()) return;
        if (row == 0 && isMatchesAllColumn(*b.column, b.column->getRowCount())) {
            ++texts_;
            g->SetStringEntryFromCallback(row, column, std::string());
            return;
        }
        text = GridUtilities::getValueForFormat(*b.column, dataRow, b.compactFormat);
        if (b.info && b.info->cellVisual.get() == CellVisualType::RICHTEXT) text = plainText(text);
    }
    ++texts_;
    g->SetStringEntryFromCallback(row, column, text);
}

void DataGridCellCallback::DisplayRuleCallback(int column, int row, DataGridCellInfoStruct* info) {
    if (!info || column < 0 || row < 0 || size_t(column) >= columns_.size()) return;
    const ColumnBinding& b = columns_[size_t(column)];
    if (!b.column) return;
    size_t dataRow = dataRowOf(row);
    if (dataRow >= b.column->getRowCount()) return;
    // Rules are evaluated at the data row the cell shows, so a sorted table
    // colours the right cells.
    if (b.dataIndex >= 0) DataGridDisplayRules::DisplayRuleCallback(b.dataIndex, int(dataRow), info);
    if (b.info && b.info->cellVisual.get() == CellVisualType::HEATMAP && b.column->isNumeric()) {
        auto graph = CellGraph::create();
        graph->value.set(b.column->isMissingAtIndex(dataRow) ? NAN : float(b.column->getNumberAtIndex(dataRow)));
        graph->minimum.set(float(b.column->getMinimumNumber()));
        graph->maximum.set(float(b.column->getMaximumNumber()));
        graph->styleChain.set(b.style);
        if (b.info->cellVisualFillColor.hasValue()) {
            graph->fillColor.set(b.info->cellVisualFillColor.get());
            graph->missingColor.set(b.info->cellVisualMissingColor.get());
        }
        uint32_t c = CellHeatMapRenderer::getFillColor(*graph);
        if (c != CellHeatMapRenderer::NO_COLOR) info->fillColor = c;
    }
    bool wantsPicture = info->needsImageTexture || info->needsOffScreenGraph;
    if (!wantsPicture && !enableCellCallback_) return;
    // The cell is announced from the view; the view (and any host listening)
    // makes its content.
    auto event = DataGridCellContentEvent::create(DataGridCellContentEvent::GRID_CELL_CONTENT, column, row, info);
    event->setColumnInfo(b.info);
    ++events_;
    if (auto view = view_.lock()) view->dispatchEvent(event);
    else if (wantsPicture) createAndUpdateCellVisual(*event);
}

void DataGridCellCallback::createAndUpdateCellVisual(const DataGridCellContentEvent& event) {
    int column = event.getColumnIndex(), row = event.getRowIndex();
    const DataGridCellInfoStruct* info = event.getCellInfo();
    if (!grid_ || !info || column < 0 || row < 0 || size_t(column) >= columns_.size()) return;
    if (!info->needsImageTexture && !info->needsOffScreenGraph) return;
    const ColumnBinding& b = columns_[size_t(column)];
    if (!b.column || !b.info) return;
    size_t dataRow = dataRowOf(row);
    if (dataRow >= b.column->getRowCount()) return;
    if (b.info->columnType.get() == ColumnContentType::ICON && !b.column->isNumeric())
        makeImagePicture(column, row, dataRow, b, *info);
    else if (b.info->cellVisual.get() == CellVisualType::RICHTEXT)
        makeRichTextPicture(column, row, dataRow, b, *info);
    else if (b.info->cellVisual.get() == CellVisualType::BAR && b.column->isNumeric())
        makePicture(column, row, dataRow, b, *info, event.getCellVisualFillColor());
}

void DataGridCellCallback::makePicture(int column, int row, size_t dataRow, const ColumnBinding& b,
                                       const DataGridCellInfoStruct& info, uint32_t fillColor) {
    if (!grid_) return;
    auto graph = CellGraph::create();
    double v = b.column->isMissingAtIndex(dataRow) ? NAN : b.column->getNumberAtIndex(dataRow);
    graph->value.set(std::isfinite(v) ? float(v) : NAN);
    graph->minimum.set(float(b.column->getMinimumNumber()));
    graph->maximum.set(float(b.column->getMaximumNumber()));
    graph->styleChain.set(b.style);
    if (fillColor != 0) graph->fillColor.set(fillColor);
    else if (b.info->cellVisualFillColor.hasValue()) graph->fillColor.set(b.info->cellVisualFillColor.get());
    auto bar = CellBarRenderer::create(scale_);
    bar->setModel(graph);
    // With the text beside it the bar takes half the cell.
    bool replace = b.info->cellVisualPosition.get() == CellVisualPosition::REPLACE;
    float w = replace ? float(info.width) : float(info.width) / 2.0f;
    bar->setFrame({0.0f, 0.0f, w, float(info.height)});
    // Rendered off screen once; the grid keeps the recorded nodes.
    auto editor = displaylist::DisplayListEditor::create(nullptr);
    bar->updateDisplayList(editor);
    grid_->SetCellPicture(row, column, editor->getRootNode());
    ++pictures_;
}

void DataGridCellCallback::makeImagePicture(int column, int row, size_t dataRow, const ColumnBinding& b,
                                            const DataGridCellInfoStruct& info) {
    auto text = b.column->isMissingAtIndex(dataRow) ? nullptr : b.column->getStringAtIndex(dataRow);
    std::string path = text ? *text : std::string();
    auto editor = displaylist::DisplayListEditor::create(nullptr);
    std::shared_ptr<RasterImage> image;
    if (!path.empty()) {
        std::filesystem::path file(path);
        if (file.is_relative() && !imageDirectory_.empty()) file = std::filesystem::path(imageDirectory_) / file;
        image = RasterImage::createFromFile(file.string());
        if ((!image || image->getWidth() <= 0 || image->getHeight() <= 0) && !imageErrorLogged_) {
            imageErrorLogged_ = true;
            ORVANE_LOG(CLog::ERRORS, "datagrid/DataGridCellCallback",
                       "An image cell names an image that cannot be read: \"" + file.string() +
                           "\"; such cells are drawn empty");
        }
    }
    if (image && image->getWidth() > 0 && image->getHeight() > 0) {
        // Fitted into the padded cell, never enlarged past its own size at
        // the display's scale, centred.
        float pad = float(grid_->GetHorizontalPadding()), vpad = float(grid_->GetVerticalPadding());
        float w = std::max(0.0f, float(info.width) - 2.0f * pad), h = std::max(0.0f, float(info.height) - 2.0f * vpad);
        float iw = float(image->getWidth()) * scale_, ih = float(image->getHeight()) * scale_;
        float k = std::min({1.0f, w / iw, h / ih});
        float dw = iw * k, dh = ih * k;
        if (dw > 0.0f && dh > 0.0f)
            ImageUtilities::drawImage(editor, image, {(float(info.width) - dw) / 2.0f, (float(info.height) - dh) / 2.0f, dw, dh});
    }
    // An empty picture for a cell without an image: drawn empty, not retried.
    grid_->SetCellPicture(row, column, editor->getRootNode());
    ++pictures_;
}

void DataGridCellCallback::makeRichTextPicture(int column, int row, size_t dataRow, const ColumnBinding& b,
                                               const DataGridCellInfoStruct& info) {
    if (!grid_) return;
    auto text = b.column->getStringAtIndex(dataRow);
    std::string markup = text ? *text : std::string();
    float pad = float(grid_->GetHorizontalPadding()), vpad = float(grid_->GetVerticalPadding());
    float w = std::max(0.0f, float(info.width) - 2.0f * pad), h = std::max(0.0f, float(info.height) - 2.0f * vpad);
    auto editor = displaylist::DisplayListEditor::create(nullptr);
    // The markup is read as the content of one <div>.
    std::shared_ptr<RichTextNode> tree;
    if (!markup.empty()) {
        auto reader = OrvaneUIDeserializer::create();
        reader->setSourceName("rich-text cell");
        if (auto div = std::dynamic_pointer_cast<Div>(reader->deserialize("<div>" + markup + "</div>")))
            tree = RichTextView::richTextFromDiv(div);
        else if (!richTextErrorLogged_) {
            richTextErrorLogged_ = true;
            ORVANE_LOG(CLog::ERRORS, "datagrid/DataGridCellCallback",
                       "A rich-text cell holds markup that does not read (" + reader->getLastError().toString() +
                           "); its text is shown plain");
        }
    }
    if (tree) {
        std::shared_ptr<AttributeBundle> base;
        if (b.style && !b.style->getBundles().empty()) base = b.style->getBundles().front();
        if (!base || !base->hasAttribute(31)) base = CSSParser::parse("font-size: 9pt");
        RichTextView::applyBaseStyle(tree, base);
        auto view = RichTextView::create();
        view->setRichTextNode(tree);
        view->setFrame({0.0f, 0.0f, w, h});
        editor->openGroup(pad, vpad, w, h);
        view->updateDisplayList(editor);
        editor->closeGroup();
    } else if (!markup.empty()) {
        // Unreadable markup: its text, plain.
        const std::string& plain = grid_->GetCellText(row, column);
        auto* t = editor->addText(plain, pad, float(info.height) - vpad, displaylist::TqAnchor::TOP_LEFT);
        t->SetFontSize(9.0f);
        t->SetMaxSize(w, h);
    }
    grid_->SetCellPicture(row, column, editor->getRootNode());
    ++pictures_;
}

} // namespace orvane
