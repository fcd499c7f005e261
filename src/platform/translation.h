// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a literal as a text users read, so that the catalogue extraction finds
// it; the literal itself stays as it is (constants are compared and written
// to files untranslated) and is translated where it is shown.
#define N_(text) text

namespace kestrane {

// The catalogue domain: share/locale/LANGUAGE/LC_MESSAGES/kestrane.mo.
inline constexpr const char* kTextDomain = "kestrane";

// Chooses the language of the texts from LANGUAGE, LC_ALL, LC_MESSAGES and
// LANG (the first set; LANGUAGE may list several, "pl:en") and opens the
// catalogues under localeDirectory. Numbers are not touched: LC_NUMERIC stays
// "C", so every number the program prints or reads keeps its '.'. Returns the
// chosen language ("pl_PL.UTF-8", "pl"), empty when the texts stay untranslated.
std::string setUpTranslations(const std::filesystem::path& localeDirectory);

// Where a program finds its catalogues: share/locale beside its bin folder,
// in the build tree as when installed.
std::filesystem::path localeDirectoryFor(const std::filesystem::path& executable);

// The first language of the user's choice ("pl" from "pl_PL.UTF-8:en"), empty
// for the C locale. Qt's own dialogs are translated into this one.
std::string chosenLanguage();

// The text in the user's language; the text itself, byte for byte, when
// there is no catalogue, no entry, or it is empty.
std::string translate(std::string_view text);
const char* translate(const char* text);

// The template in the user's language with %1, %2, ... replaced by the
// values, in order, so that a translation may move a name within its
// sentence ("cannot read %1"). The values themselves stay as they are.
std::string translateFilled(std::string_view text, std::initializer_list<std::string_view> values);

// "%1 faces" for a count, in the user's language with its plural form (Polish
// has three); `one` when count is 1 and `many` otherwise when the texts stay
// untranslated. %1 is replaced by the count.
std::string translateCount(std::size_t count, const char* one, const char* many);

} // namespace kestrane
