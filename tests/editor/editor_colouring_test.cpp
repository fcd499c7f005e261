// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/line_colouring.h"
#include "editor_test_support.h"
#include "platform/recording_canvas.h"

#include <algorithm>
#include <filesystem>

namespace kestrane {
namespace {

using testing::EditorFixture;
namespace colour = editor_colour;

// The colour each word of a line is drawn in.
struct ColouringCase {
    std::string name;
    int module;
    std::vector<std::string> lines; // the word's line is the last one
    std::string word;
    ColorRef expected;
};

std::vector<SourceLine> sourceLines(const std::vector<std::string>& texts)
{
    std::vector<SourceLine> lines;
    for (const std::string& text : texts)
        lines.emplace_back(static_cast<int>(lines.size()), 501, text);
    return lines;
}

ColorRef colourOf(const ColouringCase& item)
{
    std::vector<SourceLine> lines = sourceLines(item.lines);
    std::vector<LineRole> roles = lineRoles(lines);
    const SourceLine& line = lines.back();
    std::size_t start = line.text().find(item.word);
    EXPECT_NE(start, std::string::npos);
    for (const ColouredSpan& span : colourLine(line, item.module, roles.back())) {
        if (span.start == start) {
            EXPECT_EQ(span.length, item.word.size()) << item.name;
            return span.colour;
        }
    }
    ADD_FAILURE() << item.name << ": no span starts at the word";
    return 0;
}

class WordColours : public ::testing::TestWithParam<ColouringCase> {};

TEST_P(WordColours, FollowTheWordClass)
{
    EXPECT_EQ(colourOf(GetParam()), GetParam().expected);
}

// clang-format off
const ColouringCase kColouringCases[] = {
    {"comment_line", 501, {"// a comment"}, "// a comment", colour::kComment},
    {"include_line", 501, {"  #include <a.ksu>"}, "  #include <a.ksu>", colour::kIncludeLine},
    {"integer_literal", 501, {"start()", "A=point(12,3)"}, "12", colour::kLiteral},
    {"decimal_literal", 501, {"start()", "d=1.5"}, "1.5", colour::kLiteral},
    {"reserved_word", 501, {"start()", "A=point(1,2)"}, "point", colour::kReserved},
    {"word_of_another_module_is_plain", 501, {"start()", "s=sphere(A,B)"}, "sphere", colour::kPlain},
    {"word_of_the_module_is_reserved", 503, {"start()", "s=sphere(A,B)"}, "sphere", colour::kReserved},
    {"end", 501, {"start()", "END"}, "END", colour::kEnd},
    {"start", 501, {"start()"}, "start", colour::kStart},
    {"procedure_name_in_header", 501, {"void helper(point P)"}, "helper", colour::kProcedureName},
    {"call_in_body_is_plain", 501, {"start()", "helper(P)"}, "helper", colour::kPlain},
    {"assignment_target", 501, {"start()", "Ab = line(P,Q)"}, "Ab", colour::kAssignmentTarget},
    {"comparison_is_no_target", 501, {"start()", "a==b"}, "a", colour::kPlain},
    {"argument_is_plain", 501, {"start()", "A=line(P,Q)"}, "P", colour::kPlain},
    {"signs_are_plain", 501, {"start()", "A=line(P,Q)"}, "(", colour::kPlain},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Editor, WordColours, ::testing::ValuesIn(kColouringCases),
                         [](const auto& info) { return info.param.name; });

TEST(LineRoles, HeadersAreCodeLinesOutsideABodyWithAParenthesis)
{
    std::vector<SourceLine> lines = sourceLines(
        {"Module=Dimension2", "// note", "f(point P)", "g(P)", "END", "start()", "END"});
    std::vector<LineRole> roles = lineRoles(lines);
    std::vector<LineRole> expected{LineRole::Statement,       LineRole::Statement,
                                   LineRole::ProcedureHeader, LineRole::Statement,
                                   LineRole::Statement,       LineRole::ProcedureHeader,
                                   LineRole::Statement};
    EXPECT_EQ(roles, expected);
}

TEST(LineColouring, SpansCoverTheWholeLine)
{
    std::vector<SourceLine> lines = sourceLines({"  A = line( P1 , Q ) // x"});
    std::size_t covered = 0;
    for (const ColouredSpan& span : colourLine(lines[0], 501, LineRole::Statement)) {
        EXPECT_EQ(span.start, covered);
        covered += span.length;
    }
    EXPECT_EQ(covered, lines[0].text().size());
}

class EditorPainting : public EditorFixture {};

TEST_F(EditorPainting, DrawsTheLinesTheStatusAreaAndTheCursor)
{
    load({"start()", "  A=point(1,2)", "END"});
    RecordingCanvas canvas;
    editor.paint(canvas);
    std::vector<std::string> texts = canvas.texts();
    for (const char* expected :
         {"start", "point", "END", "Module:", "Kestrane", "Click here to change"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    auto fills = canvas.callsOf(RecordingCanvas::Shape::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].brush, ScriptEditor::kBackground);
    EXPECT_EQ(fills[0].points[1].x, editor.statusLeft());
    EXPECT_EQ(canvas.callsOf(RecordingCanvas::Shape::Line).size(), 1u);

    // The cursor blinks: hidden in one of three phases.
    editor.tick();
    editor.tick();
    EXPECT_FALSE(editor.cursorShown());
    canvas.clear();
    editor.paint(canvas);
    EXPECT_TRUE(canvas.callsOf(RecordingCanvas::Shape::Line).empty());
    editor.tick();
    EXPECT_TRUE(editor.cursorShown());
}

TEST_F(EditorPainting, CompileErrorsShowInTheStatusArea)
{
    editor.setModule(504);
    load({"start()", "x=line(A,B)", "END"});
    editor.run();
    RecordingCanvas canvas;
    editor.paint(canvas);
    std::vector<std::string> texts = canvas.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Graphs"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), editor.messageLines()[0]), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "x=line(A,B)"), texts.end());
    EXPECT_EQ(editor.cursorLine(), 1);
}

class EditorCompletion : public EditorFixture {};

TEST_F(EditorCompletion, ShiftEnterTakesTheHighlightedWord)
{
    load({"start()", "A=(P,Q)", "END"});
    placeCursor(1, 2);
    type("Ha");
    ASSERT_FALSE(editor.offeredWords().empty());
    EXPECT_EQ(editor.offeredWords()[0], "HalfLine");
    EXPECT_EQ(editor.completionIndex(), 0);
    editor.keyDown(Key::Enter, Modifier::Shift);
    EXPECT_EQ(editor.lines()[1].text(), "A=HalfLine(P,Q)");
    EXPECT_EQ(editor.cursor(), at(1, 10));
    EXPECT_EQ(editor.completionIndex(), -1);
    EXPECT_EQ(editor.lines().size(), 3u);
}

TEST_F(EditorCompletion, ShiftArrowsMoveInTheListAndOtherKeysHideIt)
{
    load({""});
    type("ci");
    const std::vector<std::string> offered = editor.offeredWords();
    ASSERT_GE(offered.size(), 1u);
    editor.keyDown(Key::Down, Modifier::Shift);
    int expected = offered.size() > 1 ? 1 : 0;
    EXPECT_EQ(editor.completionIndex(), expected);
    editor.keyDown(Key::Up, Modifier::Shift);
    editor.keyDown(Key::Up, Modifier::Shift);
    EXPECT_EQ(editor.completionIndex(), 0);
    editor.keyDown(Key::Enter, Modifier::Shift);
    EXPECT_EQ(editor.lines()[0].text(), offered[0]);

    type(" li");
    EXPECT_GE(editor.completionIndex(), 0);
    press(Key::Left);
    EXPECT_EQ(editor.completionIndex(), -1);
    editor.toggleHints();
    type("n");
    EXPECT_EQ(editor.completionIndex(), -1);
}

TEST_F(EditorCompletion, OffersTheProceduresOfOpenedIncludes)
{
    testing::TemporaryDirectory root;
    root.write("unit.ksu", "1void drawFrame(point P)\r\nEND");
    std::string path = root.write("main.kst", "1#include <unit.ksu>\r\nstart()\r\nEND");
    ASSERT_TRUE(editor.openFile(path));
    const auto& words = editor.completionWords();
    EXPECT_NE(std::find(words.begin(), words.end(), "drawFrame"), words.end());
    editor.setModule(503);
    EXPECT_NE(std::find(words.begin(), words.end(), "sphere"), words.end());
}

// Every example the program ships opens and compiles in its module.
TEST(ShippedExamples, OpenAndCompile)
{
    std::filesystem::path examples = std::filesystem::path(KESTRANE_SOURCE_DIR) / "examples";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(examples)) {
        if (entry.path().extension() != ".kst")
            continue;
        ++count;
        ScriptedHost host;
        ScriptEditor editor(host, Directories{});
        ASSERT_TRUE(editor.openFile(entry.path().string())) << entry.path();
        editor.run();
        EXPECT_FALSE(editor.lastError().has_value())
            << entry.path() << ": " << editor.lastError()->message << " on line "
            << editor.lastError()->sourceLine;
        EXPECT_TRUE(host.messages().empty()) << entry.path();
        EXPECT_EQ(editor.handOver().runState, RunState::Run) << entry.path();
    }
    EXPECT_GE(count, 3);
}

} // namespace
} // namespace kestrane
