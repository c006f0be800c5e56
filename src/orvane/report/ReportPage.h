// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/report/ReportDocument.h"

#include "orvane/host/core/GeometryUtilities.h"

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvane {

class CrosstabRenderer;
class AbstractEventCallback;
class BaseView;
class EventDispatcher;
class LayoutContext;
class LayoutProxy;
class ReportPrompt;
class RichTextView;
}

namespace orvane {

/// A report page: the host of a layout tree. It creates a view per
/// element (a panel view for proxies with a panel, a label, image or rich-text
/// view for leaves with an item, a plain view for other containers), answers
/// the layout's size requests from the views' preferred sizes, lays the tree
/// out for a page size and gives every view its frame from its proxy's bounds.
class ORVANE_EXPORT ReportPage {
public:
    /// Null, with messages in `errors`, when the tree is malformed (a cycle, a
    /// proxy used twice, too deep) or a <content> does not fit its proxy.
    static std::unique_ptr<ReportPage> create(const std::shared_ptr<LayoutProxy>& root,
                                              std::vector<ReportContent> contents, const std::string& path,
                                              std::vector<std::string>& errors);
    ~ReportPage();

    /// The width below which the narrow-screen layout is used.
    static constexpr float DESIGN_WIDTH = 1024.0f;
    static constexpr float MAX_SIZE = 16384.0f;

    /// Lays the page out `width` pixels wide; `height` 0 makes the page as
    /// tall as its content. Narrower than DESIGN_WIDTH, the tree is switched
    /// to its narrow-screen layout (once) and tiled areas re-flow.
    void layout(float width, float height);
    /// Whether a crosstab now wants another height than it was laid out
    /// with (it was expanded or collapsed): the page grows or shrinks with
    /// it at the next layout. A crosstab given a `height` grows up to it and
    /// then keeps its frame and scrolls inside it.
    bool outgrewLayout();
    /// Mirrors the page for right-to-left reading (the layout's invertXSpace).
    void setRightToLeft(bool rightToLeft);

    float getWidth() const { return width_; }
    float getHeight() const { return height_; }
    bool isNarrow() const { return narrow_; }
    /// The root view (the page) and the rich-text views, for tap reports.
    std::shared_ptr<BaseView> getRootView() const { return rootView_; }
    std::vector<std::shared_ptr<RichTextView>> getRichTextViews() const;
    /// The crosstabs of the page, in document order.
    std::vector<std::shared_ptr<CrosstabRenderer>> getCrosstabs() const;
    /// The prompts, in document order.
    std::vector<std::shared_ptr<ReportPrompt>> getPrompts() const;
    /// The prompt holding keyboard focus (the last one tapped), or null.
    std::shared_ptr<ReportPrompt> getFocusedPrompt() const;

    /// One line per laid-out element, indented by depth: its path in the tree
    /// (child indices), its bounds in page pixels from the top left, and what
    /// it is.
    void printLayout(std::ostream& out) const;

private:
    struct Node {
        std::shared_ptr<LayoutProxy> proxy;
        const ReportContent* content = nullptr;
        std::string path;
        int depth = 0;
        std::shared_ptr<BaseView> view;  ///< panel or container view; null for a bare leaf
        std::shared_ptr<BaseView> item;  ///< the label, image or rich-text view
        std::vector<Node*> children;     ///< in drawing order
        Rect page;                       ///< bounds on the page, top-left origin
        float laidOutHeight = -1.0f;     ///< a growing crosstab's wanted height at the last layout
        uint64_t laidOutGeneration = 0;  ///< its model's generation then
    };

    ReportPage() = default;
    bool build(Node& node, const std::shared_ptr<BaseView>& parentView, std::vector<std::string>& errors);
    void listenForSizeRequests();
    bool answer(Node& node, bool height, float constrained, float& result);
    /// The height a crosstab asks for at its width (at most its `height`);
    /// -1 for every other node.
    float wantedHeight(Node& node);
    /// The model generation of a crosstab node's renderer; 0 for others.
    static uint64_t modelGeneration(const Node& node);
    void place(Node& node, const Rect& parentPage, const std::shared_ptr<BaseView>& parentView, float parentHeight);
    float contentBottom() const;
    Rect itemArea(const Node& node) const;
    void bindPrompts();

    std::shared_ptr<LayoutProxy> root_;
    std::shared_ptr<LayoutContext> context_;
    std::vector<ReportContent> contents_;
    std::string path_;
    std::deque<Node> nodes_;  ///< pre-order (document order)
    std::unordered_map<const EventDispatcher*, Node*> byProxy_;
    std::shared_ptr<BaseView> rootView_;
    std::vector<std::pair<int, std::shared_ptr<AbstractEventCallback>>> listeners_;
    float width_ = 0.0f;
    float height_ = 0.0f;
    bool narrow_ = false;
};

} // namespace orvane
