// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/variable_editor.h"

#include "algebra/fraction_file.h"
#include "algebra/variable_table.h"
#include "expressions/fract_node.h"
#include "platform/canvas.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <cctype>

namespace kestrane {

namespace {

constexpr const char* kNotAllowed = N_("Not allowed operation.");
constexpr const char* kHelpText =
    N_("Use keyboard key F2 to navigate between expressions.\nClick on first expression and then "
       "edit name.\n\nClick on second expression and then edit fraction.\n\nName must be a simple "
       "string.");

bool isAsciiLetter(char character)
{
    return (character >= 'A' && character <= 'Z') || (character >= 'a' && character <= 'z');
}

bool isAsciiDigit(char character)
{
    return character >= '0' && character <= '9';
}

} // namespace

VariableEditor::VariableEditor(Host& host, Canvas& metrics, int fontHeight)
    : m_host(host)
    , m_name(host, metrics, fontHeight)
    , m_value(host, metrics, fontHeight)
{
    // Each expression lives in its own area: the root-degree control stands
    // near the bottom-right corner of the value's.
    m_name.setArea(kAreaWidth, kNameHeight);
    m_name.setWindowSize(kAreaWidth, kNameHeight);
    m_value.setArea(kAreaWidth, kValueHeight);
    m_value.setWindowSize(kAreaWidth, kValueHeight);
}

void VariableEditor::startNew()
{
    m_index = -1;
    m_field = Field::Name;
    m_name.newExpression();
    m_value.newExpression();
}

void VariableEditor::startEdit(const VariableTable& table, int index)
{
    startNew();
    if (index < 0 || index >= table.count())
        return;
    const VariableRecord& record = table.record(index);
    m_index = index;
    m_name.setExpression(FractNode::makeLeaf(record.name));
    if (record.value) {
        auto copy = copyTree(*record.value);
        m_value.setExpression(std::move(copy));
    }
}

void VariableEditor::switchField()
{
    m_field = m_field == Field::Name ? Field::Value : Field::Name;
}

void VariableEditor::setFontHeight(int height)
{
    m_name.setFontHeight(height);
    m_value.setFontHeight(height);
}

void VariableEditor::setFontName(const std::string& name)
{
    m_name.setFontName(name);
    m_value.setFontName(name);
}

bool VariableEditor::refuseInName(const char* text)
{
    m_host.message(kNotAllowed, text, MessageButtons::Ok, MessageIcon::Information);
    return false;
}

VariableEditor::KeyResult VariableEditor::keyDown(std::uint16_t key, Modifiers modifiers)
{
    if (key == static_cast<std::uint16_t>(Key::F2)) {
        switchField();
        return KeyResult::None;
    }
    if (key == static_cast<std::uint16_t>(Key::Enter))
        return KeyResult::Accept;
    if (key == static_cast<std::uint16_t>(Key::Escape))
        return KeyResult::Cancel;
    if (m_field == Field::Name) {
        if (modifiers.control()) {
            m_host.message(N_("Error."), N_("Control keys are not allowed while edit name."),
                           MessageButtons::Ok, MessageIcon::Information);
            return KeyResult::None;
        }
        // 'P' outside a text would put a power on the name.
        const Cursor& cursor = m_name.cursor();
        if (key == 'P' &&
            !(cursor.place.node->hasText() && cursor.place.area == CursorArea::Text)) {
            refuseInName(N_("Powers are not allowed in name of variable"));
            return KeyResult::None;
        }
        if (key == editor_keys::kEquals && !modifiers.shift())
            return KeyResult::None;
    }
    current().keyDown(key, modifiers);
    return KeyResult::None;
}

bool VariableEditor::pressButton(const std::string& name)
{
    if (name == "Help") {
        m_host.message(N_("New Variable."), kHelpText, MessageButtons::Ok,
                       MessageIcon::Information);
        return true;
    }
    if (name != "Fraction" && name != "Power" && name != "Root")
        return false;
    if (m_field == Field::Name) {
        refuseInName(name == "Fraction" ? N_("Ratios are not allowed in name of variable")
                     : name == "Power"  ? N_("Powers are not allowed in name of variable")
                                        : N_("Roots are not allowed in name of variable"));
        return true;
    }
    if (name == "Fraction")
        m_value.insertFraction();
    else if (name == "Power")
        m_value.insertPower();
    else
        m_value.insertRoot();
    return true;
}

bool VariableEditor::confirmDelete()
{
    return m_host.message(N_("Variables"), N_("Variable will be deleted"), MessageButtons::OkCancel,
                          MessageIcon::Information) == MessageAnswer::Ok;
}

void VariableEditor::setDecimalsAllowed(bool allowed)
{
    m_name.setDecimalsAllowed(allowed);
    m_value.setDecimalsAllowed(allowed);
}

bool VariableEditor::error(const char* text)
{
    m_host.message(N_("Error."), text, MessageButtons::Ok, MessageIcon::Information);
    return false;
}

std::optional<std::string> VariableEditor::plainName() const
{
    const FractNode& root = m_name.expression();
    if (!root.hasText() || root.isSlot() || root.text->empty() || root.hasOpenMarks() ||
        root.hasCloseMarks() || root.exponent || root.symbol)
        return std::nullopt;
    return *root.text;
}

bool VariableEditor::accept(VariableTable& table)
{
    // 1-3. The name: one plain string of letters and digits, a letter first.
    std::optional<std::string> name = plainName();
    if (!name)
        return error(N_("Error in name's expression. Probably it is not a simple fraction with a "
                        "string only."));
    if (!isAsciiLetter((*name)[0]))
        return error(N_("First letter of name must be A...Z or a...z."));
    for (char character : *name)
        if (!isAsciiLetter(character) && !isAsciiDigit(character))
            return error(
                N_("A character discovered in name, which is not neither number nor letter."));
    // 4. The value with every mark matched.
    m_value.relayout();
    if (!expressionComplete(m_value.expression()))
        return error(N_("Wrong parentheses in a second expression."));
    // 5. A name in use by another record with a value is refused; one known
    // without a value makes room.
    int existing = table.find(*name);
    if (existing >= 0 && existing != m_index) {
        if (table.record(existing).value)
            return error(N_("Name already exist. Choose another one."));
        table.remove(existing);
        if (m_index > existing)
            --m_index;
    }
    auto value = copyTree(m_value.expression());
    if (m_index >= 0 && m_index < table.count()) {
        VariableRecord& record = table.record(m_index);
        record.name = *name;
        record.value = std::move(value);
        fixUp(*record.value);
    } else {
        table.add(*name, std::move(value));
    }
    return true;
}

void VariableEditor::paintLabels(Canvas& canvas) const
{
    canvas.setTextColour(kBlack);
    canvas.setFont(CanvasFont{.name = "Arial", .pixelHeight = 18});
    canvas.text(kAreaLeft, kNameTop - 26, translate(kNameLabel));
    canvas.text(kAreaLeft, kValueTop - 26, translate(kValueLabel));
    canvas.setPen(m_field == Field::Name ? kBlue : kBlack);
    canvas.clearBrush();
    canvas.rectangle(kAreaLeft - 2, kNameTop - 2, kAreaLeft + kAreaWidth + 2,
                     kNameTop + kNameHeight + 2);
    canvas.setPen(m_field == Field::Value ? kBlue : kBlack);
    canvas.rectangle(kAreaLeft - 2, kValueTop - 2, kAreaLeft + kAreaWidth + 2,
                     kValueTop + kValueHeight + 2);
    canvas.setPen(kBlack);
}

} // namespace kestrane
