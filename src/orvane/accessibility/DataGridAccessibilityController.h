// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/accessibility/TableAccessibilityController.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

namespace displaylist {
class TqDataGrid;
}

namespace orvane {

class BaseView;
class DataGridRenderer;

/// The accessibility controller of a list table.
///
/// Elements: the header row, the data rows of the visible window (and, with
/// off-screen nodes included, the row and column around it) and the totals
/// row, each described with its place in the whole table, not among the drawn
/// cells ("Row 51,234 of 100,000,000; Column 2 of 4; Revenue = 1,200"). Cells
/// say when their row is selected, when their value is missing and when the
/// column shows a spark line or a KPI; headers their sort state and whether
/// the table sorts by them; totals their text, or that the column has none.
class ORVANE_EXPORT DataGridAccessibilityController : public TableAccessibilityController {
public:
    static std::shared_ptr<DataGridAccessibilityController> create(const std::shared_ptr<DataGridRenderer>& renderer);
    /// For a view that draws its own grid (no table model, any number of
    /// rows): the grid is asked of `gridSource` at each use (null: none).
    static std::shared_ptr<DataGridAccessibilityController> create(
        const std::shared_ptr<BaseView>& view, std::function<displaylist::TqDataGrid*()> gridSource);

    std::shared_ptr<AccessibilityElement> getAccessibilityElementByEntry(
        const displaylist::TqImageMapEntryStruct& entry) override;
    /// The grid the elements are read from: the renderer's last rebuild.
    virtual displaylist::TqDataGrid* getDataGridNode() const;

    int64_t getGridRowCount() const override;
    int64_t getGridColumnCount() const override;
    uint64_t getGridDetail(int64_t row, int64_t column) const override;
    bool getGridPosition(uint64_t detail, int64_t& row, int64_t& column) const override;
    void scrollToDetail(uint64_t detail, bool step) override;
    bool getEntryForDetail(uint64_t detail, displaylist::TqImageMapEntryStruct& entry) const override;
    bool isRightToLeft() const override;
    int64_t getEnteredRow(int64_t fromRow, int64_t toRow) const override;
    void pageToEnd(bool end) override;
    std::vector<uint64_t> getSeriesDetails(uint64_t detail, bool column, size_t limit) const override;
    double getNumericValue(uint64_t detail) const override;

    /// Data rows and columns of the table (0 for an empty table, even when
    /// the grid draws placeholder cells).
    int64_t getDataRowCount() const;
    int getDataColumnCount() const;

protected:
    std::vector<displaylist::TqImageMapEntryStruct> getImageMapEntries() override;
    void focusShown(const std::shared_ptr<AccessibilityElement>& element) override;

private:
    struct Layout {
        int64_t headerRows = 0;
        int64_t topTotals = 0;
        int64_t dataRows = 0;
        int64_t bottomTotals = 0;
        int64_t columns = 0;
    };
    Layout layout() const;
    /// The cell's text as spoken, and whether its value is missing.
    std::string cellText(int64_t row, int column, bool& missing) const;
    void setScroll(double x, double y);

    static std::shared_ptr<DataGridAccessibilityController> make(const std::shared_ptr<BaseView>& view);

    std::weak_ptr<DataGridRenderer> renderer_;
    std::function<displaylist::TqDataGrid*()> gridSource_;
    /// Texts every element of one list repeats ("Column 2 of 10", the row
    /// count), made once per composed list.
    std::unordered_map<int, std::string> columnTexts_;
    std::string rowCountText_;
    int cachedColumns_ = -1;
    int64_t cachedRows_ = -1;
};

} // namespace orvane
