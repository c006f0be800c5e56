// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/BaseUIModel.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

BaseUIModel::BaseUIModel() { BaseUIModelDatabase::instance(); }

} // namespace orvane
