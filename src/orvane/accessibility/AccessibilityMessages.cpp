// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/AccessibilityMessages.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/format/FormatterFactory.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/host/io/ResourceManager.h"

#include <cmath>
#include <map>
#include <mutex>
#include <set>

namespace orvane {

namespace {
constexpr const char* SOURCE = "accessibility/AccessibilityMessages";

// The English texts, used when the catalogue in use lacks a key (an old or
// partial translation): a listener hears words, never a key name.
const std::map<std::string, std::string>& english() {
    static const std::map<std::string, std::string> texts = {
        {"accessibility.objectType.crosstab.txt", "Crosstab"},
        {"accessibility.objectType.dataGrid.txt", "List table"},
        {"accessibility.dataElement.hint.txt", "Double tap to select."},
        {"accessibility.crosstab.rowHeader.txt", "Row header"},
        {"accessibility.crosstab.columnHeader.txt", "Column header"},
        {"accessibility.crosstab.rowCategory.txt", "Row category"},
        {"accessibility.crosstab.columnCategory.txt", "Column category"},
        {"accessibility.crosstab.level.txt", "Level {0}"},
        {"accessibility.crosstab.rowTotal.txt", "Row total"},
        {"accessibility.crosstab.columnTotal.txt", "Column total"},
        {"accessibility.crosstab.rowSpans.txt", "Spans {0} rows"},
        {"accessibility.crosstab.columnSpans.txt", "Spans {0} columns"},
        {"accessibility.crosstab.rowColumnSpans.txt", "Spans {0} columns and {1} rows"},
        {"accessibility.crosstab.expanded.txt", "Expanded"},
        {"accessibility.crosstab.collapsed.txt", "Collapsed"},
        {"accessibility.crosstab.drillable.txt", "Can drill down"},
        {"accessibility.crosstab.cellSelected.txt", "Cell selected"},
        {"accessibility.crosstab.selectCell.hint.txt", "Double tap to select the cell."},
        {"accessibility.table.row.txt", "Row {0} of {1}"},
        {"accessibility.table.column.txt", "Column {0} of {1}"},
        {"accessibility.table.header.txt", "Column header"},
        {"accessibility.table.missingValue.txt", "Missing value"},
        {"accessibility.table.sortAscending.txt", "Sorted ascending"},
        {"accessibility.table.sortDescending.txt", "Sorted descending"},
        {"accessibility.table.sortPrimaryAscending.txt", "Sorted ascending, first sort"},
        {"accessibility.table.sortPrimaryDescending.txt", "Sorted descending, first sort"},
        {"accessibility.table.sortSecondaryAscending.txt", "Sorted ascending, second sort"},
        {"accessibility.table.sortSecondaryDescending.txt", "Sorted descending, second sort"},
        {"accessibility.table.sortEnabled.hint.txt", "Double tap to sort by this column."},
        {"accessibility.table.columnTotal.txt", "Column total"},
        {"accessibility.table.noTotal.txt", "No total"},
        {"accessibility.table.containsSparkline.txt", "Shows a spark line"},
        {"accessibility.table.containsKPI.txt", "Shows a key performance indicator"},
        {"accessibility.table.selectRow.hint.txt", "Double tap to select the row."},
        {"accessibility.table.openTooltip.hint.txt", "Double tap and hold for details."},
        {"accessibility.datagrid.rowSelected.txt", "Row selected"},
    };
    return texts;
}

// Removes "{n}" tokens the caller had no value for, with the blank before.
std::string dropUnfilled(std::string s) {
    for (size_t i = s.find('{'); i != std::string::npos; i = s.find('{', i)) {
        size_t close = s.find('}', i);
        bool digits = close != std::string::npos && close > i + 1;
        for (size_t k = i + 1; digits && k < close; ++k) digits = s[k] >= '0' && s[k] <= '9';
        if (!digits) {
            ++i;
            continue;
        }
        size_t from = i;
        while (from > 0 && s[from - 1] == ' ') --from;
        s.erase(from, close + 1 - from);
        i = from;
    }
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}
} // namespace

std::string AccessibilityMessages::englishText(const std::string& key) {
    auto it = english().find(key);
    return it == english().end() ? std::string() : it->second;
}

std::string AccessibilityMessages::text(const std::string& key, std::initializer_list<std::string> args) {
    // A key found missing once is not asked for again: the resource manager
    // would log the miss at every element of every list.
    static std::mutex mutex;
    static std::set<std::string> missing;
    std::string p;
    bool knownMissing;
    {
        std::lock_guard<std::mutex> lock(mutex);
        knownMissing = missing.count(key) != 0;
    }
    std::shared_ptr<const std::string> pattern = knownMissing ? nullptr : ResourceManager::getString(BUNDLE, key);
    if (pattern && !pattern->empty()) {
        p = *pattern;
    } else {
        p = englishText(key);
        std::lock_guard<std::mutex> lock(mutex);
        if (missing.insert(key).second)
            ORVANE_LOG(CLog::ERRORS, SOURCE, "no text for " + key + " in bundle " + BUNDLE + "; speaking \"" + p + "\"");
    }
    return dropUnfilled(ResourceManager::formatString(p, args));
}

std::string AccessibilityMessages::number(double value) {
    if (!std::isfinite(value)) return std::string();
    static const std::shared_ptr<Formatter> comma = FormatterFactory::getFormatter("COMMA32.");
    std::string s = comma ? comma->format(std::round(value)) : std::to_string(static_cast<long long>(value));
    size_t b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b);
}

std::string AccessibilityMessages::join(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (const auto& p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += separator;
        out += p;
    }
    return out;
}

} // namespace orvane
