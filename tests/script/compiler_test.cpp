// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted_host.h"
#include "script/compiler.h"
#include "script/compiler_messages.h"
#include "script/script_loader.h"
#include "script_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrane {
namespace {

namespace message = compile_message;

// One script compiled in a module: valid, or refused with a message on a
// source line (counted from 0).
struct CompileCase {
    std::string name;
    int module;
    std::vector<std::string> lines;
    std::string_view message; // empty when the script is valid
    int line = 0;
};

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index)
        text += (index ? "\r\n" : "") + lines[index];
    return text;
}

class CompileScripts : public ::testing::TestWithParam<CompileCase> {
protected:
    CompileResult compile(const CompileCase& item, std::string fileName = "test.kst")
    {
        ScriptLoader loader(host, directories);
        file = loader.build(joined(item.lines), item.module, std::move(fileName), "", "");
        modules.set(item.module);
        return Compiler(modules, host).compile(*file);
    }

    ScriptedHost host;
    Directories directories;
    ModuleState modules;
    std::unique_ptr<ScriptFile> file;
};

TEST_P(CompileScripts, GiveTheFirstErrorOnItsSourceLine)
{
    const CompileCase& item = GetParam();
    CompileResult result = compile(item);
    if (item.message.empty()) {
        EXPECT_TRUE(result.ok()) << result.error->message << " on line "
                                 << result.error->sourceLine;
        return;
    }
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->message, item.message);
    EXPECT_EQ(result.error->sourceLine, item.line);
    EXPECT_EQ(result.error->file, file.get());
}

const std::string kLong(91, 'x');

// clang-format off
const CompileCase kCases[] = {
    {"valid_plane_script", 501,
     {"// a comment", "start()", "  A = point( 1 , 2 )", "  B=point(3,4)", "  l=line(A,B)",
      "  c=circle(A,B)", "  Color(l)=red", "  name(A)=yes", "  if A==B then StartIf",
      "  EndOfIf", "  d=1.5", "  e=d+d", "  f=d-e", "  P=polygon(A,B,A)", "END"}, {}},
    {"no_start", 501, {"proc()", "END"}, message::kNoStart, 0},
    {"start_without_end", 501, {"start()", "A=point(1,2)", "B=point(3,4)", "// done"},
     message::kNoEnd, 3},
    {"module_switches_words", 501,
     {"Module=Dimension3", "start()", "A=point(1,2,3)", "B=point(4,5,6)", "s=sphere(A,B)", "END"}, {}},
    {"without_module_line_sphere_is_unknown", 501,
     {"start()", "A=point(1,2)", "B=point(4,5)", "s=sphere(A,B)", "END"},
     message::kNoSuchNameOtherModule, 3},
    {"module_needs_equality", 501, {"Module Dimension3", "start()", "END"}, message::kModuleNeedsEquality, 0},
    {"module_must_be_a_module_keyword", 501, {"Module=line", "start()", "END"}, message::kWrongModule, 0},
    {"module_dimension4_is_accepted", 501, {"Module=Dimension4", "start()", "A=point(1,2,3,4)", "END"}, {}},
    {"redefinition", 502,
     {"start()", "P=point(1,2)", "Q=point(3,4)", "A=line(P,Q)", "A=circle(P,Q)", "END"},
     message::kAlreadyDefined, 4},
    {"redefinition_after_remove", 502,
     {"start()", "P=point(1,2)", "Q=point(3,4)", "A=line(P,Q)", "Remove(A)", "A=circle(P,Q)", "END"}, {}},
    {"same_type_again_is_fine", 502,
     {"start()", "P=point(1,2)", "Q=point(3,4)", "A=line(P,Q)", "A=line(Q,P)", "END"}, {}},
    {"polygon_with_a_line", 501,
     {"start()", "P=point(1,2)", "Q=point(3,4)", "l=line(P,Q)", "T=polygon(P,l,Q)", "END"},
     message::kWrongArguments, 4},
    {"polygon_without_points", 501, {"start()", "T=polygon()", "END"}, message::kPolygonWithoutPoints, 1},
    {"if_without_then", 501,
     {"start()", "A=point(1,2)", "B=point(3,4)", "C=point(5,6)", "if Between(A,B,C)", "END"},
     message::kThenNotOnLine, 4},
    {"if_with_undeclared_name", 501, {"start()", "A=point(1,2)", "if a==b then", "END"}, message::kImproperName, 2},
    {"side_test_arguments", 501,
     {"start()", "A=point(1,2)", "B=point(3,4)", "if TwoSides(A,A,B) then", "END"}, message::kWrongArguments, 3},
    {"only_first_error", 501, {"start()", "x=line(A,B)", "y=foo(C)", "END"}, message::kUndeclaredVariable, 1},
    {"comments_and_blanks_keep_line_numbers", 501,
     {"// head", "", "start()", "   // note", "  A=point(1,2)", "", "  l=line(A,B)", "END"},
     message::kUndeclaredVariable, 6},
    {"error_on_last_normalised_line_goes_to_last_source_line", 501,
     {"start()", "A=point(1,2)", "END", "f()", "x=line(A,A)", "// trailing", "// lines"},
     message::kNoEnd, 6},
    {"improper_sign", 501, {"start()", "A=point(1,2)", "%x", "END"}, message::kImproperSign, 2},
    {"improper_sign_between_procedures", 501, {"start()", "END", "% x"}, message::kImproperSign, 2},
    {"reserved_target", 501, {"start()", "line=point(1,2)", "END"}, message::kReservedVariable, 1},
    {"procedure_as_target", 501, {"f()", "END", "start()", "f=point(1,2)", "END"}, message::kProcedureAsVariable, 3},
    {"header_without_parenthesis", 501, {"start", "END"}, message::kNoParenthesis, 0},
    {"reserved_procedure_name", 501, {"void line()", "END", "start()", "END"}, message::kReservedProcedureName, 0},
    {"type_from_kestrane", 504, {"start(line l)", "END"}, message::kTypeFromKestrane, 0},
    {"type_from_dimension2", 501, {"start(vector v)", "END"}, message::kTypeFromDimension2, 0},
    {"type_from_dimension3", 501, {"start(sphere s)", "END"}, message::kTypeFromDimension3, 0},
    {"type_from_dimension4", 501, {"start(Cell c)", "END"}, message::kTypeFromDimension4, 0},
    {"type_from_nowhere", 501, {"start(foo f)", "END"}, message::kImproperType, 0},
    {"parameters_become_variables", 501,
     {"start(point A,point B)", "l=line(A,B)", "END"}, {}},
    {"double_comma", 501, {"start(point A,,point B)", "END"}, message::kWrongCommas, 0},
    {"too_long_parameter_name", 501, {"start(point " + kLong + ")", "END"}, message::kTooLongName, 0},
    {"procedure_call_and_return", 501,
     {"point f(point A)", "return(A)", "END", "start()", "B=point(1,2)", "C=f(B)", "l=line(B,C)", "END"}, {}},
    {"procedure_call_with_wrong_arguments", 501,
     {"void f(point A)", "END", "start()", "B=point(1,2)", "l=line(B,B)", "f(l)", "END"},
     message::kWrongArguments, 5},
    {"missing_return", 501, {"point f(point A)", "END", "start()", "END"}, message::kMissingReturn, 0},
    {"return_of_other_type", 501,
     {"point f(line l)", "return(l)", "END", "start()", "END"}, message::kReturnType, 1},
    {"double_return", 501,
     {"point f(point A)", "return(A)", "return(A)", "END", "start()", "END"}, message::kDoubleReturn, 2},
    {"start_may_not_return", 501, {"start(point A)", "return(A)", "END"}, message::kStartReturns, 1},
    {"colour_value_of_wrong_class", 501,
     {"start()", "A=point(1,2)", "l=line(A,A)", "Color(l)=yes", "END"}, message::kCannotConvertConstants, 3},
    {"olive_has_no_colour", 501,
     {"start()", "A=point(1,2)", "l=line(A,A)", "Color(l)=olive", "END"}, message::kNoSuchConstant, 3},
    {"transparent_is_no_value", 501,
     {"start()", "A=point(1,2)", "l=line(A,A)", "Color(l)=transparent", "END"}, message::kNoSuchConstant, 3},
    {"colour_from_unknown_variable", 501,
     {"start()", "A=point(1,2)", "l=line(A,A)", "Color(l)=c", "END"}, message::kWrongType, 3},
    {"colour_from_a_point", 501,
     {"start()", "A=point(1,2)", "l=line(A,A)", "Color(l)=A", "END"}, message::kCannotConvertValues, 3},
    {"colour_from_rgb", 501,
     {"start()", "A=point(1,2)", "l=line(A,A)", "c=RGB(1,2,3)", "Color(l)=c", "fill(P)=RGB(1,2,3)", "END"},
     message::kUndeclaredVariable, 5},
    {"attribute_without_value", 501,
     {"start()", "A=point(1,2)", "name(A)", "END"}, message::kMissingEquality, 2},
    {"collection_without_vector", 502,
     {"start()", "A=point(1,2)", "P=polygon(A)", "Collection(P)", "END"}, message::kNoCollectionVector, 3},
    {"collection_of_five_vectors", 502,
     {"start()", "A=point(1,2)", "P=polygon(A)", "v=vector(A,A)", "Collection(P,v,v,v,v,v)", "END"},
     message::kTooManyVectors, 4},
    {"collection_of_four_vectors", 502,
     {"start()", "A=point(1,2)", "P=polygon(A)", "v=vector(A,A)", "Collection(P,v,v,v,v)", "END"}, {}},
    {"dimension2_words_are_not_kestrane_words", 501,
     {"start()", "A=point(1,2)", "v=vector(A,A)", "END"}, message::kNoSuchNameOtherModule, 2},
    {"distance_arithmetic_needs_distances", 501,
     {"start()", "d=1.5", "A=point(1,2)", "e=d+A", "END"}, message::kNoSuchNameOtherModule, 3},
    {"statement_without_value", 501,
     {"start()", "A=point(1,2)", "x=RemovePoint(A)", "END"}, message::kNoSuchNameOtherModule, 2},
    {"for_all_faces_needs_start", 503,
     {"start()", "A=point(1,2,3)", "P=polyhedron(A)", "F=ForAllFaces(P)", "EndOfAllFaces", "END"},
     message::kNoStartAllFaces, 3},
    {"for_all_faces_needs_end", 503,
     {"start()", "A=point(1,2,3)", "P=polyhedron(A)", "F=ForAllFaces(P) StartAllFaces", "END"},
     message::kNoEndOfAllFaces, 3},
    {"dimension4_words_are_unchecked", 604,
     {"start(point A,polyhedron H)", "T=polytope(A,A,A)", "C=Cell(T,1,2,3)", "V=polygon(A,A)", "END"}, {}},
    {"curves_decimals_after_variables", 508,
     {"start()", "E=AlgExpr($x)", "S=Segment(0.5,2)", "T=Segment(1,1.5)", "END"}, {}},
    {"curves_attributes", 508,
     {"start()", "E=AlgExpr($x)", "R=Rectangle(1,2,3,4)", "C=Curve(E,E,R)", "KeepAspRatio(C)=no",
      "S=Segment(0,1)", "ParamSet(C)=S", "END"}, {}},
    {"text_constants", 501, {"start()", "Text(10,20,$a b)", "Title(1,2,$ab)", "END"}, {}},
    {"point_not_in_graphs", 504, {"start()", "A=point(1,2)", "END"}, message::kWrongArguments, 1},
    {"quadratic_lists", 506,
     {"start()", "E=AlgExpr($x)", "F=QuadraticFunct(1,E,3)", "R=Rectangle(1,2,3,4)", "QuadraticGraph(F,R)", "END"}, {}},
    // Text after a statement on its line would never run: it is refused.
    {"second_statement_on_a_line", 501,
     {"start()", "A=point(1,2)", "B=point(3,4)", "E=point(5,6)", "l=line(A,B) m=line(B,E)", "END"},
     message::kImproperSign, 4},
    {"semicolon_and_comment_after_a_call", 501,
     {"start()", "A=point(1,2)", "E=point(5,6)", "n=line(A,E); // x", "END"}, message::kImproperSign, 3},
    {"command_after_then", 501,
     {"start()", "A=point(1,2)", "B=point(3,4)", "if A==B then Text(10,30,Zzz)", "END"},
     message::kUndeclaredVariable, 3},
    {"valid_command_after_then", 501,
     {"start()", "A=point(1,2)", "B=point(3,4)", "if A==B then RemoveTexts", "END"},
     message::kImproperSign, 3},
    {"word_after_a_plain_word", 501, {"start()", "NoNames x", "END"}, message::kNoSuchNameOtherModule, 1},
    {"word_after_a_decimal", 501, {"start()", "d=1.5 e", "END"}, message::kNoSuchNameOtherModule, 1},
    {"blanks_and_empty_parentheses_after_statements", 501,
     {"start()", "A=point(1,2)  ", "NoNames()", "RemoveTexts ", "if A==A then StartIf  ", "EndOfIf",
      "d=2.5 ", "END"}, {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Scripts, CompileScripts, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

// Number literals must fit the integer part of the long numbers (15 digits
// at the words programs run with) in every module that takes them, whatever
// checks the word's arguments get.
constexpr std::string_view kTooLarge =
    "Number too large: a number has at most 15 digits before the point.";

// clang-format off
const CompileCase kLiteralCases[] = {
    {"plane_point_of_sixteen_digits", 501, {"start()", "A=point(1000000000000000,1)", "END"}, kTooLarge, 1},
    {"plane_point_of_fifteen_digits", 501,
     {"start()", "A=point(999999999999999,-999999999999999)", "B=point(0000000000000000001,2)", "END"}, {}},
    {"plane_decimal_whole_part", 502, {"start()", "A=point(1,2)", "B=point(-1234567890123456.5,1)", "END"}, kTooLarge, 2},
    {"plane_decimal_of_fifteen_digits", 502, {"start()", "A=point(-999999999999999.25,0.5)", "END"}, {}},
    {"plane_distance", 501, {"start()", "d=1234567890123456789", "END"}, kTooLarge, 1},
    {"plane_break", 501, {"start()", "Break(99999999999999999999)", "END"}, kTooLarge, 1},
    {"plane_colour_of_rgb", 501,
     {"start()", "A=point(1,2)", "l=line(A,A)", "Color(l)=RGB(1,2,1000000000000000)", "END"}, kTooLarge, 3},
    {"space_point", 503, {"start()", "A=point(1000000000000000,1,2)", "END"}, kTooLarge, 1},
    {"space_point_of_twenty_digits", 503, {"start()", "A=point(99999999999999999999,0,0)", "END"}, kTooLarge, 1},
    {"space_point_fits", 503, {"start()", "A=point(999999999999999,0,-999999999999999)", "END"}, {}},
    {"space_template", 503, {"start()", "Template(10000000000000000)", "END"}, kTooLarge, 1},
    {"four_d_point", 604, {"start()", "A=point(0,1000000000000000,0,0)", "END"}, kTooLarge, 1},
    {"four_d_decimal_point", 604, {"start()", "A=point(1.9,2.5,-3.75,0.5)", "END"}, {}},
    {"four_d_path", 604, {"start()", "PathOfCross(1,0,0,0,99999999999999999)", "END"}, kTooLarge, 1},
    {"graphs_rectangle", 504, {"start()", "R=Rectangle(0,0,1000000000000000,10)", "END"}, kTooLarge, 1},
    {"algebra_constant", 505, {"start()", "C=Constant(12345678901234567)", "END"}, kTooLarge, 1},
    {"algebra_power", 505, {"start()", "C=Constant(2)", "P=Power(C,-10000000000000000)", "END"}, kTooLarge, 2},
    {"quadratic_coefficient", 506, {"start()", "F=QuadraticFunct(1000000000000000,1,1)", "END"}, kTooLarge, 1},
    {"cubic_coefficient", 507, {"start()", "F=CubicFunct(1,2,3,-10000000000000000)", "END"}, kTooLarge, 1},
    {"curves_segment", 508, {"start()", "S=Segment(0.5,1234567890123456.5)", "END"}, kTooLarge, 1},
    {"curves_segment_fits", 508, {"start()", "S=Segment(-999999999999999.5,1)", "END"}, {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(NumberLiterals, CompileScripts, ::testing::ValuesIn(kLiteralCases),
                         [](const auto& info) { return info.param.name; });

class CompileFiles : public CompileScripts {};

TEST_F(CompileFiles, ModuleLineChangesTheModuleState)
{
    compile({"", 501, {"Module=Dimension3", "start()", "END"}, {}, 0});
    EXPECT_EQ(modules.module(), 503);
    EXPECT_EQ(modules.effective(), 503);
    EXPECT_EQ(modules.copy(), 503);
}

TEST_F(CompileFiles, ExtensionDecidesMainOrInclude)
{
    CompileCase noStart{"", 501, {"f()", "END"}, {}, 0};
    EXPECT_TRUE(compile(noStart, "unit.ksu").ok());
    EXPECT_TRUE(compile(noStart, "UNIT.KSU").ok());
    EXPECT_EQ(compile(noStart, "unit.kst").error->message, message::kNoStart);
    EXPECT_EQ(compile(noStart, "NoName").error->message, message::kNoStart);
    EXPECT_EQ(compile(noStart, "unit.txt").error->message, message::kBadExtension);
    EXPECT_EQ(compile(noStart, "unit.v2.ksu").error->message, message::kBadExtension);
    EXPECT_TRUE(compile(noStart, "/home/my.scripts/unit.ksu").ok());
}

TEST_F(CompileFiles, ProcedureRecordsDescribeTheNormalisedText)
{
    CompileCase item{
        "", 501, {"point  f( point A , line l )", "return(A)", "END", "start()", "END"}, {}, 0};
    ASSERT_TRUE(compile(item).ok());
    ASSERT_EQ(file->procedures.size(), 2u);
    const ProcedureRecord& procedure = file->procedures[0];
    EXPECT_EQ(procedure.name, "f");
    EXPECT_EQ(procedure.typeCode, 16);
    EXPECT_EQ(procedure.parameterTypes, (std::vector<int>{16, 13}));
    EXPECT_EQ(procedure.fileName, "test.kst");
    EXPECT_EQ(file->normalisedText.substr(procedure.bodyStart, 1), "(");
    EXPECT_EQ(file->normalisedText.substr(procedure.bodyEnd - 3, 3), "END");
    // A second compile rebuilds the records instead of adding to them.
    ASSERT_TRUE(Compiler(modules, host).compile(*file).ok());
    EXPECT_EQ(file->procedures.size(), 2u);
}

TEST_F(CompileFiles, FileLevelFailuresAreMessageBoxes)
{
    CompileResult result = compile({"", 501, {"// only a comment"}, {}, 0});
    EXPECT_EQ(result.error->display, ErrorDisplay::MessageBox);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, message::kNoCommand);
    EXPECT_EQ(host.messages()[0].caption, "Error");
    host.clearMessages();
    result = compile({"", 501, {"start(", "END"}, {}, 0});
    EXPECT_EQ(result.error->message, message::kNoClosingParentheses);
    host.clearMessages();
    result = compile({"", 501, {"start(point A-B)", "END"}, {}, 0});
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Blad");
    EXPECT_EQ(host.messages()[0].text, message::kParameterSign);
    host.clearMessages();
    result = compile({"", 504, {"start()", "f=Function($surely-not-a-file)", "END"}, {}, 0});
    EXPECT_EQ(result.error->message, message::kFunctionFileMissing);
    result = compile({"", 504, {"start()", "f=Function($surelynotafile)", "END"}, {}, 0});
    EXPECT_EQ(result.error->message, message::kFunctionFileMissing);
    EXPECT_EQ(result.error->sourceLine, 1);
}

// '$' texts: file names with digits and '_' wherever a String is taken,
// brackets in expressions, and refusals that name their cause.
// clang-format off
const CompileCase kTextCases[] = {
    {"algebra_file_names", 505,
     {"start()", "E=AlgExpr($e_1.txt)", "F=AlgExpr($data/e2.txt)", "V=DefVariable($x1)", "END"}, {}},
    {"space_file_names", 503,
     {"start()", "P=Read3DPolyhedron($cube_2.txt)", "WritePolyhedron(P,$out/cube3.txt)", "END"}, {}},
    {"curves_inline_functions", 508,
     {"start()", "s=String($exp(z))", "A=AnalyticF($z*z+1)", "B=AnalyticF(s)",
      "C=AnalyticF($map4.txt)", "Text(10,20,$f(x,y))", "END"}, {}},
    {"curves_unclosed_bracket", 508, {"start()", "A=AnalyticF($exp(z+(1)", "END"}, message::kTextBracket, 1},
    {"algebra_unclosed_bracket", 505, {"start()", "A=AnalyticF($sin(z", "END"}, message::kTextBracket, 1},
    {"text_with_a_forbidden_sign", 508, {"start()", "A=AnalyticF($z;1)", "END"},
     "A $ text may not hold the sign ';'.", 1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Texts, CompileScripts, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return info.param.name; });

// The compile looks for the file a function's String names, not for a file
// named after the variable; a String whose text it cannot know is left to
// the run.
TEST_F(CompileFiles, FunctionFilesNamedByTextsAndStrings)
{
    testing::TemporaryDirectory folder;
    folder.write("sinc2.fct", "domain: 0 1\r\nstart:\r\n");
    folder.write("f_2.fct", "domain: 0 1\r\nstart:\r\n");
    auto compileIn = [&](std::vector<std::string> lines) {
        ScriptLoader loader(host, directories);
        file = loader.build(joined(lines), 504, "test.kst", "", folder.path().string());
        modules.set(504);
        return Compiler(modules, host).compile(*file);
    };
    EXPECT_TRUE(
        compileIn({"start()", "f=Function($sinc2.fct)", "g=Function($f_2.fct)",
                   "s=String($f_2.fct)", "h=Function(s)", "t=String(s)", "k=Function(t)", "END"})
            .ok());
    EXPECT_TRUE(compileIn({"void draw(String s)", "f=Function(s)", "END", "start()", "END"}).ok());
    CompileResult missing = compileIn(
        {"start()", "s=String($f_2.fct)", "s=String($absent3.fct)", "f=Function(s)", "END"});
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error->message, message::kFunctionFileMissing);
    EXPECT_EQ(missing.error->sourceLine, 3);
}

TEST_F(CompileFiles, LineFeedInsideALineRaisesTheWarning)
{
    CompileResult result = compile({"", 501, {"start()", "A=point(1,2)\nx", "END"}, {}, 0});
    ASSERT_FALSE(result.ok());
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Warning");
    EXPECT_EQ(host.messages()[0].text, message::kLineBreakWarning);
}

class CompileWithIncludes : public ::testing::Test {
protected:
    testing::TemporaryDirectory root;
    ScriptedHost host;
    Directories directories;
    ModuleState modules;
};

TEST_F(CompileWithIncludes, IncludesAreValidatedFirstAndTheirProceduresCallable)
{
    root.write("lib.ksu", "1void mark(point A)\r\nname(A)=yes\r\nEND");
    ScriptLoader loader(host, directories);
    auto file = loader.build(
        testing::scriptText({"#include <lib.ksu>", "start()", "A=point(1,2)", "mark(A)", "END"}),
        501, "main.kst", "", root.path().string());
    CompileResult result = Compiler(modules, host).compile(*file);
    EXPECT_TRUE(result.ok()) << result.error->message;
    EXPECT_EQ(result.programText, file->normalisedText);

    root.write("lib.ksu", "1void mark(point A)\r\nname(A)=maybe\r\nEND");
    file = loader.build(testing::scriptText({"#include <lib.ksu>", "start()", "END"}), 501,
                        "main.kst", "", root.path().string());
    result = Compiler(modules, host).compile(*file);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->file, file->includes[0].get());
    EXPECT_EQ(result.error->sourceLine, 1);
    EXPECT_EQ(result.currentFile, file->includes[0].get());
}

TEST_F(CompileWithIncludes, RecompileDoesNotSeeProceduresOfTheEarlierCompile)
{
    root.write("lib.ksu", "1void g()\r\nEND");
    ScriptLoader loader(host, directories);
    auto file = loader.build(
        testing::scriptText({"#include <lib.ksu>", "void f()", "END", "start()", "g()", "END"}),
        501, "main.kst", "", root.path().string());
    ASSERT_TRUE(Compiler(modules, host).compile(*file).ok());
    // The include now calls the main file's procedure, which is declared
    // only after the include is validated.
    file->includes[0]->setText("void g()\r\nf()\r\nEND");
    CompileResult result = Compiler(modules, host).compile(*file);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->message, message::kNoSuchNameOtherModule);
    EXPECT_EQ(result.error->file, file->includes[0].get());
}

TEST_F(CompileWithIncludes, IncludeLinesMustNameLoadedFiles)
{
    ScriptLoader loader(host, directories);
    const std::pair<std::string, std::string_view> cases[] = {
        {"#include <none.ksu>", message::kIncludeNotLoaded},
        {"#include <none>", message::kIncludeNoDot},
        {"#include <none.txt>", message::kIncludeWrongExtension},
        {"#include <none.kk>", message::kIncludeNoClosingSign},
        {"#include none.ksu>", message::kIncludeNoOpeningSign},
    };
    for (const auto& [line, expected] : cases) {
        auto file = loader.build(testing::scriptText({line, "start()", "END"}), 501, "main.kst", "",
                                 root.path().string());
        CompileResult result = Compiler(modules, host).compile(*file);
        ASSERT_FALSE(result.ok()) << line;
        EXPECT_EQ(result.error->message, expected) << line;
    }
}

} // namespace
} // namespace kestrane
