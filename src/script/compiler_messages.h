// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"

#include <string_view>

// The texts of the compiler, exactly as the user sees them (typos included:
// users search the help pages for them).
namespace kestrane::compile_message {

// Shown inside the editor, on the line of the error.
inline constexpr std::string_view kBadExtension =
    N_("Extension of a file name must be 'kst' for a main file and 'ksu' for unit files.");
inline constexpr std::string_view kNoStart = N_("There is no main procedure start()");
inline constexpr std::string_view kModuleNeedsEquality =
    N_("Equality sign must follow declaration of 'Module'");
inline constexpr std::string_view kWrongModule = N_("Wrong assignement for Module.");
inline constexpr std::string_view kIncludeNoDot = N_("Extension must be separated by a dot");
inline constexpr std::string_view kIncludeWrongExtension =
    N_("Wrong extension. Extension must be .ksu for an include file.");
inline constexpr std::string_view kIncludeNoClosingSign =
    N_("Sign   '>'   must follow the name of a file");
inline constexpr std::string_view kIncludeNoOpeningSign = N_("There is no opening sign '<'");
inline constexpr std::string_view kImproperSign = N_("Improper sign.");
inline constexpr std::string_view kNoParenthesis = N_("No parenthesis.");
inline constexpr std::string_view kReservedProcedureName =
    N_("Name of declaration may not be a reserved name.");
inline constexpr std::string_view kTypeFromKestrane =
    N_("Improper type in a declaration. Declaration from module 'Kestrane'");
inline constexpr std::string_view kTypeFromDimension2 =
    N_("Improper type in a declaration. Declaration from module 'Dimension 2'");
inline constexpr std::string_view kTypeFromDimension3 =
    N_("Improper type in a declaration. Declaration from module 'Dimension 3'");
inline constexpr std::string_view kTypeFromDimension4 =
    N_("Improper type in a declaration. Command from module 'Dimension 4'");
inline constexpr std::string_view kImproperType = N_("Improper type in a declaration.");
inline constexpr std::string_view kNoEnd = N_("There is no 'END'.");
inline constexpr std::string_view kTooLongName = N_("Too long name.");
inline constexpr std::string_view kWrongCommas = N_("Wrong number of commas.");
inline constexpr std::string_view kNoSuchNameOtherModule =
    N_("No such name. Name may be a reserved word from a different module.");
inline constexpr std::string_view kReservedVariable = N_("Variable may not be a reserved word.");
inline constexpr std::string_view kProcedureAsVariable = N_("Procedure's name used as variable.");
inline constexpr std::string_view kMissingEquality = N_("Missing equality sign.");
inline constexpr std::string_view kWrongType = N_("Wrong type.");
inline constexpr std::string_view kNoSuchConstant = N_("There is no such name.");
inline constexpr std::string_view kCannotConvertConstants = N_("Cannot convert constants.");
inline constexpr std::string_view kCannotConvertValues = N_("Cannot convert values.");
inline constexpr std::string_view kNoStartAllFaces =
    N_("Command 'StartAllFaces' must follow 'ForAllFaces'.");
inline constexpr std::string_view kNoEndOfAllFaces =
    N_("There is no command 'EndOfAllFaces' closing 'ForAllFaces'");
inline constexpr std::string_view kAlreadyDefined = N_("Variable was already defined.");
inline constexpr std::string_view kNoSuchName = N_("No such name.");
inline constexpr std::string_view kStartReturns =
    N_("Main procedure 'start' may not return value.");
inline constexpr std::string_view kMissingReturn =
    N_("Procedure doesn't have 'return', although was declared differently.");
inline constexpr std::string_view kReturnType =
    N_("Type of return different than procedure's type.");
inline constexpr std::string_view kDoubleReturn = N_("Double return in a procedure.");
inline constexpr std::string_view kNoCollectionVector =
    N_("Collection must have at least one vector as variable");
inline constexpr std::string_view kTooManyVectors = N_("Too many vectors in a collection");
inline constexpr std::string_view kUndeclaredVariable = N_("Undeclared variable.");
inline constexpr std::string_view kWrongArguments =
    N_("Improper number of variables or wrong types.");
inline constexpr std::string_view kThenNotOnLine = N_("'then' is not in the same line with 'if' .");
inline constexpr std::string_view kImproperName = N_("Improper name.");
// A '$' text whose bracket is not closed.
inline constexpr std::string_view kTextBracket = N_("A bracket in a $ text is not closed.");
// A polygon needs its points; the compiler refuses "polygon()" with this.
inline constexpr std::string_view kPolygonWithoutPoints =
    N_("Polygon must have at least one point.");

// Message boxes that fail the compile.
inline constexpr std::string_view kErrorCaption = N_("Error");
inline constexpr std::string_view kNoCommand = N_("No command in a text.");
inline constexpr std::string_view kIncludeNotLoaded =
    N_("Include file not loaded. If the path is correct, load main file again.\nSee help for "
       "more.\nThere is a possibility that file exists, but has wrong first character \n(must one "
       "of these: '1', '2','3', '4', A, 'B,'C', 'D')");
inline constexpr std::string_view kNoClosingParentheses = N_("No closing parentheses.");
inline constexpr std::string_view kFunctionFileMissing =
    N_("Could not find a file. If there are not mistakes in paths, probably you changed directory. "
       "In that case, find directory with directory browsing dialog or open source file again.");
inline constexpr std::string_view kParameterSignCaption = N_("Blad");
inline constexpr std::string_view kParameterSign = N_("Niewlasciwy  znak.");

// A box that does not fail the compile.
inline constexpr std::string_view kWarningCaption = N_("Warning");
inline constexpr std::string_view kLineBreakWarning =
    N_("Lines should be divided by char =13 and =10. Was text written with 'Skrivio'?");

} // namespace kestrane::compile_message
