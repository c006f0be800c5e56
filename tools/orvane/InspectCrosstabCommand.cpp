// SPDX-License-Identifier: Apache-2.0
// orvane inspect --crosstab FILE.csv --rows A,B --columns C --measures X:sum,Y:mean
//                [--totals] [--subtotals] [--top] [--collapse] [--limit N] [--rank N]
// reads a data file, crosses its row and column levels and prints every
// crossing (totals and subtotals included when asked) as a text table.
#include "ArgParser.h"
#include "Command.h"

#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/HierarchyDataSet.h"

#include <algorithm>
#include <climits>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace orvane::tool {

namespace {

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty()) out.push_back(item);
    return out;
}

void setTotals(const std::shared_ptr<Hierarchy>& h, bool totals, bool subtotals) {
    if (!h) return;
    const auto& levels = h->getLevels();
    for (size_t i = 0; i < levels.size(); ++i) levels[i]->setOmitSubtotal(i == 0 ? !totals : !subtotals);
}

} // namespace

int inspectCrosstab(const ArgParser& p) {
    const std::string file = p.get("crosstab");
    const std::string rows = p.get("rows"), columns = p.get("columns"), measures = p.get("measures");
    const bool totals = p.has("totals"), subtotals = p.has("subtotals"), top = p.has("top"),
               collapse = p.has("collapse");
    if (p.has("xml") || p.has("threads")) return usageError("inspect", "--xml and --threads do not go with --crosstab");
    if (!p.positional().empty()) return usageError("inspect", "--crosstab takes its data file as its value");
    long limit = -1, rank = 0;
    if (!p.getCount("limit", 0, LONG_MAX, limit))
        return usageError("inspect", "--limit needs a number of rows, not \"" + p.get("limit") + "\"");
    if (!p.getCount("rank", 1, 1000000, rank))
        return usageError("inspect", "--rank needs a number of members (1 or more), not \"" + p.get("rank") + "\"");
    if (file.empty()) return usageError("inspect", "--crosstab needs a data file");
    if (measures.empty()) return usageError("inspect", "inspect --crosstab: --measures is needed (for example Sales:sum,Sales:mean)");
    auto read = CSVReader::readFile(file);
    if (!read.ok()) return fail(read.error);
    auto data = read.dataSet;

    std::vector<std::string> measureNames;
    std::vector<int> codes;
    for (const auto& m : splitList(measures)) {
        auto colon = m.rfind(':');
        std::string name = colon == std::string::npos ? m : m.substr(0, colon);
        int code = -1;
        if (colon != std::string::npos) {
            code = Aggregation::codeForName(m.substr(colon + 1));
            if (code < 0) return fail("inspect --crosstab: unknown aggregation " + m.substr(colon + 1));
        }
        if (!data->getColumnWithName(name)) return fail("inspect --crosstab: no column named " + name + " in " + file);
        measureNames.push_back(name);
        codes.push_back(code);
    }
    auto levelsOf = [&](const std::string& list, std::vector<std::string>& out) -> std::string {
        out = splitList(list);
        for (const auto& n : out)
            if (!data->getColumnWithName(n)) return n;
        return std::string();
    };
    std::vector<std::string> rowNames, columnNames;
    if (auto bad = levelsOf(rows, rowNames); !bad.empty()) return fail("inspect --crosstab: no column named " + bad);
    if (auto bad = levelsOf(columns, columnNames); !bad.empty()) return fail("inspect --crosstab: no column named " + bad);

    std::vector<std::shared_ptr<Hierarchy>> hierarchies;
    auto rowH = rowNames.empty() ? nullptr : Hierarchy::create("rows", rowNames, data);
    auto colH = columnNames.empty() ? nullptr : Hierarchy::create("columns", columnNames, data);
    if (rowH && rank > 0) {
        // The first row level keeps its best members by the first measure.
        auto& first = rowH->getLevels().front();
        first->setRanked(true);
        first->setRankLimit(static_cast<int>(rank));
        first->setRankMeasureName(measureNames.front());
    }
    if (rowH) hierarchies.push_back(rowH);
    if (colH) hierarchies.push_back(colH);
    auto hds = HierarchyDataSet::create(data, hierarchies, measureNames);
    hds->setMeasureAggregations(codes);
    setTotals(rowH, totals, subtotals);
    setTotals(colH, totals, subtotals);
    for (const auto& h : hierarchies)
        if (!collapse && h->getExpandedState()) h->getExpandedState()->expandAll();

    std::shared_ptr<DataSet> cells;
    try {
        cells = hds->getNormalizedCrossings(rowH, colH, top, false, nullptr, true);
    } catch (const std::out_of_range& e) {
        return fail(std::string("inspect --crosstab: ") + e.what());
    }
    if (!cells) return fail("inspect --crosstab: no crossings");
    auto rowLeaves = HierarchyDataSet::getLeaves(rowH, top, nullptr);

    // A text table: the row-leaf column, then one column per crossing.
    std::vector<std::vector<std::string>> table;
    std::vector<std::string> header{rowNames.empty() ? std::string() : [&] {
        std::string s;
        for (const auto& n : rowNames) s += (s.empty() ? "" : " / ") + n;
        return s;
    }()};
    for (const auto& c : cells->getColumns()) header.push_back(*c->getName());
    table.push_back(header);
    const size_t shown = limit < 0 ? cells->getRowCount() : std::min(cells->getRowCount(), static_cast<size_t>(limit));
    for (size_t r = 0; r < shown; ++r) {
        std::vector<std::string> line{HierarchyDataSet::leafLabel(rowLeaves[r])};
        for (const auto& c : cells->getColumns()) line.push_back(*c->getFormattedValueAtIndex(r));
        table.push_back(std::move(line));
    }
    std::vector<size_t> width(header.size(), 0);
    for (const auto& line : table)
        for (size_t i = 0; i < line.size(); ++i) width[i] = std::max(width[i], line[i].size());
    for (const auto& line : table) {
        std::string out;
        for (size_t i = 0; i < line.size(); ++i) {
            if (i == 0) out += line[i] + std::string(width[i] - line[i].size(), ' ');
            else out += "  " + std::string(width[i] - line[i].size(), ' ') + line[i];
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        std::cout << out << '\n';
    }
    if (shown < cells->getRowCount()) std::cout << "... " << cells->getRowCount() - shown << " more rows\n";
    return 0;
}

} // namespace orvane::tool
