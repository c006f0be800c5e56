// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/WhereClauseExpression.h"

#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/RowBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orvane {

namespace {

// Sets bit j of each word from pred(row). The inner loop has no branches so
// the compiler can vectorise the comparisons.
template <class Pred>
void fillBits(RowBitmap& rows, size_t n, Pred pred) {
    rows.resize(n);
    auto& words = rows.words();
    size_t full = n / 64;
    for (size_t w = 0; w < full; ++w) {
        uint64_t bits = 0;
        size_t base = w * 64;
        for (size_t j = 0; j < 64; ++j) bits |= static_cast<uint64_t>(pred(base + j)) << j;
        words[w] = bits;
    }
    if (n % 64) {
        uint64_t bits = 0;
        for (size_t j = 0; j < n % 64; ++j) bits |= static_cast<uint64_t>(pred(full * 64 + j)) << j;
        words[full] = bits;
    }
}

// A set of doubles (no NaN; -0 folds into 0) with a collision-free hash: a
// multiplier and table size are searched so that every value has a slot of
// its own, and membership is one multiply, one load and one compare, without
// branches. Empty slots hold a NaN pattern, which no tested value has (NaN
// rows are decided apart).
class DoubleSet {
public:
    explicit DoubleSet(const std::vector<double>& values) {
        std::vector<uint64_t> keys;
        for (double v : values) keys.push_back(bits(v));
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        static const uint64_t kMultipliers[] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                                                0xD6E8FEB86659FD93ull, 0xFF51AFD7ED558CCDull, 0xC4CEB9FE1A85EC53ull};
        for (int bitsUsed = 4; bitsUsed <= 16; ++bitsUsed) {
            size_t cap = size_t(1) << bitsUsed;
            if (cap < keys.size() * 2) continue;
            for (uint64_t m : kMultipliers) {
                table_.assign(cap, kEmpty);
                shift_ = 64 - bitsUsed;
                mult_ = m;
                bool clash = false;
                for (uint64_t k : keys) {
                    uint64_t& slot = table_[slot_of(k)];
                    if (slot != kEmpty) {
                        clash = true;
                        break;
                    }
                    slot = k;
                }
                if (!clash) return;
            }
        }
        // No collision-free table: a sorted list and binary search.
        table_.clear();
        sorted_ = keys;
    }
    // True when v (not NaN) is in the set.
    bool contains(double v) const {
        uint64_t k = bits(v);
        if (!table_.empty()) return table_[slot_of(k)] == k;
        return std::binary_search(sorted_.begin(), sorted_.end(), k);
    }

private:
    static constexpr uint64_t kEmpty = 0x7ff8dead0000beefull;  // a NaN
    static uint64_t bits(double v) {
        if (v == 0) v = 0;  // folds -0 into 0
        uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    }
    size_t slot_of(uint64_t k) const { return static_cast<size_t>((k * mult_) >> shift_); }
    std::vector<uint64_t> table_;
    std::vector<uint64_t> sorted_;
    uint64_t mult_ = 0;
    int shift_ = 63;
};

bool missingOrNull(const std::shared_ptr<DataValue>& v) { return !v || v->isMissing(); }

// Outcome of comparing a string row value c with a constant under op.
bool compareStrings(const std::string& c, WhereClauseExpression::Operator op, const std::string& k) {
    int r = c.compare(k);
    switch (op) {
    case WhereClauseExpression::Operator::EQ: return r == 0;
    case WhereClauseExpression::Operator::NE: return r != 0;
    case WhereClauseExpression::Operator::LT: return r < 0;
    case WhereClauseExpression::Operator::LE: return r <= 0;
    case WhereClauseExpression::Operator::GT: return r > 0;
    case WhereClauseExpression::Operator::GE: return r >= 0;
    default: return false;
    }
}

} // namespace

std::shared_ptr<WhereClauseExpression> WhereClauseExpression::create(const std::string& columnName, Operator op,
                                                                     std::shared_ptr<DataValue> value) {
    auto w = std::make_shared<WhereClauseExpression>(columnName, op);
    if (op != Operator::IS_MISSING) w->values_.push_back(value ? std::move(value) : DataValue::createMissing());
    return w;
}

std::shared_ptr<WhereClauseExpression> WhereClauseExpression::createBetween(const std::string& columnName,
                                                                            std::shared_ptr<DataValue> low,
                                                                            std::shared_ptr<DataValue> high,
                                                                            bool inclusive, bool negated) {
    auto w = std::make_shared<WhereClauseExpression>(columnName, Operator::BETWEEN);
    w->values_ = {low ? low : DataValue::createMissing(), high ? high : DataValue::createMissing()};
    w->inclusive_ = inclusive;
    w->negated_ = negated;
    return w;
}

std::shared_ptr<WhereClauseExpression> WhereClauseExpression::createIn(const std::string& columnName,
                                                                       std::vector<std::shared_ptr<DataValue>> values) {
    auto w = std::make_shared<WhereClauseExpression>(columnName, Operator::IN);
    for (auto& v : values) w->values_.push_back(v ? std::move(v) : DataValue::createMissing());
    return w;
}

std::shared_ptr<WhereClauseExpression> WhereClauseExpression::createIsMissing(const std::string& columnName) {
    return std::make_shared<WhereClauseExpression>(columnName, Operator::IS_MISSING);
}

std::shared_ptr<AbstractWhereClauseExpression> WhereClauseExpression::clone() const {
    auto w = std::make_shared<WhereClauseExpression>(column_, op_);
    w->values_ = values_;
    w->inclusive_ = inclusive_;
    w->negated_ = negated_;
    return w;
}

bool WhereClauseExpression::equals(const AbstractWhereClauseExpression& other) const {
    auto* o = dynamic_cast<const WhereClauseExpression*>(&other);
    if (!o || o->column_ != column_ || o->op_ != op_ || o->values_.size() != values_.size()) return false;
    if (op_ == Operator::BETWEEN && (o->inclusive_ != inclusive_ || o->negated_ != negated_)) return false;
    for (size_t i = 0; i < values_.size(); ++i)
        if (!values_[i]->equals(*o->values_[i])) return false;
    return true;
}

std::shared_ptr<Expression> WhereClauseExpression::toExpression() const {
    using B = ExpressionBuilder;
    auto var = B::var(column_);
    switch (op_) {
    case Operator::BETWEEN:
        return B::between(var, B::const_(values_[0]), B::const_(values_[1]), inclusive_ ? 1 : 0, negated_ ? 1 : 0);
    case Operator::IN: {
        std::vector<B::ExprPtr> cs;
        for (const auto& v : values_) cs.push_back(B::const_(v));
        return B::in(var, cs);
    }
    case Operator::IS_MISSING: return B::isMissing(var);
    default: return B::compare(var, static_cast<Expression::Operator>(op_), B::const_(getValue()));
    }
}

bool WhereClauseExpression::validate(const DataSet& dataSet, std::string& error) const {
    auto column = dataSet.getColumnWithName(column_);
    if (!column) {
        error = "unknown column \"" + column_ + "\"";
        return false;
    }
    for (const auto& v : values_) {
        if (v->isMissing() || v->isAllOthers()) continue;
        if (column->isNumeric() && v->isString()) {
            error = "numeric column \"" + column_ + "\" compared with the string \"" + v->toString() + "\"";
            return false;
        }
        if (column->isCharacter() && v->isNumeric()) {
            error = "character column \"" + column_ + "\" compared with the number " + v->toString();
            return false;
        }
    }
    return true;
}

void WhereClauseExpression::evaluateValidated(const DataSet& dataSet, RowBitmap& rows) const {
    auto column = dataSet.getColumnWithName(column_);
    size_t n = dataSet.getRowCount();
    if (!column) {
        rows.resize(n);
        rows.fill(false);
        return;
    }
    // The all-others member is a row flag, not a value: an equality with it
    // (or a list holding it) matches the rows flagged all-others, whatever
    // text or number they carry, besides the rows of the other values.
    if (op_ == Operator::EQ || op_ == Operator::IN) {
        bool withAllOthers = false;
        std::vector<std::shared_ptr<DataValue>> rest;
        for (const auto& v : values_) {
            if (v->isAllOthers()) withAllOthers = true;
            else rest.push_back(v);
        }
        if (withAllOthers) {
            if (rest.empty()) {
                rows.resize(n);
                rows.fill(false);
            } else {
                WhereClauseExpression plain(column_, rest.size() == 1 ? Operator::EQ : Operator::IN);
                plain.values_ = std::move(rest);
                plain.evaluateValidated(dataSet, rows);
            }
            for (size_t i = 0; i < n; ++i)
                if (column->getValueFlagsAtIndex(i) & DataValue::ALL_OTHERS) rows.set(i);
            return;
        }
    }
    if (column->isNumeric()) {
        const double* x = column->getNumbers().data();
        auto none = [](size_t) { return false; };
        switch (op_) {
        case Operator::IS_MISSING: fillBits(rows, n, [x](size_t i) { return std::isnan(x[i]); }); return;
        case Operator::EQ:
        case Operator::NE:
        case Operator::LT:
        case Operator::LE:
        case Operator::GT:
        case Operator::GE: {
            const auto& v = values_[0];
            double c = v->getNumber();
            if (v->isMissing()) {
                if (op_ == Operator::EQ) fillBits(rows, n, [x](size_t i) { return std::isnan(x[i]); });
                else if (op_ == Operator::NE) fillBits(rows, n, [x](size_t i) { return !std::isnan(x[i]); });
                else fillBits(rows, n, none);
                return;
            }
            // Comparisons with NaN are false, which is what missing rows need;
            // "not equal" must exclude them explicitly.
            switch (op_) {
            case Operator::EQ: fillBits(rows, n, [x, c](size_t i) { return x[i] == c; }); break;
            case Operator::NE: fillBits(rows, n, [x, c](size_t i) { return x[i] != c && x[i] == x[i]; }); break;
            case Operator::LT: fillBits(rows, n, [x, c](size_t i) { return x[i] < c; }); break;
            case Operator::LE: fillBits(rows, n, [x, c](size_t i) { return x[i] <= c; }); break;
            case Operator::GT: fillBits(rows, n, [x, c](size_t i) { return x[i] > c; }); break;
            default: fillBits(rows, n, [x, c](size_t i) { return x[i] >= c; }); break;
            }
            return;
        }
        case Operator::BETWEEN: {
            if (missingOrNull(values_[0]) || missingOrNull(values_[1])) {
                fillBits(rows, n, none);
                return;
            }
            double lo = values_[0]->getNumber(), hi = values_[1]->getNumber();
            bool neg = negated_;
            if (inclusive_)
                fillBits(rows, n, [x, lo, hi, neg](size_t i) {
                    bool in = (x[i] >= lo) & (x[i] <= hi);
                    return neg ? (!in) & (x[i] == x[i]) : in;
                });
            else
                fillBits(rows, n, [x, lo, hi, neg](size_t i) {
                    bool in = (x[i] > lo) & (x[i] < hi);
                    return neg ? (!in) & (x[i] == x[i]) : in;
                });
            return;
        }
        case Operator::IN: {
            std::vector<double> set;
            bool withMissing = false;
            for (const auto& v : values_) {
                if (v->isMissing()) withMissing = true;
                else set.push_back(v->getNumber());
            }
            if (set.size() <= 4) {
                double a = set.size() > 0 ? set[0] : NAN, b = set.size() > 1 ? set[1] : a;
                double c = set.size() > 2 ? set[2] : a, d = set.size() > 3 ? set[3] : a;
                fillBits(rows, n, [=](size_t i) {
                    double v = x[i];
                    return (v == a) | (v == b) | (v == c) | (v == d) | (withMissing & (v != v));
                });
            } else {
                DoubleSet s(set);
                fillBits(rows, n, [&](size_t i) {
                    double v = x[i];
                    return (s.contains(v) & (v == v)) | (withMissing & (v != v));
                });
            }
            return;
        }
        }
        return;
    }

    // Character column: decide per distinct string, then look the rows' codes up.
    const auto& dict = column->getDictionary();
    std::vector<uint8_t> match(dict.size(), 0);
    auto codeOf = [&](const std::shared_ptr<DataValue>& v) -> uint32_t {
        if (v->isMissing()) return 0;
        return column->findCode(*v->getString());
    };
    switch (op_) {
    case Operator::IS_MISSING: match[0] = 1; break;
    case Operator::EQ: {
        uint32_t c = codeOf(values_[0]);
        if (c != Column::NO_CODE) match[c] = 1;
        break;
    }
    case Operator::IN:
        for (const auto& v : values_) {
            uint32_t c = codeOf(v);
            if (c != Column::NO_CODE) match[c] = 1;
        }
        break;
    case Operator::NE: {
        uint32_t c = codeOf(values_[0]);
        for (size_t k = 1; k < dict.size(); ++k) match[k] = k != c;
        break;
    }
    case Operator::LT:
    case Operator::LE:
    case Operator::GT:
    case Operator::GE: {
        if (values_[0]->isMissing()) break;
        const std::string& k = *values_[0]->getString();
        for (size_t c = 1; c < dict.size(); ++c) match[c] = compareStrings(*dict[c], op_, k);
        break;
    }
    case Operator::BETWEEN: {
        if (values_[0]->isMissing() || values_[1]->isMissing()) break;
        const std::string& lo = *values_[0]->getString();
        const std::string& hi = *values_[1]->getString();
        for (size_t c = 1; c < dict.size(); ++c) {
            bool in = inclusive_ ? compareStrings(*dict[c], Operator::GE, lo) && compareStrings(*dict[c], Operator::LE, hi)
                                 : compareStrings(*dict[c], Operator::GT, lo) && compareStrings(*dict[c], Operator::LT, hi);
            match[c] = negated_ ? !in : in;
        }
        break;
    }
    }
    const uint32_t* codes = column->getCodes().data();
    const uint8_t* m = match.data();
    fillBits(rows, n, [codes, m](size_t i) { return m[codes[i]] != 0; });
}

} // namespace orvane
