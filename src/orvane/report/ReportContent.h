// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/style/AttributeBundle.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Crosstab;
class DataGrid;
class Image;
class ReportPrompt;
class RichTextNode;

/// What one layout proxy of a report shows: the <content> element of the
/// report format (see the README, "Report pages"). A <content> element sits
/// directly inside a <LayoutProxy> element; it may carry a panel (a box with a
/// border and a background drawn over the proxy's bounds) and, on a leaf
/// proxy, one item: a label, an image, rich text, a table, a crosstab or a
/// prompt.
struct ORVANE_EXPORT ReportContent {
    enum class Kind { PANEL, LABEL, IMAGE, RICHTEXT, TABLE, CROSSTAB, PROMPT };

    int line = 0;    ///< of the <content> element
    int column = 0;
    /// Position of the holding proxy in the layout tree: the child index at
    /// each level below the root proxy (empty: the root itself).
    std::vector<size_t> path;

    Kind kind = Kind::PANEL;
    std::shared_ptr<AttributeBundle> panel;  ///< null: no panel
    /// Label and rich text: the style given on the item (null: none).
    std::shared_ptr<AttributeBundle> style;
    /// Label: the text (white space collapsed), vertical alignment (0 top,
    /// 1 middle, 2 bottom) and word wrapping.
    std::string text;
    int verticalAlignment = 0;
    bool wrap = true;
    /// Image: the file, resolved against the report's folder, and its pixels.
    std::string imagePath;
    std::shared_ptr<Image> image;
    /// Rich text: the converted markup.
    std::shared_ptr<RichTextNode> richText;
    /// Table: the model (its data set read from `dataPath`) and the most
    /// height it takes on the page (0: as tall as all its rows).
    std::shared_ptr<DataGrid> table;
    std::string dataPath;
    float maxHeight = 0.0f;
    /// Crosstab: the model (its data from `dataPath`; `maxHeight` as for a
    /// table) and the measures coloured as a heat map.
    std::shared_ptr<Crosstab> crosstab;
    std::vector<std::string> heatMap;
    /// Crosstab: the saved window, its first data row and grid column (-1:
    /// none), shown on a display that is not interactive.
    int64_t windowRow = -1;
    int windowColumn = -1;
    /// Prompt: bound to a column of its data (`dataPath`); it selects rows in
    /// every table of the page over the same data file.
    std::shared_ptr<ReportPrompt> prompt;

    static const char* kindName(Kind kind);
};

} // namespace orvane
