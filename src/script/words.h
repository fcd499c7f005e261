// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The reserved words of every module as one table of data: code, statement
// kind, the modules that reserve the word, the admissible argument lists and
// the result type. The compiler validates with it, the editor colours and
// completes with it, and the help pages are generated from it.
namespace kestrane {

// Type codes. The same numbers are the codes of the reserved words, the
// types of variables and parameters, and the kinds of objects at run time.
namespace type {
constexpr int kNone = 0;
constexpr int kLine = 13;
constexpr int kSegment = 14;
constexpr int kCircle = 15;
constexpr int kPoint = 16;
constexpr int kInteger = 17;
constexpr int kColour = 18;
constexpr int kDistance = 19;
constexpr int kHalfLine = 20;
constexpr int kVoid = 24;
constexpr int kPolygon = 27;
constexpr int kVector = 31;
constexpr int kCollection = 81;
constexpr int kRegion = 82;
constexpr int kPlane = 83;
constexpr int kSphere = 84;
constexpr int kPolyhedron = 93;
constexpr int kProcedureParameter = 100; // a parameter typed by a procedure's name
constexpr int kLine3D = 116;
constexpr int kPoint4 = 120;
constexpr int kString = 123;
constexpr int kPolyhedron4 = 124;
constexpr int kPlane4 = 127;
constexpr int kPolygon4 = 131;
constexpr int kSphere4 = 133;
constexpr int kPolytope = 134;
constexpr int kGraph = 169;
constexpr int kRectangle = 170;
constexpr int kFunction = 171;
constexpr int kText = 175;
constexpr int kAlgExpr = 180;
constexpr int kQuadraticFunct = 185;
constexpr int kCubicFunct = 199;
constexpr int kProcedureCall = 200; // the code a declared procedure's name looks up to
constexpr int kDecimal = 208;
constexpr int kCurve = 209;
constexpr int kParameterSegment = 211; // `Segment` of the Curves module
constexpr int kImage = 214;
constexpr int kAnalyticF = 215;
constexpr int kYesNo = 314;
constexpr int kColourClass = 315;
constexpr int kRgb = 317;
} // namespace type

// How the compiler treats a statement that begins with the word.
enum class WordKind : std::uint8_t {
    Call,      // arguments validated against the argument lists
    Plain,     // no arguments
    Attribute, // word(argument) = value
    List,      // any number of points, at least one
    Control,   // if, EndOfIf, void, END, conditions, EndOfAllFaces
    Number,    // literals: integer, string, text, decimal
    Directive, // Module, #include, module keywords
    Unchecked, // arguments read but not validated
};

// The tables the words belong to; a module searches its tables in order and
// then the general table.
enum class WordGroup : std::uint8_t {
    Kestrane,   // Kestrane and Dimension 2
    Dimension2, // Dimension 2 only
    Dimension3,
    Dimension4,
    Graphs,
    Algebra, // Algebraic expressions, Quadratic, Cubic and Curves
    Quadratic,
    Cubic,
    Curves,
    General, // every module
};

// A set of modules as bits, for the words whose meaning differs by module.
using ModuleSet = std::uint16_t;
constexpr ModuleSet moduleBit(int moduleCode)
{
    if (moduleCode >= 501 && moduleCode <= 508)
        return static_cast<ModuleSet>(1u << (moduleCode - 501));
    return moduleCode == 604 ? static_cast<ModuleSet>(1u << 8) : 0;
}
constexpr ModuleSet kEveryModule = 0xFFFF;
constexpr ModuleSet kPlaneModules = moduleBit(501) | moduleBit(502);
constexpr ModuleSet kSpaceModules = moduleBit(503);
constexpr ModuleSet kFourDimensionModules = moduleBit(604);
// Every module outside the plane, space and four-dimensional ones.
constexpr ModuleSet kOtherModules =
    static_cast<ModuleSet>(kEveryModule & ~(kPlaneModules | kSpaceModules | kFourDimensionModules));

using ArgumentList = std::vector<int>;

// One reserved word in the modules of `modules` (within its group's modules).
struct WordEntry {
    WordGroup group;
    std::string_view word;
    int code;
    WordKind kind;
    std::vector<ArgumentList> lists; // tried in order; empty: every call refused
    int result;                      // type of the value, type::kNone when none
    ModuleSet modules = kEveryModule;
};

// Every entry of every table, in table order.
std::span<const WordEntry> wordTable();

// The result of looking a word up in a module. Literals (integer, string,
// text, decimal) have a code but no entry.
struct WordMatch {
    int code = 0;
    WordKind kind = WordKind::Number;
    const WordEntry* entry = nullptr;
    bool reserved() const { return code != 0; }
};

// Looks a word up in a module: the module's tables first, then the general
// table. Exact and case-sensitive. Code 0 when the word is not reserved.
WordMatch matchWord(std::string_view word, int moduleCode);
int lookUpWord(std::string_view word, int moduleCode);

// The entry whose argument lists and result type a word code has in a
// module; nullptr when the module has none. Pass the effective module:
// Kestrane is validated with the Dimension 2 lists.
const WordEntry* entryForCode(int code, int moduleCode);

// The reserved words of a module, sorted, for the completion list.
std::vector<std::string_view> wordsOfModule(int moduleCode);

// Constant words ("white", "yes", ...): the code, -1 when the word is none.
int constantWord(std::string_view word);
// The value class of a constant or value code: type::kYesNo,
// type::kColourClass, or type::kNone ("transparent", "olive").
int valueClass(int code);

// The name of a type code for messages and help pages ("point", "polygon4").
std::string_view typeName(int code);

} // namespace kestrane
