#pragma once
#include "orvane/prompts/PromptModel.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class PromptListModel : public PromptModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10059;
    PromptListModel();
    ~PromptListModel() override;
    static std::shared_ptr<PromptListModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<unsigned int> numberOfItems;
    Property<std::shared_ptr<MonitoredVector<bool>>> isIndexSelected;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<DataValue>>>> values;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> formattedMeasures;
    Property<bool> isPromptListRadio;
};

} // namespace orvane
