// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/words.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// A one-line description and a short example for every entry of the word
// table, kept in a table of its own keyed by the entry's group, word and
// modules. The reference pages, `kestrane-cli words` and the editor's F1
// read it.
namespace kestrane {

struct WordHelp {
    WordGroup group;
    std::string_view word;
    std::string_view description;
    // Statements of a start procedure's body, one a line, that compile in
    // the entry's first module; an example with procedures of its own (a
    // line `END` inside it) is the whole program.
    std::string_view example;
    ModuleSet modules = kEveryModule;
    // The module the example is written for; 0: the entry's first module.
    int exampleModule = 0;
};

std::span<const WordHelp> wordHelpTable();

// The help of a table entry; nullptr when the entry has none yet.
const WordHelp* helpFor(const WordEntry& entry);

// The module codes an entry serves, in code order (604 last).
std::vector<int> modulesOfEntry(const WordEntry& entry);

// The module an entry's example compiles in.
int exampleModuleOf(const WordEntry& entry, const WordHelp& help);

// The example as a whole script of the module: the body inside
// `void start()` ... `END`, lines joined with CR LF.
std::string exampleScript(const WordHelp& help);

} // namespace kestrane
