// SPDX-License-Identifier: Apache-2.0
#include "orvane/report/ReportPrompt.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/core/Utf8.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/host/input/Focusable.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/input/KeyCode.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/prompts/ComboBoxModel.h"
#include "orvane/prompts/ComboBoxRenderer.h"
#include "orvane/prompts/PromptButtonBarModel.h"
#include "orvane/prompts/PromptButtonBarRenderer.h"
#include "orvane/prompts/PromptListModel.h"
#include "orvane/prompts/PromptListRenderer.h"
#include "orvane/prompts/PromptSelectionController.h"
#include "orvane/prompts/RangeSliderModel.h"
#include "orvane/prompts/RangeSliderRenderer.h"
#include "orvane/prompts/SingleRangeSliderModel.h"
#include "orvane/prompts/SingleRangeSliderRenderer.h"
#include "orvane/prompts/TextFieldModel.h"
#include "orvane/prompts/TextFieldRenderer.h"
#include "orvane/report/PromptGestureHandler.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionOptions.h"
#include "orvane/view/LabelView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <unordered_map>

namespace orvane {

namespace {

constexpr const char* kSource = "orvane/report/ReportPrompt";

struct KindName {
    ReportPrompt::Kind kind;
    const char* name;
};
constexpr KindName KINDS[] = {{ReportPrompt::Kind::LIST, "list"},         {ReportPrompt::Kind::RADIO, "radio"},
                              {ReportPrompt::Kind::DROPDOWN, "dropdown"}, {ReportPrompt::Kind::BUTTONS, "buttons"},
                              {ReportPrompt::Kind::SLIDER, "slider"},     {ReportPrompt::Kind::RANGE, "range"},
                              {ReportPrompt::Kind::TEXT, "text"}};

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string textOf(const std::shared_ptr<DataValue>& v) {
    if (!v) return {};
    auto f = v->getFormattedValue();
    return f ? *f : v->toString();
}

// The view a report page places for a prompt: the renderer over its whole
// area and, for a text field, the host's editor showing the typed text over
// the field's box.
class PromptHostView : public BaseView {
public:
    std::shared_ptr<BasePromptRenderer> renderer;
    std::shared_ptr<LabelView> editor;

    void setFrame(const Rect& frame) override {
        BaseView::setFrame(frame);
        if (renderer) renderer->setFrame({0.0f, 0.0f, frame.width, frame.height});
        placeEditor();
    }
    void placeEditor() {
        auto field = std::dynamic_pointer_cast<TextFieldRenderer>(renderer);
        if (editor && field) editor->setFrame(field->getTextRect());
    }
    Size getPreferredSize(const Size& available) override {
        return renderer ? renderer->getPreferredSize(available) : Size{0.0f, 0.0f};
    }
};

} // namespace

bool ReportPrompt::parseKind(std::string_view text, Kind& kind) {
    for (const auto& k : KINDS)
        if (text == k.name) {
            kind = k.kind;
            return true;
        }
    return false;
}

const char* ReportPrompt::kindName(Kind kind) {
    for (const auto& k : KINDS)
        if (k.kind == kind) return k.name;
    return "prompt";
}

ReportPrompt::~ReportPrompt() {
    if (popupView_)
        if (auto parent = popupView_->getSuperview()) parent->removeSubview(popupView_);
}

std::shared_ptr<ReportPrompt> ReportPrompt::create(const Settings& settings, const std::shared_ptr<DataSet>& data,
                                                   std::string& error) {
    std::shared_ptr<ReportPrompt> p(new ReportPrompt());
    p->settings_ = settings;
    if (!p->build(data, error)) {
        ORVANE_LOG(CLog::ERRORS, kSource, "Prompt refused: " + error);
        return nullptr;
    }
    return p;
}

bool ReportPrompt::build(const std::shared_ptr<DataSet>& data, std::string& error) {
    if (!data) {
        error = "the prompt has no data";
        return false;
    }
    column_ = data->getColumnWithName(settings_.column);
    if (!column_) {
        std::string names;
        for (const auto& n : data->getColumnNames())
            if (n) names += (names.empty() ? "" : ", ") + *n;
        error = "the data has no column \"" + settings_.column + "\" (columns: " + names + ")";
        return false;
    }
    formatter_ = column_->getFormatter();
    const Kind kind = settings_.kind;
    const bool slider = kind == Kind::SLIDER || kind == Kind::RANGE;
    auto chain = StyleChain::create({settings_.style ? settings_.style : AttributeBundle::create()});

    if (slider) {
        if (!column_->isNumeric()) {
            error = "a " + std::string(kindName(kind)) + " needs a column of numbers, dates or times; \"" +
                    settings_.column + "\" holds text";
            return false;
        }
        const double lo = column_->getMinimumNumber(), hi = column_->getMaximumNumber();
        if (!std::isfinite(lo) || !std::isfinite(hi)) {
            error = "the column \"" + settings_.column + "\" holds no finite numbers to slide over";
            return false;
        }
        if (kind == Kind::RANGE) {
            auto m = RangeSliderModel::create();
            m->styleChain = chain;
            m->isHorizontal = !settings_.vertical;
            m->setRange(lo, hi, formatter_);
            m->setSelectedRange(lo, hi, formatter_);
            model_ = m;
        } else {
            auto m = SingleRangeSliderModel::create();
            m->styleChain = chain;
            m->isHorizontal = !settings_.vertical;
            m->setRange(lo, hi, formatter_);
            m->setSelectedValueSnapped(lo, formatter_);
            model_ = m;
        }
    } else {
        // The distinct values in order, with the number of rows of each.
        std::map<DataValue, size_t> counts;
        std::map<DataValue, std::shared_ptr<DataValue>> firsts;
        const size_t rows = column_->getRowCount();
        bool cut = false;
        if (column_->isNumeric()) {
            std::unordered_map<double, size_t> seen;
            for (size_t r = 0; r < rows; ++r) {
                if (column_->isMissingAtIndex(r)) continue;
                const double v = column_->getNumberAtIndex(r);
                auto it = seen.find(v);
                if (it == seen.end()) {
                    if (seen.size() >= MAX_ENTRIES) {
                        cut = true;
                        continue;
                    }
                    auto value = column_->getDataValueAtIndex(r);
                    it = seen.emplace(v, 0).first;
                    firsts[*value] = value;
                }
                ++it->second;
            }
            for (auto& [v, n] : firsts) counts[v] = seen[v.getNumber()];
        } else {
            const auto& codes = column_->getCodes();
            std::vector<size_t> perCode(column_->getDictionary().size(), 0);
            std::vector<size_t> firstRow(perCode.size(), rows);
            for (size_t r = 0; r < codes.size(); ++r) {
                if (codes[r] == 0 || codes[r] >= perCode.size()) continue;  // code 0: the empty text
                if (perCode[codes[r]]++ == 0) firstRow[codes[r]] = r;
            }
            for (size_t c = 1; c < perCode.size(); ++c) {
                if (!perCode[c]) continue;
                if (firsts.size() >= MAX_ENTRIES) {
                    cut = true;
                    break;
                }
                auto value = column_->getDataValueAtIndex(firstRow[c]);
                firsts[*value] = value;
                counts[*value] = perCode[c];
            }
        }
        if (cut)
            ORVANE_LOG(CLog::ERRORS, kSource,
                       "The column \"" + settings_.column + "\" has more than " + std::to_string(MAX_ENTRIES) +
                           " distinct values: the prompt offers the first ones.");
        std::vector<std::shared_ptr<const std::string>> measures;
        for (auto& [v, value] : firsts) {
            entries_.push_back(value);
            measures.push_back(std::make_shared<const std::string>(std::to_string(counts[v])));
        }
        switch (kind) {
        case Kind::LIST:
        case Kind::RADIO: {
            auto m = PromptListModel::create();
            m->styleChain = chain;
            m->isPromptListRadio = kind == Kind::RADIO;
            m->setItems(entries_);
            m->formattedMeasures = MonitoredVector<std::shared_ptr<const std::string>>::create(measures);
            model_ = m;
            break;
        }
        case Kind::DROPDOWN: {
            auto m = ComboBoxModel::create();
            m->styleChain = chain;
            m->label = std::make_shared<const std::string>(
                settings_.label.empty() ? "(" + *column_->getLabel() + ")" : settings_.label);
            model_ = m;
            break;
        }
        case Kind::BUTTONS: {
            auto m = PromptButtonBarModel::create();
            m->styleChain = chain;
            auto pressed = AttributeBundle::create();
            pressed->setColor(8, 0x3f6fb5);
            pressed->setColor(19, 0xffffff);
            m->selectedStyleChain = StyleChain::create({pressed});
            m->values = MonitoredVector<std::shared_ptr<DataValue>>::create(entries_);
            m->numberOfItems = static_cast<unsigned int>(entries_.size());
            m->selectedIndex = -1;
            m->isHorizonal = !settings_.vertical;
            model_ = m;
            break;
        }
        case Kind::TEXT: {
            auto m = TextFieldModel::create();
            m->styleChain = chain;
            if (!settings_.label.empty()) m->label = std::make_shared<const std::string>(settings_.label);
            model_ = m;
            break;
        }
        default: break;
        }
    }

    view_ = model_->createRenderer();
    auto host = std::make_shared<PromptHostView>();
    host->renderer = view_;
    host->addSubview(view_);
    if (kind == Kind::TEXT) {
        auto editor = LabelView::create();
        editor->setStyleChain(chain);
        editor->setVerticalAlignment(1);
        editor->setTextFlags(0);
        host->editor = editor;
        view_->addSubview(editor);
    }
    hostView_ = host;
    auto handler = PromptGestureHandler::create();
    view_->addGestureHandler(handler);
    handler->setView(view_);

    controller_ = PromptSelectionController::create();
    controller_->setDataName(data->getName());
    controller_->setVariableName(std::make_shared<const std::string>(settings_.column));
    controller_->setSelectionMode(kind == Kind::RANGE ? PromptSelectionMode::RANGE : PromptSelectionMode::DISCRETE);
    targets_ = {data};
    giveControllerTargets();
    return true;
}

void ReportPrompt::giveControllerTargets() {
    // The controller writes its (empty) choice into the data sets it is
    // given; what other prompts or views selected there stays.
    std::vector<std::pair<std::shared_ptr<RowStates>, RowBitmap>> kept;
    for (const auto& ds : targets_)
        if (auto states = ds->getRowStates()) kept.emplace_back(states, states->getBitmap());
    controller_->setDataSets(std::make_shared<std::vector<std::shared_ptr<DataSet>>>(targets_));
    for (const auto& [states, rows] : kept) states->setSelection(rows);
}

void ReportPrompt::attachHandlers() {
    auto self = shared_from_this();
    for (auto& h : *view_->getGestureHandlers())
        if (auto p = std::dynamic_pointer_cast<PromptGestureHandler>(h)) p->setPrompt(self);
}

void ReportPrompt::setTargets(const std::vector<std::shared_ptr<DataSet>>& dataSets) {
    std::vector<std::shared_ptr<DataSet>> kept;
    for (const auto& ds : dataSets) {
        if (!ds) continue;
        if (!ds->getColumnWithName(settings_.column)) {
            ORVANE_LOG(CLog::ERRORS, kSource,
                       "A prompt on \"" + settings_.column + "\" cannot select in data without that column.");
            continue;
        }
        kept.push_back(ds);
    }
    if (kept.empty()) return;
    targets_ = std::move(kept);
    giveControllerTargets();
    if (!targets_.front()->getName()) return;
    controller_->setDataName(targets_.front()->getName());
}

void ReportPrompt::link(const std::vector<std::shared_ptr<ReportPrompt>>& prompts) {
    auto peers = std::make_shared<std::vector<std::weak_ptr<ReportPrompt>>>();
    for (const auto& p : prompts)
        if (p) peers->push_back(p);
    for (const auto& p : prompts)
        if (p) p->peers_ = peers;
}

void ReportPrompt::start() {
    attachHandlers();
    if (settings_.initial.empty()) return;
    auto matching = [&](const std::string& text) -> std::shared_ptr<DataValue> {
        for (const auto& e : entries_)
            if (textOf(e) == text || (e && e->toString() == text)) return e;
        return nullptr;
    };
    auto number = [&](const std::string& text, double& out) {
        if (formatter_ && formatter_->parse(text, out)) return true;
        char* end = nullptr;
        out = std::strtod(text.c_str(), &end);
        return end && !*end && !text.empty() && std::isfinite(out);
    };
    switch (settings_.kind) {
    case Kind::LIST:
    case Kind::RADIO: {
        std::vector<std::shared_ptr<DataValue>> picked;
        for (const auto& t : settings_.initial) {
            if (auto v = matching(t)) picked.push_back(v);
            else ORVANE_LOG(CLog::ERRORS, kSource, "\"" + t + "\" is no value of \"" + settings_.column + "\".");
        }
        std::static_pointer_cast<PromptListModel>(model_)->selectValues(picked);
        break;
    }
    case Kind::DROPDOWN:
    case Kind::BUTTONS: {
        auto v = matching(settings_.initial.front());
        if (!v) {
            ORVANE_LOG(CLog::ERRORS, kSource,
                       "\"" + settings_.initial.front() + "\" is no value of \"" + settings_.column + "\".");
            break;
        }
        auto it = std::find(entries_.begin(), entries_.end(), v);
        choose(static_cast<int>(it - entries_.begin()));
        break;
    }
    case Kind::SLIDER: {
        double v;
        if (number(settings_.initial.front(), v)) moveSliderTo(v);
        else ORVANE_LOG(CLog::ERRORS, kSource, "\"" + settings_.initial.front() + "\" is no number for the slider.");
        break;
    }
    case Kind::RANGE: {
        double a, b;
        if (settings_.initial.size() >= 2 && number(settings_.initial[0], a) && number(settings_.initial[1], b))
            std::static_pointer_cast<RangeSliderModel>(model_)->setSelectedRange(a, b, formatter_);
        else ORVANE_LOG(CLog::ERRORS, kSource, "A range slider starts from two numbers: \"low,high\".");
        break;
    }
    case Kind::TEXT: {
        std::static_pointer_cast<TextFieldModel>(model_)->setText(settings_.initial.front());
        refreshTextEditor();
        break;
    }
    }
    // The values given are picked even when the model already showed them
    // (a slider starts at its minimum).
    commit();
}

// ------------------------------------------------------------------ values

std::shared_ptr<DataValue> ReportPrompt::valueOf(double number) const {
    auto v = DataValue::create(column_->getValueType(), number);
    v->setFormattedValue(std::make_shared<const std::string>(
        formatter_ ? formatter_->format(number) : DataValue(number).toString()));
    return v;
}

std::vector<std::shared_ptr<DataValue>> ReportPrompt::pickedValues() const {
    switch (settings_.kind) {
    case Kind::LIST:
    case Kind::RADIO: return std::static_pointer_cast<PromptListModel>(model_)->getSelectedValues();
    case Kind::DROPDOWN: {
        auto v = std::static_pointer_cast<ComboBoxModel>(model_)->currentValue.get();
        return v ? std::vector<std::shared_ptr<DataValue>>{v} : std::vector<std::shared_ptr<DataValue>>{};
    }
    case Kind::BUTTONS: {
        auto v = std::static_pointer_cast<PromptButtonBarModel>(model_)->getSelectedValue();
        return v ? std::vector<std::shared_ptr<DataValue>>{v} : std::vector<std::shared_ptr<DataValue>>{};
    }
    case Kind::SLIDER:
        return {valueOf(std::static_pointer_cast<SingleRangeSliderModel>(model_)->selectedValue.get())};
    case Kind::RANGE: {
        auto m = std::static_pointer_cast<RangeSliderModel>(model_);
        double lo, hi;
        // The whole range picks nothing: it leaves every row in.
        if (!m->getOrderedRange(lo, hi) ||
            (m->selectedMinimumValue.get() <= lo && m->selectedMaximumValue.get() >= hi))
            return {};
        return {valueOf(m->selectedMinimumValue.get()), valueOf(m->selectedMaximumValue.get())};
    }
    case Kind::TEXT: {
        auto v = std::static_pointer_cast<TextFieldModel>(model_)->currentValue.get();
        const std::string typed = v ? v->toString() : std::string();
        if (typed.empty()) return {};
        std::vector<std::shared_ptr<DataValue>> out;
        if (column_->isNumeric()) {
            double n;
            char* end = nullptr;
            if (formatter_ && formatter_->parse(typed, n)) out.push_back(valueOf(n));
            else if ((n = std::strtod(typed.c_str(), &end)), end && !*end && std::isfinite(n)) out.push_back(valueOf(n));
            return out;
        }
        const std::string needle = lowerAscii(typed);
        for (const auto& e : entries_)
            if (lowerAscii(textOf(e)).find(needle) != std::string::npos) out.push_back(e);
        return out;
    }
    }
    return {};
}

void ReportPrompt::commit() {
    auto picked = pickedValues();
    // Text that matches no value selects no row (rather than every row).
    const auto text = settings_.kind == Kind::TEXT ? std::static_pointer_cast<TextFieldModel>(model_)->currentValue.get()
                                                   : nullptr;
    matchesNothing_ = text && !text->toString().empty() && picked.empty();
    controller_->setSelectedValues(
        picked.empty() ? nullptr : std::make_shared<SelectionController::Values>(std::move(picked)), false);
    applyToTargets();
}

void ReportPrompt::applyToTargets() {
    std::vector<std::shared_ptr<ReportPrompt>> prompts;
    if (peers_) {
        for (const auto& w : *peers_)
            if (auto p = w.lock()) prompts.push_back(p);
    } else {
        prompts.push_back(shared_from_this());
    }
    for (const auto& ds : targets_) {
        const size_t n = ds->getRowCount();
        RowBitmap rows(n, true);
        bool any = false;
        for (const auto& p : prompts) {
            if (std::find(p->targets_.begin(), p->targets_.end(), ds) == p->targets_.end()) continue;
            if (p->matchesNothing_) {
                rows.fill(false);
                any = true;
                continue;
            }
            auto values = p->controller_->getSelectedValues();
            if (!values || values->empty()) continue;
            auto selection = p->controller_->getSelectionFromDataValues(
                ds->getName(), p->controller_->getVariableName(), values, p->controller_->getSelectionMode(), nullptr);
            auto options = p->controller_->getDefaultOptions();
            auto scratch = RowStates::create(n);  // the prompt's own rows, apart from the data's
            if (selection && options && p->controller_->applySelectionToRowStates(selection, ds, *options, *scratch)) {
                rows.andWith(scratch->getBitmap());
                any = true;
            }
        }
        auto states = ds->ensureRowStates();
        if (any) states->setSelection(rows);
        else states->clear(0);
    }
}

std::string ReportPrompt::describeSelection() const {
    if (matchesNothing_) return "no value matches";
    auto values = controller_->getSelectedValues();
    if (!values || values->empty()) return "nothing picked";
    if (settings_.kind == Kind::RANGE && values->size() == 2)
        return textOf((*values)[0]) + " to " + textOf((*values)[1]);
    std::string out;
    for (const auto& v : *values) out += (out.empty() ? "" : ", ") + textOf(v);
    return out;
}

size_t ReportPrompt::getSelectedRowCount() const {
    if (targets_.empty() || !targets_.front()->getRowStates()) return 0;
    return targets_.front()->getRowStates()->getSelectedCount();
}

size_t ReportPrompt::getRowCount() const { return targets_.empty() ? 0 : targets_.front()->getRowCount(); }

// ------------------------------------------------------------------ hit areas

bool ReportPrompt::hasFocus() const { return view_ && view_->hasKeyboardFocus(); }

void ReportPrompt::focus() {
    if (!hasFocus()) FocusManager::setKeyboardFocus(view_);
    refreshTextEditor();
}

void ReportPrompt::releaseFocus() {
    if (hasFocus()) FocusManager::setKeyboardFocus(nullptr);
    refreshTextEditor();
}

bool ReportPrompt::keyForCode(int keyCode, Key& key) {
    switch (keyCode) {
    case KeyCode::LEFT: key = Key::LEFT; return true;
    case KeyCode::RIGHT: key = Key::RIGHT; return true;
    case KeyCode::UP: key = Key::UP; return true;
    case KeyCode::DOWN: key = Key::DOWN; return true;
    case KeyCode::PAGE_UP: key = Key::PAGE_UP; return true;
    case KeyCode::PAGE_DOWN: key = Key::PAGE_DOWN; return true;
    case KeyCode::HOME: key = Key::HOME; return true;
    case KeyCode::END: key = Key::END; return true;
    case KeyCode::ENTER: key = Key::ENTER; return true;
    case KeyCode::ESCAPE: key = Key::ESCAPE; return true;
    default: return false;
    }
}

void ReportPrompt::refreshTextEditor() {
    auto host = std::static_pointer_cast<PromptHostView>(hostView_);
    if (!host->editor) return;
    auto v = std::static_pointer_cast<TextFieldModel>(model_)->currentValue.get();
    std::string text = v ? v->toString() : std::string();
    // The caret of the focused field.
    if (hasFocus()) text += "|";
    host->editor->setText(text.empty() ? nullptr : std::make_shared<const std::string>(text));
    host->placeEditor();
}

bool ReportPrompt::moveSliderTo(double value) {
    if (std::isnan(value)) return false;
    if (settings_.kind == Kind::SLIDER) {
        auto m = std::static_pointer_cast<SingleRangeSliderModel>(model_);
        const double before = m->selectedValue.get();
        return m->setSelectedValueSnapped(value, formatter_) && m->selectedValue.get() != before;
    }
    auto m = std::static_pointer_cast<RangeSliderModel>(model_);
    const double lo = m->selectedMinimumValue.get(), hi = m->selectedMaximumValue.get();
    // A thumb stops at the other one rather than pass it.
    const double v = dragUpper_ ? std::max(value, lo) : std::min(value, hi);
    if (!m->moveThumb(dragUpper_, v, formatter_)) return false;
    return m->selectedMinimumValue.get() != lo || m->selectedMaximumValue.get() != hi;
}

bool ReportPrompt::stepSlider(double steps) {
    auto m = std::static_pointer_cast<SliderModel>(model_);
    double current;
    if (settings_.kind == Kind::SLIDER) current = std::static_pointer_cast<SingleRangeSliderModel>(model_)->selectedValue.get();
    else {
        auto r = std::static_pointer_cast<RangeSliderModel>(model_);
        current = dragUpper_ ? r->selectedMaximumValue.get() : r->selectedMinimumValue.get();
    }
    return moveSliderTo(m->stepFrom(current, steps, formatter_));
}

bool ReportPrompt::choose(int entry) {
    if (entry < 0 || static_cast<size_t>(entry) >= entries_.size()) return false;
    if (settings_.kind == Kind::DROPDOWN) {
        auto m = std::static_pointer_cast<ComboBoxModel>(model_);
        auto before = m->currentValue.get();
        m->choose(entries_[static_cast<size_t>(entry)], entries_);
        focusedRow_ = entry;
        return m->currentValue.get() != before;
    }
    if (settings_.kind == Kind::BUTTONS) {
        auto m = std::static_pointer_cast<PromptButtonBarModel>(model_);
        const int before = m->selectedIndex.get();
        m->pressButton(entry);
        focusedRow_ = entry;
        return m->selectedIndex.get() != before;
    }
    return false;
}

bool ReportPrompt::tap(const Point& p) {
    focus();
    bool changed = false;
    switch (settings_.kind) {
    case Kind::LIST:
    case Kind::RADIO: {
        auto list = std::static_pointer_cast<PromptListRenderer>(view_);
        const int i = list->getItemAt(p);
        if (i < 0) return false;
        auto m = std::static_pointer_cast<PromptListModel>(model_);
        auto flags = m->isIndexSelected.get();
        const bool ticked = flags && static_cast<size_t>(i) < flags->size() && (*flags)[static_cast<size_t>(i)];
        focusedRow_ = i;
        if (settings_.kind == Kind::RADIO && ticked) return true;  // a radio button stays on
        changed = m->setItemSelected(i, !ticked);
        break;
    }
    case Kind::BUTTONS: {
        const int i = std::static_pointer_cast<PromptButtonBarRenderer>(view_)->getButtonAt(p);
        if (i < 0) return false;
        // Pressing the pressed button again releases it: every value again.
        auto m = std::static_pointer_cast<PromptButtonBarModel>(model_);
        if (m->selectedIndex.get() == i) changed = m->pressButton(-1);
        else changed = choose(i);
        focusedRow_ = i;
        break;
    }
    case Kind::DROPDOWN:
        if (isPopupOpen()) closePopup();
        else openPopup();
        return true;
    case Kind::TEXT: return true;
    case Kind::SLIDER:
    case Kind::RANGE: {
        auto slider = std::static_pointer_cast<SliderRenderer>(view_);
        const double v = slider->valueAtPosition(slider->axisPosition(p));
        if (settings_.kind == Kind::RANGE) {
            auto r = std::static_pointer_cast<RangeSliderRenderer>(view_);
            // The thumb nearer the tap goes there.
            const float a = slider->axisPosition(p);
            dragUpper_ = std::fabs(a - r->getThumbPosition(true)) < std::fabs(a - r->getThumbPosition(false)) ||
                         (r->getThumbPosition(true) == r->getThumbPosition(false) &&
                          v >= std::static_pointer_cast<RangeSliderModel>(model_)->selectedMaximumValue.get());
        }
        changed = moveSliderTo(v);
        break;
    }
    }
    if (changed) commit();
    return true;
}

bool ReportPrompt::drag(int state, const Point& start, const Point& location) {
    if (settings_.kind == Kind::LIST || settings_.kind == Kind::RADIO) {
        // A drag scrolls a list longer than its view by whole lines.
        auto list = std::static_pointer_cast<PromptListRenderer>(view_);
        const float l = list->getLineHeight();
        const int shown = std::max(1, static_cast<int>(std::floor((list->getFrame().height - l / 8.0f) / l)));
        const int total = list->getTotalLines();
        if (total <= shown) return false;
        if (state == GestureRecognizerState::BEGAN) dragFirst_ = list->getFirstLine();
        const int moved = static_cast<int>(std::lround((location.y - start.y) / l));
        const int first = std::clamp(dragFirst_ + moved, 0, total - shown);
        if (first == list->getFirstLine()) return true;
        list->setLines(first, first + shown);
        return true;
    }
    if (settings_.kind != Kind::SLIDER && settings_.kind != Kind::RANGE) return false;
    auto slider = std::static_pointer_cast<SliderRenderer>(view_);
    const float from = slider->axisPosition(start), to = slider->axisPosition(location);
    if (state == GestureRecognizerState::BEGAN || !dragging_) {
        focus();
        dragging_ = true;
        const float grab = BasePromptRenderer::px(SliderRenderer::THUMB);
        float thumb;
        if (settings_.kind == Kind::RANGE) {
            auto r = std::static_pointer_cast<RangeSliderRenderer>(view_);
            const float lo = r->getThumbPosition(false), hi = r->getThumbPosition(true);
            if (lo == hi) {
                // Thumbs on top of each other: the direction of the drag says which.
                const double vFrom = slider->valueAtPosition(from), vTo = slider->valueAtPosition(to);
                dragUpper_ = vTo > vFrom || (vTo == vFrom && hi < slider->getTrackLength());
            } else {
                dragUpper_ = std::fabs(from - hi) < std::fabs(from - lo);
            }
            thumb = dragUpper_ ? hi : lo;
        } else {
            thumb = std::static_pointer_cast<SingleRangeSliderRenderer>(view_)->getThumbPosition();
        }
        // Taken by the thumb, the drag keeps the thumb where it was held;
        // begun on the track, the thumb jumps to the point.
        grabOffset_ = std::fabs(from - thumb) <= grab ? thumb - from : 0.0f;
    }
    const bool changed = moveSliderTo(slider->valueAtPosition(to + grabOffset_));
    if (state == GestureRecognizerState::ENDED) dragging_ = false;
    if (changed) commit();
    return true;
}

void ReportPrompt::openPopup() {
    auto parent = overlayParent_.lock();
    if (!parent || entries_.empty()) return;
    popupModel_ = PromptListModel::create();
    // The list lies over other content: outlined, on white.
    auto edge = AttributeBundle::create();
    edge->setColor(StyleAttribute::BORDER_COLOR, 0x8a96a3);
    edge->setColor(StyleAttribute::BACKGROUND_COLOR, 0xffffff);
    edge->setFloat(StyleAttribute::TRANSPARENCY, 0.0f);
    auto chain = StyleChain::create({edge});
    if (auto own = model_->styleChain.get())
        for (const auto& b : own->getBundles()) chain->append(b);
    popupModel_->styleChain = chain;
    popupModel_->isPromptListRadio = true;
    popupModel_->setItems(entries_);
    if (auto current = std::static_pointer_cast<ComboBoxModel>(model_)->currentValue.get())
        popupModel_->selectValues({current});
    popupView_ = std::static_pointer_cast<PromptListRenderer>(popupModel_->createRenderer());
    const float l = popupView_->getLineHeight();
    const int lines = std::min<int>(static_cast<int>(entries_.size()), MAX_VISIBLE_LINES);
    const float h = std::ceil(static_cast<float>(lines) * l + l / 8.0f + 1.0f);
    const Point origin = view_->getOriginInRootViewCoordinates();
    const Rect box = std::static_pointer_cast<ComboBoxRenderer>(view_)->getBoxRect();
    const Rect page = parent->getFrame();
    // Below the box, or above it when the page ends first.
    float y = origin.y + box.y - h;
    if (y < 0.0f) y = std::min(origin.y + box.y + box.height, std::max(0.0f, page.height - h));
    const int first = std::clamp(focusedRow_ - lines / 2, 0, std::max(0, static_cast<int>(entries_.size()) - lines));
    popupView_->setLines(first, first + lines);
    parent->addSubview(popupView_);
    popupView_->setFrame({origin.x + box.x, y, box.width, h});
}

void ReportPrompt::closePopup() {
    if (!popupView_) return;
    if (auto parent = popupView_->getSuperview()) parent->removeSubview(popupView_);
    popupView_.reset();
    popupModel_.reset();
}

bool ReportPrompt::tapWhilePopupOpen(const Point& rootPoint) {
    if (!popupView_) return false;
    // The list lies directly on the root view: its frame is in root coordinates.
    const Rect f = popupView_->getFrame();
    const int i = f.contains(rootPoint) ? popupView_->getItemAt({rootPoint.x - f.x, rootPoint.y - f.y}) : -1;
    const bool changed = choose(i);
    closePopup();
    if (changed) commit();
    return true;
}

bool ReportPrompt::pressKey(Key key) {
    bool changed = false;
    const bool horizontal = (settings_.kind == Kind::SLIDER || settings_.kind == Kind::RANGE)
                                ? std::static_pointer_cast<SliderRenderer>(view_)->isHorizontal()
                                : settings_.kind == Kind::BUTTONS && !settings_.vertical;
    // Left and right follow the reading direction of a row.
    int sideways = key == Key::RIGHT ? 1 : key == Key::LEFT ? -1 : 0;
    if (horizontal && BasePromptRenderer::isRightToLeft()) sideways = -sideways;
    const int upDown = key == Key::UP ? 1 : key == Key::DOWN ? -1 : 0;
    switch (settings_.kind) {
    case Kind::SLIDER:
    case Kind::RANGE: {
        auto m = std::static_pointer_cast<SliderModel>(model_);
        double lo, hi;
        if (!m->getOrderedRange(lo, hi)) return false;
        if (key == Key::HOME) changed = moveSliderTo(lo);
        else if (key == Key::END) changed = moveSliderTo(hi);
        else if (key == Key::PAGE_UP || key == Key::PAGE_DOWN) changed = stepSlider(key == Key::PAGE_UP ? 10 : -10);
        else if (sideways || upDown) changed = stepSlider(sideways ? sideways : upDown);
        else if (key == Key::SPACE && settings_.kind == Kind::RANGE) dragUpper_ = !dragUpper_;  // the other thumb
        break;
    }
    case Kind::LIST:
    case Kind::RADIO: {
        auto list = std::static_pointer_cast<PromptListRenderer>(view_);
        const int total = list->getTotalLines();
        if (total == 0) return false;
        if (upDown || key == Key::HOME || key == Key::END) {
            focusedRow_ = key == Key::HOME ? 0 : key == Key::END ? total - 1 : std::clamp(focusedRow_ - upDown, 0, total - 1);
            // Keep the row in the window of lines.
            const int shown = std::max(1, list->getEndLine() - list->getFirstLine());
            int first = list->getFirstLine();
            if (focusedRow_ < first) first = focusedRow_;
            if (focusedRow_ >= first + shown) first = focusedRow_ - shown + 1;
            if (first != list->getFirstLine()) list->setLines(first, first + shown);
            return true;
        }
        if (key == Key::SPACE || key == Key::ENTER) {
            auto m = std::static_pointer_cast<PromptListModel>(model_);
            auto flags = m->isIndexSelected.get();
            const bool ticked = flags && static_cast<size_t>(focusedRow_) < flags->size() &&
                                (*flags)[static_cast<size_t>(focusedRow_)];
            if (!(settings_.kind == Kind::RADIO && ticked)) changed = m->setItemSelected(focusedRow_, !ticked);
        }
        break;
    }
    case Kind::BUTTONS:
    case Kind::DROPDOWN: {
        const int n = static_cast<int>(entries_.size());
        if (n == 0) return false;
        if (settings_.kind == Kind::DROPDOWN && (key == Key::ENTER || key == Key::SPACE)) {
            if (isPopupOpen()) closePopup();
            else openPopup();
            return true;
        }
        if (key == Key::ESCAPE) {
            closePopup();
            return true;
        }
        // A drop-down's list runs down the screen: down is the next entry.
        int move = sideways ? sideways : settings_.kind == Kind::DROPDOWN || settings_.vertical ? -upDown : 0;
        if (key == Key::HOME || key == Key::END) changed = choose(key == Key::HOME ? 0 : n - 1);
        else if (move) {
            const bool none = settings_.kind == Kind::DROPDOWN
                                  ? !std::static_pointer_cast<ComboBoxModel>(model_)->currentValue.get()
                                  : std::static_pointer_cast<PromptButtonBarModel>(model_)->selectedIndex.get() < 0;
            changed = choose(none ? (move > 0 ? 0 : n - 1) : std::clamp(focusedRow_ + move, 0, n - 1));
        }
        closePopup();
        break;
    }
    case Kind::TEXT: {
        auto m = std::static_pointer_cast<TextFieldModel>(model_);
        auto v = m->currentValue.get();
        std::string text = v ? v->toString() : std::string();
        if (key == Key::BACKSPACE && !text.empty()) {
            // Drop the last character, not the last byte.
            size_t cut = text.size() - 1;
            while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0) == 0x80) --cut;
            text.resize(cut);
            m->setText(text);
            changed = true;
        } else if (key == Key::ESCAPE && !text.empty()) {
            m->setText("");
            changed = true;
        }
        refreshTextEditor();
        break;
    }
    }
    if (changed) commit();
    return changed;
}

bool ReportPrompt::typeText(std::string_view typed) {
    if (settings_.kind != Kind::TEXT) return false;
    auto m = std::static_pointer_cast<TextFieldModel>(model_);
    auto v = m->currentValue.get();
    std::string text = v ? v->toString() : std::string();
    if (typed.size() > TextFieldModel::MAX_CHARACTERS * 4) typed = typed.substr(0, TextFieldModel::MAX_CHARACTERS * 4);
    text.append(typed);
    m->setText(text);
    refreshTextEditor();
    commit();
    return true;
}

// ------------------------------------------------------------------ sizes

float ReportPrompt::getPreferredHeight(float width) const {
    Size s = view_->getPreferredSize({width, 0.0f});
    if (auto list = std::dynamic_pointer_cast<PromptListRenderer>(view_)) {
        // A long list shows a window of lines and scrolls.
        const int lines = std::min(list->getTotalLines(), MAX_VISIBLE_LINES);
        return std::ceil(static_cast<float>(std::max(lines, 1)) * list->getLineHeight() + list->getLineHeight() / 8.0f);
    }
    if (settings_.kind == Kind::BUTTONS) {
        auto bar = std::static_pointer_cast<PromptButtonBarRenderer>(view_);
        const float line = bar->getPreferredFieldHeight();
        const size_t n = bar->getButtonTexts().size();
        return settings_.vertical ? line * static_cast<float>(std::max<size_t>(n, 1)) : line;
    }
    return std::ceil(s.height);
}

float ReportPrompt::getPreferredWidth() const {
    Size s = view_->getPreferredSize({0.0f, 0.0f});
    if (settings_.kind == Kind::BUTTONS && !settings_.vertical) {
        auto bar = std::static_pointer_cast<PromptButtonBarRenderer>(view_);
        return std::ceil((s.width + BasePromptRenderer::px(16.0f)) * static_cast<float>(bar->getButtonTexts().size()));
    }
    if (settings_.kind == Kind::SLIDER || settings_.kind == Kind::RANGE) return BasePromptRenderer::px(240.0f);
    if (settings_.kind == Kind::LIST || settings_.kind == Kind::RADIO) return BasePromptRenderer::px(200.0f);
    return std::ceil(std::max(s.width, BasePromptRenderer::px(160.0f)));
}

} // namespace orvane
