// SPDX-License-Identifier: GPL-3.0-or-later
// The byte form: hand-written bytes, round trips, cut and corrupt buffers,
// the limits of its one-byte fields and of nesting.
#include "expression_test_support.h"

#include "expressions/fract_bytes.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/fract_paint.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrane {
namespace {

using testing::parsed;

std::string bytes(std::initializer_list<int> values)
{
    std::string text;
    for (int value : values)
        text += static_cast<char>(value);
    return text;
}

std::string serialized(const FractNode& tree)
{
    std::string out;
    EXPECT_TRUE(serializeExpression(tree, out));
    return out;
}

// A leaf: '1', symbol, opSign, numberSign, length, text, no pairs.
std::string leaf(char text, char opSign = '+')
{
    return bytes({'1', 0, opSign, '+', 1, text, 0, 0});
}

struct HandWritten {
    const char* text;
    std::string bytes;
};

const std::vector<HandWritten>& handWritten()
{
    static const std::vector<HandWritten> cases = {
        {"1/2", bytes({'1', 0, '+', '+', 0, 0}) + leaf('1') + bytes({0, 0, 0}) + leaf('2') +
                    bytes({0, 0, 0}) + bytes({0, 0, 0})},
        // The '-' is the left leaf's opSign and its closing root's signAfter.
        {"sqrt(2)-1", bytes({'1', 0, '+', '+', 0}) + leaf('2', '-') +
                          bytes({'3', 1, 10, 1, '+', '+', '0', '0', '0', 1, '2'}) +
                          bytes({'2', 1, 10, 0, '-', '+', '0', '0', '0', 0, '2'}) + bytes({0}) +
                          leaf('1') + bytes({0, 0, 0}) + bytes({0, 0, 0, 0})},
        // The exponent stands on the closing parenthesis.
        {"(1+x)^2", bytes({'1', 0, '+', '+', 0}) + leaf('1') +
                        bytes({'3', 1, 10, 1, '+', '+', '0', '0', '1', 0, 1, 0, 0}) +
                        bytes({0, 0}) + leaf('x') + bytes({0}) +
                        bytes({'2', 1, 10, 0, '+', '+', '0', '0', '1', 0, 0, 0, 1}) + leaf('2') +
                        bytes({0, 0, 0}) + bytes({0}) + bytes({0, 0, 0, 0})},
    };
    return cases;
}

TEST(FractBytesTest, WritesAndReadsHandWrittenBytes)
{
    for (const HandWritten& c : handWritten()) {
        auto tree = parsed(c.text);
        EXPECT_EQ(bytesToHex(serialized(*tree)), bytesToHex(c.bytes)) << c.text;
        std::size_t position = 0;
        auto read = parseExpression(c.bytes, position, 20);
        ASSERT_TRUE(read) << c.text;
        EXPECT_EQ(position, c.bytes.size()) << c.text;
        EXPECT_TRUE(sameTree(*read, *tree)) << c.text;
        EXPECT_EQ(printExpressionText(*read), c.text);
    }
}

TEST(FractBytesTest, ReadingMatchesTheRootsOfATree)
{
    std::size_t position = 0;
    auto tree = parseExpression(handWritten()[1].bytes, position, 20);
    ASSERT_TRUE(tree);
    MarkItem& opening = *tree->left->openRow->items[0];
    MarkItem& closing = *tree->left->closeRow->items[0];
    EXPECT_EQ(opening.root->partner, &closing);
    EXPECT_TRUE(opening.matched && closing.matched);
    EXPECT_EQ(tree->right->leadSign.sign, '-');
}

TEST(FractBytesTest, RandomTreesSurviveTheRoundTrip)
{
    testing::RandomExpression random(12);
    for (int round = 0; round < 300; ++round) {
        std::string text = random.next();
        auto tree = parsed(text, 24);
        ASSERT_TRUE(tree);
        std::string form = serialized(*tree);
        std::size_t position = 0;
        auto read = parseExpression(form, position, 24);
        ASSERT_TRUE(read) << text;
        EXPECT_EQ(position, form.size());
        EXPECT_TRUE(sameTree(*read, *tree)) << text;
        EXPECT_EQ(serialized(*read), form) << text;
    }
}

TEST(FractBytesTest, EveryCutOfAValidBufferFailsCleanly)
{
    testing::RandomExpression random(5);
    for (int round = 0; round < 20; ++round) {
        std::string form = serialized(*parsed(random.next()));
        for (std::size_t length = 0; length < form.size(); ++length) {
            std::size_t position = 0;
            std::string cut = form.substr(0, length);
            EXPECT_FALSE(parseExpression(cut, position, 20)) << length;
            EXPECT_EQ(position, 0u);
        }
    }
}

TEST(FractBytesTest, RefusesWhatTheFormCannotHold)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string one = leaf('1') + bytes({0, 0, 0});
    const Case cases[] = {
        {"not a node", bytes({'9', 0, '+', '+', 0, 0, 0, 0, 0, 0})},
        {"bad sign", bytes({'1', 0, '?', '+', 1, '1', 0, 0, 0, 0, 0})},
        {"text and children", bytes({'1', 0, '+', '+', 1, '1', 0}) + one + one + bytes({0, 0, 0})},
        {"both pairs", bytes({'1', 0, '+', '+', 0}) + one + one + one + one + bytes({0, 0, 0})},
        {"opening row marker", bytes({'1', 0, '+', '+', 1, '1', 0, 0, '2', 0, 10, 0, 0})},
        {"closing mark in an opening row", bytes({'1', 0,   '+', '+', 1,   '1', 0, 0, '3', 1, 10, 0,
                                                  '+', '+', '0', '0', '1', 0,   0, 0, 0,   0, 0})},
        {"function 206",
         bytes({'1', 0, '+', '+', 1, '1', 0, 0, '3', 1, 10, 1, '+', '+', '2', '0', '6', 0, 0, 0})},
        {"root degree 1", bytes({'1', 0,   '+', '+', 1,   '1', 0, 0,   '3', 1, 10,
                                 1,   '+', '+', '0', '0', '0', 1, '1', 0,   0})},
        {"count beyond the capacity", bytes({'1', 0, '+', '+', 1, '1', 0, 0, '3', 5, 3})},
        {"exponent flag 2", bytes({'1', 0, '+', '+', 1, '1', 0, 0, 0, 0, 2})},
    };
    for (const Case& c : cases) {
        std::size_t position = 0;
        EXPECT_FALSE(parseExpression(c.bytes, position, 20)) << c.name;
    }
}

TEST(FractBytesTest, RefusesNestingBeyondTheLimit)
{
    // Exponents of exponents, each one level deeper.
    auto nested = [](int levels) {
        std::string form;
        for (int level = 1; level < levels; ++level)
            form += bytes({'1', 0, '+', '+', 1, '2', 0, 0, 0, 0, 1});
        form += bytes({'1', 0, '+', '+', 1, '2', 0, 0, 0, 0, 0});
        return form;
    };
    std::size_t position = 0;
    auto deepest = parseExpression(nested(kMaxNesting), position, 20);
    ASSERT_TRUE(deepest);
    EXPECT_EQ(treeDepth(*deepest), kMaxNesting);
    std::string again;
    EXPECT_TRUE(serializeExpression(*deepest, again));
    auto copy = copyTree(*deepest);
    EXPECT_TRUE(sameTree(*copy, *deepest));
    RecordingCanvas canvas;
    layoutExpression(*copy, canvas, 0, 0);
    paintExpression(*copy, canvas);
    position = 0;
    EXPECT_FALSE(parseExpression(nested(kMaxNesting + 1), position, 20));
}

TEST(FractBytesTest, TheDeepestBracketedExponentsAreLaidOut)
{
    // x^... where each exponent stands on a closing parenthesis: the deepest
    // recursion of the layout per level of nesting.
    std::string form;
    for (int level = 1; level < kMaxNesting; ++level)
        form += bytes({'1', 0, '+', '+', 1,   'x', 0,   0, 0, '2', 1,
                       10,  0, '+', '+', '0', '0', '1', 0, 0, 0,   1});
    form += leaf('x') + bytes({0, 0, 0});
    for (int level = 1; level < kMaxNesting; ++level)
        form += bytes({0});
    std::size_t position = 0;
    auto tree = parseExpression(form, position, 20);
    ASSERT_TRUE(tree);
    EXPECT_EQ(treeDepth(*tree), kMaxNesting);
    RecordingCanvas canvas;
    layoutExpression(*tree, canvas, 0, 0);
    paintExpression(*tree, canvas);
    EXPECT_FALSE(printExpressionText(*tree).empty());
}

TEST(FractBytesTest, SerializeNeverCutsAByte)
{
    auto tree = FractNode::makeLeaf(std::string(kMaxTextLength, '7'));
    std::string out = "kept";
    EXPECT_TRUE(serializeExpression(*tree, out));
    tree->text->push_back('7');
    out = "kept";
    EXPECT_FALSE(serializeExpression(*tree, out));
    EXPECT_EQ(out, "kept");

    auto marked = FractNode::makeLeaf("1");
    for (int k = 0; k <= kMaxRowMarks; ++k)
        marked->ensureOpenRow().append(MarkItem::makeParen(true));
    EXPECT_FALSE(serializeExpression(*marked, out));
    EXPECT_EQ(out, "kept");
}

TEST(FractBytesTest, TellsTheUserOnceWhenAFractionCannotBeRead)
{
    ScriptedHost host;
    reportCorruptFraction(host);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Error");
    EXPECT_EQ(host.messages()[0].text, "File of a fraction is wrong or corrupted.\n It may be a "
                                       "file of older versions of a program of Skrivio.");
    EXPECT_EQ(host.messages()[0].icon, MessageIcon::Information);
}

TEST(FractBytesTest, HexPairs)
{
    std::string back;
    EXPECT_EQ(bytesToHex(bytes({0x31, 0, 0xff, 10})), "31 00 ff 0a");
    EXPECT_TRUE(hexToBytes("31 00 FF 0a", back));
    EXPECT_EQ(back, bytes({0x31, 0, 0xff, 10}));
    EXPECT_FALSE(hexToBytes("3", back));
    EXPECT_FALSE(hexToBytes("zz", back));
}

} // namespace
} // namespace kestrane
