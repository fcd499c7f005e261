// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/host.h"
#include "platform/translation.h"
#include "script/module.h"

#include <optional>
#include <string_view>

namespace kestrane {

// The "Module" dialog: a radio group "Modules" of the eight modules a user can
// choose. It opens on the current module (nothing selected for Dimension 4).
class ModuleDialog final : public ModalDialog {
public:
    static constexpr std::string_view kCaption = N_("Module");
    static constexpr std::string_view kLabel = N_("Choose a Module");
    static constexpr std::string_view kGroupCaption = N_("Modules");
    static constexpr int kItemCount = 8;

    explicit ModuleDialog(int currentModule);

    static std::string_view itemText(int index);

    std::optional<int> selectedIndex() const { return m_selected; }
    void select(std::optional<int> index);

    // The module OK sets: 501 + the selected index; nothing when no item is
    // selected, so OK then changes nothing.
    std::optional<int> chosenModule() const;

private:
    std::optional<int> m_selected;
};

// Shows the dialog and, on OK with an item selected, sets the module. Returns
// whether the module was set (the caller rebuilds what depends on it).
bool chooseModule(Host& host, ModuleState& state);

} // namespace kestrane
