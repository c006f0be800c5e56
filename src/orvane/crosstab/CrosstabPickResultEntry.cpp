// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabPickResultEntry.h"

#include "orvane/displaylist/TqCrosstab.h"

namespace orvane {

CrosstabPickResultEntry::ButtonType CrosstabPickResultEntry::buttonTypeForCode(int code) {
    using G = displaylist::TqCrosstab;
    switch (code) {
    case G::BUTTON_EXPAND: return ButtonType::EXPAND;
    case G::BUTTON_COLLAPSE: return ButtonType::COLLAPSE;
    case G::BUTTON_DRILL: return ButtonType::DRILLDOWN;
    case G::BUTTON_PAGE_UP: return ButtonType::PAGE_UP;
    case G::BUTTON_PAGE_UP_END: return ButtonType::PAGE_UP_END;
    case G::BUTTON_PAGE_DOWN: return ButtonType::PAGE_DOWN;
    case G::BUTTON_PAGE_DOWN_END: return ButtonType::PAGE_DOWN_END;
    default: return ButtonType::NONE;
    }
}

const char* CrosstabPickResultEntry::buttonTypeName(ButtonType type) {
    switch (type) {
    case ButtonType::EXPAND: return "expand";
    case ButtonType::COLLAPSE: return "collapse";
    case ButtonType::DRILLDOWN: return "drill";
    case ButtonType::PAGE_UP: return "page up";
    case ButtonType::PAGE_UP_END: return "page to the start";
    case ButtonType::PAGE_DOWN: return "page down";
    case ButtonType::PAGE_DOWN_END: return "page to the end";
    case ButtonType::NONE: break;
    }
    return "none";
}

const char* CrosstabPickResultEntry::typeName(Type type) {
    switch (type) {
    case Type::DATA_CELL: return "data cell";
    case Type::MEASURE_HEADER: return "measure header";
    case Type::COLUMN_HEADER: return "column header";
    case Type::ROW_HEADER: return "row header";
    case Type::ROW_AXIS_LABEL_HEADER: return "row axis label";
    case Type::COLUMN_AXIS_LABEL_HEADER: return "column axis label";
    }
    return "";
}

} // namespace orvane
