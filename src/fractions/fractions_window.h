// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/variable_table.h"
#include "expressions/expression_editor.h"
#include "expressions/fract_node.h"
#include "fractions/variable_editor.h"
#include "platform/translation.h"
#include "platform/window_options.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace kestrane {

class Canvas;
class Clipboard;
class Host;
class PrecisionDialog;

// The Fractions and Roots window: one main expression typed with the cursor
// editor, simplified exactly and restored, two memories of subexpressions, a
// short description, the user variables, and fraction files. View mode 0
// shows the main expression, 1 a variable's value being edited in the big
// view, 2 the list of variables. While the main expression is out of view it
// is kept aside with its caret.
class FractionsWindow {
public:
    static constexpr int kWidth = 991;
    static constexpr int kHeight = 726;
    // The main expression's centre, and its top below the drawing area's top.
    static constexpr int kCentre = 450;
    static constexpr int kTopMargin = 120;
    static constexpr const char* kNoName = N_("NoName");
    static constexpr const char* kFileFilter = N_("Fractions (*.fra)");

    enum class Mode { Main = 0, NewVariable = 1, List = 2 };

    // The buttons at the bottom of the list view and of mode 1, at window
    // height - 60: "Fraction" (Ctrl+F), "Accept" (Ctrl+A), "List" (Ctrl+L).
    static constexpr int kListButtonsBottomOffset = 60;
    static constexpr int kListButtonsY = kHeight - kListButtonsBottomOffset;
    static constexpr int kListButtonWidth = 100;
    static constexpr int kListButtonHeight = 30;
    static constexpr int kFractionButtonX = 60;
    static constexpr int kAcceptButtonX = 200;
    static constexpr int kListButtonX = 340;
    // The labels over the Root, Fraction and Power buttons, from the right
    // edge, and their heights above the bottom edge.
    static constexpr int kRootLabelOffset = 200;
    static constexpr int kFractionLabelOffset = 142;
    static constexpr int kPowerLabelOffset = 80;
    static constexpr int kLabelBottomOffset = 83;
    static constexpr int kShortcutBottomOffset = 128;

    // What differs in the Calculator, which is this window extended.
    struct Setup {
        int width = kWidth;
        int height = kHeight;
        WindowOptionsKind optionsKind = WindowOptionsKind::Fractions;
        const char* helpPage = "fractions_window.html";
        bool decimals = false;
        // Where "Approximate value is:" is written.
        int valueX = kWidth - 460;
        int valueY = kHeight - 180;
    };

    FractionsWindow(Host& host, Canvas& metrics, std::span<const std::int32_t> primes = {});
    FractionsWindow(Host& host, Canvas& metrics, std::span<const std::int32_t> primes, Setup setup);
    // Gives back the long-number word count it found (Precision changes it).
    ~FractionsWindow();
    FractionsWindow(const FractionsWindow&) = delete;
    // Where Ctrl+C copies and Shift+Insert pastes the linear notation.
    void setClipboard(Clipboard* clipboard) { m_clipboard = clipboard; }
    FractionsWindow& operator=(const FractionsWindow&) = delete;

    // The expression in view: the main one in mode 0, the value being edited
    // in mode 1.
    ExpressionEditor& editor() { return m_editor; }
    const ExpressionEditor& editor() const { return m_editor; }
    // The main expression in any mode.
    const FractNode& mainExpression() const;
    Mode mode() const { return m_mode; }
    // The file name, or "NoName" before a file is opened or saved.
    std::string caption() const;
    // The file opened or saved last; empty before either.
    const std::string& fileName() const { return m_fileName; }
    const VariableTable& variables() const { return m_variables; }
    VariableTable& variables() { return m_variables; }
    // The expression as it was before Simplify; null when not simplified.
    const FractNode* unsimplified() const { return m_unsimplified.get(); }
    const FractNode* memory(int index) const
    {
        return m_memories[static_cast<std::size_t>(index)].get();
    }
    bool complexNumbers() const { return m_complex; }
    void setComplexNumbers(bool on) { m_complex = on; }
    bool modified() const { return m_modified; }
    int width() const { return m_setup.width; }
    int height() const { return m_setup.height; }
    int listButtonsY() const { return m_setup.height - kListButtonsBottomOffset; }

    // --- File -------------------------------------------------------------------
    void newFile();
    // A fresh main expression; the file, the description and the variables
    // stay.
    void newExpression() { afterNewExpression(nullptr); }
    bool open();
    // Open without the dialog: reads the file at path.
    bool openFile(const std::string& path);
    // Save under the current name (as Save as when there is none); both
    // take the description from the box.
    bool save();
    bool saveAs();
    // Closing with unsaved changes asks to save them; false when the user
    // cancels (the window stays open).
    bool close();

    // --- Expression and view -------------------------------------------------
    void showMain();
    // Refused with "Wrong character discovered." while an empty slot remains.
    void showList();
    void listHelp();
    void simplify();
    void restore();
    void toggleComplexNumbers() { m_complex = !m_complex; }
    // Precision OK: the calculator's word counts change with it.
    void applyPrecision(const PrecisionDialog& dialog);
    // Every leaf naming an enabled user variable takes the variable's value
    // (after restoring a simplified expression), until nothing changes.
    void substitute();
    // Value: the expression (the unsimplified one after Simplify) in single
    // precision with 7 significant digits ("0.7071068"), or "undefined"
    // where it has none. Complex numbers and undefined names are refused.
    void value();
    // The text shown after "Approximate value is:"; empty before Value.
    const std::string& valueText() const { return m_valueText; }

    // --- Variables --------------------------------------------------------------
    // Opens the variable editor on a new variable (index -1) or a record.
    void openVariableEditor(int index = -1);
    VariableEditor* variableEditor() { return m_variableEditor.get(); }
    const VariableEditor* variableEditor() const { return m_variableEditor.get(); }
    // Runs the acceptance checks; the editor closes when they pass.
    bool acceptVariable();
    void closeVariableEditor() { m_variableEditor.reset(); }
    // The editor's "Variables" button: after OK the variable it edits is
    // removed (a new one is not made) and the editor closes.
    void deleteEditedVariable();
    // A click in the window: in the list a row or a bottom button; in modes
    // 0 and 1 the root-degree control, else the caret goes to the nearest
    // place of the expression. Returns whether it fell on something.
    bool click(int x, int y);
    // Mode 1: a record's value in the big view.
    void editValue(int index);
    // The bottom buttons.
    void fractionButton();
    void acceptButton();
    void listButton();
    void toggleEnabled(int index);
    // The scroll bar of the list: its maximum (0 while the list fits) and a
    // move to a position, 100 pixels a step.
    int scrollMaximum() const;
    int scrollPosition() const;
    void scrollTo(int position);
    // The record edited in mode 1, or -1.
    int editedRecord() const { return m_editedRecord; }

    // --- Options -------------------------------------------------------------
    const WindowOptions& options() const { return m_options; }
    // Every expression is measured again at the new font height.
    void setOptions(const WindowOptions& options);
    void chooseFont();
    void chooseColours();
    bool saveOptions();

    // --- Memories and description -------------------------------------------
    // Stores the selected subexpression; an empty slot leaves the memory empty.
    void storeMemory(int index);
    // Puts the memory's copy into the empty slot under the caret.
    void recallMemory(int index);
    const std::string& description() const { return m_description; }
    // The text of the description box, cut to 250 characters.
    void setDescription(std::string text);

    // Buttons by name (Imge3-5, NImage1-5, HImage1, HImage2, M1In, M1InRed,
    // M2In, M2InRed, M1Out, M2Out, and the variable editor's Fraction, Power,
    // Root, Help, Variables while it is open); false for an unknown one.
    bool pressButton(const std::string& name);
    // Menu items by caption without '&'; false for an unknown one.
    bool menu(const std::string& caption);
    // '=' without Shift simplifies; Escape restores a simplified expression
    // or starts a new one; Ctrl+M and Ctrl+H show the main expression (Ctrl+H
    // in the list shows its help); Ctrl+V, Ctrl+S, Ctrl+L in mode 0 and
    // Ctrl+F, Ctrl+A, Ctrl+L in modes 1 and 2 press their buttons; the rest
    // is cursor editing. Keys go to the variable editor while it is open.
    void keyDown(std::uint16_t key, Modifiers modifiers);

    void paint(Canvas& canvas) const;

private:
    void afterNewExpression(std::unique_ptr<FractNode> tree);
    bool writeTo(const std::string& fileName);
    // Leaving mode 0 puts the main expression aside; coming back restores it.
    void keepMainAside();
    void bringMainBack();
    void layoutList();
    bool controlKey(std::uint16_t key);
    bool insertCommand(const std::string& name);

    Setup m_setup;
    Host& m_host;
    Canvas& m_metrics;
    Clipboard* m_clipboard = nullptr;
    std::span<const std::int32_t> m_primes;
    ExpressionEditor m_editor;
    Mode m_mode = Mode::Main;
    VariableTable m_variables;
    std::unique_ptr<FractNode> m_unsimplified;
    std::array<std::unique_ptr<FractNode>, 2> m_memories;
    bool m_complex = false;
    bool m_modified = false;
    std::string m_fileName;
    std::string m_description;
    std::string m_valueText;
    std::unique_ptr<FractNode> m_mainAside;
    CaretPlace m_mainCaret;
    bool m_mainEditing = true;
    int m_editedRecord = -1;
    std::unique_ptr<VariableEditor> m_variableEditor;
    WindowOptions m_options;
    int m_previousWords;
};

} // namespace kestrane
