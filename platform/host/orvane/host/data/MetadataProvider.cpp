// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/MetadataProvider.h"

#include "orvane/host/data/DataSet.h"

namespace orvane {

std::shared_ptr<MetadataProvider> MetadataProvider::create(std::shared_ptr<const DataSet> dataSet) {
    auto p = std::make_shared<MetadataProvider>();
    p->dataSet_ = std::move(dataSet);
    return p;
}

std::string MetadataProvider::getVariableLabel(const std::string& variable) const {
    if (dataSet_)
        if (auto c = dataSet_->getColumnWithName(variable))
            if (auto l = c->getLabel()) return *l;
    return variable;
}

std::string MetadataProvider::getValueLabel(const std::string& variable, const DataValue& value) const {
    if (value.isMissing()) return ".";
    if (dataSet_ && value.isNumeric())
        if (auto c = dataSet_->getColumnWithName(variable))
            if (c->isNumeric()) return c->getEffectiveFormatter()->format(value.getNumber());
    return value.getPresentableText();
}

} // namespace orvane
