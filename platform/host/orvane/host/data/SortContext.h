// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/SortDirection.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>

namespace orvane {

/// One sort key: a column name and a direction (0 none, 1 ascending, 2 descending).
class ORVANE_HOST_EXPORT SortContext : public virtual Wrappable {
public:
    static std::shared_ptr<SortContext> create() { return std::make_shared<SortContext>(); }
    static std::shared_ptr<SortContext> create(const std::string& columnName, SortDirection::type direction);

    const std::shared_ptr<const std::string>& getColumnName() const { return columnName_; }
    void setColumnName(std::shared_ptr<const std::string> name) { columnName_ = std::move(name); }
    void setColumnName(const std::string& name) { columnName_ = std::make_shared<const std::string>(name); }
    SortDirection::type getDirection() const { return direction_; }
    /// Values outside 0..2 are taken as none.
    void setDirection(SortDirection::type direction);
    void setDirection(int direction) { setDirection(static_cast<SortDirection::type>(direction)); }

private:
    std::shared_ptr<const std::string> columnName_;
    SortDirection::type direction_ = SortDirection::NONE;
};

} // namespace orvane
