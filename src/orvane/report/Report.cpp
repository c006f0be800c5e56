// SPDX-License-Identifier: Apache-2.0
#include "orvane/report/Report.h"

#include "orvane/report/ReportDocument.h"
#include "orvane/report/ReportPage.h"

#include "orvane/crosstab/CrosstabGestureHandler.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/input/Focusable.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/input/KeyManager.h"
#include "orvane/report/ReportPrompt.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/package/Div.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/selection/SelectionLink.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/GestureHandlerEvent.h"
#include "orvane/view/RichTextNode.h"
#include "orvane/view/RichTextView.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace orvane {

namespace {

// The margin around a rich-text document's view.
constexpr float TEXT_MARGIN = 8.0f;

float clampSide(float v, float fallback) {
    if (!std::isfinite(v) || v <= 0.0f) v = fallback;
    return std::clamp(v, 1.0f, Report::MAX_SIZE);
}

} // namespace

Report::~Report() = default;

std::shared_ptr<Report> Report::open(const std::string& path, std::vector<std::string>& errors) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        errors.push_back(path + ": is a folder, not a report file");
        return nullptr;
    }
    std::string text;
    errno = 0;
    if (!FileSystemManager::readFile(path, text)) {
        int err = errno;
        errors.push_back(path + ": cannot read (" + std::string(err ? std::strerror(err) : "unknown reason") + ")");
        return nullptr;
    }
    return read(path, text, errors);
}

std::shared_ptr<Report> Report::read(const std::string& path, const std::string& text,
                                     std::vector<std::string>& errors) {
    // The <content> elements come out first; the rest is a plain model document.
    ReportDocument doc = ReportDocument::read(path, text);
    if (!doc.errors.empty()) {
        errors.insert(errors.end(), doc.errors.begin(), doc.errors.end());
        return nullptr;
    }
    auto reader = OrvaneUIDeserializer::create();
    reader->setSourceName(path);
    auto model = reader->deserialize(doc.layoutText);
    if (!model) {
        errors.push_back(reader->getLastError().toString());
        return nullptr;
    }
    std::shared_ptr<Report> report(new Report());
    report->path_ = path;
    if (auto layout = std::dynamic_pointer_cast<LayoutProxy>(model)) {
        report->page_ = ReportPage::create(layout, std::move(doc.contents), path, errors);
        if (!report->page_) {
            if (errors.empty()) errors.push_back(path + ": the report cannot be laid out");
            return nullptr;
        }
        report->root_ = report->page_->getRootView();
        // Tables over the same data select together.
        std::vector<std::shared_ptr<DataSet>> dataSets;
        for (const auto& table : report->getTables())
            if (table->getModel() && table->getModel()->dataSet.get()) dataSets.push_back(table->getModel()->dataSet.get());
        report->link_ = SelectionLink::create(dataSets);
        return report;
    }
    std::shared_ptr<RichTextNode> richText = std::dynamic_pointer_cast<RichTextNode>(model);
    if (!richText)
        if (auto div = std::dynamic_pointer_cast<Div>(model)) richText = RichTextView::richTextFromDiv(div);
    if (!richText) {
        errors.push_back(path +
                         ": the document's root is neither a layout tree (LayoutProxy) nor rich text "
                         "(RichTextNode or div)");
        return nullptr;
    }
    report->root_ = BaseView::create();
    report->text_ = RichTextView::create();
    report->text_->setRichTextNode(richText);
    report->root_->addSubview(report->text_);
    return report;
}

void Report::layout(float width, float height) {
    fixedHeight_ = height > 0.0f;
    if (page_) {
        page_->layout(clampSide(width, DESIGN_WIDTH), height > 0.0f ? clampSide(height, 1.0f) : 0.0f);
        width_ = page_->getWidth();
        height_ = page_->getHeight();
    } else {
        width_ = clampSide(width, RICH_TEXT_WIDTH);
        height_ = clampSide(height, RICH_TEXT_HEIGHT);
        const float inner = std::max(1.0f, width_ - 2 * TEXT_MARGIN);
        Size pref = text_->getPreferredSize({inner, 0});
        float h = std::clamp(pref.height, 0.0f, std::max(0.0f, height_ - 2 * TEXT_MARGIN));
        text_->setFrame({TEXT_MARGIN, height_ - TEXT_MARGIN - h, inner, h});
    }
    if (!renderer_) {
        renderer_ = displaylist::DisplayListRenderer::create(false);
        root_->setDisplayListRenderer(renderer_);
    }
    root_->setFrame({0, 0, width_, height_});
}

void Report::setRightToLeft(bool rightToLeft) {
    if (page_) page_->setRightToLeft(rightToLeft);
    for (const auto& table : getTables()) table->setRightToLeft(rightToLeft);
}

void Report::render() {
    if (!renderer_) layout();
    root_->render();
}

Report::Outcome Report::routeGesture(const std::shared_ptr<Gesture>& gesture) {
    if (!gesture) return Outcome::NOT_HANDLED;
    if (!renderer_) layout();
    // An open drop-down list takes the next tap wherever it falls: inside it
    // chooses an entry, outside it closes, as drop-down lists do.
    if (page_ && (gesture->getType() & GestureRecognizerType::ANY_TAP))
        for (const auto& prompt : page_->getPrompts())
            if (prompt->tapWhilePopupOpen(gesture->getLocation())) {
                root_->render();
                return Outcome::HANDLED;
            }
    bool handled = false;
    auto success = FunctionEventCallback::create([&handled](auto&) { handled = true; });
    root_->addEventListener(GestureHandlerEvent::SUCCESS, success);
    root_->handleGesture(gesture);
    root_->removeEventListener(GestureHandlerEvent::SUCCESS, success);
    if (gesture->getType() & GestureRecognizerType::ANY_TAP) moveFocusForTap(gesture->getLocation());
    if (handled) relayoutIfGrown();
    root_->render();
    return handled ? Outcome::HANDLED : Outcome::NOT_HANDLED;
}

void Report::moveFocusForTap(const Point& at) {
    auto inside = [&at](const BaseView& view) {
        const Point o = view.getOriginInRootViewCoordinates();
        const Rect f = view.getFrame();
        return at.x >= o.x && at.x < o.x + f.width && at.y >= o.y && at.y < o.y + f.height;
    };
    std::shared_ptr<BaseView> table;
    for (const auto& t : getTables())
        if (inside(*t)) table = t;
    std::shared_ptr<BaseView> crosstab;
    for (const auto& c : getCrosstabs())
        if (inside(*c)) crosstab = c;
    // A table or crosstab tapped takes the keys, from a prompt too. A prompt
    // that lost the focus to another one loses its caret too.
    if (page_)
        for (const auto& prompt : page_->getPrompts())
            if (table || crosstab || !prompt->hasFocus()) prompt->releaseFocus();
    if (auto tapped = table ? table : crosstab) FocusManager::setKeyboardFocus(tapped->asFocusable());
}

void Report::relayoutIfGrown() {
    if (page_ && !fixedHeight_ && page_->outgrewLayout()) layout(width_);
}

Report::Outcome Report::routeKey(int keyCode, int modifiers) {
    if (!renderer_) layout();
    // A prompt that holds the focus (the last one tapped) takes the key
    // before the tables and crosstabs: an arrow moves its thumb or entry.
    if (auto prompt = page_ ? page_->getFocusedPrompt() : nullptr) {
        ReportPrompt::Key key;
        const bool handled = ReportPrompt::keyForCode(keyCode, key) && prompt->pressKey(key);
        root_->render();
        return handled ? Outcome::HANDLED : Outcome::NOT_HANDLED;
    }
    auto keys = KeyManager::getSharedInstance();
    bool handled = keys->keyPressed(keyCode, modifiers);
    keys->keyReleased(keyCode, modifiers);
    // Tables hear keys at the key manager while they hold the keyboard
    // focus; a crosstab holding it is handed the key here. While no table
    // or crosstab of the report holds the keys, the first crosstab answers
    // them (it keeps its own focused cell).
    const auto focus = FocusManager::getKeyboardFocus();
    const auto crosstabs = getCrosstabs();
    std::shared_ptr<CrosstabRenderer> crosstab;
    bool held = false;
    for (const auto& c : crosstabs)
        if (focus && c->asFocusable() == focus) crosstab = c;
    for (const auto& t : getTables()) held = held || (focus && t->asFocusable() == focus);
    if (!crosstab && !held && !crosstabs.empty()) crosstab = crosstabs.front();
    if (crosstab && !handled) {
        // Key 56 held for the key (a gesture's ALT bit) is what a crosstab
        // reads at the key manager.
        const bool holdAlt = (modifiers & KeyModifier::ALT) && !keys->isPressed(KeyCode::ALT);
        if (holdAlt) keys->setPressed(KeyCode::ALT, true);
        if (auto handlers = crosstab->getGestureHandlers())
            for (const auto& h : *handlers)
                if (auto c = std::dynamic_pointer_cast<CrosstabGestureHandler>(h)) {
                    handled = c->handleKeyPress(keyCode);
                    break;
                }
        if (holdAlt) keys->setPressed(KeyCode::ALT, false);
        // The focus a key moved is drawn by the crosstab's grid node: the
        // page is drawn again to show it.
        if (handled) crosstab->invalidateFrameBuffer();
    }
    if (handled) relayoutIfGrown();
    root_->render();
    return handled ? Outcome::HANDLED : Outcome::NOT_HANDLED;
}

bool Report::focusTable(size_t index) {
    auto tables = getTables();
    if (index >= tables.size()) return false;
    FocusManager::setKeyboardFocus(tables[index]->asFocusable());
    return true;
}

std::vector<std::shared_ptr<DataGridRenderer>> Report::getTables() const {
    std::vector<std::shared_ptr<DataGridRenderer>> tables;
    // Depth first in drawing order.
    std::vector<std::shared_ptr<BaseView>> pending{root_};
    while (!pending.empty()) {
        auto view = pending.back();
        pending.pop_back();
        if (!view) continue;
        if (auto table = std::dynamic_pointer_cast<DataGridRenderer>(view)) tables.push_back(table);
        if (auto subviews = view->getSubviews())
            for (auto it = subviews->rbegin(); it != subviews->rend(); ++it) pending.push_back(*it);
    }
    return tables;
}

std::vector<std::shared_ptr<RichTextView>> Report::getRichTextViews() const {
    if (page_) return page_->getRichTextViews();
    return {text_};
}

std::vector<std::shared_ptr<CrosstabRenderer>> Report::getCrosstabs() const {
    if (page_) return page_->getCrosstabs();
    return {};
}

int Report::scrollTables(double x, double y) {
    auto tables = getTables();
    for (const auto& table : tables) table->setScrollPosition(x, y);
    return static_cast<int>(tables.size());
}

void Report::printLayout(std::ostream& out) const {
    if (page_) page_->printLayout(out);
}

} // namespace orvane
