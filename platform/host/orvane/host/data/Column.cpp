// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/Column.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/format/FormatterFactory.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/io/LocalizationContext.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>

namespace orvane {

namespace {
const std::shared_ptr<const std::string>& emptyString() {
    static const std::shared_ptr<const std::string> e = std::make_shared<const std::string>();
    return e;
}
size_t hashOf(std::string_view s) { return std::hash<std::string_view>()(s); }
} // namespace

std::shared_ptr<Column> Column::create(const std::string& name, const std::string& label, int dataUsage, int type) {
    auto c = std::make_shared<Column>(name, type);
    c->setLabel(label);
    c->setDataUsage(dataUsage);
    return c;
}

std::shared_ptr<Column> Column::createNumeric(const std::string& name, const std::vector<double>& values,
                                              std::string_view formatName) {
    auto c = std::make_shared<Column>(name, NUMERIC);
    c->numbers_ = values;
    if (!formatName.empty()) c->setFormatName(formatName);
    return c;
}

std::shared_ptr<Column> Column::createCharacter(const std::string& name, const std::vector<std::string>& values) {
    auto c = std::make_shared<Column>(name, CHARACTER);
    c->reserve(values.size());
    for (const auto& v : values) c->codes_.push_back(c->internString(v));
    return c;
}

std::shared_ptr<Column> Column::copy() const {
    auto c = std::make_shared<Column>(*getName(), getType());
    c->setLabel(getExplicitLabel());
    if (getFormatName()) c->setFormatName(*getFormatName());
    c->setDataUsage(getDataUsage());
    c->setAggregation(getAggregation());
    c->numbers_ = numbers_;
    c->codes_ = codes_;
    // The views point into arena blocks, which the copy shares.
    c->dictionary_ = dictionary_;
    c->views_ = views_;
    c->slots_ = slots_;
    c->arena_ = arena_;
    c->arenaUsed_ = c->arenaSize_ = 0;  // new strings of the copy go to blocks of its own
    c->flags_ = flags_;
    c->formattedOverrides_ = formattedOverrides_;
    if (total_) c->total_ = std::make_shared<DataValue>(*total_);
    c->measureName_ = measureName_;
    c->suppressed_ = suppressed_;
    return c;
}

// ---------------------------------------------------------------- dictionary

void Column::dictionaryReset() {
    dictionary_.clear();
    views_.clear();
    arena_.clear();
    arenaUsed_ = arenaSize_ = 0;
    slots_.assign(16, 0);
    internString(std::string_view());
}

namespace {
inline uint64_t slotOf(size_t hash, uint32_t code) { return (uint64_t(hash >> 32) << 32) | (uint64_t(code) + 1); }
inline bool sameHash(uint64_t slot, size_t hash) { return (slot >> 32) == (uint64_t(hash) >> 32); }
} // namespace

void Column::rehash(size_t capacity) {
    slots_.assign(capacity, 0);
    size_t mask = capacity - 1;
    for (uint32_t code = 0; code < views_.size(); ++code) {
        size_t h = hashOf(views_[code]);
        size_t i = h & mask;
        while (slots_[i]) i = (i + 1) & mask;
        slots_[i] = slotOf(h, code);
    }
}

uint32_t Column::findCode(std::string_view text) const {
    size_t mask = slots_.size() - 1;
    size_t h = hashOf(text);
    for (size_t i = h & mask;; i = (i + 1) & mask) {
        uint64_t s = slots_[i];
        if (!s) return NO_CODE;
        uint32_t code = static_cast<uint32_t>(s) - 1;
        if (sameHash(s, h) && views_[code] == text) return code;
    }
}

uint32_t Column::internString(std::string_view text) {
    size_t mask = slots_.size() - 1;
    size_t h = hashOf(text);
    size_t i = h & mask;
    for (;; i = (i + 1) & mask) {
        uint64_t s = slots_[i];
        if (!s) break;
        uint32_t code = static_cast<uint32_t>(s) - 1;
        if (sameHash(s, h) && views_[code] == text) return code;
    }
    uint32_t code = static_cast<uint32_t>(dictionary_.size());
    dictionary_.push_back(std::make_shared<const std::string>(text));
    if (arena_.empty() || arenaUsed_ + text.size() > arenaSize_) {
        arenaSize_ = std::max<size_t>(64 * 1024, text.size());
        arena_.push_back(std::shared_ptr<char[]>(new char[arenaSize_]));
        arenaUsed_ = 0;
    }
    char* at = arena_.back().get() + arenaUsed_;
    if (!text.empty()) std::memcpy(at, text.data(), text.size());
    arenaUsed_ += text.size();
    views_.emplace_back(at, text.size());
    slots_[i] = slotOf(h, code);
    if (dictionary_.size() * 2 > slots_.size()) rehash(slots_.size() * 2);
    return code;
}

const std::vector<uint32_t>& Column::getCollationRanks() const {
    auto context = ResourceManager::getLocalizationContext();
    std::string locale = context ? context->getLocale() : std::string("en_US");
    if (ranksDictionarySize_ == dictionary_.size() && ranksLocale_ == locale && !ranks_.empty()) return ranks_;
    size_t n = dictionary_.size();
    // Sort keys of every distinct string, compared as bytes.
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> coll(icu::Collator::createInstance(icu::Locale(locale.c_str()), status));
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    if (U_FAILURE(status) || !coll) {
        ORVANE_LOG(CLog::ERRORS, "host/Column", "no collator for locale " + locale + ", sorting strings by bytes");
        std::stable_sort(order.begin(), order.end(),
                         [&](uint32_t a, uint32_t b) { return *dictionary_[a] < *dictionary_[b]; });
        ranks_.assign(n, 0);
        for (uint32_t r = 0; r < n; ++r)
            ranks_[order[r]] = r > 0 && *dictionary_[order[r]] == *dictionary_[order[r - 1]] ? ranks_[order[r - 1]] : r;
    } else {
        std::vector<uint8_t> keys;
        std::vector<size_t> offsets(n + 1, 0);
        keys.reserve(n * 16);
        uint8_t local[256];
        for (size_t i = 0; i < n; ++i) {
            icu::UnicodeString us = icu::UnicodeString::fromUTF8(*dictionary_[i]);
            int32_t len = coll->getSortKey(us, local, static_cast<int32_t>(sizeof local));
            offsets[i] = keys.size();
            if (len > static_cast<int32_t>(sizeof local)) {
                size_t at = keys.size();
                keys.resize(at + static_cast<size_t>(len));
                coll->getSortKey(us, keys.data() + at, len);
            } else {
                keys.insert(keys.end(), local, local + std::max(len, 0));
            }
            offsets[i + 1] = keys.size();
        }
        auto keyLess = [&](uint32_t a, uint32_t b) {
            size_t la = offsets[a + 1] - offsets[a], lb = offsets[b + 1] - offsets[b];
            int c = std::memcmp(keys.data() + offsets[a], keys.data() + offsets[b], std::min(la, lb));
            return c != 0 ? c < 0 : la < lb;
        };
        std::sort(order.begin(), order.end(), keyLess);
        ranks_.assign(n, 0);
        for (size_t r = 0; r < n; ++r) {
            bool same = r > 0 && !keyLess(order[r - 1], order[r]);
            ranks_[order[r]] = same ? ranks_[order[r - 1]] : static_cast<uint32_t>(r);
        }
    }
    ranksLocale_ = locale;
    ranksDictionarySize_ = n;
    return ranks_;
}

// ---------------------------------------------------------------- reading

bool Column::isMissingAtIndex(size_t row) const {
    if (row >= getRowCount()) return true;
    return isNumeric() ? std::isnan(numbers_[row]) : codes_[row] == 0;
}

double Column::getNumberAtIndex(size_t row) const {
    if (!isNumeric() || row >= numbers_.size()) return std::numeric_limits<double>::quiet_NaN();
    return numbers_[row];
}

std::shared_ptr<const std::string> Column::formatNumber(double v) const {
    char buf[Formatter::MAX_TEXT];
    const auto& f = getFormatter();
    size_t n = f ? f->formatTo(v, buf) : getEffectiveFormatter()->formatTo(v, buf);
    return std::make_shared<const std::string>(buf, n);
}

std::shared_ptr<const std::string> Column::getStringAtIndex(size_t row) const {
    if (row >= getRowCount()) return nullptr;
    if (isCharacter()) return dictionary_[codes_[row]];
    return formatNumber(numbers_[row]);
}

std::shared_ptr<const std::string> Column::getFormattedValueAtIndex(size_t row) const {
    if (row >= getRowCount()) return nullptr;
    if (row < formattedOverrides_.size() && formattedOverrides_[row]) return formattedOverrides_[row];
    if (getValueFlagsAtIndex(row) & DataValue::SPARSE) return emptyString();
    if (isCharacter()) {
        const auto& s = dictionary_[codes_[row]];
        const auto& f = getFormatter();
        if (f && f->isCharacterFormat() && f->getWidth() > 0 && s->size() > static_cast<size_t>(f->getWidth()))
            return std::make_shared<const std::string>(f->formatString(*s));
        return s;
    }
    return formatNumber(numbers_[row]);
}

DataValue::Type Column::getValueType() const {
    if (isCharacter()) return DataValue::Type::String;
    const auto& f = getFormatter();
    if (!f) return DataValue::Type::Number;
    if (f->formatsDateValues()) return DataValue::Type::Date;
    if (f->formatsDateTimeValues()) return DataValue::Type::DateTime;
    if (f->formatsTimeValues()) return DataValue::Type::Time;
    return DataValue::Type::Number;
}

std::shared_ptr<DataValue> Column::getDataValueAtIndex(size_t row) const {
    if (row >= getRowCount()) return nullptr;
    std::shared_ptr<DataValue> v = isCharacter() ? std::make_shared<DataValue>(dictionary_[codes_[row]])
                                                 : std::make_shared<DataValue>(getValueType(), numbers_[row]);
    v->setFlags(getValueFlagsAtIndex(row));
    v->setFormattedValue(getFormattedValueAtIndex(row));
    return v;
}

double Column::getMinimumNumber() const {
    if (!rangeValid_) {
        min_ = max_ = std::numeric_limits<double>::quiet_NaN();
        bool any = false;
        for (double v : numbers_) {
            if (std::isnan(v)) continue;
            if (!any) {
                min_ = max_ = v;
                any = true;
            } else {
                min_ = std::min(min_, v);
                max_ = std::max(max_, v);
            }
        }
        rangeValid_ = true;
    }
    return min_;
}

double Column::getMaximumNumber() const {
    getMinimumNumber();
    return max_;
}

void Column::setTotalValue(double number, std::shared_ptr<const std::string> formattedText) {
    total_ = std::make_shared<DataValue>(getValueType() == DataValue::Type::String ? DataValue::Type::Number
                                                                                   : getValueType(),
                                         number);
    totalTextGiven_ = formattedText != nullptr;
    total_->setFormattedValue(formattedText ? std::move(formattedText) : formatNumber(number));
}

// ---------------------------------------------------------------- writing

void Column::reserve(size_t rows) {
    if (isNumeric()) numbers_.reserve(rows);
    else codes_.reserve(rows);
}

void Column::appendNumber(double value) {
    if (isNumeric()) {
        numbers_.push_back(value);
    } else {
        char buf[Formatter::MAX_TEXT];
        size_t n = std::isnan(value) ? 0 : FormatterFactory::getFormatter("BEST12.")->formatTo(value, buf);
        codes_.push_back(internString(std::string_view(buf, n)));
    }
    changed();
}

bool Column::appendString(std::string_view value) {
    bool ok = true;
    if (isNumeric()) {
        double v = std::numeric_limits<double>::quiet_NaN();
        if (!getEffectiveFormatter()->parse(value, v)) {
            v = std::numeric_limits<double>::quiet_NaN();
            ok = false;
        }
        numbers_.push_back(v);
    } else {
        codes_.push_back(internString(value));
    }
    changed();
    return ok;
}

void Column::appendMissing() {
    if (isNumeric()) numbers_.push_back(std::numeric_limits<double>::quiet_NaN());
    else codes_.push_back(0);
    changed();
}

bool Column::appendValue(const DataValue& value) {
    bool ok;
    if (value.isNumeric()) {
        appendNumber(value.getNumber());
        ok = isNumeric();
    } else {
        ok = appendString(value.getString() ? std::string_view(*value.getString()) : std::string_view());
    }
    if (value.getFlags()) setValueFlagsAtIndex(getRowCount() - 1, value.getFlags());
    if (value.hasFormattedValue() && value.getFlags()) setFormattedValueAtIndex(getRowCount() - 1, value.getFormattedValue());
    return ok;
}

bool Column::setNumberAtIndex(size_t row, double value) {
    if (row >= getRowCount()) return false;
    if (isNumeric()) {
        numbers_[row] = value;
        changed();
        return true;
    }
    char buf[Formatter::MAX_TEXT];
    size_t n = std::isnan(value) ? 0 : FormatterFactory::getFormatter("BEST12.")->formatTo(value, buf);
    codes_[row] = internString(std::string_view(buf, n));
    changed();
    return true;
}

bool Column::setStringAtIndex(size_t row, std::string_view value) {
    if (row >= getRowCount()) return false;
    if (isNumeric()) {
        double v;
        if (!getEffectiveFormatter()->parse(value, v)) return false;
        numbers_[row] = v;
    } else {
        codes_[row] = internString(value);
    }
    changed();
    return true;
}

bool Column::setValueAtIndex(size_t row, const DataValue& value) {
    if (row >= getRowCount()) return false;
    bool ok = value.isNumeric() ? setNumberAtIndex(row, value.getNumber())
                                : setStringAtIndex(row, value.getString() ? *value.getString() : std::string());
    if (ok) setValueFlagsAtIndex(row, value.getFlags());
    return ok;
}

bool Column::setValueFlagsAtIndex(size_t row, uint8_t flags) {
    if (row >= getRowCount()) return false;
    if (flags_.size() <= row) {
        if (!flags) return true;
        flags_.resize(getRowCount(), 0);
    }
    flags_[row] = flags;
    changed();
    return true;
}

bool Column::setFormattedValueAtIndex(size_t row, std::shared_ptr<const std::string> text) {
    if (row >= getRowCount()) return false;
    if (formattedOverrides_.size() <= row) {
        if (!text) return true;
        formattedOverrides_.resize(getRowCount());
    }
    formattedOverrides_[row] = std::move(text);
    changed();
    return true;
}

void Column::resize(size_t rows) {
    if (isNumeric()) numbers_.resize(rows, std::numeric_limits<double>::quiet_NaN());
    else codes_.resize(rows, 0);
    if (flags_.size() > rows) flags_.resize(rows);
    if (formattedOverrides_.size() > rows) formattedOverrides_.resize(rows);
    changed();
}

void Column::changed() {
    rangeValid_ = false;
    if (auto ds = owner_.lock()) ds->columnChanged(*this);
}

void Column::formatChanged() {
    if (total_ && !totalTextGiven_) total_->setFormattedValue(formatNumber(total_->getNumber()));
    if (auto ds = owner_.lock()) ds->columnChanged(*this);
}

} // namespace orvane
