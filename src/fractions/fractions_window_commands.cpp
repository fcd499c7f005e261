// SPDX-License-Identifier: GPL-3.0-or-later
// The Fractions and Roots window's commands by name (the buttons, menus and
// insertions the command line and the host drive) and its keys.
#include "fractions/fractions_window.h"

#include "expressions/expression_clipboard.h"
#include "fractions/precision_dialog.h"
#include "platform/host.h"
#include "platform/translation.h"

namespace kestrane {

bool FractionsWindow::insertCommand(const std::string& name)
{
    // The variable editor takes these while it is open.
    if (m_variableEditor)
        return m_variableEditor->pressButton(name);
    if (name == "Fraction")
        m_editor.insertFraction();
    else if (name == "Power")
        m_editor.insertPower();
    else if (name == "Root")
        m_editor.insertRoot();
    else
        return false;
    m_modified = true;
    return true;
}

bool FractionsWindow::pressButton(const std::string& name)
{
    if (m_variableEditor && name == "Variables") {
        deleteEditedVariable();
        return true;
    }
    if (m_variableEditor && m_variableEditor->pressButton(name))
        return true;
    if (name == "Imge3")
        insertCommand("Fraction");
    else if (name == "Imge4")
        insertCommand("Power");
    else if (name == "Imge5")
        insertCommand("Root");
    else if (name == "NImage1")
        openVariableEditor();
    else if (name == "NImage2")
        showList();
    else if (name == "NImage3")
        substitute();
    else if (name == "NImage4")
        simplify();
    else if (name == "NImage5")
        restore();
    else if (name == "HImage1")
        listHelp();
    else if (name == "HImage2")
        showMain();
    else if (name == "M1In" || name == "M1InRed")
        storeMemory(0);
    else if (name == "M2In" || name == "M2InRed")
        storeMemory(1);
    else if (name == "M1Out")
        recallMemory(0);
    else if (name == "M2Out")
        recallMemory(1);
    else if (name == "Fraction" && m_mode != Mode::Main)
        fractionButton();
    else if (name == "Accept" && m_mode != Mode::Main)
        acceptButton();
    else if (name == "List" && m_mode != Mode::Main)
        listButton();
    else
        return false;
    return true;
}

bool FractionsWindow::menu(const std::string& caption)
{
    if (caption == "New")
        newFile();
    else if (caption == "Open")
        open();
    else if (caption == "Save")
        save();
    else if (caption == "Save as")
        saveAs();
    else if (caption == "Exit")
        close();
    else if (caption == "Main" || caption == "Main fraction")
        showMain();
    else if (caption == "New variable")
        openVariableEditor();
    else if (caption == "List of variables")
        showList();
    else if (caption == "Simplify")
        simplify();
    else if (caption == "Value")
        value();
    else if (caption == "Precision")
        applyPrecision(PrecisionDialog());
    else if (caption == "Complex Numbers")
        toggleComplexNumbers();
    else if (caption == "Power" || caption == "Root" || caption == "Fraction")
        insertCommand(caption);
    else if (caption == "Font")
        chooseFont();
    else if (caption == "Colors")
        chooseColours();
    else if (caption == "Save options")
        saveOptions();
    else if (caption == "Index")
        m_host.showHelp(m_setup.helpPage);
    else
        return false;
    return true;
}

bool FractionsWindow::controlKey(std::uint16_t key)
{
    if (key == 'H' && m_mode == Mode::List) {
        listHelp();
        return true;
    }
    if (key == 'M' || key == 'H') {
        showMain();
        return true;
    }
    if (m_mode == Mode::Main) {
        if (key == 'V')
            openVariableEditor();
        else if (key == 'S')
            substitute();
        else if (key == 'L')
            showList();
        else
            return false;
        return true;
    }
    if (key == 'F')
        fractionButton();
    else if (key == 'A')
        acceptButton();
    else if (key == 'L')
        listButton();
    else
        return false;
    return true;
}

void FractionsWindow::keyDown(std::uint16_t key, Modifiers modifiers)
{
    if (m_variableEditor) {
        switch (m_variableEditor->keyDown(key, modifiers)) {
        case VariableEditor::KeyResult::Accept:
            acceptVariable();
            break;
        case VariableEditor::KeyResult::Cancel:
            m_variableEditor.reset();
            break;
        case VariableEditor::KeyResult::None:
            break;
        }
        return;
    }
    if (modifiers.control() && controlKey(key))
        return;
    // The list shows no expression to edit.
    if (m_mode == Mode::List)
        return;
    if (key == editor_keys::kEquals && !modifiers.shift() && !modifiers.control()) {
        if (m_mode == Mode::Main)
            simplify();
        return;
    }
    if (m_clipboard && key == 'C' && modifiers.control() && !modifiers.shift()) {
        copyExpression(m_editor, *m_clipboard);
        return;
    }
    if (m_clipboard && key == static_cast<std::uint16_t>(Key::Insert) && modifiers.shift()) {
        if (pasteExpression(m_editor, *m_clipboard))
            m_modified = true;
        return;
    }
    EditorRequest request = m_editor.keyDown(key, modifiers);
    if (m_mode != Mode::Main)
        return;
    if (request == EditorRequest::Simplify) {
        simplify();
    } else if (request == EditorRequest::Escape || request == EditorRequest::New) {
        if (m_unsimplified)
            restore();
        else
            afterNewExpression(nullptr);
    } else if (key != static_cast<std::uint16_t>(Key::Shift) &&
               key != static_cast<std::uint16_t>(Key::Control)) {
        m_modified = true;
    }
}

} // namespace kestrane
