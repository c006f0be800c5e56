#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class Selection;
class SelectionControlTerm;
class SelectionController;
class SelectionOptions;

class SelectionControlItem : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10073;
    SelectionControlItem();
    ~SelectionControlItem() override;
    static std::shared_ptr<SelectionControlItem> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<const std::string>> label;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<SelectionControlTerm>>>, true> terms;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<Selection>>>, true> selections;
    Property<std::shared_ptr<SelectionController>> selectionController;
    Property<std::shared_ptr<SelectionOptions>, true> selectionOptions;
    Property<bool> readOnly;
};

} // namespace orvane
