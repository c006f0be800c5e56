// SPDX-License-Identifier: Apache-2.0
#include "orvane/report/ReportPage.h"

#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"

#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/TextLayout.h"
#include "orvane/image/ImageView.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/RelativeLayoutStrategy.h"
#include "orvane/layout/ResponsiveLayoutHelper.h"
#include "orvane/layout/ResponsiveLayoutStrategy.h"
#include "orvane/package/LayoutStrategyType.h"
#include "orvane/report/ReportPrompt.h"
#include "orvane/view/BoxContainerView.h"
#include "orvane/view/GroupPreferredSizeRequestEvent.h"
#include "orvane/view/LabelView.h"
#include "orvane/view/PreferredSizeRequestEvent.h"
#include "orvane/view/RichTextNode.h"
#include "orvane/view/RichTextView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <ostream>

namespace orvane {

namespace {

// The width rich text is measured at when it may take as much as it wants.
constexpr float UNLIMITED_TEXT_WIDTH = 4096.0f;

// A panel: the box of a <content panel="..."> drawn over its proxy's bounds
// (background 8, transparency 58, border colour 10 and width 12).
class PanelView : public BoxContainerView {
public:
    explicit PanelView(const std::shared_ptr<AttributeBundle>& style) {
        // A box background is transparent unless the style says otherwise;
        // a panel that names a background colour wants to show it.
        auto defaults = AttributeBundle::create();
        defaults->setFloat(StyleAttribute::TRANSPARENCY, 0.0f);
        setStyleChain(StyleChain::create({style ? style : AttributeBundle::create(), defaults}));
    }
    float getContentInset() const override {
        auto d = getStyleChain()->getDimension(StyleAttribute::BORDER_WIDTH);
        float w = d ? d->getScalarValueForUnit(DimensionUnit::PIXELS) : 0.0f;
        return std::isfinite(w) && w > 0.0f ? w : 0.0f;
    }
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override {
        drawBorderAndBackground(editor, getStyleChain());
        BaseView::updateDisplayList(editor);
    }
};

std::string number(float v) {
    char buf[32];
    if (std::fabs(v - std::round(v)) < 0.05f)
        std::snprintf(buf, sizeof buf, "%.0f", static_cast<double>(std::round(v)));
    else
        std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(v));
    return buf;
}

std::string shortened(const std::string& s, size_t most = 40) {
    if (s.size() <= most) return s;
    size_t cut = most;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xc0) == 0x80) --cut;  // keep UTF-8 whole
    return s.substr(0, cut) + "...";
}

std::string plainText(const std::shared_ptr<RichTextNode>& root) {
    std::string out;
    if (!root || !root->children.get()) return out;
    for (const auto& p : root->children.get()->items()) {
        if (!p || !p->children.get()) continue;
        if (!out.empty()) out += " / ";
        for (const auto& r : p->children.get()->items())
            if (r && r->text.get()) out += *r->text.get();
    }
    return out;
}

std::string strategyName(const LayoutStrategy& s) {
    switch (s.getStrategyType()) {
    case LayoutStrategyType::LS_RESPONSIVE: {
        auto* r = dynamic_cast<const ResponsiveLayoutStrategy*>(&s);
        return r && r->orientation.get() == LayoutOrientation::VERTICAL ? "responsive vertical" : "responsive horizontal";
    }
    case LayoutStrategyType::LS_TILED: return "tiled";
    case LayoutStrategyType::LS_RELATIVE: return "relative";
    case LayoutStrategyType::LS_SLIDE: return "slide";
    case LayoutStrategyType::LS_STACK: return "stack";
    case LayoutStrategyType::LS_TILED_REFLOW: return "tiled reflow";
    default: return "strategy " + std::to_string(s.getStrategyType());
    }
}

// Space a proxy keeps free around its content on each side: its spaces,
// header and footer, padding and border (the bands the layout adds to the
// content's answers).
struct Bands {
    float left = 0, right = 0, top = 0, bottom = 0;
};
Bands bandsOf(const LayoutProxy& proxy) {
    Bands b;
    auto c = proxy.getConstraint();
    if (!c) return b;
    const float band =
        LayoutUtilities::nonNegative(LayoutUtilities::pixels(c->padding.get(), -1.0f, "padding"), "padding") +
        LayoutUtilities::nonNegative(c->borderThickness.get(), "borderThickness");
    b.left = LayoutUtilities::leftSpace(c.get()) + band;
    b.right = LayoutUtilities::rightSpace(c.get()) + band;
    b.top = LayoutUtilities::headerHeight(c.get()) + band;
    b.bottom = LayoutUtilities::footerHeight(c.get()) + band;
    return b;
}

const int SIZE_REQUESTS[] = {PreferredSizeRequestEvent::PREFERRED_WIDTH_REQUEST,
                             PreferredSizeRequestEvent::PREFERRED_HEIGHT_REQUEST,
                             PreferredSizeRequestEvent::WIDTH_REQUEST, PreferredSizeRequestEvent::HEIGHT_REQUEST};
const int GROUP_REQUESTS[] = {GroupPreferredSizeRequestEvent::GROUP_WIDTH_REQUEST,
                              GroupPreferredSizeRequestEvent::GROUP_HEIGHT_REQUEST};

} // namespace

std::unique_ptr<ReportPage> ReportPage::create(const std::shared_ptr<LayoutProxy>& root,
                                               std::vector<ReportContent> contents, const std::string& path,
                                               std::vector<std::string>& errors) {
    if (!root) {
        errors.push_back(path + ": the document has no layout tree");
        return nullptr;
    }
    // Refuses cycles, shared proxies and trees deeper than the layout walks
    // (with a log line saying which); every walk below relies on it.
    if (!LayoutUtilities::checkTree(*root, "render")) {
        errors.push_back(path + ": the layout tree is malformed (a proxy inside itself, a proxy used twice, or too deep)");
        return nullptr;
    }
    std::unique_ptr<ReportPage> page(new ReportPage());
    page->root_ = root;
    page->path_ = path;
    page->contents_ = std::move(contents);

    // Which proxy each <content> belongs to.
    std::unordered_map<const LayoutProxy*, const ReportContent*> contentOf;
    for (const auto& c : page->contents_) {
        std::shared_ptr<LayoutProxy> p = root;
        for (size_t index : c.path) {
            auto kids = p->children.get();
            p = kids && index < kids->size() ? kids->items()[index] : nullptr;
            if (!p) break;
        }
        const std::string where = path + ":" + std::to_string(c.line) + ":" + std::to_string(c.column) + ": ";
        if (!p) {
            errors.push_back(where + "this <content> has no LayoutProxy in the layout tree");
            continue;
        }
        if (c.kind != ReportContent::Kind::PANEL && LayoutUtilities::hasChildren(*p)) {
            errors.push_back(where + "a <" + ReportContent::kindName(c.kind) +
                             "> needs a LayoutProxy without children (a container holds only a panel)");
            continue;
        }
        contentOf[p.get()] = &c;
    }
    if (!errors.empty()) return nullptr;

    // The nodes, in document order.
    struct Pending {
        std::shared_ptr<LayoutProxy> proxy;
        std::string path;
        int depth;
        Node* parent;
    };
    std::vector<Pending> stack{{root, "/", 0, nullptr}};
    std::unordered_map<const LayoutProxy*, Node*> nodeOf;
    while (!stack.empty()) {
        Pending p = std::move(stack.back());
        stack.pop_back();
        Node& n = page->nodes_.emplace_back();
        n.proxy = p.proxy;
        n.path = p.path;
        n.depth = p.depth;
        auto it = contentOf.find(p.proxy.get());
        n.content = it == contentOf.end() ? nullptr : it->second;
        nodeOf[p.proxy.get()] = &n;
        page->byProxy_[p.proxy.get()] = &n;
        auto kids = LayoutUtilities::childrenOf(*p.proxy);
        for (size_t i = kids.size(); i-- > 0;) {
            if (kids[i]->isDisabled.get()) continue;  // takes no room and shows nothing
            stack.push_back({kids[i], (p.path == "/" ? "/" : p.path + "/") + std::to_string(i), p.depth + 1, &n});
        }
    }
    // A container without a strategy gives its children no room: every item
    // would be 0 x 0 on an empty page, so it is refused rather than drawn.
    for (const auto& n : page->nodes_) {
        auto kids = LayoutUtilities::childrenOf(*n.proxy);
        bool placesSome = std::any_of(kids.begin(), kids.end(), [](const auto& k) { return !k->isDisabled.get(); });
        if (!n.proxy->getStrategy() && placesSome)
            errors.push_back(path + ": the layout element " + n.path +
                             " has children but no strategy to place them (give it a <defaultStrategy>, "
                             "e.g. <ResponsiveLayoutStrategy/>)");
    }
    if (!errors.empty()) return nullptr;

    // Drawing order: child order, or bottom first by zIndex for relative containers.
    for (auto& n : page->nodes_) {
        auto strategy = n.proxy->getStrategy();
        auto kids = strategy && strategy->getStrategyType() == LayoutStrategyType::LS_RELATIVE
                        ? RelativeLayoutStrategy::childrenInStackingOrder(*n.proxy)
                        : LayoutUtilities::childrenOf(*n.proxy);
        for (const auto& k : kids)
            if (auto it = nodeOf.find(k.get()); it != nodeOf.end()) n.children.push_back(it->second);
    }

    page->rootView_ = BaseView::create();
    if (!page->build(page->nodes_.front(), page->rootView_, errors)) return nullptr;
    page->bindPrompts();
    page->context_ = LayoutContext::create();
    page->listenForSizeRequests();
    return page;
}

ReportPage::~ReportPage() {
    // The listeners point at this page; the tree may outlive it.
    if (root_)
        for (auto& [type, callback] : listeners_) root_->removeEventListener(type, callback);
}

bool ReportPage::build(Node& node, const std::shared_ptr<BaseView>& parentView, std::vector<std::string>& errors) {
    const ReportContent* c = node.content;
    const bool container = !node.children.empty() || &node == &nodes_.front();
    if (c && c->panel)
        node.view = std::make_shared<PanelView>(c->panel);
    else if (container)
        node.view = BaseView::create();
    if (node.view) {
        node.view->setTag(node.path);
        parentView->addSubview(node.view);
    }
    const auto& into = node.view ? node.view : parentView;
    if (c) {
        switch (c->kind) {
        case ReportContent::Kind::PANEL: break;
        case ReportContent::Kind::LABEL: {
            auto label = LabelView::create();
            label->setText(c->text);
            label->setStyleChain(StyleChain::create({c->style ? c->style : AttributeBundle::create()}));
            label->setVerticalAlignment(c->verticalAlignment);
            label->setTextFlags(c->wrap ? TextFlags::WRAP : 0u);
            node.item = label;
            break;
        }
        case ReportContent::Kind::IMAGE:
            if (!c->image) {
                errors.push_back(path_ + ":" + std::to_string(c->line) + ": the image could not be read");
                return false;
            }
            node.item = ImageView::create(c->image);
            break;
        case ReportContent::Kind::TABLE:
            if (!c->table) {
                errors.push_back(path_ + ":" + std::to_string(c->line) + ": the table could not be made");
                return false;
            }
            node.item = c->table->createRenderer();
            // Image cells name files beside the table's data file.
            std::static_pointer_cast<DataGridRenderer>(node.item)
                ->setImageDirectory(std::filesystem::path(c->dataPath).parent_path().string());
            break;
        case ReportContent::Kind::CROSSTAB: {
            if (!c->crosstab) {
                errors.push_back(path_ + ":" + std::to_string(c->line) + ": the crosstab could not be made");
                return false;
            }
            auto crosstab = c->crosstab->createRenderer();
            crosstab->setHeatMapMeasureNames(c->heatMap);
            if (c->windowRow >= 0) crosstab->setVisibleWindow(c->windowRow, -1, c->windowColumn, -1);
            node.item = crosstab;
            break;
        }
        case ReportContent::Kind::PROMPT:
            if (!c->prompt) {
                errors.push_back(path_ + ":" + std::to_string(c->line) + ": the prompt could not be made");
                return false;
            }
            c->prompt->setOverlayParent(rootView_);
            node.item = c->prompt->getHostView();
            break;
        case ReportContent::Kind::RICHTEXT: {
            auto text = RichTextView::create();
            RichTextView::applyBaseStyle(c->richText, c->style);
            text->setRichTextNode(c->richText);
            node.item = text;
            break;
        }
        }
        if (node.item) {
            node.item->setTag(node.path);
            into->addSubview(node.item);
        }
    }
    for (Node* child : node.children)
        if (!build(*child, into, errors)) return false;
    return true;
}

// Prompts select rows in the tables over the same data file, and prompts
// over the same file select together.
void ReportPage::bindPrompts() {
    std::map<std::string, std::vector<std::shared_ptr<ReportPrompt>>> byData;
    for (const auto& c : contents_)
        if (c.kind == ReportContent::Kind::PROMPT && c.prompt) byData[c.dataPath].push_back(c.prompt);
    for (auto& [data, prompts] : byData) {
        // The tables and crosstabs over the same file: a table marks the
        // selected rows, a crosstab the crossings all of whose rows are.
        std::vector<std::shared_ptr<DataSet>> targets;
        for (const auto& c : contents_) {
            if (c.dataPath != data) continue;
            std::shared_ptr<DataSet> ds;
            if (c.kind == ReportContent::Kind::TABLE && c.table) ds = c.table->dataSet.get();
            else if (c.kind == ReportContent::Kind::CROSSTAB && c.crosstab) ds = c.crosstab->sourceDataSet.get();
            if (ds && std::find(targets.begin(), targets.end(), ds) == targets.end()) targets.push_back(ds);
        }
        for (const auto& p : prompts)
            if (!targets.empty()) p->setTargets(targets);
        ReportPrompt::link(prompts);
        for (const auto& p : prompts) p->start();
    }
}

std::vector<std::shared_ptr<ReportPrompt>> ReportPage::getPrompts() const {
    std::vector<std::shared_ptr<ReportPrompt>> out;
    for (const auto& n : nodes_)
        if (n.content && n.content->kind == ReportContent::Kind::PROMPT && n.content->prompt)
            out.push_back(n.content->prompt);
    return out;
}

std::shared_ptr<ReportPrompt> ReportPage::getFocusedPrompt() const {
    for (const auto& p : getPrompts())
        if (p->hasFocus()) return p;
    return nullptr;
}

void ReportPage::listenForSizeRequests() {
    // Requests bubble up the model tree: one listener on the root hears the
    // questions about every proxy below it.
    for (int type : SIZE_REQUESTS) {
        auto callback = FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) {
            auto request = std::dynamic_pointer_cast<PreferredSizeRequestEvent>(e);
            if (!request) return;
            auto it = byProxy_.find(request->getOriginalSource());
            if (it == byProxy_.end()) return;
            const int t = request->getType();
            const bool height = t == PreferredSizeRequestEvent::PREFERRED_HEIGHT_REQUEST ||
                                t == PreferredSizeRequestEvent::HEIGHT_REQUEST;
            float size = 0.0f;
            if (answer(*it->second, height, request->getConstrainedSize(), size)) request->setResult(size);
        });
        root_->addEventListener(type, callback);
        listeners_.emplace_back(type, callback);
    }
    for (int type : GROUP_REQUESTS) {
        auto callback = FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) {
            auto request = std::dynamic_pointer_cast<GroupPreferredSizeRequestEvent>(e);
            if (!request || !request->getLayoutProxies()) return;
            const bool height = request->getType() == GroupPreferredSizeRequestEvent::GROUP_HEIGHT_REQUEST;
            const auto& proxies = *request->getLayoutProxies();
            auto sizes = request->getConstrainedSizes();
            for (size_t i = 0; i < proxies.size(); ++i) {
                auto it = byProxy_.find(proxies[i].get());
                if (it == byProxy_.end()) continue;
                float constrained = sizes && i < sizes->size() ? (*sizes)[i] : 0.0f;
                float size = 0.0f;
                if (answer(*it->second, height, constrained, size)) request->setResult(i, size);
            }
        });
        root_->addEventListener(type, callback);
        listeners_.emplace_back(type, callback);
    }
}

bool ReportPage::answer(Node& node, bool height, float constrained, float& result) {
    if (!node.content || !node.item) return false;
    if (!std::isfinite(constrained) || constrained < 0.0f) constrained = 0.0f;
    switch (node.content->kind) {
    case ReportContent::Kind::LABEL: {
        auto label = std::static_pointer_cast<LabelView>(node.item);
        // Wrapped labels are as tall as their lines at the given width and
        // as wide as their text on one line.
        const bool wrapAt = height && node.content->wrap && constrained > 0.0f;
        label->setMaximumTextSize({wrapAt ? constrained : 0.0f, 0.0f});
        Size s = label->getPreferredSize({0.0f, 0.0f});
        result = std::ceil(height ? s.height : s.width);
        return true;
    }
    case ReportContent::Kind::IMAGE: {
        // Images shrink to fit (keeping their proportions), never grow.
        auto image = std::static_pointer_cast<ImageView>(node.item);
        image->setImageScale(1.0f);
        Size n = image->getUnScaledImageSize();
        if (!(n.width > 0.0f) || !(n.height > 0.0f)) return false;
        if (height) {
            float scale = constrained > 0.0f ? std::min(1.0f, constrained / n.width) : 1.0f;
            result = std::ceil(n.height * scale);
        } else {
            float scale = constrained > 0.0f ? std::min(1.0f, constrained / n.height) : 1.0f;
            result = std::ceil(n.width * scale);
        }
        return true;
    }
    case ReportContent::Kind::RICHTEXT: {
        auto text = std::static_pointer_cast<RichTextView>(node.item);
        if (height) {
            Size s = text->getPreferredSize({constrained > 0.0f ? constrained : UNLIMITED_TEXT_WIDTH, 0.0f});
            result = std::ceil(s.height);
        } else {
            Size s = text->getPreferredSize({UNLIMITED_TEXT_WIDTH, 0.0f});
            result = std::ceil(s.width);
        }
        return true;
    }
    case ReportContent::Kind::TABLE:
    case ReportContent::Kind::CROSSTAB: {
        // As wide as the space given (the table fills it) and as tall as its
        // rows, up to the height the report allows; taller tables scroll.
        Size s = node.item->getPreferredSize({height && constrained > 0.0f ? constrained : 0.0f, 0.0f});
        if (height) {
            float h = s.height + 1.0f;
            if (node.content->maxHeight > 0.0f) h = std::min(h, node.content->maxHeight);
            result = std::ceil(h);
        } else {
            result = std::ceil(s.width);
        }
        return true;
    }
    case ReportContent::Kind::PROMPT: {
        const auto& prompt = node.content->prompt;
        result = height ? prompt->getPreferredHeight(constrained) : prompt->getPreferredWidth();
        return true;
    }
    case ReportContent::Kind::PANEL: break;
    }
    return false;
}

void ReportPage::setRightToLeft(bool rightToLeft) { context_->invertXSpace.set(rightToLeft); }

void ReportPage::layout(float width, float height) {
    width = std::clamp(std::isfinite(width) ? width : DESIGN_WIDTH, 1.0f, MAX_SIZE);
    if (!std::isfinite(height) || height < 0.0f) height = 0.0f;
    const bool autoHeight = height <= 0.0f;
    context_->designWidth.set(static_cast<int>(DESIGN_WIDTH));
    if (width < DESIGN_WIDTH && !narrow_) {
        // The tree's own narrow-screen configuration (one column: single
        // weights, full widths); the backups would restore the other one.
        root_->setNarrowScreenLayout(true);
        narrow_ = true;
    }
    context_->enableTileReflow.set(narrow_);

    if (autoHeight) {
        height = ResponsiveLayoutHelper::preferredExtent(*context_, *root_, true, width, -1.0f);
        if (!(height >= 1.0f)) height = 400.0f;
    }
    height = std::clamp(std::ceil(height), 1.0f, MAX_SIZE);
    for (int pass = 0; pass < 3; ++pass) {
        root_->setBoundsInPixels({0.0f, 0.0f, width, height});
        root_->layout(context_);
        place(nodes_.front(), {0.0f, 0.0f, 0.0f, 0.0f}, rootView_, height);
        if (!autoHeight) break;
        // The measure is an estimate: grow the page until nothing sticks out.
        float bottom = std::ceil(contentBottom() + bandsOf(*root_).bottom);
        if (bottom <= height + 0.5f || height >= MAX_SIZE) break;
        height = std::min(bottom, MAX_SIZE);
    }
    width_ = width;
    height_ = height;
    rootView_->setFrame({0.0f, 0.0f, width, height});
    for (auto& node : nodes_) {
        node.laidOutHeight = wantedHeight(node);
        node.laidOutGeneration = modelGeneration(node);
    }
}

float ReportPage::wantedHeight(Node& node) {
    float h = -1.0f;
    if (node.content && node.item && node.content->kind == ReportContent::Kind::CROSSTAB &&
        !answer(node, true, node.item->getFrame().width, h))
        h = -1.0f;
    return h;
}

uint64_t ReportPage::modelGeneration(const Node& node) {
    auto crosstab = std::dynamic_pointer_cast<CrosstabRenderer>(node.item);
    return crosstab ? crosstab->getModelGeneration() : 0;
}

bool ReportPage::outgrewLayout() {
    // Measuring a crosstab builds it again: only those whose model was
    // rebuilt since the layout (an expand, a collapse, a drill) are asked.
    for (auto& node : nodes_)
        if (node.laidOutHeight >= 0.0f && modelGeneration(node) != node.laidOutGeneration &&
            wantedHeight(node) != node.laidOutHeight)
            return true;
    return false;
}

Rect ReportPage::itemArea(const Node& node) const {
    const Bands b = bandsOf(*node.proxy);
    return {b.left, b.top, std::max(0.0f, node.page.width - b.left - b.right),
            std::max(0.0f, node.page.height - b.top - b.bottom)};
}

void ReportPage::place(Node& node, const Rect& parentPage, const std::shared_ptr<BaseView>& parentView,
                       float parentHeight) {
    Rect b = LayoutUtilities::finiteRect(node.proxy->getBoundsInPixels(), "a report element");
    b.width = std::max(0.0f, b.width);
    b.height = std::max(0.0f, b.height);
    node.page = {parentPage.x + b.x, parentPage.y + b.y, b.width, b.height};
    // Proxy bounds run from the top left of the parent; view frames from its
    // bottom left, y up.
    const Rect frame{b.x, parentHeight - b.y - b.height, b.width, b.height};
    if (node.view) node.view->setFrame(frame);
    if (node.item) {
        // The item's area in the coordinates of the view holding it.
        const Rect area = itemArea(node);
        const float ox = node.view ? 0.0f : frame.x;
        const float oy = node.view ? 0.0f : frame.y;
        float x = ox + area.x, w = area.width, h = area.height;
        if (auto image = std::dynamic_pointer_cast<ImageView>(node.item)) {
            image->setImageScale(1.0f);
            Size n = image->getUnScaledImageSize();
            float scale = n.width > 0.0f && n.height > 0.0f ? std::min({1.0f, w / n.width, h / n.height}) : 0.0f;
            if (scale > 0.0f) image->setImageScale(scale);
            float dw = scale > 0.0f ? n.width * scale : 0.0f;
            float dh = scale > 0.0f ? n.height * scale : 0.0f;
            x += (w - dw) / 2.0f;  // centred across, at the top
            w = dw;
            h = dh;
        }
        node.item->setFrame({x, oy + b.height - area.y - h, w, h});
    }
    // Children lie in their container's view (every container has one),
    // relative to its bounds.
    for (Node* child : node.children) place(*child, node.page, node.view ? node.view : parentView, b.height);
}

float ReportPage::contentBottom() const {
    float bottom = 0.0f;
    for (size_t i = 1; i < nodes_.size(); ++i) bottom = std::max(bottom, nodes_[i].page.y + nodes_[i].page.height);
    return bottom;
}

std::vector<std::shared_ptr<RichTextView>> ReportPage::getRichTextViews() const {
    std::vector<std::shared_ptr<RichTextView>> out;
    for (const auto& n : nodes_)
        if (auto t = std::dynamic_pointer_cast<RichTextView>(n.item)) out.push_back(t);
    return out;
}

std::vector<std::shared_ptr<CrosstabRenderer>> ReportPage::getCrosstabs() const {
    std::vector<std::shared_ptr<CrosstabRenderer>> out;
    for (const auto& n : nodes_)
        if (auto t = std::dynamic_pointer_cast<CrosstabRenderer>(n.item)) out.push_back(t);
    return out;
}

void ReportPage::printLayout(std::ostream& out) const {
    out << "page " << number(width_) << " x " << number(height_) << (narrow_ ? " (narrow-screen layout)" : "")
        << "\n";
    for (const auto& n : nodes_) {
        std::string what;
        if (auto s = n.proxy->getStrategy(); s && !n.children.empty()) {
            what = strategyName(*s);
            if (s->getStrategyType() == LayoutStrategyType::LS_TILED && context_->enableTileReflow.get() &&
                n.page.width < static_cast<float>(context_->designWidth.get()))
                what += " (re-flowed)";
        } else if (!n.content || n.content->kind == ReportContent::Kind::PANEL) {
            what = "empty";
        }
        if (n.content) {
            const ReportContent& c = *n.content;
            std::string item;
            switch (c.kind) {
            case ReportContent::Kind::PANEL: item = c.panel ? "panel" : ""; break;
            case ReportContent::Kind::LABEL: item = "label \"" + shortened(c.text) + "\""; break;
            case ReportContent::Kind::IMAGE: {
                Rect f = n.item ? n.item->getFrame() : Rect{};
                item = "image " + std::filesystem::path(c.imagePath).filename().string() + " drawn " + number(f.width) +
                       " x " + number(f.height);
                break;
            }
            case ReportContent::Kind::RICHTEXT: item = "richtext \"" + shortened(plainText(c.richText)) + "\""; break;
            case ReportContent::Kind::TABLE: {
                auto ds = c.table ? c.table->dataSet.get() : nullptr;
                item = "table " + std::filesystem::path(c.dataPath).filename().string() + " (" +
                       std::to_string(ds ? ds->getRowCount() : 0) + " rows)";
                break;
            }
            case ReportContent::Kind::CROSSTAB: {
                auto cells = c.crosstab ? c.crosstab->dataSet.get() : nullptr;
                item = "crosstab " + std::filesystem::path(c.dataPath).filename().string() + " (" +
                       std::to_string(cells ? cells->getRowCount() : 0) + " rows x " +
                       std::to_string(cells ? cells->getColumnCount() : 0) + " cells)";
                break;
            }
            case ReportContent::Kind::PROMPT:
                item = std::string("prompt ") + ReportPrompt::kindName(c.prompt->getKind()) + " on " +
                       c.prompt->getColumnName() + " (" + std::filesystem::path(c.dataPath).filename().string() + ")";
                break;
            }
            if (c.kind != ReportContent::Kind::PANEL && c.panel) item = "panel, " + item;
            if (what == "empty") what.clear();
            what = what.empty() ? item : item.empty() ? what : what + ", " + item;
        }
        out << std::string(static_cast<size_t>(n.depth) * 2, ' ') << n.path << "  x=" << number(n.page.x)
            << " y=" << number(n.page.y) << " w=" << number(n.page.width) << " h=" << number(n.page.height) << "  "
            << what << "\n";
    }
}

} // namespace orvane
