// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabDefinition.h"

#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabLevelInfo.h"
#include "orvane/crosstab/CrosstabUtilities.h"
#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/host/data/HierarchyDataSet.h"

#include <algorithm>
#include <sstream>

namespace orvane {

std::vector<std::string> CrosstabDefinition::splitList(const std::string& text, char separator) {
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, separator)) {
        size_t a = item.find_first_not_of(" \t\r\n"), b = item.find_last_not_of(" \t\r\n");
        if (a != std::string::npos) out.push_back(item.substr(a, b - a + 1));
    }
    return out;
}

std::vector<std::string> CrosstabDefinition::measureNames() const {
    std::vector<std::string> out;
    for (const auto& m : measures) {
        auto colon = m.rfind(':');
        out.push_back(colon == std::string::npos ? m : m.substr(0, colon));
    }
    return out;
}

std::shared_ptr<Crosstab> CrosstabDefinition::build(const std::shared_ptr<DataSet>& data, std::string& error) const {
    if (!data) {
        error = "no data";
        return nullptr;
    }
    if (measures.empty()) {
        error = "a crosstab needs at least one measure";
        return nullptr;
    }
    std::vector<std::string> names;
    std::vector<int> codes;
    for (const auto& m : measures) {
        auto colon = m.rfind(':');
        std::string name = colon == std::string::npos ? m : m.substr(0, colon);
        int code = -1;
        if (colon != std::string::npos) {
            code = Aggregation::codeForName(m.substr(colon + 1));
            if (code < 0) {
                error = "unknown aggregation \"" + m.substr(colon + 1) + "\" of measure " + name;
                return nullptr;
            }
        }
        if (!data->getColumnWithName(name)) {
            error = "no column named \"" + name + "\" for a measure";
            return nullptr;
        }
        names.push_back(name);
        codes.push_back(code);
    }
    for (const auto* list : {&rows, &columns})
        for (const auto& n : *list)
            if (!data->getColumnWithName(n)) {
                error = "no column named \"" + n + "\" for a level";
                return nullptr;
            }
    for (const auto& h : heatMap)
        if (std::find(names.begin(), names.end(), h) == names.end()) {
            error = "the heat-map measure \"" + h + "\" is not one of the measures";
            return nullptr;
        }
    auto rowH = rows.empty() ? nullptr : Hierarchy::create("rows", rows, data);
    auto colH = columns.empty() ? nullptr : Hierarchy::create("columns", columns, data);
    std::vector<std::shared_ptr<Hierarchy>> hs;
    if (rowH) hs.push_back(rowH);
    if (colH) hs.push_back(colH);
    auto hds = HierarchyDataSet::create(data, hs, names);
    hds->setMeasureAggregations(codes);
    for (const auto& item : expanded) {
        // "columns:PATH" names a member of the column levels.
        const bool onColumns = item.rfind("columns:", 0) == 0;
        const std::string path = onColumns ? item.substr(8) : item;
        const auto& h = onColumns ? colH : rowH;
        if (!h || !h->getExpandedState()) continue;
        if (path == "*") {
            h->getExpandedState()->expandAll();
            continue;
        }
        CrosstabUtilities::applyExpandExpression(*h, nullptr, splitList(path, '/'));
    }
    auto crosstab = Crosstab::create();
    crosstab->hierarchyDataSet.set(hds);
    crosstab->sourceDataSet.set(data);
    std::vector<std::shared_ptr<const std::string>> measureList;
    for (const auto& n : names) measureList.push_back(std::make_shared<const std::string>(n));
    crosstab->measureColumnNames.set(MonitoredVector<std::shared_ptr<const std::string>>::create(measureList));
    // Each axis names its hierarchy, so that a crosstab with column levels
    // only does not take them for its rows.
    using Names = MonitoredVector<std::shared_ptr<const std::string>>;
    if (rowH) crosstab->rowHierarchyNames.set(Names::create({std::make_shared<const std::string>("rows")}));
    if (colH) crosstab->columnHierarchyNames.set(Names::create({std::make_shared<const std::string>("columns")}));
    crosstab->showRowTotal.set(totals);
    crosstab->showColumnTotal.set(totals);
    crosstab->showRowSubTotal.set(subtotals);
    crosstab->showColumnSubTotal.set(subtotals);
    crosstab->showSummaryOnTop.set(summaryOnTop);
    crosstab->indentedViewMode.set(indented);
    crosstab->transpose.set(transposed);
    crosstab->rowActionEnabled.set(true);
    crosstab->columnActionEnabled.set(true);
    crosstab->displayInteractionButtons.set(true);
    crosstab->showAxisHeaders.set(true);
    // Level sorts: the members' order and the axis-label headers' indicators.
    std::shared_ptr<DataTreeSortContext> sortContext;
    for (const auto& item : sorts) {
        const auto colon = item.rfind(':');
        const std::string level = item.substr(0, colon);
        const std::string direction = colon == std::string::npos ? "ascending" : item.substr(colon + 1);
        if (direction != "ascending" && direction != "descending") {
            error = "sort direction of " + level + " must be ascending or descending, not \"" + direction + "\"";
            return nullptr;
        }
        const auto dir = direction == "ascending" ? SortDirection::ASCENDING : SortDirection::DESCENDING;
        const auto inRows = std::find(rows.begin(), rows.end(), level);
        const auto inColumns = std::find(columns.begin(), columns.end(), level);
        if (inRows == rows.end() && inColumns == columns.end()) {
            error = "cannot sort " + level + ": it is not a row or column level";
            return nullptr;
        }
        if (!sortContext) sortContext = DataTreeSortContext::create();
        sortContext->setLevelSortByLabel(level, dir);
        auto info = CrosstabLevelInfo::create();
        info->sortDirection.set(dir);
        if (inRows != rows.end()) crosstab->setRowLevelInfo(int(inRows - rows.begin()), info);
        else crosstab->setColumnLevelInfo(int(inColumns - columns.begin()), info);
    }
    if (sortContext) crosstab->sortContext.set(sortContext);
    return crosstab;
}

} // namespace orvane
