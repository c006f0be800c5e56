// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/SelectionController.h"

#include "orvane/axis/BinInfo.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/AbstractWhereClauseExpression.h"
#include "orvane/host/data/CompoundWhereClauseExpression.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataValueUtils.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/data/WhereClauseExpression.h"
#include "orvane/properties/EventCallback.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionChangeEvent.h"
#include "orvane/selection/SelectionHierarchyAdapter.h"
#include "orvane/selection/SelectionOptions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace orvane {

namespace {

constexpr const char* kSource = "orvane/selection/SelectionController";
using B = ExpressionBuilder;

std::vector<std::shared_ptr<Hierarchy>> hierarchiesOf(const SelectionOptions& options) {
    std::vector<std::shared_ptr<Hierarchy>> out;
    if (auto h = options.hierarchies.get())
        for (const auto& x : *h)
            if (x) out.push_back(x);
    return out;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<std::string> plainNames(const std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>& v) {
    std::vector<std::string> out;
    if (v)
        for (const auto& s : *v)
            if (s) out.push_back(*s);
    return out;
}

// One variable of a selection taken from row states: the name written into
// the expression and the column its values come from.
struct ResolvedVariable {
    std::string name;
    std::shared_ptr<Column> column;
    const BinInfo* bins = nullptr;
};

// The range of bin b: half-open [low, high) except the last bin, which holds
// its upper boundary too, so a value on a boundary falls into one bin only.
std::shared_ptr<Expression> binRangeExpression(const std::string& variable, const BinInfo& bins, int b) {
    const auto& edges = bins.getBoundaries();
    double lo = edges[static_cast<size_t>(b)], hi = edges[static_cast<size_t>(b) + 1];
    if (static_cast<size_t>(b) + 1 == bins.getBinCount())
        return B::between(B::var(variable), B::const_(lo), B::const_(hi), 1, 0);
    return B::and_(B::ge(B::var(variable), B::const_(lo)), B::lt(B::var(variable), B::const_(hi)));
}

// A row's value as it enters a row key: the bits of the number (bin number
// for binned columns, dictionary code for character columns) and the flags.
inline uint64_t keyPart(const ResolvedVariable& v, size_t row, uint8_t& flags) {
    const Column& c = *v.column;
    flags = c.getValueFlagsAtIndex(row);
    if (c.isCharacter()) return c.getCodes()[row];
    double x = c.getNumbers()[row];
    if (v.bins) {
        int b = v.bins->getBinForValue(x);
        if (b >= 0) return static_cast<uint64_t>(b);
        flags |= 0x80;  // outside the bins: keyed by its value
    }
    if (std::isnan(x)) return 0x7ff8000000000000ull;
    if (x == 0) x = 0;  // -0 and 0 are one value
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

} // namespace

SelectionController::~SelectionController() = default;

void SelectionController::logError(int line, const std::string& message) {
    if (CLog::isEnabled(CLog::ERRORS)) CLog::log(CLog::ERRORS, kSource, line, message);
}

bool SelectionController::dataNamesMatch(const std::shared_ptr<const std::string>& a,
                                         const std::shared_ptr<const std::string>& b) {
    if (!a || !b) return !a && !b;
    return a == b || *a == *b;
}

void SelectionController::decorateSelection(Selection&, const SelectionOptions&) {}

void SelectionController::setBinInfo(const std::string& variable, std::shared_ptr<BinInfo> info) {
    if (info) binInfo_[variable] = std::move(info);
    else binInfo_.erase(variable);
}

const BinInfo* SelectionController::getBinInfoForVariable(const BinInfoMap& map, const std::string& variable) {
    auto it = map.find(variable);
    if (it == map.end() || !it->second || it->second->getBinCount() == 0) return nullptr;
    return it->second.get();
}

// ---- options

SelectionController::OptionsPtr SelectionController::getDefaultOptions() {
    OptionsPtr o;
    populateOptionDefaults(o);
    return o;
}

void SelectionController::populateOptionDefaults(OptionsPtr& options) {
    if (!options) options = SelectionOptions::create();
    auto names = options->expectedDataNames.get();
    if (!names || names->empty()) populateDefaultDataNames(*options);
    auto vars = options->expectedVariableNames.get();
    if (!vars || vars->empty()) populateDefaultVariables(*options);
}

// ---- events

std::shared_ptr<AbstractEventCallback> SelectionController::rowStatesListener() {
    auto self = sharedAs<SelectionController>();
    if (!self) return nullptr;
    return EventCallback<SelectionController>::create(self, &SelectionController::handleEvent);
}

void SelectionController::updateDataSet(const std::shared_ptr<DataSet>& dataSet) {
    if (!dataSet) return;
    auto cb = rowStatesListener();
    if (!cb) return;
    dataSet->removeEventListener(RowStates::SELECTED_CHANGED, cb);
    dataSet->addEventListener(RowStates::SELECTED_CHANGED, cb);
}

void SelectionController::releaseDataSet(const std::shared_ptr<DataSet>& dataSet) {
    if (!dataSet) return;
    if (auto cb = rowStatesListener()) dataSet->removeEventListener(RowStates::SELECTED_CHANGED, cb);
}

void SelectionController::handleEvent(const std::shared_ptr<PortableEvent>& event) {
    if (!event) return;
    if (event->getType() == RowStates::SELECTED_CHANGED) {
        auto* ds = dynamic_cast<DataSet*>(event->getCurrentSource());
        if (!ds) return;
        dispatchEvent(SelectionChangeEvent::create(SELECTION_CHANGED, ds->getName()));
        return;
    }
    if (event->getType() == SELECTION_CHANGED) {
        auto* from = dynamic_cast<SelectionController*>(event->getOriginalSource());
        if (from && from != this) dispatchEvent(event);
    }
}

// ---- applying

void SelectionController::applySelectionsToDataSets(const SelectionList& selections, OptionsPtr options,
                                                    const DataSetList& dataSets) {
    if (!selections) return;
    if (!options) options = getDefaultOptions();
    std::set<std::string> handled;
    for (const auto& s : *selections) {
        if (!s) {
            logError(__LINE__, "Null selection was not applied.");
            continue;
        }
        auto name = s->dataName.get();
        if (!name) {
            logError(__LINE__, "Selection requires a data name.");
            continue;
        }
        if (!handled.insert(*name).second) {
            logError(__LINE__, "Selections with duplicate data name: " + *name + ".");
            continue;
        }
        std::shared_ptr<DataSet> target;
        if (dataSets)
            for (const auto& ds : *dataSets)
                if (ds && ds->getName() && dataNamesMatch(ds->getName(), name)) {
                    target = ds;
                    break;
                }
        if (!target) {
            logError(__LINE__, "Selection data name not found: " + *name + ".");
            continue;
        }
        if (auto rs = target->getRowStates()) applySelectionToRowStates(s, target, *options, *rs);
    }
}

bool SelectionController::applySelectionToRowStates(const SelectionPtr& selection,
                                                    const std::shared_ptr<DataSet>& dataSet,
                                                    SelectionOptions& options, RowStates& rowStates) {
    std::shared_ptr<Expression> expr = selection ? selection->expression.get() : nullptr;
    if (!expr) {
        logError(__LINE__, "Null selection was not applied.");
        return false;
    }
    if (!expr->isValid()) {
        logError(__LINE__, "Invalid selection was not applied: " + expr->toString());
        return false;
    }
    if (!dataSet) return false;
    if (!dataNamesMatch(selection->dataName.get(), dataSet->getName())) {
        logError(__LINE__, "Selection data name does not match target data.");
        return false;
    }

    auto hierarchies = hierarchiesOf(options);
    auto adapter = SelectionHierarchyAdapter::get();
    const BinInfoMap& bins = getBinInfoMap();
    Expression::WhereClauseOptions wo;
    if (!hierarchies.empty())
        wo.resolveVariable = [&](const std::string& variable) -> std::string {
            for (const auto& h : hierarchies)
                if (adapter->getHierarchyName(*h) == variable) return adapter->getCurrentLevelName(*h);
            return {};
        };
    if (!bins.empty())
        wo.binRange = [&](const std::string& variable, const DataValue& value, double& start, double& end) {
            const BinInfo* info = getBinInfoForVariable(bins, variable);
            if (!info || !value.isNumeric()) return false;
            int b = info->getBinForValue(value.getNumber());
            if (b < 0) return false;
            start = info->getBoundaries()[static_cast<size_t>(b)];
            end = info->getBoundaries()[static_cast<size_t>(b) + 1];
            // The last bin is closed: the range's open end moves just past it.
            if (static_cast<size_t>(b) + 1 == info->getBinCount())
                end = std::nextafter(end, std::numeric_limits<double>::infinity());
            return true;
        };
    auto clause = expr->toWhereClause(dataSet, wo);
    if (clause) convertLevelNamesToHierarchyName(clause, dataSet, hierarchies);
    if (!clause) {
        logError(__LINE__, "Cannot convert expression to where-clause: " + expr->toString());
        return false;
    }
    RowBitmap rows;
    std::string error;
    if (!dataSet->evaluate(*clause, rows, error)) {
        logError(__LINE__, "Selection was not applied: " + error + ": " + expr->toString());
        return false;
    }
    // One write: the data set announces one change, none when nothing changed.
    rowStates.setSelection(rows);
    return true;
}

void SelectionController::convertLevelNamesToHierarchyName(
    const std::shared_ptr<AbstractWhereClauseExpression>& clause, const std::shared_ptr<DataSet>& dataSet,
    const std::vector<std::shared_ptr<Hierarchy>>& hierarchies) {
    if (!clause || !dataSet || hierarchies.empty()) return;
    auto adapter = SelectionHierarchyAdapter::get();
    clause->forEachSimpleClause([&](WhereClauseExpression& w) {
        if (dataSet->getColumnWithName(w.getColumnName())) return;
        for (const auto& h : hierarchies) {
            if (!contains(adapter->getLevelNames(*h), w.getColumnName())) continue;
            std::string name = adapter->getHierarchyName(*h);
            if (!name.empty() && dataSet->getColumnWithName(name)) {
                w.setColumnName(name);
                return;
            }
        }
    });
}

// ---- taking selections from row states

SelectionController::SelectionList SelectionController::getSelectionsForDataSets(OptionsPtr options,
                                                                                 const DataSetList& dataSets,
                                                                                 PromptSelectionMode::type mode) {
    auto out = std::make_shared<Selections>();
    if (!dataSets) return out;
    if (!options) options = getDefaultOptions();
    std::vector<std::string> expected = plainNames(options->expectedDataNames.get());
    for (const auto& ds : *dataSets) {
        if (!ds || !ds->getRowStates()) continue;
        bool wanted = ds->getName() ? contains(expected, *ds->getName()) : expected.empty();
        if (!wanted) continue;
        if (auto s = makeSelectionFromRowStates(*ds, *ds->getRowStates(), *options, mode)) {
            decorateSelection(*s, *options);
            out->push_back(s);
        }
    }
    return out;
}

SelectionController::SelectionPtr SelectionController::makeSelectionFromRowStates(const DataSet& dataSet,
                                                                                  const RowStates& rowStates,
                                                                                  const SelectionOptions& options,
                                                                                  PromptSelectionMode::type) {
    std::vector<std::string> names = plainNames(options.expectedVariableNames.get());
    if (names.empty()) return nullptr;
    auto hierarchies = hierarchiesOf(options);
    auto adapter = SelectionHierarchyAdapter::get();

    std::vector<ResolvedVariable> vars;
    std::set<std::string> seen;
    for (const auto& n : names) {
        ResolvedVariable v;
        if (auto c = dataSet.getColumnWithName(n)) {
            v.name = n;
            v.column = c;
        } else {
            for (const auto& h : hierarchies) {
                std::string hname = adapter->getHierarchyName(*h), level = adapter->getCurrentLevelName(*h);
                if (level.empty() || (hname != n && level != n)) continue;
                if (auto c = dataSet.getColumnWithName(level)) {
                    v.name = hname.empty() ? level : hname;
                    v.column = c;
                    break;
                }
            }
        }
        if (!v.column || !seen.insert(v.name).second) continue;
        if (v.column->isNumeric()) v.bins = getBinInfoForVariable(getBinInfoMap(), v.name);
        vars.push_back(v);
    }
    if (vars.empty()) return nullptr;

    // Distinct combinations of the variables' values (bins for binned
    // variables) over the selected rows, in order of first appearance; each
    // makes one term. Flags (all-others) are part of the key.
    const RowBitmap& bits = rowStates.getBitmap();
    const size_t rowCount = std::min(bits.size(), dataSet.getRowCount());
    std::vector<size_t> representatives;
    if (vars.size() == 1) {
        std::unordered_set<uint64_t> seenKeys;
        std::set<std::pair<uint64_t, uint8_t>> flaggedKeys;  // rows with flags (all-others ...): rare
        std::vector<uint8_t> seenCodes;  // character columns: by dictionary code
        const ResolvedVariable& v = vars[0];
        bool byCode = v.column->isCharacter();
        if (byCode) seenCodes.assign(v.column->getDictionary().size() * 2, 0);
        bits.forEachSet([&](size_t row) {
            if (row >= rowCount) return;
            uint8_t flags;
            uint64_t k = keyPart(v, row, flags);
            if (byCode) {
                size_t slot = static_cast<size_t>(k) * 2 + ((flags & DataValue::ALL_OTHERS) ? 1 : 0);
                if (slot < seenCodes.size() && !seenCodes[slot]) {
                    seenCodes[slot] = 1;
                    representatives.push_back(row);
                }
                return;
            }
            bool inserted = flags == 0 ? seenKeys.insert(k).second : flaggedKeys.emplace(k, flags).second;
            if (inserted) representatives.push_back(row);
        });
    } else {
        std::unordered_map<std::string, int> seenKeys;
        std::string key(vars.size() * 9, '\0');
        bits.forEachSet([&](size_t row) {
            if (row >= rowCount) return;
            for (size_t i = 0; i < vars.size(); ++i) {
                uint8_t flags;
                uint64_t k = keyPart(vars[i], row, flags);
                std::memcpy(&key[i * 9], &k, 8);
                key[i * 9 + 8] = static_cast<char>(flags);
            }
            if (seenKeys.emplace(key, 0).second) representatives.push_back(row);
        });
    }

    const bool includeAllOther = options.includeAllOther.get();
    std::vector<std::shared_ptr<Expression>> rowTerms;
    std::vector<std::shared_ptr<DataValue>> singleValues;  // one plain variable: the values for an "in"
    bool single = vars.size() == 1 && !vars[0].bins;
    for (size_t row : representatives) {
        std::vector<std::shared_ptr<Expression>> parts;
        bool allOthers = false;
        for (const auto& v : vars) {
            auto value = v.column->getDataValueAtIndex(row);
            if (!value) value = DataValue::createMissing();
            if (value->isAllOthers()) allOthers = true;
            int b = v.bins && value->hasValue() ? v.bins->getBinForValue(value->getNumber()) : -1;
            if (b >= 0) parts.push_back(binRangeExpression(v.name, *v.bins, b));
            else {
                if (single) singleValues.push_back(value);
                parts.push_back(B::eq(B::var(v.name), B::const_(value)));
            }
        }
        if (allOthers && !includeAllOther) {
            if (single && !singleValues.empty()) singleValues.pop_back();
            continue;
        }
        rowTerms.push_back(parts.size() == 1 ? parts[0] : B::and_(parts));
    }
    if (rowTerms.empty()) return nullptr;

    std::shared_ptr<Expression> expr;
    if (rowTerms.size() == 1) expr = rowTerms[0];
    else if (single) {
        std::vector<std::shared_ptr<Expression>> constants;
        constants.reserve(singleValues.size());
        for (const auto& v : singleValues) constants.push_back(B::const_(v));
        expr = B::in(B::var(vars[0].name), constants);
    } else expr = B::or_(rowTerms);

    if (options.includeDrillInSelections.get()) {
        std::vector<std::shared_ptr<Hierarchy>> present;
        for (const auto& h : hierarchies) {
            std::string level = adapter->getCurrentLevelName(*h);
            if (!level.empty() && dataSet.getColumnWithName(level)) present.push_back(h);
        }
        if (auto drill = getDrillExpression(present)) expr = B::and_(expr, drill);
    }
    auto s = Selection::create();
    s->dataName = dataSet.getName();
    s->expression = expr;
    return s;
}

std::shared_ptr<Expression> SelectionController::getDrillExpression(
    const std::vector<std::shared_ptr<Hierarchy>>& hierarchies) {
    auto adapter = SelectionHierarchyAdapter::get();
    std::vector<std::shared_ptr<Expression>> terms;
    for (const auto& h : hierarchies) {
        if (!h) continue;
        for (const auto& [level, value] : adapter->getDrillPath(*h))
            if (!level.empty() && value) terms.push_back(B::eq(B::var(level), B::const_(value)));
    }
    if (terms.empty()) return nullptr;
    return terms.size() == 1 ? terms[0] : B::and_(terms);
}

std::vector<std::shared_ptr<const std::string>> SelectionController::getVariablesForDataSet(
    const std::shared_ptr<DataSet>& dataSet) {
    if (!dataSet) return {};
    return dataSet->getColumnNames();
}

// ---- prompts: values to and from selections

std::shared_ptr<SelectionController::Values> SelectionController::getDataValuesFromSelections(
    const SelectionList& selections, const std::shared_ptr<const std::string>& dataName,
    const std::string& variableName) {
    if (!selections) return nullptr;
    auto out = std::make_shared<Values>();
    auto emptyName = [](const std::shared_ptr<const std::string>& s) { return !s || s->empty(); };
    for (const auto& s : *selections) {
        if (!s || !s->expression.get()) continue;
        auto name = s->dataName.get();
        if (!(emptyName(name) && emptyName(dataName)) && !dataNamesMatch(name, dataName)) continue;
        auto clause = s->expression.get()->toWhereClause(nullptr);
        if (!clause) continue;
        clause->forEachSimpleClause([&](const WhereClauseExpression& w) {
            if (w.getColumnName() != variableName) return;
            for (const auto& v : w.getValues())
                if (v) out->push_back(v);
        });
    }
    if (out->empty()) return nullptr;
    return out;
}

SelectionController::SelectionPtr SelectionController::getSelectionFromDataValues(
    const std::shared_ptr<const std::string>& dataName, const std::shared_ptr<const std::string>& variableName,
    const std::shared_ptr<Values>& values, PromptSelectionMode::type mode, OptionsPtr options) {
    if (!dataName || !variableName || !values || values->empty()) return nullptr;
    if (!options) options = getDefaultOptions();
    if (!contains(plainNames(options->expectedDataNames.get()), *dataName)) return nullptr;
    if (!contains(plainNames(options->expectedVariableNames.get()), *variableName)) return nullptr;
    std::shared_ptr<Expression> expr;
    if (mode == PromptSelectionMode::RANGE && values->size() >= 2) {
        expr = B::between_(B::var_(*variableName), B::const_((*values)[0]), B::const_((*values)[1]), 1, 0);
    } else {
        std::vector<std::shared_ptr<Expression>> terms;
        for (const auto& v : *values) terms.push_back(B::eq_(B::var_(*variableName), B::const_(v)));
        expr = B::or_(terms);
    }
    auto s = Selection::create();
    s->dataName = dataName;
    s->expression = expr;
    return s;
}

} // namespace orvane
