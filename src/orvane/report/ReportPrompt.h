// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class AttributeBundle;
class BasePromptRenderer;
class BaseView;
class Column;
class DataSet;
class DataValue;
class Formatter;
class PromptListModel;
class PromptListRenderer;
class PromptModel;
class PromptSelectionController;

/// A prompt as a report page hosts it: a prompt model filled from one column
/// of a data set, its renderer, its selection controller, and the hit areas
/// over the drawn parts that turn a reader's gestures and keys into model
/// values (the renderers only draw). Every change of the model's choice goes
/// through the PromptSelectionController (its picked values and its event);
/// the prompts linked over the same data then select together: a row is
/// selected when it satisfies every prompt that picked something, and no row
/// is selected while none has.
///
/// Kinds: "list" (check boxes), "radio", "dropdown", "buttons" (the column's
/// distinct values), "slider" (one value), "range" (two thumbs; the rows
/// between them) and "text" (the rows whose value contains the typed text,
/// ignoring case; an equal number for a numeric column).
class ORVANE_EXPORT ReportPrompt : public std::enable_shared_from_this<ReportPrompt> {
public:
    enum class Kind { LIST, RADIO, DROPDOWN, BUTTONS, SLIDER, RANGE, TEXT };
    /// Keys a focused prompt answers.
    enum class Key { LEFT, RIGHT, UP, DOWN, PAGE_UP, PAGE_DOWN, HOME, END, SPACE, ENTER, BACKSPACE, ESCAPE };

    struct Settings {
        Kind kind = Kind::LIST;
        std::string column;
        std::string label;
        std::shared_ptr<AttributeBundle> style;
        bool vertical = false;  ///< sliders and button bars
        /// Values picked at the start, as texts of the column's values (a
        /// range takes the first two as its ends).
        std::vector<std::string> initial;
    };

    /// Most entries a list, drop-down or button bar offers; a column with
    /// more distinct values offers the first ones (logged).
    static constexpr size_t MAX_ENTRIES = 100000;
    /// Lines a list shows at most before it scrolls.
    static constexpr int MAX_VISIBLE_LINES = 8;

    /// Null, with the reason in `error`, when the column does not exist or
    /// does not suit the kind (sliders need numbers, dates or times).
    static std::shared_ptr<ReportPrompt> create(const Settings& settings, const std::shared_ptr<DataSet>& data,
                                                std::string& error);
    static bool parseKind(std::string_view text, Kind& kind);
    /// The prompt key for a host key code (KeyCode); false for a key prompts
    /// do not answer.
    static bool keyForCode(int keyCode, Key& key);
    static const char* kindName(Kind kind);
    ~ReportPrompt();

    /// The data sets the prompt selects rows in (default: the one it was made
    /// from). They must hold the prompt's column.
    void setTargets(const std::vector<std::shared_ptr<DataSet>>& dataSets);
    const std::vector<std::shared_ptr<DataSet>>& getTargets() const { return targets_; }
    /// Makes the prompts select together (each must target the same data).
    static void link(const std::vector<std::shared_ptr<ReportPrompt>>& prompts);
    /// Applies the initial values (after linking and targeting).
    void start();

    Kind getKind() const { return settings_.kind; }
    const std::string& getColumnName() const { return settings_.column; }
    const std::shared_ptr<PromptModel>& getModel() const { return model_; }
    /// The prompt's renderer (its hit areas are gesture handlers on it).
    const std::shared_ptr<BasePromptRenderer>& getView() const { return view_; }
    /// The view a page places: the renderer and the host's text editor.
    const std::shared_ptr<BaseView>& getHostView() const { return hostView_; }
    const std::shared_ptr<PromptSelectionController>& getController() const { return controller_; }
    /// Where open pop-ups (a drop-down's list) are shown: the page's root view.
    void setOverlayParent(const std::shared_ptr<BaseView>& root) { overlayParent_ = root; }

    /// Height the prompt wants at a width.
    float getPreferredHeight(float width) const;
    /// Width the prompt wants.
    float getPreferredWidth() const;

    // ---- the hit areas: points in the prompt view's coordinates (origin at
    // its bottom left, y up). Each answers true when it changed something.
    bool tap(const Point& p);
    /// A drag: `state` is a GestureRecognizerState, `start` where it began,
    /// `location` where it is now.
    bool drag(int state, const Point& start, const Point& location);
    /// A tap while the drop-down's list is open, at a point of the page's
    /// root view: inside the list it chooses the entry; anywhere else it
    /// closes the list. False when no list is open (the tap goes on).
    bool tapWhilePopupOpen(const Point& rootPoint);
    void closePopup();
    bool pressKey(Key key);
    /// Types text at the end of a text field's text (invalid UTF-8 repaired,
    /// long text cut, as the model does).
    bool typeText(std::string_view text);

    bool hasFocus() const;
    void focus();
    /// Gives up the keyboard focus (a tap elsewhere on the page took it) and
    /// takes a text field's caret away.
    void releaseFocus();
    bool isPopupOpen() const { return popupView_ != nullptr; }
    const std::shared_ptr<PromptListRenderer>& getPopupView() const { return popupView_; }

    /// The picked values' texts, in the prompt's order ("East, West";
    /// "2021 to 2023" for a range).
    std::string describeSelection() const;
    /// Selected rows of the first target, and its row count.
    size_t getSelectedRowCount() const;
    size_t getRowCount() const;

private:
    ReportPrompt() = default;
    bool build(const std::shared_ptr<DataSet>& data, std::string& error);
    std::vector<std::shared_ptr<DataValue>> pickedValues() const;
    std::shared_ptr<DataValue> valueOf(double number) const;
    /// The model's choice to the controller, then the rows of every target.
    void commit();
    void attachHandlers();
    void giveControllerTargets();
    void applyToTargets();
    bool stepSlider(double steps);
    bool moveSliderTo(double value);
    void openPopup();
    void refreshTextEditor();
    bool choose(int entry);

    Settings settings_;
    std::shared_ptr<Column> column_;
    std::shared_ptr<const Formatter> formatter_;  ///< the column's; null: whole steps
    std::vector<std::shared_ptr<DataValue>> entries_;
    std::shared_ptr<PromptModel> model_;
    std::shared_ptr<BasePromptRenderer> view_;
    std::shared_ptr<PromptSelectionController> controller_;
    std::vector<std::shared_ptr<DataSet>> targets_;
    std::shared_ptr<std::vector<std::weak_ptr<ReportPrompt>>> peers_;
    std::weak_ptr<BaseView> overlayParent_;
    std::shared_ptr<PromptListModel> popupModel_;
    std::shared_ptr<PromptListRenderer> popupView_;
    std::shared_ptr<BaseView> hostView_;
    bool matchesNothing_ = false;  ///< typed text that no value holds
    int dragFirst_ = 0;            ///< a list's first line when a drag began
    bool dragUpper_ = true;     ///< the range thumb held or last moved
    bool dragging_ = false;
    float grabOffset_ = 0.0f;   ///< thumb centre minus the point that took it
    int focusedRow_ = 0;        ///< list rows and buttons moved through by keys
};

} // namespace orvane
