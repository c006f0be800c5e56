// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Expression;
class MetadataProvider;
class Selection;
class SelectionControlItem;
class SelectionControlTerm;
class SelectionController;
class SelectionOptions;

/// The selections currently made in a report, for a summary panel: one item
/// per selection controller, each broken into readable terms. Removing a term
/// re-applies what is left of the item's selection through its controller (or
/// clears it when nothing is left); removing an item clears its controller's
/// selection. Changes are announced with SelectionControlEvents; updates
/// nested inside listeners announce one change.
class ORVANE_EXPORT SelectionControl : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10071;
    static constexpr int SELECTION_CONTROL_CHANGE = 20051;
    static constexpr int REMOVE_ITEM = 20052;
    static constexpr int REMOVE_TERM = 20053;

    using SelectionList = std::shared_ptr<std::vector<std::shared_ptr<Selection>>>;

    SelectionControl();
    ~SelectionControl() override;
    static std::shared_ptr<SelectionControl> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Brings the item of the controller up to date with the given selections
    /// (or, when null, the controller's current ones). No selection (null or
    /// empty) removes the item without asking the controller to clear.
    void updateSelection(const std::shared_ptr<SelectionController>& controller,
                         const std::shared_ptr<SelectionOptions>& options,
                         const std::shared_ptr<MetadataProvider>& metadata, bool readOnly,
                         const SelectionList& selections = nullptr);
    bool removeItem(const std::shared_ptr<SelectionControlItem>& item);
    void removeItems(const std::vector<std::shared_ptr<SelectionControlItem>>& items);
    bool removeTerm(const std::shared_ptr<SelectionControlTerm>& term);
    void removeTerms(const std::vector<std::shared_ptr<SelectionControlTerm>>& terms);
    void clear();

    /// The item of a controller, or null.
    std::shared_ptr<SelectionControlItem> findItem(const std::shared_ptr<SelectionController>& controller) const;
    std::vector<std::shared_ptr<SelectionControlItem>> getItemList() const;

    /// Compact texts for logs and change detection.
    static std::string describe(const SelectionControl& control);
    static std::string describe(const SelectionControlItem& item);
    static std::string describe(const SelectionControlTerm& term);
    static std::shared_ptr<Expression> removeTermFromExpression(const std::shared_ptr<Expression>& whole,
                                                                const std::shared_ptr<Expression>& term);

    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<SelectionControlItem>>>, true> items;

private:
    void handleItemEvent(const std::shared_ptr<PortableEvent>& event);
    void listenTo(const std::shared_ptr<SelectionControlItem>& item);
    void setItems(std::vector<std::shared_ptr<SelectionControlItem>> list);
    void announceChange();
    int updateDepth_ = 0;
};

} // namespace orvane
