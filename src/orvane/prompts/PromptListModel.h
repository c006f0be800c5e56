// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/PromptModel.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class ORVANE_EXPORT PromptListModel : public PromptModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10059;
    PromptListModel();
    ~PromptListModel() override;
    static std::shared_ptr<PromptListModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A PromptListRenderer drawing this model.
    std::shared_ptr<BasePromptRenderer> createRenderer() override;

    /// Ticks or unticks one entry; a radio list keeps only the ticked one.
    /// False for an index outside the entries.
    bool setItemSelected(int index, bool selected);
    /// Ticks exactly the entries whose value is among the given ones.
    void selectValues(const std::vector<std::shared_ptr<DataValue>>& picked);
    std::vector<int> getSelectedIndices() const;
    /// The values of the ticked entries, in entry order.
    std::vector<std::shared_ptr<DataValue>> getSelectedValues() const;
    /// Sets the entries (and their count); nothing ticked.
    void setItems(const std::vector<std::shared_ptr<DataValue>>& items);

    Property<unsigned int> numberOfItems;
    Property<std::shared_ptr<MonitoredVector<bool>>> isIndexSelected;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<DataValue>>>> values;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> formattedMeasures;
    Property<bool> isPromptListRadio;
};

} // namespace orvane
