// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/options.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace kestrane {

enum class DirectoryKind { Main = 0, Working = 1, Library = 2 };

// How the directories dialog was closed.
enum class DirectoriesAction { Cancel, Save, SaveInHome };

// The directories dialog ("Find directory."): the user picks the main, working
// and library directories in a directory list; "Save" writes the options file
// of the program directory, "Save in home" the one in the user's
// configuration directory.
class DirectoriesDialog final : public ModalDialog {
public:
    static constexpr std::string_view kCaption = N_("Find directory.");

    explicit DirectoriesDialog(const Directories& current);

    DirectoryKind kind() const { return m_kind; }
    // Leaving a kind keeps the list's directory as that kind's new value.
    void chooseKind(DirectoryKind kind);

    // The directory shown in the list, which the "New ..." field shows too.
    const std::string& listDirectory() const { return m_listDirectory; }
    void setListDirectory(std::string directory) { m_listDirectory = std::move(directory); }
    // The "Clear" panel.
    void clear() { m_listDirectory.clear(); }

    const std::string& newValue(DirectoryKind kind) const { return m_new[index(kind)]; }
    const std::string& previousValue(DirectoryKind kind) const { return m_previous[index(kind)]; }

    void close(DirectoriesAction action);
    DirectoriesAction action() const { return m_action; }

    // The directories after Save or Save in home: the main one always, the
    // working and library ones only when longer than 2 characters.
    Directories result(const Directories& current) const;

private:
    static size_t index(DirectoryKind kind) { return static_cast<size_t>(kind); }

    DirectoryKind m_kind = DirectoryKind::Main;
    std::string m_listDirectory;
    std::array<std::string, 3> m_new;
    std::array<std::string, 3> m_previous;
    DirectoriesAction m_action = DirectoriesAction::Cancel;
};

// Shows the dialog; after Save or Save in home, updates the directories and
// writes the options file (program directory's or the home one). Returns
// whether the directories changed.
bool editDirectories(Host& host, Directories& directories,
                     const std::filesystem::path& programOptions,
                     const std::filesystem::path& homeOptions);

} // namespace kestrane
