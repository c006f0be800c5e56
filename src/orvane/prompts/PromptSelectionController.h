// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/PromptSelectionMode.h"
#include "orvane/selection/DataSetSelectionController.h"

namespace orvane {

/// The selection controller of a prompt: the values the user picked on one
/// variable become a selection of every data set of the controller (equal to
/// one of the values, or in RANGE mode between the smallest and the largest,
/// both included). A SelectionChangeEvent (SELECTION_CHANGED with dataName) is
/// sent only when the set of picked values really changes.
class ORVANE_EXPORT PromptSelectionController : public DataSetSelectionController {
public:
    static constexpr int WRAPPER_TYPE_ID = 10061;

    static std::shared_ptr<PromptSelectionController> create();
    ~PromptSelectionController() override;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Makes the values the picked ones (duplicates dropped; in RANGE mode
    /// exactly [smallest, largest]). updateRowStates: also push them into the
    /// data sets' row states.
    void setSelectedValues(const std::shared_ptr<Values>& values, bool updateRowStates);
    /// Selects, in every data set, the rows of the picked values (clears when none).
    void updateRowStates();

    void setDataSets(const DataSetList& dataSets) override;
    void clearSelections() override;
    SelectionList getSelections(const OptionsPtr& options) override;
    /// Takes over the values that selections made elsewhere hold for the variable.
    void applySelections(const SelectionList& selections, const OptionsPtr& options) override;
    void populateDefaultDataNames(SelectionOptions& options) override;
    void populateDefaultVariables(SelectionOptions& options) override;
    void handleEvent(const std::shared_ptr<PortableEvent>& event) override;

    const std::shared_ptr<const std::string>& getDataName() const { return dataName_; }
    void setDataName(std::shared_ptr<const std::string> name) { dataName_ = std::move(name); }
    const std::shared_ptr<const std::string>& getVariableName() const { return variableName_; }
    void setVariableName(std::shared_ptr<const std::string> name) { variableName_ = std::move(name); }
    const std::shared_ptr<Values>& getSelectedValues() const { return selectedValues_; }
    PromptSelectionMode::type getSelectionMode() const { return selectionMode_; }
    void setSelectionMode(PromptSelectionMode::type mode) { selectionMode_ = mode; }

private:
    PromptSelectionController() = default;

    std::shared_ptr<const std::string> dataName_;
    std::shared_ptr<const std::string> variableName_;
    std::shared_ptr<Values> selectedValues_;
    PromptSelectionMode::type selectionMode_ = PromptSelectionMode::DISCRETE;
};

} // namespace orvane
