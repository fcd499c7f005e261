// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/word_help_data.h"

namespace kestrane::word_help_data {

namespace {

constexpr ModuleSet kCurves = moduleBit(508);
constexpr ModuleSet kAlgebraButCurves = moduleBit(505) | moduleBit(506) | moduleBit(507);

#define KESTRANE_X "x=DefVariable($x)\n"
#define KESTRANE_CURVE "x=DefVariable($t)\ny=Product(x,x)\nr=Rectangle(0,0,400,300)\nc=Curve(x,y,r)\n"

std::vector<WordHelp> graphsHelp()
{
    constexpr WordGroup group = WordGroup::Graphs;
    return {
        {group, "Graph", "The graph of a function drawn in a rectangle.",
         "f=Function($parabola.fct)\nr=Rectangle(20,20,420,320)\ng=Graph(f,r)"},
        {group, "Function", "A function read from a function file (.fct) beside the program; its name may hold digits and `_`.",
         "f=Function($parabola.fct)\ng=Function($sinc2.fct)"},
        {group, "DrawFunction", "Writes the formula of a function at (x, y).",
         "f=Function($parabola.fct)\nDrawFunction(f,20,340)"},
        {group, "Rectangle", "The rectangle (x1, y1, x2, y2) a graph is drawn in.", "r=Rectangle(20,20,420,320)"},
    };
}

std::vector<WordHelp> sharedAlgebraHelp()
{
    constexpr WordGroup group = WordGroup::Algebra;
    return {
        {group, "Value", "Writes the numeric value of an expression at (x, y).",
         "a=Constant(2)\nb=SquareRoot(a)\nValue(20,20,b)"},
        {group, "AlgExpr", "An expression read from an expression file.", "e=AlgExpr($expression.txt)"},
        {group, "AnalyticF", "An analytic function of z given as text (its text is not checked in this module).",
         "f=AnalyticF($z*z)", kAlgebraButCurves},
        {group, "AnalyticF", "An analytic function of z given as text, for `Image`.", "s=String($z*z)\nf=AnalyticF(s)", kCurves},
        {group, "Image", "Reserved here: the image of a curve under an analytic function belongs to the Curves module.",
         "// Image is checked in the Curves module", kAlgebraButCurves},
        {group, "Image", "The image of a curve under an analytic function, drawn in a rectangle.",
         KESTRANE_CURVE "s=String($z*z)\nf=AnalyticF(s)\nw=Image(c,f,r)", kCurves},
        {group, "DrawAlgExpr", "Writes the formula of an expression or analytic function at (x, y).",
         KESTRANE_X "DrawAlgExpr(20,20,x)"},
        {group, "Simplify", "A simplified copy of an expression.",
         KESTRANE_X "s=Sum(x,x)\nt=Simplify(s)"},
        {group, "Substitute", "A copy of an expression with every variable that has a value replaced by it.",
         KESTRANE_X "a=Constant(3)\ns=Sum(x,a)\nAddVariable(s,$x,a)\nt=Substitute(s)"},
        {group, "Variable", "The variable of an expression with the given number.",
         KESTRANE_X "s=Product(x,x)\nv=Variable(s,1)"},
        {group, "Constant", "The expression that is the integer.", "a=Constant(7)"},
        {group, "Sum", "The simplified sum of two expressions.", KESTRANE_X "a=Constant(1)\ns=Sum(x,a)"},
        {group, "Difference", "The simplified difference of two expressions.", KESTRANE_X "a=Constant(1)\ns=Difference(x,a)"},
        {group, "Product", "The simplified product of two expressions.", KESTRANE_X "s=Product(x,x)"},
        {group, "Divide", "The simplified quotient of two expressions.", KESTRANE_X "a=Constant(2)\ns=Divide(x,a)"},
        {group, "SquareRoot", "The simplified square root of an expression.", "a=Constant(8)\nr=SquareRoot(a)"},
        {group, "DefVariable", "The expression that is the variable of the given name.", "x=DefVariable($x)"},
        {group, "Power", "An expression raised to an integer power, simplified.", KESTRANE_X "p=Power(x,3)"},
        {group, "AddVariable", "Gives a variable of an expression a value, which `Substitute` puts in.",
         KESTRANE_X "a=Constant(2)\nAddVariable(x,$x,a)"},
    };
}

std::vector<WordHelp> quadraticHelp()
{
    constexpr WordGroup group = WordGroup::Quadratic;
    return {
        {group, "QuadraticGraph", "Draws the graph of a quadratic function in a rectangle.",
         "f=QuadraticFunct(1,0,-4)\nr=Rectangle(20,20,420,320)\nQuadraticGraph(f,r)"},
        {group, "Root", "A root of a quadratic function, 1 or 2, as an exact expression.",
         "f=QuadraticFunct(1,0,-2)\nx1=Root(f,1)"},
        {group, "QuadraticFunct", "The quadratic function a x^2 + b x + c; each coefficient an integer or an expression.",
         "a=Constant(2)\nf=QuadraticFunct(1,a,-3)"},
        {group, "DrawQuadratic", "Writes the formula of a quadratic function at (x, y).",
         "f=QuadraticFunct(1,0,-4)\nDrawQuadratic(20,20,f)"},
        {group, "DrawAlgExpr", "Writes the formula of an expression or analytic function at (x, y).",
         "f=QuadraticFunct(1,0,-2)\nx1=Root(f,1)\nDrawAlgExpr(20,20,x1)"},
        {group, "Rectangle", "The rectangle (x1, y1, x2, y2) a graph is drawn in.", "r=Rectangle(20,20,420,320)"},
    };
}

std::vector<WordHelp> cubicHelp()
{
    constexpr WordGroup group = WordGroup::Cubic;
    return {
        {group, "DrawCubic", "Writes the formula of a cubic function at (x, y).",
         "f=CubicFunct(1,0,-3,1)\nDrawCubic(20,20,f)"},
        {group, "CubGraph", "Draws the graph of a cubic function in a rectangle.",
         "f=CubicFunct(1,0,-3,1)\nr=Rectangle(20,20,420,320)\nCubGraph(f,r)"},
        {group, "CubicFunct", "The cubic a x^3 + b x^2 + c x + d with its numeric and exact roots; each coefficient an integer or an expression.",
         "f=CubicFunct(1,0,-3,1)"},
        {group, "ValCubFunct", "The cubic a x^3 + b x^2 + c x + d with its numeric roots only.", "f=ValCubFunct(1,0,-3,1)"},
        {group, "DrawRootValue", "Writes the numeric value of the given root of a cubic at (x, y).",
         "f=CubicFunct(1,0,-3,1)\nDrawRootValue(f,1,20,40)"},
        {group, "DrawSimplCubFunct", "Writes the simplified formula of a cubic function at (x, y).",
         "f=CubicFunct(1,0,-3,1)\nDrawSimplCubFunct(20,20,f)"},
        {group, "CubEqRoot", "A root of a cubic function, 1 to 3, as an exact expression.",
         "f=CubicFunct(1,0,-3,1)\nx1=CubEqRoot(f,1)"},
        {group, "Rt3DegUnit", "Draws a root of the unit cubic equation.", "Rt3DegUnit"},
        {group, "Rectangle", "The rectangle (x1, y1, x2, y2) a graph is drawn in (its arguments are not checked here).",
         "r=Rectangle(20,20,420,320)"},
    };
}

std::vector<WordHelp> curvesHelp()
{
    constexpr WordGroup group = WordGroup::Curves;
    return {
        {group, "Curve", "The curve x = first expression, y = second expression of the parameter, in a rectangle.",
         KESTRANE_CURVE},
        {group, "ParamSet", "`ParamSet(c)=s` sets the parameter interval of a curve to a `Segment`.",
         KESTRANE_CURVE "s=Segment(0.5,2)\nParamSet(c)=s"},
        {group, "Segment", "The parameter interval from the first number to the second (integers or decimals).",
         "s=Segment(0.5,2)"},
        {group, "Rectangle", "The rectangle (x1, y1, x2, y2) a curve is drawn in.", "r=Rectangle(0,0,400,300)"},
        {group, "DrawCurve", "Draws a curve; curves are not drawn without it.", KESTRANE_CURVE "DrawCurve(c)"},
        {group, "KeepAspRatio", "`KeepAspRatio(c)=yes` draws the curve with equal scales on both axes.",
         KESTRANE_CURVE "KeepAspRatio(c)=yes"},
    };
}

#undef KESTRANE_X
#undef KESTRANE_CURVE

void append(std::vector<WordHelp>& help, const std::vector<WordHelp>& more)
{
    help.insert(help.end(), more.begin(), more.end());
}

} // namespace

std::vector<WordHelp> algebraHelp()
{
    std::vector<WordHelp> help = graphsHelp();
    append(help, sharedAlgebraHelp());
    append(help, quadraticHelp());
    append(help, cubicHelp());
    append(help, curvesHelp());
    return help;
}

} // namespace kestrane::word_help_data
