#pragma once

#include "fractions/calculator_output.h"
#include "fractions/expression_editor.h"
#include "fractions/fract_node.h"
#include "fractions/long_eval.h"
#include "fractions/variable_table.h"
#include "platform/window_options.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

class Canvas;
class Clipboard;
class Host;
class PrecisionDialog;

// The calculator: an expression typed with the cursor editor, evaluated in
// long numbers to the chosen precision, real or complex. While it is open
// the long numbers have calcWords() + 10 words; closing it gives back the
// word count it found.
class Calculator {
public:
    static constexpr int kWidth = 990;
    static constexpr int kHeight = 717;
    // The result lines are split to this width.
    static constexpr int kResultAreaWidth = 900;
    // Where a short result is drawn, and the top of the image buttons.
    static constexpr int kResultX = 40;
    static constexpr int kResultTop = 330;
    static constexpr int kResultLineStep = 28;
    static constexpr int kButtonsTop = 560;
    static constexpr int kExpressionHeight = 300;

    Calculator(Host& host, Clipboard& clipboard, Canvas& metrics);
    ~Calculator();
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    ExpressionEditor& editor() { return m_editor; }
    const ExpressionEditor& editor() const { return m_editor; }

    bool complexNumbers() const { return m_complex; }
    void setComplexNumbers(bool on) { m_complex = on; }

    const VariableTable& variables() const { return m_variables; }
    // Adds a variable, or replaces the value of one of that name.
    void defineVariable(std::string name, std::unique_ptr<FractNode> value);
    void clearVariables() { m_variables = VariableTable(); }
    // A disabled variable is kept but neither substituted nor computed with.
    void setVariableEnabled(const std::string& name, bool enabled);

    // '=': checks the expression, evaluates it (or, for a name not yet
    // defined, starts its definition "name = ?"), puts the text on the
    // clipboard and keeps the shown result. Returns whether a result came.
    bool compute();
    const std::optional<CalculatorOutput>& result() const { return m_result; }

    // A key: '=' without Ctrl computes, Escape starts anew, a second point in
    // a number and an 'i' outside an empty slot are refused; the rest is
    // cursor editing. Anything typed first erases a shown result.
    void keyDown(std::uint16_t key, Modifiers modifiers);
    // An image button by name ("KImage1" ... "KImage16", "GImage1" ...
    // "GImage15", "BImage1", "BImage3"); false for an unknown name.
    bool pressButton(const std::string& name);

    // The expression, the group titles and shortcut hints, and a short
    // result under "Result (saved to clipboard):".
    void paint(Canvas& canvas) const;
    // Blink tick of the caret (every 250 ms).
    void tick() { m_editor.tick(); }

    // Escape: a new expression, the result erased; variables stay.
    void newExpression();
    // Precision OK: the new word counts, the constants rebuilt.
    void applyPrecision(const PrecisionDialog& dialog);

    // Menu items by caption without '&' ("New", "Precision" as OK at the
    // dialog's start, "Complex Numbers", "Font", "Colors", "Save options",
    // "Index"); false for an unknown one.
    bool menu(const std::string& caption);
    // The font and colours of slot 2 ("CalcOpt"); a new font height measures
    // the expression again.
    const WindowOptions& options() const { return m_options; }
    void setOptions(const WindowOptions& options);
    void chooseFont();
    void chooseColours();
    bool saveOptions();

private:
    const VariableRecord* findVariable(const std::string& name) const;
    LongVariables enabledVariables() const;
    // Every name resolves and no place is empty; an 'i' turns complex
    // numbers on.
    bool check(const FractNode& tree);
    void startDefinition();
    void insertSymbol(char letter);
    bool evaluate(const FractNode& tree, const std::string* definedName);

    Host& m_host;
    Clipboard& m_clipboard;
    Canvas& m_metrics;
    ExpressionEditor m_editor;
    int m_previousWords;
    bool m_complex = false;
    VariableTable m_variables;
    std::optional<CalculatorOutput> m_result;
    WindowOptions m_options;
};

} // namespace kestrane
