// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"

#include <memory>
#include <vector>

namespace orvane {

class AbstractEventCallback;
class DataSet;
class DataSetSelectionController;

/// Links the selections of data sets that carry the same data name (views
/// over the same data, each with its own copy): when the selected rows of
/// one change, the selection is taken from it and applied to the others
/// through one DataSetSelectionController, so every view highlights the same
/// data rows. A selection names a row by the values of all its columns.
class ORVANE_EXPORT SelectionLink {
public:
    /// Null when fewer than two of the data sets share a name.
    static std::shared_ptr<SelectionLink> create(const std::vector<std::shared_ptr<DataSet>>& dataSets);
    ~SelectionLink();

    const std::shared_ptr<DataSetSelectionController>& getController() const { return controller_; }
    /// How many selections were passed on (one per change of a linked data set).
    int getPropagationCount() const { return propagations_; }

private:
    SelectionLink() = default;
    void propagate(DataSet& source);

    std::vector<std::shared_ptr<DataSet>> dataSets_;
    std::shared_ptr<DataSetSelectionController> controller_;
    std::vector<std::shared_ptr<AbstractEventCallback>> listeners_;
    bool busy_ = false;
    int propagations_ = 0;
};

} // namespace orvane
