// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kestrane {

// The module codes. The current module decides which words a script may use
// and which executor runs its commands. Dimension 4 is 604, not 504.
enum class Module : int {
    Kestrane = 501,
    Dimension2 = 502,
    Dimension3 = 503,
    Graphs = 504,
    Algebra = 505,
    Quadratic = 506,
    Cubic = 507,
    Curves = 508,
    Dimension4 = 604,
};

constexpr int code(Module module)
{
    return static_cast<int>(module);
}

struct ModuleInfo {
    Module module;
    std::string_view statusName; // shown after "Module:" in the editor
    std::string_view keyword;    // script keyword that sets it, empty when none
    std::string_view menuItem;   // editor Module menu item, empty when none
    std::string_view dialogItem; // module dialog radio item, empty when none
};

// Every module in code order; the first eight are the module dialog's items
// (index = code - 501).
std::span<const ModuleInfo> moduleTable();
const ModuleInfo* findModule(int moduleCode);

// The refusal of a program whose module has no executor yet, naming the
// module: "Programs of module Dimension 3 cannot be run yet.".
std::string moduleCannotRunMessage(int moduleCode);

// Kestrane scripts are checked against the Dimension 2 words and run in the
// Dimension 2 executor, so the effective module is never below 502.
constexpr int effectiveModule(int moduleCode)
{
    return moduleCode > 502 ? moduleCode : 502;
}

// The module state that every window reads. Every way of setting the module
// writes all three fields in the same way.
class ModuleState {
public:
    int module() const { return m_module; }
    int effective() const { return m_effective; }
    // The copy the construction window reads and may write on its own.
    int copy() const { return m_copy; }
    void setCopy(int moduleCode) { m_copy = moduleCode; }

    void set(int moduleCode)
    {
        m_module = moduleCode;
        m_effective = effectiveModule(moduleCode);
        m_copy = moduleCode;
    }
    void set(Module module) { set(code(module)); }

private:
    int m_module = code(Module::Kestrane);
    int m_effective = code(Module::Dimension2);
    int m_copy = code(Module::Kestrane);
};

} // namespace kestrane
