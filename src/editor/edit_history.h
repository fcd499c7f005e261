// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// The text of the edited file with its caret, as undo brings it back.
struct EditSnapshot {
    std::string text;
    int line = 0;
    int column = 0;
    friend bool operator==(const EditSnapshot&, const EditSnapshot&) = default;
};

// What an edit is, for grouping: typed characters join into words and
// deletions into runs; anything else is a step of its own.
enum class EditKind { Typing, Deleting, Other };

// The editor's undo and redo history: a snapshot of the text before each
// group of edits. Typing joins one group until a word begins after a blank
// or a sign, so that Undo takes back a word at a time; a caret move, a
// mouse click or a save closes the group. Saving keeps the history.
class EditHistory {
public:
    static constexpr std::size_t kMaxSteps = 500;

    // Called before an edit with the text as it stands. `startsWord`: the
    // edit types a letter or digit after a character that is neither.
    void beforeEdit(EditKind kind, const EditSnapshot& before, bool startsWord = false);
    // The next edit starts a group of its own.
    void closeGroup() { m_open = false; }
    void clear();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The snapshot to show; `current` goes to the other list.
    std::optional<EditSnapshot> undo(const EditSnapshot& current);
    std::optional<EditSnapshot> redo(const EditSnapshot& current);

private:
    std::vector<EditSnapshot> m_undo;
    std::vector<EditSnapshot> m_redo;
    EditKind m_openKind = EditKind::Other;
    bool m_open = false;
};

} // namespace kestrane
