// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"

// The message boxes of the expression editor: caption and text of each
// refusal, used exactly as the user sees them.
namespace kestrane::editor_messages {

struct Message {
    const char* caption;
    const char* text;
};

inline constexpr Message kEditingLocked = {
    N_("Info"),
    N_("This is a computer's fraction or editing is finished.\nYou cannot edit this fraction.")};
inline constexpr Message kParenthesesOff = {
    N_("Error"),
    N_("To insert a parenthesis you need to check the box 'parentheses' in 'Options->Settings")};
inline constexpr Message kLetterI = {
    N_("Info"),
    N_("Letter 'I' or 'i' may not be in a variable's name. Use another letter.\nIf you are "
       "using calculator and if you want to write 'i',\nthen check "
       "Settings>>ComplexNumbers.")};
inline constexpr Message kNameTooLong = {
    N_("Info"), N_("Name of variable may not have more than 4 characters.")};
inline constexpr Message kNotEditKey = {N_("Keyboard error"),
                                        N_("This is not an edit key.\nUse edit keys only.")};
inline constexpr Message kCommas = {N_("Keyboard error"),
                                    N_("Commas are not allowed in this module.")};
inline constexpr Message kDivision = {
    N_("Not allowed operation."),
    N_("In this module arithmetic operation of division is not allowed. Use fractions instead")};
inline constexpr Message kOperationInExponent = {
    N_("Not allowed operation."),
    N_("In this module arithmetic operations are not allowed in exponets of powers.")};
inline constexpr Message kSecondComma = {N_("Error."), N_("Cannot write a second comma.")};
inline constexpr Message kNoText = {
    N_("Error."),
    N_("Cannot insert a digit or comma. Probably cursor is placed on an operation sign.")};
inline constexpr Message kVariable = {
    N_("Error."), N_("There is a variable in an expression. You cannot add anything else. Use "
                     "multiplication or any other operation.")};
inline constexpr Message kMarkArea = {
    N_("Error."),
    N_("Cursor in parentheses area. To edit number, place cursor in a number area or end "
       "of opening parentheses area or beginning of closing parentheses area.")};
inline constexpr Message kSignHere = {
    N_("Keyboard error"), N_("Cannot add a sign here. See help if you want to change sign.")};
inline constexpr Message kClosingSign = {N_("Keyboard error"),
                                         N_("Closing parenthesis cannot have a sign.")};
inline constexpr Message kRootInExponent = {N_("Not allowed operation."),
                                            N_("Roots are not allowed for exponent of power.")};
inline constexpr Message kFractionInExponent = {
    N_("Not allowed operation."),
    N_("In this module fractions are not allowed for exponent of power.")};
inline constexpr Message kPowerInExponent = {N_("Not allowed operation."),
                                             N_("Powers are not allowed for exponent of power.")};
inline constexpr Message kPowerBesideRoot = {
    N_("Not allowed operation."),
    N_("Cursor in a wrong place. Probably besides root or function.\nTo "
       "avoid problem take the expression into new parentheses")};
inline constexpr Message kRootFromClosing = {N_("error"),
                                             N_("Root can be removed by deleting initial item.")};
inline constexpr Message kTextTooLong = {N_("Error."),
                                         N_("A number may not have more than 255 characters.")};
// The byte form keeps a row's count in one byte.
inline constexpr Message kTooManyMarks = {N_("Error."),
                                          N_("No more than 200 marks may stand at one number.")};
// A leaf holds one number or one name, so that every expression typed can be
// written and read back.
inline constexpr Message kLetterInNumber = {
    N_("Error."), N_("A letter cannot be written into a number. Use multiplication or any other "
                     "operation.")};
inline constexpr Message kNameStart = {N_("Error."),
                                       N_("A name of a variable begins with a letter.")};
inline constexpr Message kNumberStart = {N_("Error."), N_("A number begins with a digit.")};

} // namespace kestrane::editor_messages
