// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's Find and Find next.
#include "editor/find_dialog.h"
#include "editor/script_editor.h"
#include "platform/host.h"

#include <algorithm>

namespace kestrane {

void ScriptEditor::find()
{
    m_searchPosition = {};
    FindDialog dialog(m_searchText);
    if (m_host.runModal(dialog) != DialogResult::Accepted)
        return;
    m_searchText = dialog.text();
    if (m_searchText.empty()) {
        m_searched = false;
        m_host.message(std::string(editor_message::kNothingToFindCaption),
                       std::string(editor_message::kNothingToFind), MessageButtons::Ok,
                       MessageIcon::Error);
        return;
    }
    m_searched = true;
    searchFrom(m_searchPosition);
}

void ScriptEditor::findNext()
{
    if (!m_searched) {
        m_host.message(std::string(editor_message::kNothingToFindCaption),
                       std::string(editor_message::kNothingToFind), MessageButtons::Ok,
                       MessageIcon::Error);
        return;
    }
    searchFrom({m_searchPosition.line, m_searchPosition.column + 1});
}

// Case-sensitive, over the current file's lines from the position. The
// match is selected, the cursor put after it, and the view moved so that
// the match shows two lines below the top when it lay outside.
bool ScriptEditor::searchFrom(TextPosition from)
{
    hideCompletion();
    auto lineCount = static_cast<int>(m_current->lines.size());
    for (int line = std::max(from.line, 0); line < lineCount; ++line) {
        const std::string& text = lineText(line);
        auto column = line == from.line ? static_cast<std::size_t>(from.column) : 0;
        std::size_t found =
            column <= text.size() ? text.find(m_searchText, column) : std::string::npos;
        if (found == std::string::npos)
            continue;
        m_searchPosition = {line, static_cast<int>(found)};
        EditingView& view = m_current->view;
        if (line >= view.topLine + m_visibleLines || line < view.topLine)
            view.topLine = std::max(0, line - 2);
        select(m_searchPosition, {line, static_cast<int>(found + m_searchText.size())});
        return true;
    }
    m_host.message(std::string(editor_message::kErrorCaption),
                   std::string(editor_message::kNotFound), MessageButtons::Ok, MessageIcon::Error);
    return false;
}

} // namespace kestrane
