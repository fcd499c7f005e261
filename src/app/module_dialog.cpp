// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module_dialog.h"

namespace kestrane {

ModuleDialog::ModuleDialog(int currentModule)
{
    int index = currentModule - code(Module::Kestrane);
    if (index >= 0 && index < kItemCount)
        m_selected = index;
}

std::string_view ModuleDialog::itemText(int index)
{
    if (index < 0 || index >= kItemCount)
        return {};
    return moduleTable()[static_cast<size_t>(index)].dialogItem;
}

void ModuleDialog::select(std::optional<int> index)
{
    if (index && (*index < 0 || *index >= kItemCount))
        index.reset();
    m_selected = index;
}

std::optional<int> ModuleDialog::chosenModule() const
{
    if (!m_selected)
        return {};
    return code(Module::Kestrane) + *m_selected;
}

bool chooseModule(Host& host, ModuleState& state)
{
    ModuleDialog dialog(state.module());
    if (host.runModal(dialog) != DialogResult::Accepted)
        return false;
    auto chosen = dialog.chosenModule();
    if (!chosen)
        return false;
    state.set(*chosen);
    return true;
}

} // namespace kestrane
