// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/SelectionControlItem.h"

#include "orvane/host/data/ExpressionUtil.h"
#include "orvane/host/data/MetadataProvider.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionControl.h"
#include "orvane/selection/SelectionControlTerm.h"
#include "orvane/selection/SelectionController.h"
#include "orvane/selection/SelectionOptions.h"

#include <algorithm>

namespace orvane {

namespace {

std::string text(const char* key, const std::string& fallback) {
    auto s = ResourceManager::getString("ketra_orvane", key);
    return s ? *s : fallback;
}

// The locale's list separator followed by a space.
std::string listSeparator() {
    auto s = ResourceManager::getString("ketra_portable_formatters", "listSeparator");
    std::string sep = s && !s->empty() ? *s : ",";
    if (sep.back() != ' ') sep += ' ';
    return sep;
}

struct VariableTexts {
    std::string variable;
    std::vector<std::string> texts;
};

std::string valueText(const std::string& variable, const std::shared_ptr<DataValue>& v, const MetadataProvider* m) {
    if (!v) return ".";
    if (v->isAllOthers()) return text("selection.allOthers.txt", "All others");
    if (m) return m->getValueLabel(variable, *v);
    return v->isMissing() ? "." : v->getPresentableText();
}

VariableTexts& entryFor(std::vector<VariableTexts>& entries, const std::string& variable) {
    for (auto& e : entries)
        if (e.variable == variable) return e;
    entries.push_back({variable, {}});
    return entries.back();
}

void collectTexts(const Expression& e, std::vector<VariableTexts>& entries, const MetadataProvider* m, bool negated) {
    const auto& ops = e.getOperands();
    auto put = [&](const std::string& variable, std::string t) {
        if (negated) t = ResourceManager::formatString(text("selection.not.txt", "not {0}"), {t});
        entryFor(entries, variable).texts.push_back(std::move(t));
    };
    switch (e.getType()) {
    case Expression::Type::COMPARE: {
        if (ops.size() != 2 || !ops[0] || !ops[1]) return;
        const Expression* var = ops[0].get();
        const Expression* con = ops[1].get();
        Expression::Operator op = e.getOperator();
        if (var->getType() != Expression::Type::VARIABLE) {
            std::swap(var, con);
            op = Expression::flipped(op);
        }
        if (var->getType() != Expression::Type::VARIABLE || con->getType() != Expression::Type::CONSTANT) return;
        std::string v = valueText(var->getVariableName(), con->getValue(), m);
        const char* key = nullptr;
        const char* fallback = "{0}";
        switch (op) {
        case Expression::Operator::EQ: break;
        case Expression::Operator::NE: key = "selection.not.txt", fallback = "not {0}"; break;
        case Expression::Operator::LT: key = "selection.below.txt", fallback = "below {0}"; break;
        case Expression::Operator::LE: key = "selection.atMost.txt", fallback = "at most {0}"; break;
        case Expression::Operator::GT: key = "selection.above.txt", fallback = "above {0}"; break;
        case Expression::Operator::GE: key = "selection.atLeast.txt", fallback = "at least {0}"; break;
        }
        put(var->getVariableName(), key ? ResourceManager::formatString(text(key, fallback), {v}) : v);
        return;
    }
    case Expression::Type::BETWEEN: {
        if (ops.size() != 3 || !ops[0] || !ops[1] || !ops[2]) return;
        const std::string& name = ops[0]->getVariableName();
        std::string t = ResourceManager::formatString(text("rangeSlider.currentValues.txt", "{0} to {1}"),
                                                      {valueText(name, ops[1]->getValue(), m),
                                                       valueText(name, ops[2]->getValue(), m)});
        if (e.isNegated()) t = ResourceManager::formatString(text("selection.not.txt", "not {0}"), {t});
        put(name, t);
        return;
    }
    case Expression::Type::IN:
        if (ops.empty() || !ops[0]) return;
        for (size_t i = 1; i < ops.size(); ++i)
            if (ops[i]) put(ops[0]->getVariableName(), valueText(ops[0]->getVariableName(), ops[i]->getValue(), m));
        return;
    case Expression::Type::IS_MISSING:
        if (!ops.empty() && ops[0]) put(ops[0]->getVariableName(), text("selection.missing.txt", "missing"));
        return;
    case Expression::Type::NOT:
        for (const auto& o : ops)
            if (o) collectTexts(*o, entries, m, !negated);
        return;
    case Expression::Type::AND:
    case Expression::Type::OR: {
        // A half-open bin "x >= a and x < b" reads as one range.
        if (e.getType() == Expression::Type::AND && ops.size() == 2 && ops[0] && ops[1] &&
            ops[0]->getType() == Expression::Type::COMPARE && ops[1]->getType() == Expression::Type::COMPARE &&
            ops[0]->getOperator() == Expression::Operator::GE && ops[1]->getOperator() == Expression::Operator::LT &&
            ops[0]->getOperands().size() == 2 && ops[1]->getOperands().size() == 2 &&
            ops[0]->getOperands()[0]->getType() == Expression::Type::VARIABLE &&
            ops[1]->getOperands()[0]->getType() == Expression::Type::VARIABLE &&
            ops[0]->getOperands()[0]->getVariableName() == ops[1]->getOperands()[0]->getVariableName()) {
            const std::string& name = ops[0]->getOperands()[0]->getVariableName();
            put(name, ResourceManager::formatString(text("rangeSlider.currentValues.txt", "{0} to {1}"),
                                                    {valueText(name, ops[0]->getOperands()[1]->getValue(), m),
                                                     valueText(name, ops[1]->getOperands()[1]->getValue(), m)}));
            return;
        }
        for (const auto& o : ops)
            if (o) collectTexts(*o, entries, m, negated);
        return;
    }
    default: return;
    }
}

} // namespace

SelectionControlItem::SelectionControlItem()
    : label(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      terms(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      selections(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      selectionController(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      selectionOptions(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      readOnly(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)) {
}

SelectionControlItem::~SelectionControlItem() = default;

std::shared_ptr<SelectionControlItem> SelectionControlItem::create() {
    auto m = std::make_shared<SelectionControlItem>();
    m->initialize();
    return m;
}

std::string SelectionControlItem::labelOf(const std::shared_ptr<Expression>& condition, const MetadataProvider* m) {
    if (!condition) return {};
    std::vector<VariableTexts> entries;
    collectTexts(*condition, entries, m, false);
    std::string sep = listSeparator(), out;
    for (const auto& e : entries) {
        if (!out.empty()) out += "; ";
        out += (m ? m->getVariableLabel(e.variable) : e.variable) + ": ";
        for (size_t i = 0; i < e.texts.size(); ++i) out += (i ? sep : "") + e.texts[i];
    }
    return out;
}

std::vector<std::shared_ptr<SelectionControlTerm>> SelectionControlItem::collectTerms(
    const std::shared_ptr<Expression>& expression, const MetadataProvider* metadata) {
    std::vector<std::shared_ptr<SelectionControlTerm>> out;
    if (!expression) return out;
    std::vector<std::shared_ptr<Expression>> parts;
    if (expression->isCompound()) parts = expression->getOperands();
    else parts.push_back(expression);
    for (const auto& p : parts) {
        if (!p) continue;
        auto t = SelectionControlTerm::create();
        t->expression = p;
        t->label = std::make_shared<const std::string>(labelOf(p, metadata));
        out.push_back(t);
    }
    return out;
}

std::vector<std::shared_ptr<Selection>> SelectionControlItem::getSelectionList() const {
    auto s = selections.get();
    return s ? s->toVector() : std::vector<std::shared_ptr<Selection>>{};
}

bool SelectionControlItem::updateSelections(const std::vector<std::shared_ptr<Selection>>& next,
                                            const MetadataProvider* metadata) {
    std::vector<std::shared_ptr<SelectionControlTerm>> newTerms;
    for (const auto& s : next)
        if (s)
            for (auto& t : collectTerms(s->expression.get(), metadata)) newTerms.push_back(t);
    std::string newText, oldText;
    for (const auto& t : newTerms) newText += SelectionControl::describe(*t) + "\n";
    if (auto old = terms.get())
        for (const auto& t : *old)
            if (t) oldText += SelectionControl::describe(*t) + "\n";
    auto current = getSelectionList();
    bool same = newText == oldText && current.size() == next.size() && terms.get() && selections.get();
    for (size_t i = 0; same && i < next.size(); ++i) same = current[i] && next[i] && current[i]->equals(*next[i]);
    if (same) return false;
    terms = MonitoredVector<std::shared_ptr<SelectionControlTerm>>::create(std::move(newTerms));
    selections = MonitoredVector<std::shared_ptr<Selection>>::create(next);
    return true;
}

bool SelectionControlItem::removeTerm(const std::shared_ptr<SelectionControlTerm>& term) {
    auto list = terms.get();
    if (!term || !list) return false;
    auto it = std::find(list->begin(), list->end(), term);
    if (it == list->end()) return false;
    list->erase(it);
    std::vector<std::shared_ptr<Selection>> kept;
    for (const auto& s : getSelectionList()) {
        if (!s) continue;
        auto rest = SelectionControl::removeTermFromExpression(s->expression.get(), term->expression.get());
        if (rest) kept.push_back(rest == s->expression.get() ? s : s->copyWithExpression(rest));
    }
    selections = MonitoredVector<std::shared_ptr<Selection>>::create(std::move(kept));
    return true;
}

} // namespace orvane
