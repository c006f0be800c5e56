// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/selection/SelectionController.h"

namespace orvane {

/// The selection controller of a list of data sets: selections go to the data
/// set of their data name, and every data set's row-state changes are
/// re-announced as SELECTION_CHANGED.
class ORVANE_EXPORT DataSetSelectionController : public SelectionController {
public:
    static constexpr int WRAPPER_TYPE_ID = 10026;

    static std::shared_ptr<DataSetSelectionController> create(const DataSetList& dataSets = nullptr);
    ~DataSetSelectionController() override;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const DataSetList& getDataSets() const { return dataSets_; }
    /// Stops observing the previous data sets and observes the new ones.
    virtual void setDataSets(const DataSetList& dataSets);

    SelectionList getSelections(const OptionsPtr& options) override;
    void applySelections(const SelectionList& selections, const OptionsPtr& options) override;
    /// Deselects every row of every data set.
    void clearSelections() override;
    /// The names of all data sets.
    void populateDefaultDataNames(SelectionOptions& options) override;
    /// The category (data usage 1) columns of all data sets, without repetitions.
    void populateDefaultVariables(SelectionOptions& options) override;

protected:
    DataSetSelectionController() = default;
    /// The columns of one data usage of all data sets, without repetitions.
    void populateVariablesOfUsage(SelectionOptions& options, int dataUsage);

private:
    DataSetList dataSets_;
};

} // namespace orvane
