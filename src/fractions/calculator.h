// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/long_eval.h"
#include "algebra/variable_table.h"
#include "expressions/expression_editor.h"
#include "expressions/fract_node.h"
#include "fractions/calculator_output.h"
#include "fractions/calculator_results.h"
#include "fractions/fractions_window.h"
#include "platform/translation.h"
#include "platform/window_options.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrane {

class Canvas;
class Clipboard;
class Host;
class PrecisionDialog;

// The calculator: the Fractions and Roots window extended. It keeps that
// window's menus, buttons, variables, list, memories and files, and adds the
// evaluation of the expression in long numbers to the chosen precision, real
// or complex: '=' computes, Escape starts a new expression. While it is open
// the long numbers have calcWords() + 10 words; closing it gives back the
// word count it found.
class Calculator {
public:
    static constexpr int kWidth = 990;
    static constexpr int kHeight = 717;

    // A short result is drawn from kResultX, under the expression and not
    // below kResultBottom; its lines are split to kResultAreaWidth.
    static constexpr int kResultX = 40;
    static constexpr int kResultTop = 200;
    static constexpr int kResultBottom = 465;
    static constexpr int kResultAreaWidth = kWidth - 2 * kResultX;
    static constexpr int kLabelStep = 28;

    // The panel of image buttons: the group titles, then rows of buttons.
    static constexpr int kTitleY = 500;
    static constexpr int kPanelTop = 525;
    static constexpr int kRowStep = 40;
    static constexpr int kKeyboardX = 20;
    static constexpr int kTrigonometricX = 230;
    static constexpr int kInverseX = 420;
    static constexpr int kOtherX = 600;
    static constexpr int kGreekTitleY = 610;
    static constexpr int kGreekTop = 635;
    // The variable buttons at the top right, the hints "Ctrl-V", "Ctrl-S",
    // "Ctrl-L" beside them.
    static constexpr int kVariableButtonsX = 836;
    static constexpr int kHintX = 900;
    static constexpr int kHintTop = 30;
    static constexpr int kHintStep = 30;

    Calculator(Host& host, Clipboard& clipboard, Canvas& metrics,
               std::span<const std::int32_t> primes = {});
    ~Calculator();
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    static constexpr const char* kCaption = N_("Calculator");
    std::string caption() const { return kCaption; }

    // The Fractions and Roots window inside: mode, lists, memories, files.
    FractionsWindow& window() { return m_window; }
    const FractionsWindow& window() const { return m_window; }
    // The expression in view.
    ExpressionEditor& editor() { return m_window.editor(); }
    const ExpressionEditor& editor() const { return m_window.editor(); }

    bool complexNumbers() const { return m_window.complexNumbers(); }
    void setComplexNumbers(bool on) { m_window.setComplexNumbers(on); }

    const VariableTable& variables() const { return m_window.variables(); }
    // Adds a variable, or replaces the value of one of that name.
    void defineVariable(std::string name, std::unique_ptr<FractNode> value);
    void clearVariables() { m_window.variables() = VariableTable(); }
    // A disabled variable is kept but neither substituted nor computed with.
    void setVariableEnabled(const std::string& name, bool enabled);

    // '=': checks the expression, evaluates it (or, for a name not yet
    // defined, starts its definition "name = ?"), puts the text on the
    // clipboard and keeps the shown result. Returns whether a result came.
    bool compute();
    const std::optional<CalculatorOutput>& result() const { return m_result; }
    // How many results have come: a window shows each long one once.
    int resultCount() const { return m_resultCount; }

    // A key: in the main view '=' without Ctrl computes and Escape starts
    // anew; a second point in a number and an 'i' outside an empty slot are
    // refused; the rest goes to the window (its Ctrl keys, the list, the
    // cursor editing). Anything typed first erases a shown result.
    void keyDown(std::uint16_t key, Modifiers modifiers);
    // An image button by name ("KImage1" ... "KImage16", "GImage1" ...
    // "GImage15", "BImage1", "BImage3", and every button of the Fractions
    // and Roots window); false for an unknown name.
    bool pressButton(const std::string& name);
    // A click in the window (the list, the root-degree control, the caret).
    bool click(int x, int y) { return m_window.click(x, y); }

    // The window, the group titles and hints, and a short result under
    // "Result (saved to clipboard):".
    void paint(Canvas& canvas) const;
    // Blink tick of the caret (every 250 ms).
    void tick() { m_window.editor().tick(); }

    // Escape: a new expression, the result erased; variables stay.
    void newExpression();
    // Precision OK: the new word counts, the constants rebuilt.
    void applyPrecision(const PrecisionDialog& dialog);

    // Menu items by caption without '&': every item of the Fractions and
    // Roots window ("New" also forgets the variables and erases the result;
    // "Precision" is OK at the current precision; Font, Colors and Save
    // options work on "CalcOpt"; "Index" opens the calculator's page); false
    // for an unknown one.
    bool menu(const std::string& caption);
    // The calculator closes without asking to save.
    bool close() { return true; }
    // The font and colours of slot 2 ("CalcOpt"); a new font measures the
    // expressions and splits a shown result again.
    const WindowOptions& options() const { return m_window.options(); }
    void setOptions(const WindowOptions& options);
    void chooseFont();
    void chooseColours() { m_window.chooseColours(); }
    bool saveOptions() { return m_window.saveOptions(); }

    // The font the result's digits are drawn in: the expressions' font.
    CanvasFont resultFont() const;
    // The labels, signs and lines of a result shown in the window, where
    // paint() draws them; empty when none is shown here.
    std::vector<PlacedText> resultTexts(Canvas& metrics) const;
    // The results window of a result too long for the window.
    std::optional<CalculatorResults> resultsWindow() const;

private:
    const VariableRecord* findVariable(const std::string& name) const;
    LongVariables enabledVariables() const;
    // Every name resolves and no place is empty; an 'i' turns complex
    // numbers on.
    bool check(const FractNode& tree);
    void startDefinition();
    void insertSymbol(char letter);
    bool evaluate(const FractNode& tree, const std::string* definedName);
    // Splits the result's lines for the window, or for the results window
    // when they do not fit there.
    void layoutResult();
    int resultTop() const;
    // The editor a button types into: the variable editor's while it is
    // open, else the window's; null in the list.
    ExpressionEditor* typingEditor();

    FractionsWindow m_window;
    Clipboard& m_clipboard;
    Canvas& m_metrics;
    Host& m_host;
    std::optional<CalculatorOutput> m_result;
    int m_resultCount = 0;
};

} // namespace kestrane
