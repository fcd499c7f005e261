#include "fractions/calculator.h"

#include "fractions/calculator_digits.h"
#include "fractions/colors_dialog.h"
#include "fractions/expression_clipboard.h"
#include "fractions/expression_text.h"
#include "fractions/fract_node.h"
#include "fractions/mark_matching.h"
#include "fractions/precision_dialog.h"
#include "platform/clipboard.h"
#include "platform/host.h"

#include <cctype>

namespace kestrane {

namespace {

constexpr const char* kWrongEquality =
    "Wrong equality sign.\nName of variable must be a single string\nor\nundefined variable "
    "discovered.";

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

} // namespace

Calculator::Calculator(Host& host, Clipboard& clipboard, Canvas& metrics)
    : m_host(host)
    , m_clipboard(clipboard)
    , m_metrics(metrics)
    , m_editor(host, metrics)
    , m_previousWords(longWords())
{
    m_editor.setDecimalsAllowed(true);
    m_editor.setArea(kWidth - 40, kExpressionHeight);
    m_editor.setWindowSize(kWidth, kHeight);
    setLongWords(calcWords() + kCalcGuardWords);
    LongSetupConstants();
}

Calculator::~Calculator()
{
    setLongWords(m_previousWords);
}

void Calculator::defineVariable(std::string name, std::unique_ptr<FractNode> value)
{
    int index = m_variables.find(name);
    if (index >= 0)
        m_variables.record(index).value = std::move(value);
    else
        m_variables.add(std::move(name), std::move(value));
}

void Calculator::setVariableEnabled(const std::string& name, bool enabled)
{
    int index = m_variables.find(name);
    if (index >= 0)
        m_variables.record(index).enabled = enabled;
}

const VariableRecord* Calculator::findVariable(const std::string& name) const
{
    int index = m_variables.find(name);
    return index >= 0 ? &m_variables.record(index) : nullptr;
}

LongVariables Calculator::enabledVariables() const
{
    LongVariables table;
    for (int index = 0; index < m_variables.count(); ++index) {
        const VariableRecord& record = m_variables.record(index);
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
        m_complex = true;
    return true;
}

void Calculator::startDefinition()
{
    const FractNode& tree = m_editor.expression();
    bool singleName = tree.hasText() && !tree.isSlot() && !tree.hasOpenMarks() &&
                      !tree.hasCloseMarks() && !tree.exponent;
    if (!singleName) {
        m_host.message("Error", kWrongEquality, MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    std::string name = printExpressionText(tree);
    if (std::isdigit(static_cast<unsigned char>(name[0])) != 0) {
        m_host.message("Error", "Number cannot be a variable.", MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    if (findVariable(name) != nullptr) {
        m_host.message("Error", "Variable already exists.", MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    if (name == "i") {
        m_host.message("Error.", "Imaginary number i cannot be defined.", MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    auto definition = FractNode::makeOperation('=', standaloneCopy(tree), FractNode::makeSlot());
    fixUp(*definition);
    m_editor.setExpression(std::move(definition));
}

bool Calculator::compute()
{
    m_result.reset();
    const FractNode& tree = m_editor.expression();
    bool definition = isDefinition(tree);
    const FractNode& value = definition ? *tree.right : tree;
    if (!check(value)) {
        if (definition)
            m_host.message("Error", kWrongEquality, MessageButtons::Ok, MessageIcon::Information);
        else
            startDefinition();
        return false;
    }
    std::string name = definition ? printExpressionText(*tree.left) : std::string();
    return evaluate(value, definition ? &name : nullptr);
}

bool Calculator::evaluate(const FractNode& tree, const std::string* definedName)
{
    NumberField field = m_complex ? NumberField::Complex : NumberField::Real;
    auto parts = computeShownParts(tree, enabledVariables(), field, calcWords(), m_host);
    if (!parts)
        return false;
    if (definedName)
        defineVariable(*definedName, standaloneCopy(tree));
    m_result = makeCalculatorOutput(std::move(parts->real), std::move(parts->imaginary), m_metrics,
                                    kResultAreaWidth);
    m_clipboard.setText(m_result->clipboard);
    return true;
}

void Calculator::keyDown(std::uint16_t key, Modifiers modifiers)
{
    if (key == static_cast<std::uint16_t>(Key::Shift) ||
        key == static_cast<std::uint16_t>(Key::Control) ||
        key == static_cast<std::uint16_t>(Key::Alt))
        return;
    if (key == 'C' && modifiers.control() && !modifiers.shift()) {
        copyExpression(m_editor, m_clipboard);
        return;
    }
    m_result.reset();
    bool plain = !modifiers.control() && !modifiers.shift();
    if (key == static_cast<std::uint16_t>(Key::Insert) && modifiers.shift()) {
        pasteExpression(m_editor, m_clipboard);
        return;
    }
    if (key == editor_keys::kEquals && plain) {
        compute();
        return;
    }
    if (key == static_cast<std::uint16_t>(Key::Escape)) {
        newExpression();
        return;
    }
    bool point = (key == editor_keys::kPeriod && plain) || key == editor_keys::kNumpadDecimal;
    if (point && m_editor.caretInNumberWithPoint()) {
        m_host.message("Error.", "Comma is already in.", MessageButtons::Ok,
                       MessageIcon::Information);
        return;
    }
    if (key == 'I' && m_complex && !modifiers.control()) {
        if (!m_editor.fillSlot("i", false))
            m_host.message("Error", "Character 'i' is reserved.\nTry another character.",
                           MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    m_editor.keyDown(key, modifiers);
}

void Calculator::insertSymbol(char letter)
{
    m_result.reset();
    m_editor.fillSlot(std::string(1, letter), true);
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
        if (code != 0)
            m_editor.insertFunction(code);
        else
            insertSymbol(letter);
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
    return false;
}

void Calculator::newExpression()
{
    m_result.reset();
    m_editor.newExpression();
}

void Calculator::applyPrecision(const PrecisionDialog& dialog)
{
    dialog.accept();
}

bool Calculator::menu(const std::string& caption)
{
    if (caption == "New") {
        clearVariables();
        newExpression();
    } else if (caption == "Precision") {
        applyPrecision(PrecisionDialog());
    } else if (caption == "Complex Numbers") {
        m_complex = !m_complex;
    } else if (caption == "Font") {
        chooseFont();
    } else if (caption == "Colors") {
        chooseColours();
    } else if (caption == "Save options") {
        saveOptions();
    } else if (caption == "Index") {
        m_host.showHelp("calculator.html");
    } else {
        return false;
    }
    return true;
}

void Calculator::setOptions(const WindowOptions& options)
{
    m_options = options;
    m_editor.setFontHeight(options.fontHeight);
    m_editor.setFontName(options.fontName);
}

void Calculator::chooseFont()
{
    WindowOptions options = m_options;
    if (chooseWindowFont(m_host, options))
        setOptions(options);
}

void Calculator::chooseColours()
{
    chooseWindowColours(m_host, m_options);
}

bool Calculator::saveOptions()
{
    return saveWindowOptions(m_host, WindowOptionsKind::Calculator, m_options);
}

} // namespace kestrane
