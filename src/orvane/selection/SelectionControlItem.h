// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class Expression;
class MetadataProvider;
class Selection;
class SelectionControlTerm;
class SelectionController;
class SelectionOptions;

class ORVANE_EXPORT SelectionControlItem : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10073;
    SelectionControlItem();
    ~SelectionControlItem() override;
    static std::shared_ptr<SelectionControlItem> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Rebuilds the terms from the selections (one term per operand of an
    /// and/or, else one per selection) and stores the selections. False, and
    /// nothing touched, when the terms read the same and the selections are
    /// equal to the current ones.
    bool updateSelections(const std::vector<std::shared_ptr<Selection>>& selections, const MetadataProvider* metadata);
    /// Takes the term out of the terms and its condition out of the
    /// selections (a selection left without conditions is dropped). False when
    /// the item does not hold the term.
    bool removeTerm(const std::shared_ptr<SelectionControlTerm>& term);
    /// The selections as a plain list (empty when none).
    std::vector<std::shared_ptr<Selection>> getSelectionList() const;

    /// One term per operand of an and/or (else one for the whole expression).
    static std::vector<std::shared_ptr<SelectionControlTerm>> collectTerms(const std::shared_ptr<Expression>& expression,
                                                                           const MetadataProvider* metadata);
    /// A readable label of one condition: "Region: East, West", "Units: 10 to 20".
    static std::string labelOf(const std::shared_ptr<Expression>& condition, const MetadataProvider* metadata);

    Property<std::shared_ptr<const std::string>> label;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<SelectionControlTerm>>>, true> terms;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<Selection>>>, true> selections;
    Property<std::shared_ptr<SelectionController>> selectionController;
    Property<std::shared_ptr<SelectionOptions>, true> selectionOptions;
    Property<bool> readOnly;
};

} // namespace orvane
