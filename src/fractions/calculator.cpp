// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/calculator.h"

#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "expressions/mark_matching.h"
#include "fractions/calculator_digits.h"
#include "fractions/colors_dialog.h"
#include "fractions/precision_dialog.h"
#include "fractions/variable_editor.h"
#include "platform/clipboard.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <cctype>

namespace kestrane {

namespace {

constexpr const char* kWrongEquality =
    N_("Wrong equality sign.\nName of variable must be a single string\nor\nundefined variable "
       "discovered.");

std::unique_ptr<FractNode> standaloneCopy(const FractNode& tree)
{
    auto copy = copyTree(tree);
    fixUp(*copy);
    matchMarks(*copy);
    return copy;
}

bool isDefinition(const FractNode& tree)
{
    return tree.isOperation() && tree.left->opSign.sign == '=';
}

FractionsWindow::Setup calculatorSetup()
{
    FractionsWindow::Setup setup;
    setup.width = Calculator::kWidth;
    setup.height = Calculator::kHeight;
    setup.optionsKind = WindowOptionsKind::Calculator;
    setup.helpPage = "calculator.html";
    setup.decimals = true;
    setup.valueX = Calculator::kResultX;
    setup.valueY = Calculator::kResultBottom + 5;
    return setup;
}

// Menu items after which a shown result no longer belongs to what is shown.
bool erasesResult(const std::string& caption)
{
    for (const char* item :
         {"New", "Open", "Main", "Main fraction", "New variable", "List of variables", "Simplify",
          "Power", "Root", "Fraction", "Precision"})
        if (caption == item)
            return true;
    return false;
}

} // namespace

Calculator::Calculator(Host& host, Clipboard& clipboard, Canvas& metrics,
                       std::span<const std::int32_t> primes)
    : m_window(host, metrics, primes, calculatorSetup())
    , m_clipboard(clipboard)
    , m_metrics(metrics)
    , m_host(host)
{
    m_window.setClipboard(&clipboard);
    // The window keeps the word count it found and gives it back on closing.
    setLongWords(calcWords() + kCalcGuardWords);
    LongSetupConstants();
}

Calculator::~Calculator() = default;

void Calculator::defineVariable(std::string name, std::unique_ptr<FractNode> value)
{
    VariableTable& variables = m_window.variables();
    int index = variables.find(name);
    if (index >= 0)
        variables.record(index).value = std::move(value);
    else
        variables.add(std::move(name), std::move(value));
}

void Calculator::setVariableEnabled(const std::string& name, bool enabled)
{
    VariableTable& variables = m_window.variables();
    int index = variables.find(name);
    if (index >= 0)
        variables.record(index).enabled = enabled;
}

const VariableRecord* Calculator::findVariable(const std::string& name) const
{
    int index = variables().find(name);
    return index >= 0 ? &variables().record(index) : nullptr;
}

LongVariables Calculator::enabledVariables() const
{
    LongVariables table;
    for (int index = 0; index < variables().count(); ++index) {
        const VariableRecord& record = variables().record(index);
        if (record.enabled && record.value)
            table[record.name] = record.value.get();
    }
    return table;
}

bool Calculator::check(const FractNode& tree)
{
    ExpressionNames found = expressionNames(tree);
    if (found.emptyPlace)
        return false;
    for (const std::string& name : found.names) {
        const VariableRecord* variable = findVariable(name);
        if (variable == nullptr || !variable->enabled || !variable->value)
            return false;
    }
    if (found.usesI)
        setComplexNumbers(true);
    return true;
}

void Calculator::startDefinition()
{
    const FractNode& tree = editor().expression();
    bool singleName = tree.hasText() && !tree.isSlot() && !tree.hasOpenMarks() &&
                      !tree.hasCloseMarks() && !tree.exponent;
    if (!singleName) {
        m_host.message(N_("Error"), kWrongEquality, MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    std::string name = printExpressionText(tree);
    if (std::isdigit(static_cast<unsigned char>(name[0])) != 0) {
        m_host.message(N_("Error"), N_("Number cannot be a variable."), MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    if (findVariable(name) != nullptr) {
        m_host.message(N_("Error"), N_("Variable already exists."), MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    if (name == "i") {
        m_host.message(N_("Error."), N_("Imaginary number i cannot be defined."),
                       MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    auto definition = FractNode::makeOperation('=', standaloneCopy(tree), FractNode::makeSlot());
    fixUp(*definition);
    editor().setExpression(std::move(definition));
}

bool Calculator::compute()
{
    m_result.reset();
    const FractNode& tree = editor().expression();
    bool definition = isDefinition(tree);
    const FractNode& value = definition ? *tree.right : tree;
    if (!check(value)) {
        if (definition)
            m_host.message(N_("Error"), kWrongEquality, MessageButtons::Ok,
                           MessageIcon::Information);
        else
            startDefinition();
        return false;
    }
    std::string name = definition ? printExpressionText(*tree.left) : std::string();
    return evaluate(value, definition ? &name : nullptr);
}

bool Calculator::evaluate(const FractNode& tree, const std::string* definedName)
{
    NumberField field = complexNumbers() ? NumberField::Complex : NumberField::Real;
    auto parts = computeShownParts(tree, enabledVariables(), field, calcWords(), m_host);
    if (!parts)
        return false;
    if (definedName)
        defineVariable(*definedName, standaloneCopy(tree));
    m_metrics.setFont(resultFont());
    m_result = makeCalculatorOutput(std::move(parts->real), std::move(parts->imaginary), m_metrics,
                                    kResultAreaWidth);
    layoutResult();
    ++m_resultCount;
    m_clipboard.setText(m_result->clipboard);
    return true;
}

CanvasFont Calculator::resultFont() const
{
    return CanvasFont{.name = options().fontName, .size = 10, .pixelHeight = options().fontHeight};
}

int Calculator::resultTop() const
{
    // Under the expression's box, which has half the font height of room.
    const FractNode& tree = editor().expression();
    return std::max(kResultTop, tree.y + tree.below + tree.fontHeight / 2 + 16);
}

std::vector<PlacedText> Calculator::resultTexts(Canvas& metrics) const
{
    std::vector<PlacedText> placed;
    if (!m_result || m_result->inResultsWindow || m_window.mode() != FractionsWindow::Mode::Main)
        return placed;
    CanvasFont labelFont{.name = "Arial", .size = 10, .pixelHeight = 20};
    CanvasFont digitFont = resultFont();
    int lineStep = std::max(kLabelStep, digitFont.pixelHeight * 3 / 2);
    int y = resultTop();
    auto label = [&](const char* text) {
        text = translate(text);
        metrics.setFont(labelFont);
        placed.push_back({PlacedText::Kind::Label, text, kResultX, y, metrics.textWidth(text)});
        y += kLabelStep;
    };
    auto part = [&](const CalculatorPart& shown) {
        metrics.setFont(digitFont);
        if (shown.sign == '-') {
            int width = metrics.textWidth("-");
            placed.push_back(
                {PlacedText::Kind::Sign, "-", kResultX - std::max(12, width + 2), y, width});
        }
        for (const std::string& line : shown.lines) {
            placed.push_back({PlacedText::Kind::Line, line, kResultX, y, metrics.textWidth(line)});
            y += lineStep;
        }
    };
    label(N_("Result (saved to clipboard):"));
    if (complexNumbers())
        label(N_("Real part:"));
    part(m_result->real);
    if (m_result->imaginary) {
        label(N_("Imaginary part:"));
        part(*m_result->imaginary);
    }
    return placed;
}

void Calculator::layoutResult()
{
    if (!m_result)
        return;
    // 1. The lines for the window, in the font they are drawn in.
    m_metrics.setFont(resultFont());
    auto split = [this](int width) {
        m_result->real.lines = splitCalculatorLines(m_result->real.text, m_metrics, width);
        if (m_result->imaginary)
            m_result->imaginary->lines =
                splitCalculatorLines(m_result->imaginary->text, m_metrics, width);
    };
    split(kResultAreaWidth);
    // 2. Up to five lines in all are shown here when they end above the
    // panel; more, or lines that a large font pushes down, go to the results
    // window, split to its own width.
    std::size_t lines =
        m_result->real.lines.size() + (m_result->imaginary ? m_result->imaginary->lines.size() : 0);
    m_result->inResultsWindow = false;
    std::vector<PlacedText> texts = resultTexts(m_metrics);
    bool fits = texts.empty() || texts.back().y + resultFont().pixelHeight <= kResultBottom;
    if (lines <= static_cast<std::size_t>(kMaxWindowResultLines) && fits)
        return;
    m_result->inResultsWindow = true;
    m_metrics.setFont(resultFont());
    split(CalculatorResults::kTextWidth);
}

std::optional<CalculatorResults> Calculator::resultsWindow() const
{
    if (!m_result || !m_result->inResultsWindow)
        return std::nullopt;
    return CalculatorResults(*m_result, resultFont());
}

ExpressionEditor* Calculator::typingEditor()
{
    if (VariableEditor* variableEditor = m_window.variableEditor())
        return &variableEditor->current();
    if (m_window.mode() == FractionsWindow::Mode::List)
        return nullptr;
    return &m_window.editor();
}

void Calculator::keyDown(std::uint16_t key, Modifiers modifiers)
{
    if (key == static_cast<std::uint16_t>(Key::Shift) ||
        key == static_cast<std::uint16_t>(Key::Control) ||
        key == static_cast<std::uint16_t>(Key::Alt))
        return;
    // The variable editor takes every key while it is open.
    if (m_window.variableEditor()) {
        m_window.keyDown(key, modifiers);
        return;
    }
    bool copy = key == 'C' && modifiers.control() && !modifiers.shift();
    if (!copy)
        m_result.reset();
    bool plain = !modifiers.control() && !modifiers.shift();
    FractionsWindow::Mode mode = m_window.mode();
    if (mode == FractionsWindow::Mode::Main) {
        if (key == editor_keys::kEquals && plain) {
            compute();
            return;
        }
        if (key == static_cast<std::uint16_t>(Key::Escape)) {
            newExpression();
            return;
        }
    }
    if (mode != FractionsWindow::Mode::List) {
        bool point = (key == editor_keys::kPeriod && plain) || key == editor_keys::kNumpadDecimal;
        if (point && editor().caretInNumberWithPoint()) {
            m_host.message(N_("Error."), N_("Comma is already in."), MessageButtons::Ok,
                           MessageIcon::Information);
            return;
        }
        if (key == 'I' && complexNumbers() && !modifiers.control()) {
            if (!editor().fillSlot("i", false))
                m_host.message(N_("Error"),
                               N_("Character 'i' is reserved.\nTry another character."),
                               MessageButtons::Ok, MessageIcon::Information);
            return;
        }
    }
    m_window.keyDown(key, modifiers);
}

void Calculator::insertSymbol(char letter)
{
    if (ExpressionEditor* target = typingEditor())
        target->fillSlot(std::string(1, letter), true);
}

bool Calculator::pressButton(const std::string& name)
{
    // Digits 0-9, the point, '-', '+', sign toggle, compute, '*'.
    static const std::pair<std::uint16_t, Modifiers> keypad[] = {
        {'0', {}},
        {'1', {}},
        {'2', {}},
        {'3', {}},
        {'4', {}},
        {'5', {}},
        {'6', {}},
        {'7', {}},
        {'8', {}},
        {'9', {}},
        {editor_keys::kPeriod, {}},
        {editor_keys::kMinus, {}},
        {editor_keys::kEquals, Modifier::Shift},
        {editor_keys::kMinus, Modifier::Shift},
        {editor_keys::kEquals, {}},
        {'8', Modifier::Shift}};
    // GImage1 ... GImage15: functions by code, or symbols by letter.
    static const std::pair<int, char> group[] = {{201, 0}, {200, 0}, {0, 'p'}, {203, 0}, {202, 0},
                                                 {204, 0}, {205, 0}, {209, 0}, {207, 0}, {210, 0},
                                                 {208, 0}, {0, 'a'}, {0, 'b'}, {0, 'c'}, {0, 'e'}};
    auto number = [&name](std::string_view prefix, int count) {
        if (!name.starts_with(prefix))
            return 0;
        std::string rest = name.substr(prefix.size());
        if (rest.empty() || rest.size() > 2 || !std::isdigit(static_cast<unsigned char>(rest[0])))
            return 0;
        int value = std::stoi(rest);
        return value >= 1 && value <= count ? value : 0;
    };
    if (int index = number("KImage", 16)) {
        const auto& [key, modifiers] = keypad[index - 1];
        keyDown(key, modifiers);
        return true;
    }
    if (int index = number("GImage", 15)) {
        const auto& [code, letter] = group[index - 1];
        m_result.reset();
        if (code == 0)
            insertSymbol(letter);
        else if (ExpressionEditor* target = typingEditor())
            target->insertFunction(code);
        return true;
    }
    if (name == "BImage1") {
        compute();
        return true;
    }
    if (name == "BImage3") {
        newExpression();
        return true;
    }
    if (!m_window.pressButton(name))
        return false;
    // Every other button edits or changes the view, except the help boxes.
    if (name != "HImage1" && name != "Help")
        m_result.reset();
    return true;
}

void Calculator::newExpression()
{
    m_result.reset();
    m_window.newExpression();
}

void Calculator::applyPrecision(const PrecisionDialog& dialog)
{
    m_result.reset();
    m_window.applyPrecision(dialog);
}

bool Calculator::menu(const std::string& caption)
{
    if (caption == "Exit")
        return true;
    if (caption == "Font") {
        chooseFont();
        return true;
    }
    if (!m_window.menu(caption))
        return false;
    if (erasesResult(caption))
        m_result.reset();
    return true;
}

void Calculator::setOptions(const WindowOptions& options)
{
    m_window.setOptions(options);
    layoutResult();
}

void Calculator::chooseFont()
{
    m_window.chooseFont();
    layoutResult();
}

} // namespace kestrane
