// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/words_data.h"

namespace kestrane::words_data {

using namespace type;
using enum WordKind;

namespace {

constexpr ModuleSet kCurves = moduleBit(508);
constexpr ModuleSet kAlgebraButCurves = moduleBit(505) | moduleBit(506) | moduleBit(507);

std::vector<WordEntry> graphsWords()
{
    constexpr WordGroup group = WordGroup::Graphs;
    return {
        {group, "Graph", 169, Call, {{kFunction, kRectangle}}, kGraph},
        {group, "Function", 171, Call, {{kString}}, kFunction},
        {group, "DrawFunction", 172, Call, {{kFunction, kInteger, kInteger}}, kNone},
        {group, "Rectangle", 170, Call, {{kInteger, kInteger, kInteger, kInteger}}, kRectangle},
    };
}

std::vector<WordEntry> sharedAlgebraWords()
{
    constexpr WordGroup group = WordGroup::Algebra;
    return {
        {group, "Value", 198, Call, {{kInteger, kInteger, kAlgExpr}}, kNone},
        {group, "AlgExpr", 180, Call, {{kString}}, kAlgExpr},
        {group, "AnalyticF", 215, Unchecked, {{kString}}, kAnalyticF, kAlgebraButCurves},
        {group, "AnalyticF", 215, Call, {{kString}}, kAnalyticF, kCurves},
        {group,
         "Image",
         214,
         Unchecked,
         {{kCurve, kAnalyticF, kRectangle}},
         kCurve,
         kAlgebraButCurves},
        {group, "Image", 214, Call, {{kCurve, kAnalyticF, kRectangle}}, kCurve, kCurves},
        {group,
         "DrawAlgExpr",
         181,
         Call,
         {{kInteger, kInteger, kAlgExpr}, {kInteger, kInteger, kAnalyticF}},
         kNone},
        {group, "Simplify", 182, Call, {{kAlgExpr}}, kAlgExpr},
        {group, "Substitute", 184, Call, {{kAlgExpr}}, kAlgExpr},
        {group, "Variable", 187, Call, {{kAlgExpr, kInteger}}, kAlgExpr},
        {group, "Constant", 189, Call, {{kInteger}}, kAlgExpr},
        {group, "Sum", 190, Call, {{kAlgExpr, kAlgExpr}}, kAlgExpr},
        {group, "Difference", 191, Call, {{kAlgExpr, kAlgExpr}}, kAlgExpr},
        {group, "Product", 192, Call, {{kAlgExpr, kAlgExpr}}, kAlgExpr},
        {group, "Divide", 193, Call, {{kAlgExpr, kAlgExpr}}, kAlgExpr},
        {group, "SquareRoot", 194, Call, {{kAlgExpr}}, kAlgExpr},
        {group, "DefVariable", 195, Call, {{kString}}, kAlgExpr},
        {group, "Power", 196, Call, {{kAlgExpr, kInteger}}, kAlgExpr},
        {group, "AddVariable", 197, Call, {{kAlgExpr, kString, kAlgExpr}}, kNone},
    };
}

std::vector<WordEntry> quadraticWords()
{
    constexpr WordGroup group = WordGroup::Quadratic;
    return {
        {group, "QuadraticGraph", 186, Call, {{kQuadraticFunct, kRectangle}}, kNone},
        {group, "Root", 183, Call, {{kQuadraticFunct, kInteger}}, kAlgExpr},
        {group, "QuadraticFunct", 185, Call, everyCombination(3, {kInteger, kAlgExpr}),
         kQuadraticFunct},
        {group, "DrawQuadratic", 188, Call, {{kInteger, kInteger, kQuadraticFunct}}, kNone},
        {group,
         "DrawAlgExpr",
         181,
         Call,
         {{kInteger, kInteger, kAlgExpr}, {kInteger, kInteger, kAnalyticF}},
         kNone},
        {group, "Rectangle", 170, Call, {{kInteger, kInteger, kInteger, kInteger}}, kRectangle},
    };
}

std::vector<WordEntry> cubicWords()
{
    constexpr WordGroup group = WordGroup::Cubic;
    return {
        {group, "DrawCubic", 201, Call, {{kInteger, kInteger, kCubicFunct}}, kNone},
        {group, "CubGraph", 206, Call, {{kCubicFunct, kRectangle}}, kNone},
        {group, "CubicFunct", 199, Call, everyCombination(4, {kInteger, kAlgExpr}), kCubicFunct},
        {group, "ValCubFunct", 207, Call, everyCombination(4, {kInteger, kAlgExpr}), kCubicFunct},
        {group, "DrawRootValue", 203, Call, {{kCubicFunct, kInteger, kInteger, kInteger}}, kNone},
        {group, "DrawSimplCubFunct", 202, Call, {{kInteger, kInteger, kCubicFunct}}, kNone},
        {group, "CubEqRoot", 204, Call, {{kCubicFunct, kInteger}}, kAlgExpr},
        {group, "Rt3DegUnit", 205, Plain, {}, kNone},
        {group,
         "Rectangle",
         170,
         Unchecked,
         {{kInteger, kInteger, kInteger, kInteger}},
         kRectangle},
    };
}

std::vector<WordEntry> curvesWords()
{
    constexpr WordGroup group = WordGroup::Curves;
    return {
        {group, "Curve", 209, Call, {{kAlgExpr, kAlgExpr, kRectangle}}, kCurve},
        {group, "ParamSet", 210, Attribute, {{kCurve}}, kParameterSegment},
        {group,
         "Segment",
         211,
         Call,
         {{kDecimal, kDecimal}, {kDecimal, kInteger}, {kInteger, kDecimal}, {kInteger, kInteger}},
         kParameterSegment},
        {group, "Rectangle", 170, Call, {{kInteger, kInteger, kInteger, kInteger}}, kRectangle},
        {group, "DrawCurve", 212, Call, {{kCurve}}, kNone},
        {group, "KeepAspRatio", 213, Attribute, {{kCurve}}, kYesNo},
    };
}

void append(std::vector<WordEntry>& words, std::vector<WordEntry> more)
{
    for (WordEntry& entry : more)
        words.push_back(std::move(entry));
}

} // namespace

std::vector<WordEntry> algebraWords()
{
    std::vector<WordEntry> words = graphsWords();
    append(words, sharedAlgebraWords());
    append(words, quadraticWords());
    append(words, cubicWords());
    append(words, curvesWords());
    return words;
}

} // namespace kestrane::words_data
