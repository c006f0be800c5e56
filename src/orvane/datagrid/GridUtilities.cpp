// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/GridUtilities.h"

#include "orvane/datagrid/CompactFormatOptions.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/host/format/NumericFormatUtil.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/StyleChain.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace orvane {

std::string GridUtilities::getTotalLabelKey(int aggregation) {
    static const char* const KEYS[] = {
        "aggregation.sum.txt",          "aggregation.count.txt",
        "aggregation.average.txt",      "aggregation.total.txt",
        nullptr,                        "aggregation.minimum.txt",
        "aggregation.maximum.txt",      "aggregation.median.txt",
        "aggregation.count.txt",        "aggregation.distinct.txt",
        "aggregation.standardDeviation.txt", "aggregation.standardError.txt",
        "aggregation.variance.txt",     nullptr,
        "aggregation.numberMissing.txt", "aggregation.firstQuartile.txt",
        "aggregation.thirdQuartile.txt", "aggregation.skew.txt",
        "aggregation.kurtosis.txt",     "aggregation.coefficientOfVariation.txt",
        "aggregation.uncorrectedSumOfSquares.txt", "aggregation.correctedSumOfSquares.txt",
        "aggregation.tStatistic.txt",   "aggregation.pValue.txt",
    };
    if (aggregation < 0 || aggregation >= int(std::size(KEYS)) || !KEYS[aggregation]) return {};
    return KEYS[aggregation];
}

std::string GridUtilities::compactFormatForColumn(const Column& column, const DataGridColumnInfo* info) {
    if (!info || !column.isNumeric()) return {};
    if (auto name = info->compactFormatName.get(); name && !name->empty()) return *name;
    if (!info->useCompactFormat.get()) return {};
    std::string base = column.getFormatName() ? *column.getFormatName() : std::string("BEST12.");
    if (auto options = info->compactFormatOptions.get()) {
        unsigned scale = options->scaleType.get() == CompactFormatScale::NUMBER ? options->scale.get() : 0u;
        unsigned precision = options->precisionType.get() == CompactFormatPrecision::NUMBER ? options->precision.get() : 0u;
        std::string name = NumericFormatUtil::getCompactPrecisionFormatName(base, scale, precision);
        if (!name.empty()) return name;
    }
    return NumericFormatUtil::getCompactBusinessFormatName(base);
}

std::string GridUtilities::formatNumericValue(const Column& column, double value, const std::string& compactFormat) {
    if (!std::isfinite(value)) return {};
    if (!compactFormat.empty()) {
        if (auto f = Formatter::create(compactFormat)) return f->format(value);
    }
    if (const auto& f = column.getFormatter()) return f->format(value);
    if (auto f = Formatter::create("BEST12.")) return f->format(value);
    return std::to_string(value);
}

std::string GridUtilities::getValueForFormat(const Column& column, size_t row, const std::string& compactFormat) {
    if (row >= column.getRowCount() || column.isMissingAtIndex(row)) return {};
    if (column.isNumeric() && !compactFormat.empty())
        return formatNumericValue(column, column.getNumberAtIndex(row), compactFormat);
    auto text = column.getFormattedValueAtIndex(row);
    return text ? *text : std::string();
}

double GridUtilities::computeTotal(const Column& column, int aggregation) {
    size_t n = column.getRowCount();
    if (aggregation == 14) {
        size_t missing = 0;
        for (size_t r = 0; r < n; ++r) missing += column.isMissingAtIndex(r) ? 1 : 0;
        return double(missing);
    }
    std::vector<double> values;
    std::set<std::string> distinct;
    for (size_t r = 0; r < n; ++r) {
        if (column.isMissingAtIndex(r)) continue;
        if (column.isNumeric()) {
            double v = column.getNumberAtIndex(r);
            if (std::isfinite(v)) values.push_back(v);
        } else if (aggregation == 9) {
            if (auto s = column.getStringAtIndex(r)) distinct.insert(*s);
        } else {
            values.push_back(0.0);  // counts only
        }
    }
    if (aggregation == 9) {
        if (!column.isNumeric()) return double(distinct.size());
        std::set<double> d(values.begin(), values.end());
        return double(d.size());
    }
    if (aggregation == 1 || aggregation == 8) return double(values.size());
    if (values.empty() || !column.isNumeric()) return NAN;
    double sum = 0.0;
    for (double v : values) sum += v;
    double mean = sum / double(values.size());
    switch (aggregation) {
    case 0:
    case 3: return sum;
    case 2: return mean;
    case 5: return *std::min_element(values.begin(), values.end());
    case 6: return *std::max_element(values.begin(), values.end());
    case 7: {
        std::sort(values.begin(), values.end());
        size_t m = values.size() / 2;
        return values.size() % 2 ? values[m] : (values[m - 1] + values[m]) / 2.0;
    }
    case 10:
    case 12: {
        if (values.size() < 2) return NAN;
        double ss = 0.0;
        for (double v : values) ss += (v - mean) * (v - mean);
        double var = ss / double(values.size() - 1);
        return aggregation == 12 ? var : std::sqrt(var);
    }
    default: return NAN;
    }
}

size_t GridUtilities::dataRowOf(const std::shared_ptr<std::vector<unsigned>>& sortMap, size_t displayRow) {
    if (sortMap && displayRow < sortMap->size()) return (*sortMap)[displayRow];
    return displayRow;
}

std::string GridUtilities::message(const std::string& key) {
    auto s = ResourceManager::getString("ketra_orvane", key);
    return s ? *s : std::string();
}

float GridUtilities::displayScale() {
    float s = ResourceManager::getDPIScaleFactor();
    return std::isfinite(s) && s > 0.0f ? s : 1.0f;
}

float GridUtilities::dimensionPixels(const std::shared_ptr<StyleChain>& chain, int id, float fallback) {
    if (!chain) return fallback;
    auto d = chain->getDimension(id);
    if (!d) return fallback;
    float v = d->getScalarValueForUnit(DimensionUnit::PIXELS);
    return std::isfinite(v) && v >= 0.0f ? v : fallback;
}

} // namespace orvane
