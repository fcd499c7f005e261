// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/word_help.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The language reference: every word a module accepts with its argument
// lists, result type, description and example, as text, JSON or HTML pages.
// `kestrane-cli words`, the help pages and the editor's F1 share it.
namespace kestrane {

// One word as a module reads it.
struct ReferenceWord {
    const WordEntry* entry;
    const WordHelp* help; // nullptr when the table has no help for it yet
};

// The module codes in the order the reference lists them.
std::vector<int> referenceModules();

// The words of a module, sorted, each with the entry the module reads.
std::vector<ReferenceWord> moduleReference(int moduleCode);

// A module by its code ("503") or its name ("Dimension 3", "dimension3",
// "curves"), blanks and case ignored.
std::optional<int> parseModule(std::string_view text);

// The forms the compiler accepts, one a line: "circle(point, point)",
// "Color(line) = value", "polygon(point, point, ...)", "NoNames".
std::vector<std::string> callForms(const WordEntry& entry);
// "point", or "none".
std::string resultName(const WordEntry& entry);

// The reference of one module, or of every module when none is given.
std::string referenceText(std::optional<int> moduleCode);
std::string referenceJson(std::optional<int> moduleCode);

// The reference pages: (file name, HTML). "index.html" lists the modules
// and links "rules.html", the general statements and language rules.
std::vector<std::pair<std::string, std::string>> referencePages();

// The page and anchor of a word in a module ("dimension_3.html", "sphere");
// empty page when the module does not reserve the word.
std::pair<std::string, std::string> referenceLocation(std::string_view word, int moduleCode);

} // namespace kestrane
