// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/DataGridDisplayRules.h"

#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/data/RelationalDataRuleContext.h"
#include "orvane/host/style/StyleAttribute.h"

namespace orvane {

void DataGridDisplayRules::setDisplayRule(int column, const std::shared_ptr<Rule>& rule) {
    if (rule) rules_[column] = rule;
    else rules_.erase(column);
}

std::shared_ptr<Rule> DataGridDisplayRules::getDisplayRule(int column) const {
    auto it = rules_.find(column);
    return it == rules_.end() ? nullptr : it->second;
}

void DataGridDisplayRules::configureRuleContext(RelationalDataRuleContext& context, int row, int column) {
    context.setDataSet(dataSet_);
    context.setRow(row);
    context.setColumn(column);
}

std::shared_ptr<AttributeBundle> DataGridDisplayRules::applyRule(const std::shared_ptr<Rule>& rule, int column,
                                                                 int row) {
    if (!rule || !dataSet_) return nullptr;
    RelationalDataRuleContext context;
    configureRuleContext(context, row, column);
    return rule->evaluate(*dataSet_, column, row, &context);
}

void DataGridDisplayRules::DisplayRuleCallback(int column, int row, DataGridCellInfoStruct* info) {
    if (!info) return;
    auto bundle = applyRule(getDisplayRule(column), column, row);
    if (bundle) applyAttributesToCellInfo(*bundle, *info, reducedSize_);
}

void DataGridDisplayRules::CellContentCallback(int, int, void*) {}

void DataGridDisplayRules::applyAttributesToCellInfo(const AttributeBundle& b, DataGridCellInfoStruct& info,
                                                     bool reducedSize) {
    using namespace StyleAttribute;
    if (b.hasAttribute(BACKGROUND_COLOR)) info.fillColor = b.getColor(BACKGROUND_COLOR, info.fillColor);
    if (b.hasAttribute(TEXT_COLOR)) info.textColor = b.getColor(TEXT_COLOR, info.textColor);
    std::string family = b.getStringValue(FONT_FAMILY, std::string());
    if (!family.empty()) info.fontFamily = family;
    if (auto size = b.getDimension(FONT_SIZE)) {
        float px = size->getScalarValueForUnit(DimensionUnit::PIXELS);
        if (px > 0) info.fontSize = reducedSize ? px * 0.75f : px;
    }
    if (b.hasAttribute(FONT_ITALIC)) info.italic = b.getInt(FONT_ITALIC, 0) == 1;
    if (b.hasAttribute(FONT_BOLD)) info.bold = b.getInt(FONT_BOLD, 0) == 1;
    if (b.hasAttribute(UNDERLINE)) info.underline = b.getInt(UNDERLINE, 0) == 1;
}

} // namespace orvane
