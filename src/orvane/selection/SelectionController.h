// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/package/PromptSelectionMode.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class AbstractWhereClauseExpression;
class BinInfo;
class DataSet;
class Expression;
class Hierarchy;
class RowStates;
class Selection;
class SelectionOptions;

/// Turns the selected rows of data sets into Selections (a data name and an
/// expression) and applies Selections back to row states, and re-announces
/// row-state changes as SelectionChangeEvents (SELECTION_CHANGED).
///
/// The row states are the only store of a selection: a controller keeps none of
/// its own. Applying a selection replaces the selected rows of its data set
/// (matching rows selected, all others not) with one row-state write, so the
/// data set announces one SELECTED_CHANGED, and none when nothing changed.
/// Problems are logged (section 1) and the offending selection skipped.
class ORVANE_EXPORT SelectionController : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10075;
    static constexpr int SELECTION_CHANGED = 20054;

    using SelectionPtr = std::shared_ptr<Selection>;
    using Selections = std::vector<SelectionPtr>;
    using SelectionList = std::shared_ptr<Selections>;
    using DataSetList = std::shared_ptr<std::vector<std::shared_ptr<DataSet>>>;
    using OptionsPtr = std::shared_ptr<SelectionOptions>;
    using Values = std::vector<std::shared_ptr<DataValue>>;
    using BinInfoMap = std::map<std::string, std::shared_ptr<BinInfo>>;

    ~SelectionController() override;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    // ---- the operations each controller defines
    virtual SelectionList getSelections(const OptionsPtr& options) = 0;
    virtual void applySelections(const SelectionList& selections, const OptionsPtr& options) = 0;
    virtual void clearSelections() = 0;
    /// Re-announces RowStates::SELECTED_CHANGED of a data set as SELECTION_CHANGED,
    /// and passes on SELECTION_CHANGED first sent by another controller.
    virtual void handleEvent(const std::shared_ptr<PortableEvent>& event);
    virtual void populateDefaultDataNames(SelectionOptions& options) = 0;
    virtual void populateDefaultVariables(SelectionOptions& options) = 0;
    /// Hook for subclasses to add to each selection taken from row states.
    virtual void decorateSelection(Selection& selection, const SelectionOptions& options);
    /// Bin information of binned numeric variables, by variable name.
    virtual const BinInfoMap& getBinInfoMap() const { return binInfo_; }
    void setBinInfo(const std::string& variable, std::shared_ptr<BinInfo> info);

    // ---- shared machinery
    OptionsPtr getDefaultOptions();
    /// Creates the options when null and fills empty expected names with the defaults.
    void populateOptionDefaults(OptionsPtr& options);

    SelectionList getSelectionsForDataSets(OptionsPtr options, const DataSetList& dataSets,
                                           PromptSelectionMode::type mode);
    void applySelectionsToDataSets(const SelectionList& selections, OptionsPtr options, const DataSetList& dataSets);
    /// Replaces the selected rows of rowStates with the rows of dataSet the
    /// selection matches. False (logged, row states untouched) when it cannot.
    bool applySelectionToRowStates(const SelectionPtr& selection, const std::shared_ptr<DataSet>& dataSet,
                                   SelectionOptions& options, RowStates& rowStates);
    /// The selection that names the selected rows: null without expected
    /// variable names or when no row contributes.
    SelectionPtr makeSelectionFromRowStates(const DataSet& dataSet, const RowStates& rowStates,
                                            const SelectionOptions& options, PromptSelectionMode::type mode);

    /// Levels above each hierarchy's current level equal to their drilled
    /// values, and-ed; null when there is no such level.
    static std::shared_ptr<Expression> getDrillExpression(
        const std::vector<std::shared_ptr<Hierarchy>>& hierarchies);
    /// Renames clause columns that are level names (and no column of the data
    /// set) to their hierarchy's name when the data set has that column.
    static void convertLevelNamesToHierarchyName(const std::shared_ptr<AbstractWhereClauseExpression>& clause,
                                                 const std::shared_ptr<DataSet>& dataSet,
                                                 const std::vector<std::shared_ptr<Hierarchy>>& hierarchies);
    static std::vector<std::shared_ptr<const std::string>> getVariablesForDataSet(const std::shared_ptr<DataSet>& dataSet);

    /// The values the selections for a data name hold for a variable (null
    /// when none).
    static std::shared_ptr<Values> getDataValuesFromSelections(const SelectionList& selections,
                                                               const std::shared_ptr<const std::string>& dataName,
                                                               const std::string& variableName);
    /// The selection of a list of values of one variable: a range between the
    /// first two values (both included) in RANGE mode, else an or of equalities.
    /// Null for names not expected by the options or no values.
    SelectionPtr getSelectionFromDataValues(const std::shared_ptr<const std::string>& dataName,
                                            const std::shared_ptr<const std::string>& variableName,
                                            const std::shared_ptr<Values>& values, PromptSelectionMode::type mode,
                                            OptionsPtr options);
    static const BinInfo* getBinInfoForVariable(const BinInfoMap& map, const std::string& variable);

    /// Observes the data set's row states (once, however often called).
    void updateDataSet(const std::shared_ptr<DataSet>& dataSet);
    /// Stops observing the data set.
    void releaseDataSet(const std::shared_ptr<DataSet>& dataSet);

    /// Two data names match when both are null or both hold the same bytes.
    static bool dataNamesMatch(const std::shared_ptr<const std::string>& a, const std::shared_ptr<const std::string>& b);

protected:
    SelectionController() = default;
    static void logError(int line, const std::string& message);

private:
    std::shared_ptr<AbstractEventCallback> rowStatesListener();
    BinInfoMap binInfo_;
};

} // namespace orvane
