// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/module.h"

#include "platform/translation.h"

#include <algorithm>
#include <array>

namespace kestrane {

namespace {

constexpr std::array kModules{
    ModuleInfo{Module::Kestrane, "Kestrane", "Kestrane", "&Kestrane", "Kestrane"},
    ModuleInfo{Module::Dimension2, "Dimension 2", "Dimension2", "Dimension &2", "dim=2"},
    ModuleInfo{Module::Dimension3, "Dimension 3", "Dimension3", "Dimension &3", "dim=3"},
    ModuleInfo{Module::Graphs, "Graphs", "", N_("&Graph"), "Graphs"},
    ModuleInfo{Module::Algebra, "Fractions and Roots", "", N_("&Algebraic expressions"),
               "Fractions and Roots"},
    ModuleInfo{Module::Quadratic, "Quadratic Functions", "", N_("&Quadratic functions"),
               "Quadratic Functions"},
    ModuleInfo{Module::Cubic, "Cubic Functions", "", N_("&Cubic functions"), "Cubic Functions"},
    ModuleInfo{Module::Curves, "Curves", "", N_("Cur&ves"), "Curves"},
    ModuleInfo{Module::Dimension4, "Dimension 4", "Dimension4", "", ""},
};

} // namespace

std::span<const ModuleInfo> moduleTable()
{
    return kModules;
}

const ModuleInfo* findModule(int moduleCode)
{
    auto found =
        std::find_if(kModules.begin(), kModules.end(), [moduleCode](const ModuleInfo& info) {
            return code(info.module) == moduleCode;
        });
    return found == kModules.end() ? nullptr : &*found;
}

std::string moduleCannotRunMessage(int moduleCode)
{
    const ModuleInfo* info = findModule(moduleCode);
    std::string name = info ? std::string(info->statusName) : std::to_string(moduleCode);
    return translate("Programs of module ") + name + translate(" cannot be run yet.");
}

} // namespace kestrane
