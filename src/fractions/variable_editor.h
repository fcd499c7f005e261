// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expressions/expression_editor.h"
#include "platform/translation.h"

#include <memory>
#include <string>

namespace kestrane {

class Canvas;
class Host;
class VariableTable;

// The "New Variable Editor": two expressions, the variable's name above and
// its value below, each with its own cursor; F2 switches between them and
// Enter accepts. The name is a plain string: Ctrl keys, roots, powers and
// fractions are refused while it is edited.
class VariableEditor {
public:
    static constexpr int kWidth = 696;
    static constexpr int kHeight = 585;
    static constexpr const char* kCaption = N_("New Variable Editor");
    static constexpr const char* kNameLabel = N_("Name of Variable.");
    static constexpr const char* kValueLabel = N_("Value of Variable.");
    // The two expression areas, in the editor's own pixels.
    static constexpr int kAreaLeft = 20;
    static constexpr int kNameTop = 50;
    static constexpr int kValueTop = 220;
    static constexpr int kAreaWidth = 650;
    static constexpr int kNameHeight = 120;
    static constexpr int kValueHeight = 250;

    enum class Field { Name, Value };
    enum class KeyResult { None, Accept, Cancel };

    VariableEditor(Host& host, Canvas& metrics, int fontHeight = 20);

    // A new variable: both expressions empty, the name edited first.
    void startNew();
    // An existing record: its name and a copy of its value.
    void startEdit(const VariableTable& table, int index);
    // The record being edited, or -1 for a new variable.
    int editedIndex() const { return m_index; }

    Field field() const { return m_field; }
    ExpressionEditor& nameEditor() { return m_name; }
    ExpressionEditor& valueEditor() { return m_value; }
    const ExpressionEditor& nameEditor() const { return m_name; }
    const ExpressionEditor& valueEditor() const { return m_value; }
    ExpressionEditor& current() { return m_field == Field::Name ? m_name : m_value; }
    void switchField();
    // A click in one of the two areas chooses it.
    void chooseField(Field field) { m_field = field; }
    void setFontHeight(int height);
    void setFontName(const std::string& name);
    // The calculator's values may hold decimal numbers.
    void setDecimalsAllowed(bool allowed);

    // F2 switches, Enter asks for acceptance, Escape for closing without it;
    // everything else edits the current expression.
    KeyResult keyDown(std::uint16_t key, Modifiers modifiers);
    // "Fraction", "Power", "Root" insert into the value; "Help" shows its
    // help box. False for an unknown name ("Variables" is the window's: it
    // deletes the variable).
    bool pressButton(const std::string& name);
    // "Variables": "Variable will be deleted", answered OK or Cancel; true
    // for OK.
    bool confirmDelete();

    // The window's New and Open while the editor is open: the value is
    // emptied, or replaced by a file's main expression.
    void newValue() { m_value.newExpression(); }
    void setValue(std::unique_ptr<FractNode> value) { m_value.setExpression(std::move(value)); }

    // The five checks in order; on success the variable is added to the
    // table (or the edited record replaced) and true returned, otherwise the
    // first failure's message is shown and nothing changes.
    bool accept(VariableTable& table);

    // The labels, and each expression in its area: paintName and paintValue
    // draw in the area's own pixels.
    void paintLabels(Canvas& canvas) const;
    void paintName(Canvas& canvas) const { m_name.paint(canvas); }
    void paintValue(Canvas& canvas) const { m_value.paint(canvas); }

private:
    bool refuseInName(const char* text);
    bool error(const char* text);
    // The name's text when the name expression is one plain leaf with text.
    std::optional<std::string> plainName() const;

    Host& m_host;
    ExpressionEditor m_name;
    ExpressionEditor m_value;
    Field m_field = Field::Name;
    int m_index = -1;
};

} // namespace kestrane
