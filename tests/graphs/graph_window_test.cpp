// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window: the cell rules and the editor's messages, buttons and
// menu items, the domain dialog, Show graph, Save as and Open, and the
// question about unsaved changes.
#include "algebra/fraction_file.h"
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "expressions/fract_node.h"
#include "graphs/graph_key_table.h"
#include "graphs/graph_window.h"
#include "platform/files.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrane {
namespace {

constexpr Modifiers kCtrl = Modifier::Control;
constexpr Modifiers kShift = Modifier::Shift;

class GraphWindowTest : public ::testing::Test {
protected:
    GraphWindowTest() : m_window(m_host, m_metrics) {}

    std::string expression() const { return printExpressionText(m_window.editor().expression()); }
    void type(std::string_view text)
    {
        for (char c : text) {
            if (c >= 'a' && c <= 'z')
                m_window.keyDown(static_cast<std::uint16_t>(c - 'a' + 'A'), {});
            else if (c == '.')
                m_window.keyDown(editor_keys::kPeriod, {});
            else if (c == '+')
                m_window.keyDown(editor_keys::kEquals, kShift);
            else if (c == '*')
                m_window.keyDown('8', kShift);
            else
                m_window.keyDown(static_cast<std::uint16_t>(c), {});
        }
    }
    void start(const std::string& text)
    {
        m_window.editor().setExpression(parseExpressionText(text).tree);
    }
    std::string lastMessage() const
    {
        return m_host.messages().empty() ? std::string() : m_host.messages().back().text;
    }
    void clickButton(std::string_view name)
    {
        for (const GraphButton& button : m_window.buttons())
            if (button.name == name)
                return m_window.click((button.x1 + button.x2) / 2, (button.y1 + button.y2) / 2);
        FAIL() << "no button " << name;
    }
    // The domain dialog answered with two fields and OK, or with Cancel.
    void answerDomain(std::string left, std::string right, bool ok = true)
    {
        m_host.answerDialog([=](ModalDialog& dialog) {
            auto& domain = dynamic_cast<DomainDialog&>(dialog);
            domain.setLeftField(left);
            domain.setRightField(right);
            return ok ? DialogResult::Accepted : DialogResult::Rejected;
        });
    }
    const FractNode& root() const { return m_window.editor().expression(); }

    ScriptedHost m_host;
    RecordingCanvas m_metrics;
    GraphWindow m_window;
    kestrane::testing::TempDir m_dir;
};

TEST_F(GraphWindowTest, StartsNamelessWithAnEmptySlotOverZeroToOne)
{
    EXPECT_EQ(m_window.caption(), "NoName");
    EXPECT_EQ(expression(), "?");
    EXPECT_EQ(m_window.domain().leftText, "0");
    EXPECT_EQ(m_window.domain().rightText, "1");
    EXPECT_EQ(m_window.plot(), nullptr);
    EXPECT_FALSE(m_window.modified());
    // The expression stands at (20, 40).
    EXPECT_EQ(root().y - root().aboveTotal, 40);
}

struct CellCase {
    const char* name;
    const char* start; // typed first
    std::uint16_t key;
    Modifiers modifiers;
    const char* message; // empty: accepted
    const char* expression;
};

TEST_F(GraphWindowTest, CellRulesComeBeforeTheEditor)
{
    const char* onlyX = "Not allowed keyboard key. Only variable 'x' is allowed.";
    const char* numberOnly =
        "Since first character is a number, all following characters must be numbers or '.'.";
    const CellCase cases[] = {
        {"x into an empty slot", "", 'X', {}, "", "x"},
        {"y into an empty slot", "", 'Y', {}, onlyX, "?"},
        {"shifted X into an empty slot", "", 'X', kShift, onlyX, "?"},
        {"P without Ctrl in an empty slot", "", 'P', {}, onlyX, "?"},
        {"a point into an empty slot", "", editor_keys::kPeriod, {}, onlyX, "?"},
        {"a digit into an empty slot", "", '7', {}, "", "7"},
        {"a point into a number", "12", editor_keys::kPeriod, {}, "", "12."},
        {"a second point", "1.5", editor_keys::kComma, {}, "Only one comma allowed.", "1.5"},
        {"a letter after a digit", "3", 'X', {}, numberOnly, "3"},
        {"R after a digit", "3", 'R', {}, numberOnly, "3"},
        {"a letter after x", "x", 'A', {}, "Symbol may have only one character.", "x"},
        {"a digit after x",
         "x",
         '2',
         {},
         "There is a variable in an expression. You cannot add anything else. Use "
         "multiplication or any other operation.",
         "x"},
        {"P on an opening mark",
         "sqrt",
         'P',
         {},
         "Probably a key 'Ctrl' was not pressed",
         "sqrt(x)"},
        {"N on an opening mark",
         "sqrt",
         'N',
         {},
         "Probably a key 'Ctrl' was not pressed",
         "sqrt(x)"},
        {"division",
         "x",
         editor_keys::kSlash,
         {},
         "In this module arithmetic operation of division is not allowed. Use fractions instead",
         "x"},
        {"not an edit key",
         "x",
         static_cast<std::uint16_t>(Key::Tab),
         {},
         "This is not an edit key.\nUse edit keys only.",
         "x"},
    };
    for (const CellCase& test : cases) {
        SCOPED_TRACE(test.name);
        m_window.editor().newExpression();
        m_host.clearMessages();
        if (std::string_view(test.start) == "sqrt") {
            start("sqrt(x)");
            m_window.editor().moveHome();
            ASSERT_EQ(m_window.editor().cursor().place.area, CursorArea::Opening);
        } else {
            type(test.start);
        }
        ASSERT_TRUE(m_host.messages().empty()) << lastMessage();
        m_window.keyDown(test.key, test.modifiers);
        EXPECT_EQ(lastMessage(), test.message);
        EXPECT_EQ(expression(), test.expression);
    }
}

TEST_F(GraphWindowTest, PiGoesIntoAnEmptySlotOnly)
{
    clickButton("pi");
    EXPECT_EQ(expression(), "pi");
    m_window.keyDown('A', {});
    EXPECT_EQ(lastMessage(), "Symbol may have only one character.");
    clickButton("pi");
    EXPECT_EQ(lastMessage(), "Not allowed operation.");
    EXPECT_EQ(m_host.messages().back().caption, "Error");
}

TEST_F(GraphWindowTest, EachFunctionButtonAndMenuItemInsertsItsCode)
{
    std::vector<std::pair<std::string, int>> buttons;
    for (const GraphButton& button : m_window.buttons())
        if (button.command == GraphCommand::Function)
            buttons.emplace_back(button.name, button.code);
    ASSERT_EQ(buttons.size(), 10u);
    for (const auto& [name, code] : buttons) {
        SCOPED_TRACE(name);
        m_window.editor().newExpression();
        type("x");
        clickButton(name);
        ASSERT_TRUE(root().openRow);
        EXPECT_EQ(root().openRow->items.front()->kind, code);
        EXPECT_EQ(expression(), name + "(x)");
        // The caret stands inside the pair at the start of its text.
        EXPECT_EQ(m_window.editor().cursor().place.area, CursorArea::Text);
        EXPECT_EQ(m_window.editor().cursor().place.position, 0);
    }
    int items = 0;
    for (const GraphMenuItem& item : GraphWindow::menuItems()) {
        if (item.command != GraphCommand::Function)
            continue;
        SCOPED_TRACE(item.caption);
        ++items;
        m_window.editor().newExpression();
        type("x");
        ASSERT_TRUE(m_window.menu(item.caption));
        ASSERT_TRUE(root().openRow);
        EXPECT_EQ(root().openRow->items.front()->kind, item.code);
    }
    EXPECT_EQ(items, 10);
}

TEST_F(GraphWindowTest, FunctionShortcutsInsertTheirCodes)
{
    const std::tuple<std::uint16_t, Modifiers, int> cases[] = {
        {'E', kCtrl, 200},
        {'E', kCtrl | Modifier::Alt, 201},
        {'S', kCtrl, 202},
        {'C', kCtrl, 203},
        {'T', kCtrl, 204},
        {'O', kCtrl | Modifier::Shift, 205},
        {'S', kCtrl | Modifier::Alt, 210},
        {'C', kCtrl | Modifier::Alt, 207},
        {'T', kCtrl | Modifier::Alt, 208},
        {'O', kCtrl | Modifier::Alt, 209},
    };
    for (const auto& [key, modifiers, code] : cases) {
        SCOPED_TRACE(code);
        m_window.editor().newExpression();
        type("x");
        m_window.keyDown(key, modifiers);
        ASSERT_TRUE(root().openRow);
        EXPECT_EQ(root().openRow->items.front()->kind, code);
    }
}

TEST_F(GraphWindowTest, CtrlKeysInsertRootFractionAndPower)
{
    type("x");
    m_window.keyDown('R', kCtrl);
    EXPECT_EQ(expression(), "sqrt(x)");
    m_window.editor().newExpression();
    type("x");
    m_window.keyDown('N', kCtrl);
    EXPECT_TRUE(root().isFraction() || (root().right && root().right->isFraction()));
    m_window.editor().newExpression();
    type("x");
    m_window.keyDown('P', kCtrl);
    type("2");
    EXPECT_EQ(expression(), "x^2");
    // A power inside an exponent is refused.
    clickButton("power");
    EXPECT_EQ(lastMessage(), "Powers are not allowed for exponent of power.");
    EXPECT_EQ(m_host.messages().back().caption, "Not allowed operation.");
}

TEST_F(GraphWindowTest, PicturesInsertRootFractionAndPower)
{
    type("x");
    clickButton("root");
    EXPECT_EQ(expression(), "sqrt(x)");
    m_window.editor().newExpression();
    clickButton("fraction");
    type("1");
    EXPECT_EQ(expression(), "1/?");
}

TEST_F(GraphWindowTest, EveryKeyRunsItsMenuItem)
{
    EXPECT_TRUE(keyTableFaults(graphWindowKeys()).empty());
    // Each key of a model's item does what the item does, in a window of its own.
    for (const KeyBinding& binding : graphWindowKeys()) {
        std::optional<KeyChord> chord = parseKeyChord(binding.keys);
        if (!chord || !chord->modifiers.control())
            continue;
        ScriptedHost byKeyHost;
        ScriptedHost byMenuHost;
        GraphWindow byKey(byKeyHost, m_metrics);
        GraphWindow byMenu(byMenuHost, m_metrics);
        for (ScriptedHost* host : {&byKeyHost, &byMenuHost}) {
            host->answerFile(std::nullopt);
            host->answerMessage(MessageAnswer::Cancel);
        }
        byKey.keyDown(chord->key, chord->modifiers);
        bool item = byMenu.menu(binding.action);
        auto text = [](GraphWindow& window) {
            return printExpressionText(window.editor().expression());
        };
        EXPECT_EQ(text(byKey), text(byMenu)) << binding.keys;
        EXPECT_EQ(byKeyHost.messages().size(), byMenuHost.messages().size()) << binding.keys;
        EXPECT_EQ(byKeyHost.fileRequests().size(), byMenuHost.fileRequests().size())
            << binding.keys;
        // Items of the host (Print, Quit) leave the model alone.
        if (!item) {
            EXPECT_EQ(text(byKey), "?") << binding.keys;
        }
    }
}

TEST_F(GraphWindowTest, OpenAndFunctionKeysAreDistinct)
{
    // Ctrl+O opens a file; it inserts no function.
    type("x");
    m_host.answerMessage(MessageAnswer::No);
    m_host.answerFile(std::nullopt);
    m_window.keyDown('O', kCtrl);
    EXPECT_EQ(m_host.fileRequests().size(), 1u);
    EXPECT_EQ(m_host.fileRequests().back().filters.front(), "Functions (*.fct)");
    EXPECT_EQ(expression(), "x");
    // Ctrl+W is File > New: it asks about the changed expression.
    m_host.answerMessage(MessageAnswer::No);
    m_window.keyDown('W', kCtrl);
    EXPECT_EQ(m_host.messages().back().caption, "Files");
    EXPECT_EQ(expression(), "?");
}

TEST_F(GraphWindowTest, DomainDialogAcceptsNumbersInOrder)
{
    answerDomain("-1.5", "2");
    m_window.menu("Domain");
    EXPECT_EQ(m_window.domain().leftText, "-1.5");
    EXPECT_FLOAT_EQ(m_window.domain().left, -1.5f);
    EXPECT_FLOAT_EQ(m_window.domain().right, 2.0f);
    answerDomain("  -10", "10");
    m_window.keyDown('D', kCtrl);
    EXPECT_EQ(m_window.domain().leftText, "-10");
    EXPECT_TRUE(m_host.messages().empty());
}

TEST_F(GraphWindowTest, DomainDialogRefusals)
{
    const std::pair<const char*, const char*> refused[] = {
        {"1.2.3", "4"}, {"", "1"},  {"0", ""},   {"2", "1"},   {"1", "1"},
        {"a", "2"},     {"-", "2"}, {"1 ", "2"}, {"--1", "2"},
    };
    for (const auto& [left, right] : refused) {
        SCOPED_TRACE(std::string(left) + "," + right);
        m_host.clearMessages();
        answerDomain(left, right);
        clickButton("domain");
        ASSERT_EQ(m_host.messages().size(), 1u);
        EXPECT_EQ(m_host.messages().back().caption, "Error");
        EXPECT_EQ(lastMessage(), "Wrong numbers. Domain not changed.");
        EXPECT_EQ(m_window.domain().leftText, "0");
        EXPECT_EQ(m_window.domain().rightText, "1");
    }
    answerDomain("5", "6", false);
    clickButton("domain");
    EXPECT_EQ(m_window.domain().leftText, "0");
}

TEST_F(GraphWindowTest, DomainFieldsKeepFiveCharacters)
{
    DomainDialog dialog(m_window.domain());
    EXPECT_EQ(dialog.leftField(), "0");
    dialog.setLeftField("-123456");
    EXPECT_EQ(dialog.leftField(), "-1234");
}

TEST_F(GraphWindowTest, ShowGraphRefusesIncompleteExpressions)
{
    m_window.keyDown('G', kCtrl);
    EXPECT_EQ(lastMessage(), "Wrong character discovered.");
    EXPECT_EQ(m_host.messages().back().caption, "Error");
    // An opening root without its partner, as a damaged file may hold.
    start("sqrt(x)");
    std::unique_ptr<FractNode> tree = m_window.editor().takeExpression();
    tree->closeRow.reset();
    m_window.editor().setExpression(std::move(tree));
    ASSERT_FALSE(expressionComplete(root()));
    m_window.menu("Graph");
    EXPECT_EQ(lastMessage(), "Wrong number of parentheses.");
    EXPECT_EQ(m_window.plot(), nullptr);
}

TEST_F(GraphWindowTest, GraphStaysUntilTheExpressionOrDomainChanges)
{
    type("x");
    clickButton("graph");
    ASSERT_NE(m_window.plot(), nullptr);
    EXPECT_EQ(m_window.plot()->samples, 200);
    m_metrics.clear();
    m_window.paint(m_metrics);
    bool blueLine = false;
    for (const auto& call : m_metrics.callsOf(RecordingCanvas::Shape::Polyline))
        blueLine = blueLine || call.pen == rgb(0, 0, 128);
    EXPECT_TRUE(blueLine);
    m_window.mouseMove(300, 400);
    EXPECT_EQ(m_window.hoverText(), "x = 0.50   f(x) = 0.50");
    // A caret move keeps it; an edit hides it.
    m_window.keyDown(static_cast<std::uint16_t>(Key::Home), {});
    EXPECT_NE(m_window.plot(), nullptr);
    m_window.keyDown(static_cast<std::uint16_t>(Key::End), {});
    type("+1");
    EXPECT_EQ(m_window.plot(), nullptr);
    m_window.keyDown('G', kCtrl);
    ASSERT_NE(m_window.plot(), nullptr);
    answerDomain("-1", "1");
    m_window.keyDown('D', kCtrl);
    EXPECT_EQ(m_window.plot(), nullptr);
}

TEST_F(GraphWindowTest, SaveAsChecksTheNameAndWritesTheExactBytes)
{
    start("sin(x)/x");
    answerDomain("-10", "10");
    m_window.menu("Domain");
    for (const char* name : {"f.txt", "F.FCT", "f"}) {
        m_host.clearMessages();
        EXPECT_FALSE(m_window.saveTo((m_dir / name).string()));
        EXPECT_EQ(lastMessage(), "Wrong file name.");
        EXPECT_FALSE(std::filesystem::exists(m_dir / name));
    }
    ASSERT_TRUE(m_window.saveTo((m_dir / "g.").string()));
    EXPECT_EQ(m_window.caption(), (m_dir / "g.fct").string());
    EXPECT_FALSE(m_window.modified());
    std::optional<std::string> bytes = readWholeFile(m_dir / "g.fct");
    ASSERT_TRUE(bytes);
    std::string expected = "domain: -10 10\r\nstart:\r\n";
    ASSERT_TRUE(serializeExpression(root(), expected));
    EXPECT_EQ(*bytes, expected);
}

TEST_F(GraphWindowTest, SaveAsRefusesIncompleteExpressionsAndKeepsTheOldFile)
{
    auto path = m_dir.write("old.fct", "old");
    type("x+");
    m_host.answerFile(path.string());
    m_window.menu("Save as");
    EXPECT_EQ(lastMessage(), "Wrong character discovered.");
    EXPECT_EQ(*readWholeFile(path), "old");
}

TEST_F(GraphWindowTest, SaveAsReplacesAnOldFileWhole)
{
    auto path = m_dir.write("h.fct", "an older function file that is longer than the new one");
    type("x");
    ASSERT_TRUE(m_window.saveTo(path.string()));
    std::string expected = "domain: 0 1\r\nstart:\r\n";
    ASSERT_TRUE(serializeExpression(root(), expected));
    EXPECT_EQ(*readWholeFile(path), expected);
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 1);
}

TEST_F(GraphWindowTest, OpenRestoresExpressionAndDomain)
{
    const char* expressions[] = {
        "exp(x)",    "log(x)",    "sin(x)",      "cos(x)",    "tan(x)",
        "cot(x)",    "asin(x)",   "acos(x)",     "atan(x)",   "acot(x)",
        "sqrt(x+1)", "root(3,x)", "(x+1)/(x-2)", "x^2+3*x/5", "pi*sin(x)/x",
    };
    for (const char* text : expressions) {
        SCOPED_TRACE(text);
        start(text);
        answerDomain("-2.5", "4");
        m_window.menu("Domain");
        std::string path = (m_dir / "f.fct").string();
        ASSERT_TRUE(m_window.saveTo(path));
        GraphWindow other(m_host, m_metrics);
        ASSERT_TRUE(other.openFile(path));
        EXPECT_EQ(printExpressionText(other.editor().expression()), text);
        EXPECT_EQ(other.domain().leftText, "-2.5");
        EXPECT_EQ(other.domain().rightText, "4");
        EXPECT_FLOAT_EQ(other.domain().left, -2.5f);
        EXPECT_EQ(other.caption(), path);
        EXPECT_FALSE(other.modified());
    }
    EXPECT_TRUE(m_host.messages().empty()) << lastMessage();
}

TEST_F(GraphWindowTest, OpenSwapsReversedEndsAndRefusesBadFiles)
{
    std::string body;
    ASSERT_TRUE(serializeExpression(*parseExpressionText("x").tree, body));
    auto reversed = m_dir.write("r.fct", "domain: 3 -1\r\nstart:\r\n" + body);
    ASSERT_TRUE(m_window.openFile(reversed.string()));
    EXPECT_EQ(m_window.domain().leftText, "-1");
    EXPECT_EQ(m_window.domain().rightText, "3");
    auto equal = m_dir.write("e.fct", "domain: 2 2\r\nstart:\r\n" + body);
    ASSERT_TRUE(m_window.openFile(equal.string()));
    EXPECT_EQ(m_window.domain().leftText, "0");
    EXPECT_EQ(m_window.domain().rightText, "1");

    type("+1");
    EXPECT_FALSE(m_window.openFile((m_dir / "missing.fct").string()));
    EXPECT_EQ(lastMessage(), "File cannot be read.");
    auto broken = m_dir.write("b.fct", "domain: 0 5\r\n");
    EXPECT_FALSE(m_window.openFile(broken.string()));
    EXPECT_EQ(m_host.messages().back().text, kCorruptFractionText);
    EXPECT_EQ(expression(), "x+1");
    EXPECT_EQ(m_window.domain().rightText, "1");
}

TEST_F(GraphWindowTest, ChangedExpressionsAskBeforeTheyAreDropped)
{
    type("x");
    m_host.answerMessage(MessageAnswer::Cancel);
    m_window.menu("New");
    EXPECT_EQ(m_host.messages().back().caption, "Files");
    EXPECT_EQ(lastMessage(), "File not saved. \nDo you want to save it?");
    EXPECT_EQ(expression(), "x");
    m_host.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(m_window.close());
    m_host.answerMessage(MessageAnswer::No);
    m_window.keyDown(static_cast<std::uint16_t>(Key::Escape), {});
    EXPECT_EQ(expression(), "?");
    EXPECT_TRUE(m_window.close());
    // Yes saves through the save dialog.
    type("x");
    m_host.answerMessage(MessageAnswer::Yes);
    m_host.answerFile((m_dir / "y.fct").string());
    EXPECT_TRUE(m_window.close());
    EXPECT_TRUE(std::filesystem::exists(m_dir / "y.fct"));
}

TEST_F(GraphWindowTest, PaintsTheControlsFromTheRightEdge)
{
    m_window.resize(800, 600);
    m_window.paint(m_metrics);
    std::vector<std::string> texts = m_metrics.texts();
    for (const char* text :
         {"Trigonometric functions.", "Inverse trigonometric.", "Other.", "Root, fraction, power.",
          "Show graph.", "(Ctrl-G)", "Click here", "Change domain.", "(Ctrl-D)", "Domain:", "[0,1]",
          "sin", "acot", "pwr"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    std::vector<GraphButton> buttons = m_window.buttons();
    auto sin = std::find_if(buttons.begin(), buttons.end(),
                            [](const GraphButton& b) { return std::string(b.name) == "sin"; });
    ASSERT_NE(sin, buttons.end());
    EXPECT_EQ(sin->x1, 650);
    EXPECT_EQ(sin->y1, 70);
    auto graph = std::find_if(buttons.begin(), buttons.end(),
                              [](const GraphButton& b) { return std::string(b.name) == "graph"; });
    EXPECT_EQ(graph->y1, 600 - 171);
    EXPECT_EQ(graph->x1, 800 - 220);
}

TEST_F(GraphWindowTest, HelpIndexOpensTheWindowsPage)
{
    m_window.menu("&Index");
    ASSERT_EQ(m_host.helpPages().size(), 1u);
    EXPECT_EQ(m_host.helpPages().front(), "graph_window.html");
}

} // namespace
} // namespace kestrane
