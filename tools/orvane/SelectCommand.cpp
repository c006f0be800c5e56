// SPDX-License-Identifier: Apache-2.0
// orvane select FILE.csv --where EXPRESSION [--vars A,B] [--bins VAR:B0,B1,...]
//                        [--no-all-other] [--rows N]:
// applies a where-clause to a data file the way a linked view would (through a
// DataSetSelectionController), prints the selected rows, then takes the
// selection back from the row states (getSelections over the chosen
// variables) and applies that to a fresh copy, to show that the round trip
// selects the same rows.
#include "Command.h"

#include "orvane/axis/BinInfo.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/Expression.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/selection/DataSetSelectionController.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionOptions.h"

#include <cstdlib>
#include <iostream>
#include <sstream>

namespace orvane::tool {

namespace {

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::stringstream in(s);
    std::string part;
    while (std::getline(in, part, sep))
        if (!part.empty()) out.push_back(part);
    return out;
}

using DataSets = std::shared_ptr<std::vector<std::shared_ptr<DataSet>>>;

DataSets single(const std::shared_ptr<DataSet>& ds) {
    return std::make_shared<std::vector<std::shared_ptr<DataSet>>>(std::vector<std::shared_ptr<DataSet>>{ds});
}

std::string rowList(const std::vector<int>& rows, size_t limit) {
    std::string out;
    for (size_t i = 0; i < rows.size() && i < limit; ++i) {
        if (i) out += ' ';
        out += std::to_string(rows[i] + 1);
    }
    if (rows.size() > limit) out += " ...";
    return out.empty() ? "(none)" : out;
}

void printRows(const DataSet& ds, const std::vector<int>& rows, size_t limit) {
    std::string header = "row";
    for (const auto& c : ds.getColumns()) header += "\t" + *c->getName();
    std::cout << header << "\n";
    for (size_t i = 0; i < rows.size() && i < limit; ++i) {
        std::string line = std::to_string(rows[i] + 1);
        for (const auto& c : ds.getColumns()) {
            auto t = c->getFormattedValueAtIndex(static_cast<size_t>(rows[i]));
            line += "\t" + (t ? *t : std::string());
        }
        std::cout << line << "\n";
    }
    if (rows.size() > limit) std::cout << "... " << rows.size() - limit << " more\n";
}

int run(const std::vector<std::string>& args) {
    std::string file, where, vars;
    std::vector<std::string> bins;
    bool includeAllOther = true;
    size_t rowLimit = 20;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--where") {
            if (!value(where)) return fail("--where needs an expression");
        } else if (a == "--vars") {
            if (!value(vars)) return fail("--vars needs column names");
        } else if (a == "--bins") {
            if (!value(v)) return fail("--bins needs VAR:B0,B1,...");
            bins.push_back(v);
        } else if (a == "--rows") {
            if (!value(v)) return fail("--rows needs a number");
            char* end = nullptr;
            long n = std::strtol(v.c_str(), &end, 10);
            if (*end || n < 0) return fail("--rows needs a number");
            rowLimit = static_cast<size_t>(n);
        } else if (a == "--no-all-other") {
            includeAllOther = false;
        } else if (!a.empty() && a[0] == '-') {
            return fail("unknown option " + a);
        } else if (file.empty()) {
            file = a;
        } else {
            return fail("one data file only");
        }
    }
    if (file.empty() || where.empty()) return fail("usage: orvane select FILE.csv --where EXPRESSION");

    auto read = CSVReader::readFile(file);
    if (!read.ok()) return fail(read.error);
    auto ds = read.dataSet;
    ds->ensureRowStates();

    std::string error;
    auto expression = Expression::parse(where, &error);
    if (!expression) return fail("not an expression: " + error);

    auto controller = DataSetSelectionController::create(single(ds));
    for (const auto& b : bins) {
        auto colon = b.find(':');
        if (colon == std::string::npos) return fail("--bins needs VAR:B0,B1,...");
        std::vector<double> edges;
        for (const auto& e : split(b.substr(colon + 1), ',')) {
            char* end = nullptr;
            double x = std::strtod(e.c_str(), &end);
            if (*end) return fail("not a bin boundary: " + e);
            edges.push_back(x);
        }
        auto info = BinInfo::create(edges);
        if (info->getBinCount() == 0) return fail("--bins needs at least two boundaries");
        controller->setBinInfo(b.substr(0, colon), info);
    }
    auto options = controller->getDefaultOptions();
    if (!vars.empty()) {
        std::vector<std::shared_ptr<const std::string>> names;
        for (const auto& n : split(vars, ',')) names.push_back(std::make_shared<const std::string>(n));
        options->expectedVariableNames = MonitoredVector<std::shared_ptr<const std::string>>::create(names);
    }
    options->includeAllOther = includeAllOther;

    // Problems with the selection are the user's: show the log lines.
    CLog::setEnabled(CLog::ERRORS, true);
    auto selection = Selection::create();
    selection->dataName = ds->getName();
    selection->expression = expression;
    int changes = 0;
    ds->addEventListener(RowStates::SELECTED_CHANGED,
                         FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { ++changes; }));
    controller->applySelections(std::make_shared<SelectionController::Selections>(SelectionController::Selections{selection}),
                                options);
    auto rows = ds->getRowStates()->getSelectedIndices();
    std::cout << "where: " << expression->toString() << "\n";
    std::cout << "selected " << rows.size() << " of " << ds->getRowCount() << " rows (" << changes
              << " selection change" << (changes == 1 ? "" : "s") << ")\n";
    printRows(*ds, rows, rowLimit);

    auto taken = controller->getSelections(options);
    std::string variables;
    for (const auto& n : *options->expectedVariableNames.get()) variables += (variables.empty() ? "" : ", ") + *n;
    std::cout << "\nselection over " << (variables.empty() ? "(no variables)" : variables) << ":\n";
    if (!taken || taken->empty() || !(*taken)[0]->expression.get()) {
        std::cout << "  (none)\n";
        return 0;
    }
    std::string text = (*taken)[0]->expression.get()->toString();
    std::cout << "  " << (text.size() > 2000 ? text.substr(0, 2000) + " ..." : text) << "\n";

    // Through its text, as another view would receive it, onto a cleared copy.
    auto copy = DataSet::create();
    copy->setName(ds->getName());
    for (const auto& c : ds->getColumns()) copy->addColumn(c->copy());
    copy->ensureRowStates();
    auto target = DataSetSelectionController::create(single(copy));
    for (const auto& [name, info] : controller->getBinInfoMap()) target->setBinInfo(name, info);
    auto back = Selection::create();
    back->dataName = ds->getName();
    back->expression = Expression::parse(text);
    target->applySelections(std::make_shared<SelectionController::Selections>(SelectionController::Selections{back}),
                            options);
    auto again = copy->getRowStates()->getSelectedIndices();
    if (again == rows) std::cout << "round trip: the same " << again.size() << " rows\n";
    else
        std::cout << "round trip: " << again.size() << " rows (" << rowList(again, 30)
                  << "); the selection's variables do not tell the picked rows apart\n";
    return 0;
}

ORVANE_TOOL_COMMAND("select", "FILE.csv --where EXPRESSION [--vars A,B] [--bins VAR:B0,B1,...] [--no-all-other] [--rows N]",
                    "apply a selection to a data file and take it back from the selected rows", &run);

} // namespace

} // namespace orvane::tool
