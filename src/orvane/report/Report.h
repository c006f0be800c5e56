// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace displaylist {
class DisplayListRenderer;
}

namespace orvane {

class CrosstabRenderer;

class BaseView;
class DataGridRenderer;
class Gesture;
class ReportPage;
class RichTextNode;
class RichTextView;
class SelectionLink;

/// A report as a host shows it: a report file read, laid out at a page size,
/// rendered into its own display list and fed gestures. It is what the
/// `orvane` tool and any other host share, so that every host reads, lays out
/// and routes a report the same way.
///
///     std::vector<std::string> errors;
///     auto report = Report::open("examples/report/report.xml", errors);
///     if (!report) { for (auto& e : errors) std::cerr << e << "\n"; return 1; }
///     report->layout(1024);
///     report->render();
///     report->getRenderer()->writePNG("report.png", true, 1.0f);
///
/// Two kinds of document are reports: a layout tree (a LayoutProxy root whose
/// proxies hold <content> elements, see the README's "Report pages") and rich
/// text (a RichTextNode or div root), shown as one text view inside a margin.
class ORVANE_EXPORT Report {
public:
    /// What routing one gesture did.
    enum class Outcome { HANDLED, NOT_HANDLED };

    /// The page width a layout tree is designed for, and the largest page side.
    static constexpr float DESIGN_WIDTH = 1024.0f;
    static constexpr float MAX_SIZE = 16384.0f;
    /// The page size of a rich-text document when the host gives none.
    static constexpr float RICH_TEXT_WIDTH = 600.0f;
    static constexpr float RICH_TEXT_HEIGHT = 400.0f;

    /// Reads the report file at `path`. Null, with "file:line:column: problem"
    /// lines in `errors`, when the file cannot be read or is not a sound report.
    static std::shared_ptr<Report> open(const std::string& path, std::vector<std::string>& errors);
    /// The same for a report's text; `path` names it in messages and resolves
    /// the relative paths inside it (images, data files).
    static std::shared_ptr<Report> read(const std::string& path, const std::string& text,
                                        std::vector<std::string>& errors);
    ~Report();

    /// Lays the report out `width` pixels wide (0: the kind's default) and
    /// `height` tall (0: as tall as the content for a layout tree, the default
    /// for rich text), clamped to [1, MAX_SIZE], and gives the views their
    /// frames. The renderer is made at the first layout and resized after.
    void layout(float width = 0.0f, float height = 0.0f);
    /// Mirrors a layout tree for a right-to-left host (every container's
    /// children within that container) at the next layout.
    void setRightToLeft(bool rightToLeft);
    float getWidth() const { return width_; }
    float getHeight() const { return height_; }

    /// Records the views' display lists (what changed since the last call).
    void render();
    const std::shared_ptr<displaylist::DisplayListRenderer>& getRenderer() const { return renderer_; }
    std::shared_ptr<BaseView> getRootView() const { return root_; }

    /// Routes one gesture to the root view, whose coordinates have their origin
    /// at the bottom left; `pageGesture` turns a point from the page's top left.
    Outcome routeGesture(const std::shared_ptr<Gesture>& gesture);
    Point toViewPoint(Point pageTopLeft) const { return {pageTopLeft.x, height_ - pageTopLeft.y}; }
    /// Presses and releases one key (KeyCode, with KeyModifier bits held). A
    /// prompt holding the focus takes it first (ReportPrompt::pressKey);
    /// otherwise it goes through the host's key manager to the table with
    /// keyboard focus, or to the crosstab with keyboard focus; while no
    /// table or crosstab holds it, to the first crosstab. A tap on a prompt
    /// gives it the focus; a tap on a table or crosstab gives it the
    /// keyboard focus.
    Outcome routeKey(int keyCode, int modifiers = 0);
    /// Gives a table (in drawing order, from 0) the keyboard focus; false
    /// when the report has no such table.
    bool focusTable(size_t index);

    /// The report's tables, in drawing order.
    std::vector<std::shared_ptr<DataGridRenderer>> getTables() const;
    /// Tables over data with the same name (the same data file) share their
    /// selection through this link; null when no two do.
    const std::shared_ptr<SelectionLink>& getSelectionLink() const { return link_; }

    /// The rich-text views (for their selected actions) and, for a layout tree,
    /// the page with its element list.
    std::vector<std::shared_ptr<RichTextView>> getRichTextViews() const;
    /// The crosstabs of the report (none for rich text).
    std::vector<std::shared_ptr<CrosstabRenderer>> getCrosstabs() const;
    /// Scrolls every table of the report to the content offset (x, y) in
    /// pixels (clamped to each table's content); the number of tables.
    int scrollTables(double x, double y);
    bool isLayoutTree() const { return page_ != nullptr; }
    ReportPage* getPage() const { return page_.get(); }
    /// One line per laid-out element (layout trees only; nothing otherwise).
    void printLayout(std::ostream& out) const;

private:
    Report() = default;
    /// After a tap at `at` (root view coordinates): a table or crosstab
    /// under it takes the keyboard focus, from a focused prompt too.
    void moveFocusForTap(const Point& at);
    /// Lays the page out again when a crosstab grew or shrank (an expand or
    /// collapse), unless the host fixed the page's height.
    void relayoutIfGrown();

    std::string path_;
    std::unique_ptr<ReportPage> page_;
    std::shared_ptr<RichTextView> text_;  ///< rich-text documents
    std::shared_ptr<BaseView> root_;
    std::shared_ptr<displaylist::DisplayListRenderer> renderer_;
    std::shared_ptr<SelectionLink> link_;
    float width_ = 0.0f;
    float height_ = 0.0f;
    bool fixedHeight_ = false;  ///< the host gave the page's height
};

} // namespace orvane
