// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The texts of the compiler, exactly as the user sees them (typos included:
// users search the help pages for them).
namespace kestrane::compile_message {

// Shown inside the editor, on the line of the error.
inline constexpr std::string_view kBadExtension =
    "Extension of a file name must be 'kst' for a main file and 'ksu' for unit files.";
inline constexpr std::string_view kNoStart = "There is no main procedure start()";
inline constexpr std::string_view kModuleNeedsEquality =
    "Equality sign must follow declaration of 'Module'";
inline constexpr std::string_view kWrongModule = "Wrong assignement for Module.";
inline constexpr std::string_view kIncludeNoDot = "Extension must be separated by a dot";
inline constexpr std::string_view kIncludeWrongExtension =
    "Wrong extension. Extension must be .ksu for an include file.";
inline constexpr std::string_view kIncludeNoClosingSign =
    "Sign   '>'   must follow the name of a file";
inline constexpr std::string_view kIncludeNoOpeningSign = "There is no opening sign '<'";
inline constexpr std::string_view kImproperSign = "Improper sign.";
inline constexpr std::string_view kNoParenthesis = "No parenthesis.";
inline constexpr std::string_view kReservedProcedureName =
    "Name of declaration may not be a reserved name.";
inline constexpr std::string_view kTypeFromKestrane =
    "Improper type in a declaration. Declaration from module 'Kestrane'";
inline constexpr std::string_view kTypeFromDimension2 =
    "Improper type in a declaration. Declaration from module 'Dimension 2'";
inline constexpr std::string_view kTypeFromDimension3 =
    "Improper type in a declaration. Declaration from module 'Dimension 3'";
inline constexpr std::string_view kTypeFromDimension4 =
    "Improper type in a declaration. Command from module 'Dimension 4'";
inline constexpr std::string_view kImproperType = "Improper type in a declaration.";
inline constexpr std::string_view kNoEnd = "There is no 'END'.";
inline constexpr std::string_view kTooLongName = "Too long name.";
inline constexpr std::string_view kWrongCommas = "Wrong number of commas.";
inline constexpr std::string_view kNoSuchNameOtherModule =
    "No such name. Name may be a reserved word from a different module.";
inline constexpr std::string_view kReservedVariable = "Variable may not be a reserved word.";
inline constexpr std::string_view kProcedureAsVariable = "Procedure's name used as variable.";
inline constexpr std::string_view kMissingEquality = "Missing equality sign.";
inline constexpr std::string_view kWrongType = "Wrong type.";
inline constexpr std::string_view kNoSuchConstant = "There is no such name.";
inline constexpr std::string_view kCannotConvertConstants = "Cannot convert constants.";
inline constexpr std::string_view kCannotConvertValues = "Cannot convert values.";
inline constexpr std::string_view kNoStartAllFaces =
    "Command 'StartAllFaces' must follow 'ForAllFaces'.";
inline constexpr std::string_view kNoEndOfAllFaces =
    "There is no command 'EndOfAllFaces' closing 'ForAllFaces'";
inline constexpr std::string_view kAlreadyDefined = "Variable was already defined.";
inline constexpr std::string_view kNoSuchName = "No such name.";
inline constexpr std::string_view kStartReturns = "Main procedure 'start' may not return value.";
inline constexpr std::string_view kMissingReturn =
    "Procedure doesn't have 'return', although was declared differently.";
inline constexpr std::string_view kReturnType = "Type of return different than procedure's type.";
inline constexpr std::string_view kDoubleReturn = "Double return in a procedure.";
inline constexpr std::string_view kNoCollectionVector =
    "Collection must have at least one vector as variable";
inline constexpr std::string_view kTooManyVectors = "Too many vectors in a collection";
inline constexpr std::string_view kUndeclaredVariable = "Undeclared variable.";
inline constexpr std::string_view kWrongArguments = "Improper number of variables or wrong types.";
inline constexpr std::string_view kThenNotOnLine = "'then' is not in the same line with 'if' .";
inline constexpr std::string_view kImproperName = "Improper name.";
// A '$' text whose bracket is not closed.
inline constexpr std::string_view kTextBracket = "A bracket in a $ text is not closed.";
// A polygon needs its points; the compiler refuses "polygon()" with this.
inline constexpr std::string_view kPolygonWithoutPoints = "Polygon must have at least one point.";

// Message boxes that fail the compile.
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kNoCommand = "No command in a text.";
inline constexpr std::string_view kIncludeNotLoaded =
    "Include file not loaded. If the path is correct, load main file again.\nSee help for "
    "more.\nThere is a possibility that file exists, but has wrong first character \n(must one "
    "of these: '1', '2','3', '4', A, 'B,'C', 'D')";
inline constexpr std::string_view kNoClosingParentheses = "No closing parentheses.";
inline constexpr std::string_view kFunctionFileMissing =
    "Could not find a file. If there are not mistakes in paths, probably you changed directory. "
    "In that case, find directory with directory browsing dialog or open source file again.";
inline constexpr std::string_view kParameterSignCaption = "Blad";
inline constexpr std::string_view kParameterSign = "Niewlasciwy  znak.";

// A box that does not fail the compile.
inline constexpr std::string_view kWarningCaption = "Warning";
inline constexpr std::string_view kLineBreakWarning =
    "Lines should be divided by char =13 and =10. Was text written with 'Skrivio'?";

} // namespace kestrane::compile_message
