// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "platform/translation.h"

#include "cli/command_output.h"
#include "cli/expression_json.h"
#include "cli/expression_output.h"
#include "cli/typed_keys.h"
#include "expressions/expression_editor.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "fractions/calculator.h"
#include "fractions/font_window.h"
#include "fractions/fractions_window.h"
#include "fractions/precision_dialog.h"
#include "platform/clipboard.h"
#include "platform/console_host.h"
#include "platform/json_writer.h"
#include "platform/recording_canvas.h"
#include "platform/window_options.h"

#include <charconv>
#include <optional>
#include <ostream>
#include <variant>
#include <vector>

namespace kestrane::cli {

namespace {

struct DegreeClick {
    int degree = 2;
};
struct Drag {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
// A window's image button or menu item, by name ("KImage3", "Complex Numbers").
struct ButtonPress {
    std::string name;
};
struct MenuItem {
    std::string caption;
};
// A click in the window (the list of variables and its buttons).
struct Click {
    int x = 0, y = 0;
};
// The list's scroll bar moved to a position.
struct Scroll {
    int position = 0;
};
// Options > Font, with a font chosen in the Font window and OK.
struct FontPick {
    std::string name;
    int height = 0;
};
using Action =
    std::variant<KeyStroke, DegreeClick, Drag, ButtonPress, MenuItem, Click, Scroll, FontPick>;

std::optional<std::uint16_t> namedKey(std::string_view name)
{
    static constexpr std::pair<std::string_view, Key> kNames[] = {
        {"Left", Key::Left},
        {"Right", Key::Right},
        {"Up", Key::Up},
        {"Down", Key::Down},
        {"Home", Key::Home},
        {"End", Key::End},
        {"PageUp", Key::PageUp},
        {"PageDown", Key::PageDown},
        {"Backspace", Key::Backspace},
        {"Delete", Key::Delete},
        {"Escape", Key::Escape},
        {"Enter", Key::Enter},
        {"F1", Key::F1},
        {"F2", Key::F2},
        {"F3", Key::F3},
        {"F5", Key::F5},
        {"F7", Key::F7},
        {"F8", Key::F8},
        {"F9", Key::F9},
        {"Shift", Key::Shift},
        {"Tab", Key::Tab},
        {"Space", Key::Space},
        {"Insert", Key::Insert},
    };
    for (auto [spelling, key] : kNames) {
        if (spelling == name)
            return static_cast<std::uint16_t>(key);
    }
    if (name.size() == 1 &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return static_cast<std::uint16_t>(name[0]);
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
        return static_cast<std::uint16_t>(name[0] - 'a' + 'A');
    return std::nullopt;
}

std::optional<std::vector<int>> integers(std::string_view text, std::size_t count)
{
    std::vector<int> values;
    while (true) {
        std::size_t comma = text.find(',');
        std::string_view part = text.substr(0, comma);
        int value = 0;
        auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (error != std::errc() || end != part.data() + part.size())
            return std::nullopt;
        values.push_back(value);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    if (values.size() != count)
        return std::nullopt;
    return values;
}

std::optional<Action> bracedAction(std::string_view inside)
{
    if (inside.starts_with("Button:") && inside.size() > 7)
        return ButtonPress{std::string(inside.substr(7))};
    if (inside.starts_with("Menu:") && inside.size() > 5)
        return MenuItem{std::string(inside.substr(5))};
    if (inside.starts_with("Degree ")) {
        auto values = integers(inside.substr(7), 1);
        if (!values || (*values)[0] < 2 || (*values)[0] > 9)
            return std::nullopt;
        return DegreeClick{(*values)[0]};
    }
    if (inside.starts_with("Click ")) {
        auto values = integers(inside.substr(6), 2);
        if (!values)
            return std::nullopt;
        return Click{(*values)[0], (*values)[1]};
    }
    if (inside.starts_with("Font ")) {
        std::string_view rest = inside.substr(5);
        std::size_t comma = rest.rfind(',');
        if (comma == std::string_view::npos || comma == 0)
            return std::nullopt;
        auto height = integers(rest.substr(comma + 1), 1);
        if (!height || !FontWindow::offersHeight((*height)[0]))
            return std::nullopt;
        return FontPick{std::string(rest.substr(0, comma)), (*height)[0]};
    }
    if (inside.starts_with("Scroll ")) {
        auto values = integers(inside.substr(7), 1);
        if (!values)
            return std::nullopt;
        return Scroll{(*values)[0]};
    }
    if (inside.starts_with("Drag ")) {
        auto values = integers(inside.substr(5), 4);
        if (!values)
            return std::nullopt;
        return Drag{(*values)[0], (*values)[1], (*values)[2], (*values)[3]};
    }
    Modifiers modifiers;
    while (true) {
        if (inside.starts_with("Ctrl+")) {
            modifiers = modifiers | Modifier::Control;
            inside.remove_prefix(5);
        } else if (inside.starts_with("Shift+")) {
            modifiers = modifiers | Modifier::Shift;
            inside.remove_prefix(6);
        } else {
            break;
        }
    }
    std::optional<std::uint16_t> key = namedKey(inside);
    if (!key)
        return std::nullopt;
    return KeyStroke{*key, modifiers};
}

// The actions of KEYS; the problem when a key is unknown.
std::optional<std::vector<Action>> parseKeys(std::string_view keys, std::string& problem)
{
    std::vector<Action> actions;
    for (std::size_t index = 0; index < keys.size(); ++index) {
        if (keys[index] == '{') {
            std::size_t close = keys.find('}', index);
            std::optional<Action> action =
                close == std::string_view::npos
                    ? std::nullopt
                    : bracedAction(keys.substr(index + 1, close - index - 1));
            if (!action) {
                problem =
                    translateFilled("unknown key '%1'", {keys.substr(index, close - index + 1)});
                if (keys.substr(index + 1).starts_with("Font "))
                    problem += translateFilled(
                        " ({Font NAME,HEIGHT} takes an even height from %1 to %2 pixels)",
                        {std::to_string(FontWindow::kMinimumHeight),
                         std::to_string(FontWindow::kMaximumHeight)});
                return std::nullopt;
            }
            actions.push_back(*action);
            index = close;
            continue;
        }
        std::optional<KeyStroke> stroke = keyForCharacter(keys[index]);
        if (!stroke) {
            problem = translateFilled("no key types '%1'", {std::string(1, keys[index])});
            return std::nullopt;
        }
        actions.push_back(*stroke);
    }
    return actions;
}

std::string areaName(CursorArea area)
{
    switch (area) {
    case CursorArea::Opening:
        return "opening";
    case CursorArea::Closing:
        return "closing";
    default:
        return "text";
    }
}

// The child names from the root to a node.
std::vector<std::string> pathTo(const FractNode* node)
{
    std::vector<std::string> path;
    for (; node && node->parent; node = node->parent) {
        const FractNode& parent = *node->parent;
        if (parent.left.get() == node)
            path.push_back("left");
        else if (parent.right.get() == node)
            path.push_back("right");
        else if (parent.numerator.get() == node)
            path.push_back("numerator");
        else if (parent.denominator.get() == node)
            path.push_back("denominator");
        else if (parent.exponent.get() == node)
            path.push_back("exponent");
        else if (parent.closeRow) {
            for (int k = 0; k < parent.closeRow->count(); ++k) {
                const MarkItem& item = *parent.closeRow->items[static_cast<std::size_t>(k)];
                if (item.paren && item.paren->exponent.get() == node)
                    path.push_back("close[" + std::to_string(k) + "].exponent");
            }
        }
    }
    return {path.rbegin(), path.rend()};
}

void writeCursorPath(JsonWriter& json, const Cursor& cursor)
{
    json.key("path").beginArray();
    for (const std::string& step : pathTo(cursor.place.node))
        json.string(step);
    json.endArray();
    json.key("area").string(areaName(cursor.place.area));
    json.key("position").number(cursor.place.position);
}

// A tree in the linear notation, or null.
void writeExpressionText(JsonWriter& json, const FractNode* tree)
{
    if (tree)
        json.string(printExpressionText(*tree));
    else
        json.null();
}

std::string editJson(const ExpressionEditor& editor, const std::vector<MessageRequest>& messages)
{
    JsonWriter json;
    json.beginObject().key("expression").string(printExpressionText(editor.expression()));
    const Cursor& cursor = editor.cursor();
    json.key("cursor").beginObject();
    writeCursorPath(json, cursor);
    json.key("x").number(cursor.x).key("y").number(cursor.y);
    json.key("height").number(cursor.height).endObject();
    json.key("selection");
    std::unique_ptr<FractNode> selection = editor.selection() ? editor.copySelection() : nullptr;
    writeExpressionText(json, selection.get());
    json.key("degreeControl").boolean(editor.degreeControlShown());
    json.key("tree");
    writeExpressionJson(json, editor.expression());
    writeMessages(json, messages);
    return json.endObject().take() + '\n';
}

void perform(ExpressionEditor& editor, const Action& action)
{
    if (const auto* stroke = std::get_if<KeyStroke>(&action)) {
        EditorRequest request = editor.keyDown(stroke->key, stroke->modifiers);
        if (request == EditorRequest::Escape)
            editor.newExpression();
    } else if (const auto* click = std::get_if<DegreeClick>(&action)) {
        int column = (click->degree - 2) % 4;
        int row = (click->degree - 2) / 4;
        editor.clickDegreeControl(editor.degreeControlX() + 22 * column + 11,
                                  editor.degreeControlY() + 23 + 23 * row + 11);
    } else if (const auto* drag = std::get_if<Drag>(&action)) {
        editor.drag(drag->x1, drag->y1, drag->x2, drag->y2);
    }
}

bool windowOnly(const Action& action)
{
    return std::holds_alternative<ButtonPress>(action) ||
           std::holds_alternative<MenuItem>(action) || std::holds_alternative<Click>(action) ||
           std::holds_alternative<Scroll>(action) || std::holds_alternative<FontPick>(action);
}

// The records of a table as JSON objects.
void writeVariables(JsonWriter& json, const VariableTable& variables)
{
    json.beginArray();
    for (int index = 0; index < variables.count(); ++index) {
        const VariableRecord& record = variables.record(index);
        json.beginObject().key("name").string(record.name);
        json.key("enabled").boolean(record.enabled).key("value");
        writeExpressionText(json, record.value.get());
        json.endObject();
    }
    json.endArray();
}

// The variable editor's state, or null while it is closed.
void writeVariableEditor(JsonWriter& json, const VariableEditor* editor)
{
    if (!editor) {
        json.null();
        return;
    }
    json.beginObject();
    json.key("field").string(editor->field() == VariableEditor::Field::Name ? "name" : "value");
    json.key("record").number(editor->editedIndex());
    json.key("name").string(printExpressionText(editor->nameEditor().expression()));
    json.key("value").string(printExpressionText(editor->valueEditor().expression()));
    json.endObject();
}

// The rows of the list view as the last layout left them.
void writeList(JsonWriter& json, const FractionsWindow& window)
{
    const VariableTable& variables = window.variables();
    json.beginObject().key("scrollPosition").number(window.scrollPosition());
    json.key("scrollMaximum").number(window.scrollMaximum());
    json.key("editedRecord").number(window.editedRecord()).key("rows").beginArray();
    for (int index = 0; index < variables.count(); ++index) {
        const VariableRecord& record = variables.record(index);
        json.beginObject().key("top").number(record.rowTop);
        json.key("bottom").number(record.rowBottom).endObject();
    }
    json.endArray().endObject();
}

// What only the Calculator shows: the result, where it is drawn, and the
// clipboard.
struct CalculatorFields {
    const Calculator* calculator = nullptr;
    const Clipboard* clipboard = nullptr;
};

// The window a shown result is drawn in, and its lines of digits there.
void writeResultLines(JsonWriter& json, const Calculator& calculator)
{
    if (!calculator.result()) {
        json.null();
        return;
    }
    RecordingCanvas metrics;
    std::optional<CalculatorResults> results = calculator.resultsWindow();
    std::vector<PlacedText> texts =
        results ? results->texts(metrics) : calculator.resultTexts(metrics);
    int width = results ? CalculatorResults::kWidth : Calculator::kWidth;
    json.beginObject().key("width").number(width).key("lines").beginArray();
    for (const PlacedText& text : texts) {
        if (text.kind != PlacedText::Kind::Line)
            continue;
        json.beginObject().key("text").string(text.text);
        json.key("x").number(text.x).key("y").number(text.y);
        json.key("width").number(text.width).endObject();
    }
    json.endArray().endObject();
}

std::string windowJson(const FractionsWindow& window, const std::string& caption,
                       CalculatorFields calculator, const std::vector<MessageRequest>& messages)
{
    const ExpressionEditor& editor = window.editor();
    JsonWriter json;
    json.beginObject().key("mode").number(static_cast<int>(window.mode()));
    json.key("caption").string(caption);
    // The list shows no expression: its "expression" is the main one.
    const FractNode& shown = window.mode() == FractionsWindow::Mode::List ? window.mainExpression()
                                                                          : editor.expression();
    json.key("expression").string(printExpressionText(shown));
    json.key("cursor").beginObject();
    writeCursorPath(json, editor.cursor());
    json.endObject();
    json.key("complexNumbers").boolean(window.complexNumbers());
    json.key("unsimplified");
    writeExpressionText(json, window.unsimplified());
    json.key("value");
    if (window.valueText().empty())
        json.null();
    else
        json.string(window.valueText());
    if (calculator.calculator) {
        const auto& result = calculator.calculator->result();
        json.key("result").stringOrNull(result ? &result->clipboard : nullptr);
        json.key("resultsWindow").boolean(result && result->inResultsWindow);
        json.key("resultLines");
        writeResultLines(json, *calculator.calculator);
        json.key("clipboard").string(calculator.clipboard->text());
    } else {
        json.key("result").null().key("clipboard").string("");
    }
    json.key("description").string(window.description());
    json.key("main").string(printExpressionText(window.mainExpression()));
    json.key("list");
    writeList(json, window);
    json.key("variableEditor");
    writeVariableEditor(json, window.variableEditor());
    json.key("variables");
    writeVariables(json, window.variables());
    json.key("memories").beginArray();
    for (int index = 0; index < 2; ++index)
        writeExpressionText(json, window.memory(index));
    json.endArray();
    json.key("font").beginObject().key("name").string(window.options().fontName);
    json.key("height").number(window.options().fontHeight).endObject();
    writeMessages(json, messages);
    return json.endObject().take() + '\n';
}

// One action on a window: Target is the Fractions and Roots window or the
// Calculator around it, which take keys, buttons, menus and clicks alike.
// Returns false, after saying why, for a button or menu item it lacks.
template<typename Target>
bool performInWindow(Target& target, FractionsWindow& window, ConsoleHost& host,
                     const Action& action, const char* title, std::string& problem)
{
    if (const auto* stroke = std::get_if<KeyStroke>(&action)) {
        target.keyDown(stroke->key, stroke->modifiers);
    } else if (const auto* button = std::get_if<ButtonPress>(&action)) {
        if (!target.pressButton(button->name)) {
            problem =
                translateFilled("the %1 has no button '%2'", {translate(title), button->name});
            return false;
        }
    } else if (const auto* item = std::get_if<MenuItem>(&action)) {
        if (!target.menu(item->caption)) {
            problem =
                translateFilled("the %1 has no menu item '%2'", {translate(title), item->caption});
            return false;
        }
    } else if (const auto* click = std::get_if<Click>(&action)) {
        target.click(click->x, click->y);
    } else if (const auto* scroll = std::get_if<Scroll>(&action)) {
        window.scrollTo(scroll->position);
    } else if (const auto* font = std::get_if<FontPick>(&action)) {
        host.answerDialog([font = *font](ModalDialog& dialog) {
            auto* fontWindow = dynamic_cast<FontWindow*>(&dialog);
            if (!fontWindow)
                return DialogResult::Rejected;
            fontWindow->choose(FontChoice{font.name, font.height});
            return DialogResult::Accepted;
        });
        target.menu("Font");
    } else if (VariableEditor* variableEditor = window.variableEditor()) {
        perform(variableEditor->current(), action);
    } else {
        perform(window.editor(), action);
    }
    return true;
}

// The expression given with --start, into the expression in view; false,
// after reporting why, when it cannot be read.
bool startWith(ExpressionEditor& editor, const std::optional<std::string>& start, int fontHeight,
               Host& host)
{
    if (!start)
        return true;
    TextParseResult parsed = parseExpressionText(*start, fontHeight);
    if (!parsed.tree) {
        reportProblem(host, "edit", translatedError(parsed));
        return false;
    }
    editor.setExpression(std::move(parsed.tree));
    return true;
}

// The font and colours the window reads at start: its option file in the
// directory the program starts in.
WindowOptions startOptions(WindowOptionsKind kind)
{
    return readWindowOptions(std::string(windowOptionsFileName(kind)));
}

struct WindowRun {
    std::optional<std::string> start;
    std::optional<std::string> file;
    bool complex = false;
};

int runFractionsWindow(const std::vector<Action>& actions, const WindowRun& run, std::ostream& out,
                       std::ostream& err)
{
    ConsoleHost host(err);
    RecordingCanvas metrics;
    FractionsWindow window(host, metrics);
    window.setOptions(startOptions(WindowOptionsKind::Fractions));
    window.setComplexNumbers(run.complex);
    if (run.file && !window.openFile(*run.file)) {
        err << "kestrane-cli edit: " << translateFilled("cannot read %1", {*run.file}) << '\n';
        return kUsageError;
    }
    if (!startWith(window.editor(), run.start, window.options().fontHeight, host)) {
        out << refusalJson(host.messages()) << '\n';
        return kRefused;
    }
    std::string problem;
    for (const Action& action : actions)
        if (!performInWindow(window, window, host, action, N_("Fractions and Roots window"),
                             problem))
            return usageError(err, "edit", problem);
    out << windowJson(window, window.caption(), {}, host.messages());
    return kSuccess;
}

// The precision the Calculator starts with, given back afterwards.
class CalcWordsScope {
public:
    explicit CalcWordsScope(int words) : m_previous(calcWords()) { setCalcWords(words); }
    ~CalcWordsScope() { setCalcWords(m_previous); }
    CalcWordsScope(const CalcWordsScope&) = delete;
    CalcWordsScope& operator=(const CalcWordsScope&) = delete;

private:
    int m_previous;
};

int runCalculatorWindow(const std::vector<Action>& actions, const WindowRun& run, int digits,
                        std::ostream& out, std::ostream& err)
{
    // The dialog's number N is position N / 6, and 2 x position words show.
    CalcWordsScope words(digits / 3);
    ConsoleHost host(err);
    RecordingCanvas metrics;
    MemoryClipboard clipboard;
    Calculator calculator(host, clipboard, metrics);
    calculator.setOptions(startOptions(WindowOptionsKind::Calculator));
    calculator.setComplexNumbers(run.complex);
    FractionsWindow& window = calculator.window();
    if (run.file && !window.openFile(*run.file)) {
        err << "kestrane-cli edit: " << translateFilled("cannot read %1", {*run.file}) << '\n';
        return kUsageError;
    }
    if (!startWith(calculator.editor(), run.start, window.options().fontHeight, host)) {
        out << refusalJson(host.messages()) << '\n';
        return kRefused;
    }
    std::string problem;
    for (const Action& action : actions)
        if (!performInWindow(calculator, window, host, action, N_("calculator"), problem))
            return usageError(err, "edit", problem);
    out << windowJson(window, calculator.caption(), {&calculator, &clipboard}, host.messages());
    return kSuccess;
}

} // namespace

int runEdit(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> start = arguments.value("--start");
    bool json = arguments.has("--json");
    std::optional<std::string> window = arguments.value("--window");
    std::optional<std::string> file = arguments.value("--file");
    bool complex = arguments.has("--complex");
    std::optional<int> digits;
    if (window && window != "calculator" && window != "fractions")
        return usageError(err, "edit", N_("--window takes calculator or fractions"));
    if (std::optional<std::string> text = arguments.value("--digits")) {
        auto value = integers(*text, 1);
        if (!value || (*value)[0] % 6 != 0 || (*value)[0] < 6 * PrecisionDialog::kMinimum ||
            (*value)[0] > 6 * PrecisionDialog::kMaximum)
            return usageError(err, "edit", N_("--digits takes a multiple of 6 from 54 to 900"));
        digits = (*value)[0];
    }
    if (digits && window != "calculator")
        return usageError(err, "edit", N_("--digits is for --window calculator"));
    std::string problem;
    std::optional<std::vector<Action>> actions = parseKeys(arguments.joinedOperands(""), problem);
    if (!actions)
        return usageError(err, "edit", problem);
    WindowRun run{start, file, complex};
    if (window == "fractions")
        return runFractionsWindow(*actions, run, out, err);
    if (window)
        return runCalculatorWindow(*actions, run, digits.value_or(3 * calcWords()), out, err);
    for (const Action& action : *actions) {
        if (windowOnly(action))
            return usageError(err, "edit", N_("buttons and menus need --window"));
    }
    ConsoleHost host(err);
    RecordingCanvas metrics;
    ExpressionEditor editor(host, metrics);
    if (!startWith(editor, start, editor.fontHeight(), host)) {
        if (json)
            out << refusalJson(host.messages()) << '\n';
        return kRefused;
    }
    for (const Action& action : *actions)
        perform(editor, action);
    if (json)
        out << editJson(editor, host.messages());
    else
        out << printExpressionText(editor.expression()) << '\n';
    return kSuccess;
}

} // namespace kestrane::cli
