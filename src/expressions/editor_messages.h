// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message boxes of the expression editor: caption and text of each
// refusal, used exactly as the user sees them.
namespace kestrane::editor_messages {

struct Message {
    const char* caption;
    const char* text;
};

inline constexpr Message kEditingLocked = {
    "Info",
    "This is a computer's fraction or editing is finished.\nYou cannot edit this fraction."};
inline constexpr Message kParenthesesOff = {
    "Error",
    "To insert a parenthesis you need to check the box 'parentheses' in 'Options->Settings"};
inline constexpr Message kLetterI = {
    "Info", "Letter 'I' or 'i' may not be in a variable's name. Use another letter.\nIf you are "
            "using calculator and if you want to write 'i',\nthen check "
            "Settings>>ComplexNumbers."};
inline constexpr Message kNameTooLong = {"Info",
                                         "Name of variable may not have more than 4 characters."};
inline constexpr Message kNotEditKey = {"Keyboard error",
                                        "This is not an edit key.\nUse edit keys only."};
inline constexpr Message kCommas = {"Keyboard error", "Commas are not allowed in this module."};
inline constexpr Message kDivision = {
    "Not allowed operation.",
    "In this module arithmetic operation of division is not allowed. Use fractions instead"};
inline constexpr Message kOperationInExponent = {
    "Not allowed operation.",
    "In this module arithmetic operations are not allowed in exponets of powers."};
inline constexpr Message kSecondComma = {"Error.", "Cannot write a second comma."};
inline constexpr Message kNoText = {
    "Error.", "Cannot insert a digit or comma. Probably cursor is placed on an operation sign."};
inline constexpr Message kVariable = {
    "Error.", "There is a variable in an expression. You cannot add anything else. Use "
              "multiplication or any other operation."};
inline constexpr Message kMarkArea = {
    "Error.", "Cursor in parentheses area. To edit number, place cursor in a number area or end "
              "of opening parentheses area or beginning of closing parentheses area."};
inline constexpr Message kSignHere = {
    "Keyboard error", "Cannot add a sign here. See help if you want to change sign."};
inline constexpr Message kClosingSign = {"Keyboard error",
                                         "Closing parenthesis cannot have a sign."};
inline constexpr Message kRootInExponent = {"Not allowed operation.",
                                            "Roots are not allowed for exponent of power."};
inline constexpr Message kFractionInExponent = {
    "Not allowed operation.", "In this module fractions are not allowed for exponent of power."};
inline constexpr Message kPowerInExponent = {"Not allowed operation.",
                                             "Powers are not allowed for exponent of power."};
inline constexpr Message kPowerBesideRoot = {
    "Not allowed operation.", "Cursor in a wrong place. Probably besides root or function.\nTo "
                              "avoid problem take the expression into new parentheses"};
inline constexpr Message kRootFromClosing = {"error",
                                             "Root can be removed by deleting initial item."};
inline constexpr Message kTextTooLong = {"Error.",
                                         "A number may not have more than 255 characters."};
// The byte form keeps a row's count in one byte.
inline constexpr Message kTooManyMarks = {"Error.",
                                          "No more than 200 marks may stand at one number."};
// A leaf holds one number or one name, so that every expression typed can be
// written and read back.
inline constexpr Message kLetterInNumber = {
    "Error.", "A letter cannot be written into a number. Use multiplication or any other "
              "operation."};
inline constexpr Message kNameStart = {"Error.", "A name of a variable begins with a letter."};
inline constexpr Message kNumberStart = {"Error.", "A number begins with a digit."};

} // namespace kestrane::editor_messages
