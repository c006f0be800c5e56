// SPDX-License-Identifier: Apache-2.0
// orvane inspect --data FILE.csv [--columns META.csv] [--rows N]: reads a data
// file as the data layer does and prints its typed columns and first rows.
#include "Command.h"
#include "TerminalText.h"
#include "ToolFiles.h"

#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace orvane::tool {

namespace {

std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    return s;
}

void printTable(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& rightAligned) {
    std::vector<size_t> widths;
    for (const auto& r : rows)
        for (size_t c = 0; c < r.size(); ++c) {
            if (widths.size() <= c) widths.push_back(0);
            widths[c] = std::max(widths[c], TerminalText::width(r[c]));
        }
    for (const auto& r : rows) {
        std::string line;
        for (size_t c = 0; c < r.size(); ++c) {
            bool right = c < rightAligned.size() && rightAligned[c];
            line += (c ? "  " : "") + TerminalText::pad(r[c], widths[c], right);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        std::cout << "  " << line << "\n";
    }
}

std::string typeText(const Column& c) {
    if (c.isCharacter()) return "character";
    if (!c.getFormatter()) return "numeric";
    if (c.getFormatter()->formatsDateValues()) return "date";
    if (c.getFormatter()->formatsDateTimeValues()) return "datetime";
    if (c.getFormatter()->formatsTimeValues()) return "time";
    return "numeric";
}

std::string summary(const Column& c) {
    size_t n = c.getRowCount();
    if (c.isCharacter()) {
        std::vector<bool> used(c.getDictionary().size(), false);
        for (uint32_t code : c.getCodes()) used[code] = true;
        size_t distinct = static_cast<size_t>(std::count(used.begin() + 1, used.end(), true));
        return std::to_string(distinct) + " distinct";
    }
    double lo = c.getMinimumNumber(), hi = c.getMaximumNumber();
    if (std::isnan(lo) || n == 0) return "no values";
    auto f = c.getEffectiveFormatter();
    return f->format(lo) + " to " + f->format(hi);
}

} // namespace

int inspectData(const ArgParser& p) {
    long rowLimit = 10;
    if (p.has("xml")) return usageError("inspect", "--xml does not go with --data");
    long threads = 0;
    if (!p.getCount("threads", 0, 256, threads))
        return usageError("inspect",
                          "--threads needs a number of threads (0 for one per core), not \"" + p.get("threads") + "\"");
    if (!p.getCount("rows", 0, LONG_MAX, rowLimit))
        return usageError("inspect", "--rows needs a number of rows, not \"" + p.get("rows") + "\"");
    if (p.positional().empty()) return usageError("inspect", "no file given with --data");
    if (p.positional().size() > 1) return usageError("inspect", "only one file can be inspected at a time");
    const std::string file = p.positional()[0];
    const std::string columns = p.get("columns");
    // The data file first: a missing data file is the problem even when the
    // metadata file is missing too.
    std::string error, text;
    if (file == "-" ? !ToolFiles::read(file, text, error) : !ToolFiles::checkReadable(file, error)) return fail(error);
    if (!columns.empty() && !ToolFiles::checkReadable(columns, error)) return fail(error);

    CSVReader::Options options;
    options.threads = static_cast<unsigned>(threads);
    if (!columns.empty() && !CSVReader::readColumnSpecs(columns, options.columns, error)) return fail(error);
    auto result = file == "-" ? CSVReader::readString(text, options, ToolFiles::STDIN_NAME)
                              : CSVReader::readFile(file, options);
    if (!result.ok()) return fail(result.error);
    const DataSet& ds = *result.dataSet;
    std::string meta = !columns.empty() ? columns : result.metadataFile;

    std::cout << (file == "-" ? ToolFiles::STDIN_NAME : file) << ": " << ds.getRowCount() << " row"
              << (ds.getRowCount() == 1 ? "" : "s") << ", " << ds.getColumnCount() << " column" << (ds.getColumnCount() == 1 ? "" : "s");
    if (!meta.empty()) std::cout << " (column metadata: " << meta << ")";
    std::cout << "\n\ncolumns:\n";
    std::vector<std::vector<std::string>> table{{"#", "name", "type", "format", "usage", "label", "missing", "values"}};
    int index = 0;
    for (const auto& c : ds.getColumns()) {
        size_t missing = 0;
        for (size_t r = 0; r < c->getRowCount(); ++r) missing += c->isMissingAtIndex(r);
        table.push_back({std::to_string(++index), oneLine(*c->getName()), typeText(*c),
                         c->getFormatName() ? *c->getFormatName() : std::string("-"),
                         c->getDataUsage() == Variable::MEASURE ? "measure" : "category",
                         c->getExplicitLabel() ? oneLine(*c->getExplicitLabel()) : std::string("-"),
                         std::to_string(missing), summary(*c)});
    }
    printTable(table, {true, false, false, false, false, false, true, false});

    size_t shown = std::min(ds.getRowCount(), static_cast<size_t>(rowLimit));
    if (shown > 0) {
        std::cout << "\nfirst " << shown << " row" << (shown == 1 ? "" : "s") << " (formatted):\n";
        std::vector<std::vector<std::string>> rows(1);
        std::vector<bool> right;
        for (const auto& c : ds.getColumns()) {
            rows[0].push_back(TerminalText::clip(oneLine(*c->getName()), 24));
            right.push_back(c->isNumeric());
        }
        for (size_t r = 0; r < shown; ++r) {
            std::vector<std::string> row;
            for (const auto& c : ds.getColumns()) {
                auto t = c->getFormattedValueAtIndex(r);
                row.push_back(TerminalText::clip(oneLine(t ? *t : std::string()), 24));
            }
            rows.push_back(std::move(row));
        }
        printTable(rows, right);
    }
    if (result.warningCount) {
        std::cout << "\n" << result.warningCount << " warning" << (result.warningCount == 1 ? "" : "s") << ":\n";
        for (const auto& w : result.warnings) std::cout << "  " << w << "\n";
        if (result.warningCount > result.warnings.size())
            std::cout << "  ... and " << result.warningCount - result.warnings.size() << " more\n";
    }
    return 0;
}

} // namespace orvane::tool
