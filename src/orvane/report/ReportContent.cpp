// SPDX-License-Identifier: Apache-2.0
#include "orvane/report/ReportContent.h"

namespace orvane {

const char* ReportContent::kindName(Kind kind) {
    switch (kind) {
    case Kind::PANEL: return "panel";
    case Kind::LABEL: return "label";
    case Kind::IMAGE: return "image";
    case Kind::RICHTEXT: return "richtext";
    case Kind::TABLE: return "table";
    case Kind::CROSSTAB: return "crosstab";
    }
    return "?";
}

} // namespace orvane
