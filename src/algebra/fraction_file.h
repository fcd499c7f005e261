// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/variable_table.h"
#include "expressions/fract_node.h"
#include "platform/translation.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

class Host;

// A fraction file ("*.fra") holds the main expression of the Fractions and
// Roots window, its short description and the user's variables:
//   title, CR LF, description, bytes 1 1 13 10, byte form of the expression,
//   variable section: capacity and count N as two ASCII digits each, then
//   for each record with a value its name length (two digits), name and the
//   byte form of its value.
// Files of old versions start directly with the byte form.

inline constexpr std::string_view kFractionFileTitle = "Kestrane v. 1.8";
inline constexpr std::size_t kMaxDescriptionLength = 250;
// The two-digit fields leave room for this many variables.
inline constexpr int kMaxFileVariables = 90;

inline constexpr const char* kWrongFileNameText = N_("Wrong file name.");
inline constexpr const char* kWrongParenthesesText = N_("Wrong number of parentheses.");
inline constexpr const char* kTooManyVariablesCaption = N_("Error.");
inline constexpr const char* kTooManyVariablesText = N_("No more than 90 variables.");
inline constexpr const char* kDamagedVariablesText =
    N_("Variables of this file are damaged and were not read.");

// The name a file is saved under: ".fra" appended when the name (not its
// directories) has no '.', nothing when what follows its last '.' is not
// exactly "fra".
std::optional<std::string> fractionFileName(std::string_view name);

// Every mark of the tree has its partner (checked on a copy, so the tree's
// own flags stay as they are).
bool expressionComplete(const FractNode& expression);

// Appends the variable section (records with a value, in table order).
// False, with bytes unchanged, when there are more than kMaxFileVariables of
// them or a value or name does not fit the form.
bool serializeVariables(const VariableTable& table, std::string& bytes);
// Reads a variable section at position into table (replacing its records);
// false on any damage, with the table then empty.
bool parseVariables(std::string_view bytes, std::size_t& position, VariableTable& table,
                    int fontHeight);

// The bytes of a whole file; nothing when the expression or the variables
// do not fit the form.
std::optional<std::string> fractionFileBytes(const FractNode& expression,
                                             std::string_view description,
                                             const VariableTable& variables);

// Writes the file as the window's Save does: checks the name and the
// expression's marks, says what is wrong through the host and writes
// nothing then; the old file is replaced atomically. Returns the name
// written under, or nothing.
std::optional<std::string> writeFractionFile(std::string_view fileName, const FractNode& expression,
                                             std::string_view description,
                                             const VariableTable& variables, Host& host);

struct FractionFileContents {
    bool titled = false;
    std::string description;
    // Never null: a fresh empty expression when the file's did not parse.
    std::unique_ptr<FractNode> expression;
    VariableTable variables;
    bool expressionDamaged = false;
    bool variablesDamaged = false;
};

// Reads the bytes of a file as the window's Open does, telling the host
// about damage.
FractionFileContents parseFractionFile(std::string_view bytes, Host& host, int fontHeight = 20);
// Nothing when the file cannot be opened.
std::optional<FractionFileContents> readFractionFile(std::string_view fileName, Host& host,
                                                     int fontHeight = 20);

} // namespace kestrane
