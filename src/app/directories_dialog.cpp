// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/directories_dialog.h"

namespace kestrane {

// With no main directory yet, the list starts in the start directory, never
// at the root.
DirectoriesDialog::DirectoriesDialog(const Directories& current)
    : m_listDirectory(current.main.empty() ? current.program : current.main)
    , m_new{current.main, current.working, current.library}
    , m_previous(m_new)
{
}

void DirectoriesDialog::chooseKind(DirectoryKind kind)
{
    m_new[index(m_kind)] = m_listDirectory;
    m_kind = kind;
    m_listDirectory = m_new[index(kind)];
}

void DirectoriesDialog::close(DirectoriesAction action)
{
    m_new[index(m_kind)] = m_listDirectory;
    m_action = action;
}

Directories DirectoriesDialog::result(const Directories& current) const
{
    Directories updated = current;
    updated.main = newValue(DirectoryKind::Main);
    if (newValue(DirectoryKind::Working).size() > 2)
        updated.working = newValue(DirectoryKind::Working);
    if (newValue(DirectoryKind::Library).size() > 2)
        updated.library = newValue(DirectoryKind::Library);
    return updated;
}

bool editDirectories(Host& host, Directories& directories,
                     const std::filesystem::path& programOptions,
                     const std::filesystem::path& homeOptions)
{
    DirectoriesDialog dialog(directories);
    host.runModal(dialog);
    if (dialog.action() == DirectoriesAction::Cancel)
        return false;
    directories = dialog.result(directories);
    // A file that cannot be written is not reported: the directories still
    // hold for this session.
    writeOptions(dialog.action() == DirectoriesAction::Save ? programOptions : homeOptions,
                 directories);
    return true;
}

} // namespace kestrane
