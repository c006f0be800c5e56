// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/accessibility/TableAccessibilityController.h"

#include <memory>
#include <string>

namespace displaylist {
class TqCrosstab;
}

namespace orvane {

class BaseView;
class Crosstab;
class CrosstabRenderer;
class DataTreeNode;
class DataValue;
class DisplayTreeNode;
class Hierarchy;

/// The accessibility controller of a crosstab: describes its headers (kind,
/// level, the members on the header's path, expanded or collapsed, drillable,
/// how many rows and columns it covers), its axis-label headers, its measure
/// headers with their sort state and its data cells (the row and column
/// members they sit under, the value, missing and sparse values spoken as
/// missing, selection).
///
/// A header's spans count what it covers as drawn: the leaf rows (or leaf
/// columns, times their measures) under it in the display tree, so an
/// expanded child does not make its parent's span shrink to its child count.
///
/// The element list and navigation come from the renderer's grid node: the
/// column-header rows, the measure-header row and the data rows, across the
/// row-header columns and the data columns, axis-label headers in the corner.
/// A spanning header is one element, reached from every cell it covers.
/// Without a renderer (a model alone) the lists are empty and navigation
/// reaches nothing, while the descriptions still work from the model.
class ORVANE_EXPORT CrosstabAccessibilityController : public TableAccessibilityController {
public:
    enum class Axis { ROW = 0, COLUMN = 1 };

    static std::shared_ptr<CrosstabAccessibilityController> create(const std::shared_ptr<BaseView>& view,
                                                                   const std::shared_ptr<Crosstab>& crosstab);
    static std::shared_ptr<CrosstabAccessibilityController> create(const std::shared_ptr<CrosstabRenderer>& renderer);
    /// The renderer's grid node (null without a renderer or before its first rebuild).
    displaylist::TqCrosstab* getDataGridNode() const;
    std::shared_ptr<AccessibilityElement> getAccessibilityElementByEntry(
        const displaylist::TqImageMapEntryStruct& entry) override;
    /// The renderer's current model, else the model given at creation.
    std::shared_ptr<Crosstab> getCrosstab() const;

    ElementList getAccessibilityElements(AccessibilityDetailType::type detail) override;
    using AccessibilityController::getAccessibilityElements;
    ElementList getGridAccessibilityElements();
    ElementList getHeaderAccessibilityElements(Axis axis);
    ElementList getAxisLabelHeaderAccessibilityElements(Axis axis);

    // ---- descriptions (parts joined with "; ")
    /// The members on the node's path, "level = value" joined with ", "; a
    /// total gives the axis's total text.
    std::string getLevelLabel(Axis axis, const std::shared_ptr<DataTreeNode>& node) const;
    /// A cell value as spoken: "" for none, the missing text for a missing or
    /// sparse value, else its formatted text.
    std::string getLabelFromNode(const std::shared_ptr<DataTreeNode>& node) const;
    std::string getValueLabel(const std::shared_ptr<DataValue>& value, const std::string& formatted) const;
    /// A row or column header: kind, level, path, expansion, drill, spans.
    std::string describeHeader(Axis axis, const std::shared_ptr<DataTreeNode>& node) const;
    /// The spans of a header (see the class comment).
    void getHeaderSpans(Axis axis, const std::shared_ptr<DataTreeNode>& node, int& columnSpan, int& rowSpan) const;
    /// "Spans ..." for the spans, or "" when the header covers one cell.
    static std::string describeSpans(int columnSpan, int rowSpan);
    /// "Expanded", "Collapsed" (only when the hierarchy can expand it) or "".
    std::string describeExpansion(Axis axis, const std::shared_ptr<DataTreeNode>& node) const;
    std::string describeAxisLabelHeader(Axis axis, int level) const;
    /// `sortIndicator`: 1 ascending, 2 descending, else none.
    std::string describeMeasureHeader(const std::shared_ptr<DataTreeNode>& columnLeaf, const std::string& measure,
                                      int sortIndicator) const;
    std::string describeDataCell(const std::shared_ptr<DataTreeNode>& rowLeaf,
                                 const std::shared_ptr<DataTreeNode>& columnLeaf, const std::string& valueLabel,
                                 bool selected) const;

    std::shared_ptr<Hierarchy> getHierarchy(Axis axis) const;
    int getAxisLevelCount(Axis axis) const;

    // ---- the grid (nothing without a renderer)
    int64_t getGridRowCount() const override;
    int64_t getGridColumnCount() const override;
    uint64_t getGridDetail(int64_t row, int64_t column) const override;
    bool getGridPosition(uint64_t detail, int64_t& row, int64_t& column) const override;
    void scrollToDetail(uint64_t detail, bool step) override;
    bool getEntryForDetail(uint64_t detail, displaylist::TqImageMapEntryStruct& entry) const override;
    std::vector<uint64_t> getSeriesDetails(uint64_t detail, bool column, size_t limit) const override;
    double getNumericValue(uint64_t detail) const override;

protected:
    std::vector<displaylist::TqImageMapEntryStruct> getImageMapEntries() override;
    void focusShown(const std::shared_ptr<AccessibilityElement>& element) override;

private:
    struct Layout {
        int64_t headerRows = 0;   ///< column-header levels
        int64_t measureRows = 0;  ///< 1 when measure headers are shown
        int64_t dataRows = 0;
        int64_t headerColumns = 0;  ///< row-header levels
        int64_t dataColumns = 0;
    };
    Layout layout() const;
    /// The grid elements of one grid component, in grid order.
    ElementList elementsOfComponent(int component);

    std::weak_ptr<Crosstab> crosstab_;
    std::weak_ptr<CrosstabRenderer> renderer_;
};

} // namespace orvane
