// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/edit_history.h"

namespace kestrane {

void EditHistory::beforeEdit(EditKind kind, const EditSnapshot& before, bool startsWord)
{
    bool joins = m_open && kind != EditKind::Other && kind == m_openKind && !startsWord;
    if (!joins) {
        // The oldest steps go first when a long session fills the history.
        if (m_undo.size() == kMaxSteps)
            m_undo.erase(m_undo.begin());
        m_undo.push_back(before);
    }
    m_redo.clear();
    m_openKind = kind;
    m_open = kind != EditKind::Other;
}

void EditHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_open = false;
}

std::optional<EditSnapshot> EditHistory::undo(const EditSnapshot& current)
{
    m_open = false;
    // A step that changed nothing (Backspace at the very start) is skipped.
    while (!m_undo.empty() && m_undo.back().text == current.text)
        m_undo.pop_back();
    if (m_undo.empty())
        return std::nullopt;
    EditSnapshot snapshot = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back(current);
    return snapshot;
}

std::optional<EditSnapshot> EditHistory::redo(const EditSnapshot& current)
{
    m_open = false;
    if (m_redo.empty())
        return std::nullopt;
    EditSnapshot snapshot = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back(current);
    return snapshot;
}

} // namespace kestrane
