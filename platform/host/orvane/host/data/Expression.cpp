// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/Expression.h"

#include "orvane/host/format/CalendarUtilities.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/CompoundWhereClauseExpression.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/ExpressionParser.h"
#include "orvane/host/format/FormatterFactory.h"
#include "orvane/host/data/WhereClauseExpression.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orvane {

namespace {

constexpr const char* kSource = "host/Expression";

bool isVar(const std::shared_ptr<Expression>& e) { return e && e->getType() == Expression::Type::VARIABLE; }
bool isConst(const std::shared_ptr<Expression>& e) { return e && e->getType() == Expression::Type::CONSTANT; }
bool isCondition(const std::shared_ptr<Expression>& e) { return e && !isVar(e) && !isConst(e); }

std::string quote(std::string_view s, char q) {
    std::string out(1, q);
    for (char c : s) {
        out += c;
        if (c == q) out += q;
    }
    out += q;
    return out;
}

const char* opText(Expression::Operator op) {
    switch (op) {
    case Expression::Operator::EQ: return "=";
    case Expression::Operator::NE: return "<>";
    case Expression::Operator::LT: return "<";
    case Expression::Operator::LE: return "<=";
    case Expression::Operator::GT: return ">";
    case Expression::Operator::GE: return ">=";
    }
    return "=";
}

// A whole number of days (or seconds) inside the years 0..9999, which the
// date formats write and read back exactly.
bool writableDay(double day) {
    if (std::floor(day) != day || std::fabs(day) > 3e6) return false;
    auto c = CalendarUtilities::civilFromDays(static_cast<int64_t>(day));
    return c.year >= 0 && c.year <= 9999;
}

// A time as [-]h:mm:ss[.fffffffff], when the time parser reads that text
// back to exactly the same number of seconds; empty otherwise.
std::string clockText(double n) {
    const double a = std::fabs(n);
    if (!(a < 999999999.0 * 3600.0)) return {};  // the parser reads at most nine digits of hours
    const auto whole = static_cast<int64_t>(std::floor(a));
    const double frac = a - static_cast<double>(whole);
    char head[48];
    std::snprintf(head, sizeof head, "%s%lld:%02d:%02d", n < 0 ? "-" : "", static_cast<long long>(whole / 3600),
                  static_cast<int>(whole / 60 % 60), static_cast<int>(whole % 60));
    if (frac == 0.0) return head;
    auto time = FormatterFactory::getFormatter("TIME8.");
    for (int digits = 1; digits <= 9; ++digits) {
        char text[64];
        std::snprintf(text, sizeof text, "%s.%0*lld", head, digits,
                      static_cast<long long>(std::llround(frac * std::pow(10.0, digits))));
        double back;
        if (std::strlen(text) == std::strlen(head) + 1 + static_cast<size_t>(digits) && time->parse(text, back) &&
            back == n)
            return text;
    }
    return {};
}

// A typed value no date or time text can carry exactly (fractional days,
// years beyond 9999, times finer than a nanosecond or beyond the clock's
// hours) is written as its number in scientific notation, which the parser
// reads back as the value itself.
std::string rawNumberText(double n) {
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, n, std::chars_format::scientific);
    return ec == std::errc() ? std::string(buf, p) : std::string(".");
}

std::string typedLiteral(const DataValue& v) {
    double n = v.getNumber();
    const char* suffix = v.isDate() ? "d" : v.isDateTime() ? "dt" : "t";
    if (std::isnan(n)) return std::string("\".\"") + suffix;
    std::string text;
    if (v.isDate() && writableDay(n)) text = FormatterFactory::getFormatter("DATE9.")->format(n);
    else if (v.isDateTime() && std::floor(n) == n && writableDay(std::floor(n / 86400.0)))
        text = FormatterFactory::getFormatter("DATETIME19.")->format(n);
    else if (v.isTime()) text = clockText(n);
    if (text.empty()) text = rawNumberText(n);
    return "\"" + text + "\"" + suffix;
}

// Text of a constant. In the position of a variable (the left of a comparison)
// strings are single-quoted, elsewhere double-quoted.
std::string constantText(const DataValue& v, bool variablePosition) {
    if (v.isAllOthers()) return "_ALLOTHERS_";
    if (v.isMatchesAll()) return "_MATCHESALL_";
    if (v.isSparse()) return "_SPARSE_";
    if (v.isString()) return quote(v.getString() ? *v.getString() : std::string(), variablePosition ? '\'' : '"');
    if (v.getType() == DataValue::Type::Number) return v.toString();
    return typedLiteral(v);
}

std::string operandText(const Expression& e, bool variablePosition) {
    switch (e.getType()) {
    case Expression::Type::VARIABLE:
        return variablePosition ? quote(e.getVariableName(), '"') : quote(e.getVariableName(), '"') + "n";
    case Expression::Type::CONSTANT: return constantText(*e.getValue(), variablePosition);
    default: return "(" + e.toString() + ")";
    }
}

} // namespace

bool Expression::isValid() const {
    auto valid = [](const std::shared_ptr<Expression>& e) { return isCondition(e) && e->isValid(); };
    switch (type_) {
    case Type::VARIABLE:
    case Type::CONSTANT: return false;
    case Type::COMPARE:
        return operands_.size() == 2 && ((isVar(operands_[0]) && isConst(operands_[1])) ||
                                         (isConst(operands_[0]) && isVar(operands_[1])));
    case Type::BETWEEN:
        return operands_.size() == 3 && isVar(operands_[0]) && isConst(operands_[1]) && isConst(operands_[2]);
    case Type::IN: {
        if (operands_.empty() || !isVar(operands_[0])) return false;
        for (size_t i = 1; i < operands_.size(); ++i)
            if (!isConst(operands_[i])) return false;
        return true;
    }
    case Type::IS_MISSING: return operands_.size() == 1 && isVar(operands_[0]);
    case Type::AND:
    case Type::OR:
        if (operands_.empty()) return false;
        for (const auto& o : operands_)
            if (!valid(o)) return false;
        return true;
    case Type::NOT: return operands_.size() == 1 && valid(operands_[0]);
    }
    return false;
}

std::string Expression::toString() const {
    auto at = [&](size_t i) -> const Expression* { return i < operands_.size() ? operands_[i].get() : nullptr; };
    auto text = [&](size_t i, bool varPos) {
        const Expression* e = at(i);
        return e ? operandText(*e, varPos) : std::string(".");
    };
    switch (type_) {
    case Type::VARIABLE: return quote(name_, '"');
    case Type::CONSTANT: return value_ ? constantText(*value_, false) : ".";
    case Type::COMPARE: {
        bool leftIsVar = at(0) && at(0)->type_ == Type::VARIABLE;
        return text(0, true) + " " + opText(op_) + " " + text(1, !leftIsVar);
    }
    case Type::BETWEEN:
        return text(0, true) + (negated_ ? " not between " : " between ") + text(1, false) + " and " + text(2, false) +
               (inclusive_ ? "" : " exclusive");
    case Type::IN: {
        std::string s = text(0, true) + " in (";
        for (size_t i = 1; i < operands_.size(); ++i) s += (i > 1 ? ", " : "") + text(i, false);
        return s + ")";
    }
    case Type::IS_MISSING: return text(0, true) + " is missing";
    case Type::AND:
    case Type::OR: {
        const char* word = type_ == Type::AND ? "and" : "or";
        if (operands_.size() == 1) return std::string(word) + "(" + operands_[0]->toString() + ")";
        std::string s;
        for (size_t i = 0; i < operands_.size(); ++i) {
            const Expression* e = at(i);
            if (i) s += std::string(" ") + word + " ";
            if (!e) continue;
            bool wrap = (e->type_ == Type::AND || e->type_ == Type::OR) && e->operands_.size() != 1;
            s += wrap ? "(" + e->toString() + ")" : e->toString();
        }
        return s;
    }
    case Type::NOT: return "not (" + (at(0) ? at(0)->toString() : std::string()) + ")";
    }
    return std::string();
}

std::shared_ptr<Expression> Expression::parse(std::string_view text, std::string* error) {
    return ExpressionParser::parse(text, error);
}

bool Expression::equals(const Expression& o) const {
    if (type_ != o.type_ || operands_.size() != o.operands_.size()) return false;
    switch (type_) {
    case Type::VARIABLE: return name_ == o.name_;
    case Type::CONSTANT:
        if (!value_ || !o.value_) return !value_ && !o.value_;
        return value_->equals(*o.value_);
    case Type::COMPARE:
        if (op_ != o.op_) return false;
        break;
    case Type::BETWEEN:
        if (inclusive_ != o.inclusive_ || negated_ != o.negated_) return false;
        break;
    default: break;
    }
    for (size_t i = 0; i < operands_.size(); ++i) {
        const auto& a = operands_[i];
        const auto& b = o.operands_[i];
        if (!a || !b) {
            if (a || b) return false;
            continue;
        }
        if (!a->equals(*b)) return false;
    }
    return true;
}

// ---------------------------------------------------------------- evaluation

Expression::Operator Expression::flipped(Operator op) {
    switch (op) {
    case Operator::LT: return Operator::GT;
    case Operator::LE: return Operator::GE;
    case Operator::GT: return Operator::LT;
    case Operator::GE: return Operator::LE;
    default: return op;
    }
}

bool Expression::compareValues(const DataValue& a, Operator op, const DataValue& b) {
    bool am = a.isMissing(), bm = b.isMissing();
    if (am || bm) {
        if (op == Operator::EQ) return am && bm;
        if (op == Operator::NE) return !am && bm;
        return false;
    }
    if (a.isString() != b.isString()) return false;
    int c;
    if (a.isString()) {
        int r = a.getString()->compare(*b.getString());
        c = r < 0 ? -1 : r > 0 ? 1 : 0;
    } else {
        double x = a.getNumber(), y = b.getNumber();
        c = x < y ? -1 : x > y ? 1 : 0;
    }
    switch (op) {
    case Operator::EQ: return c == 0;
    case Operator::NE: return c != 0;
    case Operator::LT: return c < 0;
    case Operator::LE: return c <= 0;
    case Operator::GT: return c > 0;
    case Operator::GE: return c >= 0;
    }
    return false;
}

bool Expression::evaluate(const ValueLookup& lookup) const {
    auto valueOf = [&](const std::shared_ptr<Expression>& e) -> std::shared_ptr<DataValue> {
        if (!e) return nullptr;
        if (e->type_ == Type::CONSTANT) return e->value_;
        if (e->type_ == Type::VARIABLE && lookup) return lookup(e->name_);
        return nullptr;
    };
    switch (type_) {
    case Type::COMPARE: {
        if (operands_.size() != 2) return false;
        auto a = valueOf(operands_[0]), b = valueOf(operands_[1]);
        if (!a || !b) return false;
        // The row's value goes first so that "missing matches only eq missing" reads from its side.
        if (operands_[0]->type_ == Type::CONSTANT && operands_[1]->type_ == Type::VARIABLE)
            return compareValues(*b, flipped(op_), *a);
        return compareValues(*a, op_, *b);
    }
    case Type::BETWEEN: {
        if (operands_.size() != 3) return false;
        auto x = valueOf(operands_[0]), lo = valueOf(operands_[1]), hi = valueOf(operands_[2]);
        if (!x || !lo || !hi || x->isMissing() || lo->isMissing() || hi->isMissing()) return false;
        if (x->isString() != lo->isString() || x->isString() != hi->isString()) return false;
        bool in = inclusive_ ? compareValues(*x, Operator::GE, *lo) && compareValues(*x, Operator::LE, *hi)
                             : compareValues(*x, Operator::GT, *lo) && compareValues(*x, Operator::LT, *hi);
        return negated_ ? !in : in;
    }
    case Type::IN: {
        if (operands_.empty()) return false;
        auto x = valueOf(operands_[0]);
        if (!x) return false;
        for (size_t i = 1; i < operands_.size(); ++i) {
            auto c = valueOf(operands_[i]);
            if (c && compareValues(*x, Operator::EQ, *c)) return true;
        }
        return false;
    }
    case Type::IS_MISSING: {
        auto x = operands_.empty() ? nullptr : valueOf(operands_[0]);
        return x && x->isMissing();
    }
    case Type::AND:
        for (const auto& o : operands_)
            if (!o || !o->evaluate(lookup)) return false;
        return !operands_.empty();
    case Type::OR:
        for (const auto& o : operands_)
            if (o && o->evaluate(lookup)) return true;
        return false;
    case Type::NOT: return !operands_.empty() && operands_[0] && !operands_[0]->evaluate(lookup);
    default: return false;
    }
}

// ---------------------------------------------------------------- where-clauses

namespace {

struct Converter {
    const DataSet* dataSet;
    const Expression::WhereClauseOptions& options;
    std::string failure;

    bool resolve(const std::string& variable, std::string& column) {
        if (!dataSet || dataSet->getColumnWithName(variable)) {
            column = variable;
            return true;
        }
        if (options.resolveVariable) {
            std::string r = options.resolveVariable(variable);
            if (!r.empty() && dataSet->getColumnWithName(r)) {
                column = r;
                return true;
            }
        }
        failure = "unknown variable \"" + variable + "\"";
        return false;
    }

    std::shared_ptr<AbstractWhereClauseExpression> binRanges(const std::string& variable, const std::string& column,
                                                             const std::vector<std::shared_ptr<DataValue>>& values,
                                                             bool& binned) {
        binned = false;
        if (!options.binRange) return nullptr;
        std::vector<std::shared_ptr<AbstractWhereClauseExpression>> ranges;
        for (const auto& v : values) {
            double s, e;
            if (!v || !options.binRange(variable, *v, s, e)) return nullptr;
            ranges.push_back(CompoundWhereClauseExpression::create(
                CompoundWhereClauseExpression::Operator::AND,
                {WhereClauseExpression::create(column, WhereClauseExpression::Operator::GE, DataValue::create(s)),
                 WhereClauseExpression::create(column, WhereClauseExpression::Operator::LT, DataValue::create(e))}));
        }
        binned = true;
        if (ranges.size() == 1) return ranges[0];
        return CompoundWhereClauseExpression::create(CompoundWhereClauseExpression::Operator::OR, ranges);
    }

    std::shared_ptr<AbstractWhereClauseExpression> convert(const Expression& e) {
        const auto& ops = e.getOperands();
        std::string column;
        switch (e.getType()) {
        case Expression::Type::COMPARE: {
            if (ops.size() != 2 || !ops[0] || !ops[1]) break;
            const Expression* var = ops[0].get();
            const Expression* con = ops[1].get();
            Expression::Operator op = e.getOperator();
            if (var->getType() == Expression::Type::CONSTANT && con->getType() == Expression::Type::VARIABLE) {
                std::swap(var, con);
                op = Expression::flipped(op);
            }
            if (var->getType() != Expression::Type::VARIABLE || con->getType() != Expression::Type::CONSTANT) {
                failure = "a comparison needs a variable and a constant: " + e.toString();
                return nullptr;
            }
            if (!resolve(var->getVariableName(), column)) return nullptr;
            if (op == Expression::Operator::EQ) {
                bool binned;
                auto r = binRanges(var->getVariableName(), column, {con->getValue()}, binned);
                if (binned) return r;
            }
            return WhereClauseExpression::create(column, static_cast<WhereClauseExpression::Operator>(op),
                                                 con->getValue());
        }
        case Expression::Type::BETWEEN:
            if (ops.size() != 3 || !isVar(ops[0]) || !isConst(ops[1]) || !isConst(ops[2])) break;
            if (!resolve(ops[0]->getVariableName(), column)) return nullptr;
            return WhereClauseExpression::createBetween(column, ops[1]->getValue(), ops[2]->getValue(), e.isInclusive(),
                                                        e.isNegated());
        case Expression::Type::IN: {
            if (ops.empty() || !isVar(ops[0])) break;
            if (!resolve(ops[0]->getVariableName(), column)) return nullptr;
            std::vector<std::shared_ptr<DataValue>> values;
            for (size_t i = 1; i < ops.size(); ++i) {
                if (!isConst(ops[i])) {
                    failure = "a membership test lists constants only: " + e.toString();
                    return nullptr;
                }
                values.push_back(ops[i]->getValue());
            }
            bool binned;
            auto r = binRanges(ops[0]->getVariableName(), column, values, binned);
            if (binned) return r;
            return WhereClauseExpression::createIn(column, values);
        }
        case Expression::Type::IS_MISSING:
            if (ops.size() != 1 || !isVar(ops[0])) break;
            if (!resolve(ops[0]->getVariableName(), column)) return nullptr;
            return WhereClauseExpression::createIsMissing(column);
        case Expression::Type::AND:
        case Expression::Type::OR:
        case Expression::Type::NOT: {
            std::vector<std::shared_ptr<AbstractWhereClauseExpression>> parts;
            for (const auto& o : ops) {
                if (!o) continue;
                auto p = convert(*o);
                if (!p) return nullptr;
                parts.push_back(p);
            }
            if (parts.empty() || (e.getType() == Expression::Type::NOT && parts.size() != 1)) break;
            auto op = e.getType() == Expression::Type::AND  ? CompoundWhereClauseExpression::Operator::AND
                      : e.getType() == Expression::Type::OR ? CompoundWhereClauseExpression::Operator::OR
                                                            : CompoundWhereClauseExpression::Operator::NOT;
            return CompoundWhereClauseExpression::create(op, parts);
        }
        default: break;
        }
        if (failure.empty()) failure = "no where-clause for " + e.toString();
        return nullptr;
    }
};

} // namespace

std::shared_ptr<AbstractWhereClauseExpression> Expression::toWhereClause(const std::shared_ptr<DataSet>& dataSet,
                                                                         const WhereClauseOptions& options) const {
    Converter c{dataSet.get(), options, {}};
    auto r = c.convert(*this);
    if (!r) ORVANE_LOG(CLog::ERRORS, kSource, "cannot convert " + toString() + " to a where-clause: " + c.failure);
    return r;
}

} // namespace orvane
