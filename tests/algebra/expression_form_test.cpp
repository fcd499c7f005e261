// SPDX-License-Identifier: GPL-3.0-or-later
// Every evaluation reads a tree as its text reads: for random trees, built
// node by node rather than from text, each evaluator gives the tree the same
// value, messages and names as the tree its printed text parses back into.
#include "algebra/expression_form.h"
#include "algebra/form_tree.h"
#include "algebra/long_eval.h"
#include "algebra/numeric_eval.h"
#include "algebra/simplify.h"
#include "expressions/expression_test_support.h"
#include "expressions/mark_matching.h"
#include "numbers/long_int.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrane {
namespace {

// Random trees in the shapes the editor, the notation and fraction files
// make: marks around any node, paren exponents, minus signs on marks and
// numbers (shown or hidden behind an operator), exponents on numbers and
// names, and now and then an exponent on an operation or a fraction.
class RandomTree {
public:
    explicit RandomTree(unsigned seed) : m_random(seed) {}

    std::unique_ptr<FractNode> next()
    {
        std::unique_ptr<FractNode> tree = expression(0);
        fixUp(*tree);
        matchMarks(*tree);
        return tree;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::unique_ptr<FractNode> expression(int depth)
    {
        switch (depth > 2 ? below(2) : below(9)) {
        case 0:
            return leaf();
        case 1:
            return powered(leaf());
        case 2:
        case 3: {
            static constexpr char kSigns[] = {'+', '-', '*'};
            return FractNode::makeOperation(kSigns[below(3)], expression(depth + 1),
                                            expression(depth + 1));
        }
        case 4:
            return FractNode::makeFraction(expression(depth + 1), expression(depth + 1));
        case 5:
        case 6:
            return marked(expression(depth + 1));
        case 7:
            return negative(expression(depth + 1));
        default: {
            auto node = FractNode::makeOperation('*', expression(depth + 1), leaf());
            node->exponent = smallExponent();
            return node;
        }
        }
    }

    std::unique_ptr<FractNode> leaf()
    {
        static const char* const kTexts[] = {"2", "3", "0.5", "12", "x", "y", "ab", "1.25"};
        if (below(12) == 0)
            return FractNode::makeLeaf("p", true);
        return FractNode::makeLeaf(kTexts[below(8)]);
    }

    std::unique_ptr<FractNode> smallExponent()
    {
        switch (below(4)) {
        case 0:
            return FractNode::makeLeaf("2");
        case 1:
            return negative(FractNode::makeLeaf("1"));
        case 2:
            return FractNode::makeFraction(FractNode::makeLeaf("1"), FractNode::makeLeaf("2"));
        default:
            return FractNode::makeLeaf("x");
        }
    }

    std::unique_ptr<FractNode> powered(std::unique_ptr<FractNode> leaf)
    {
        leaf->exponent = smallExponent();
        return leaf;
    }

    std::unique_ptr<FractNode> marked(std::unique_ptr<FractNode> node)
    {
        std::unique_ptr<MarkItem> opening;
        std::unique_ptr<MarkItem> closing;
        switch (below(5)) {
        case 0:
            opening = MarkItem::makeRoot(true);
            closing = MarkItem::makeRoot(false);
            break;
        case 1:
            opening = MarkItem::makeRoot(true, 3);
            closing = MarkItem::makeRoot(false);
            break;
        case 2: {
            static constexpr int kCodes[] = {200, 202, 203, 208};
            const int code = kCodes[below(4)];
            opening = MarkItem::makeFunction(true, code);
            closing = MarkItem::makeFunction(false, code);
            break;
        }
        default:
            opening = MarkItem::makeParen(true);
            closing = MarkItem::makeParen(false);
            if (below(2) == 0)
                closing->paren->exponent = smallExponent();
            break;
        }
        leftmostLeaf(*node).ensureOpenRow().insert(0, std::move(opening));
        rightmostLeaf(*node).ensureCloseRow().append(std::move(closing));
        return node;
    }

    // The minus goes where a reader of the notation puts it: on the first
    // mark, else on the number.
    std::unique_ptr<FractNode> negative(std::unique_ptr<FractNode> node)
    {
        FractNode* leaf = &leftmostLeaf(*node);
        while (!leaf->hasOpenMarks() && leaf->isFraction())
            leaf = &leftmostLeaf(*leaf->numerator);
        if (leaf->hasOpenMarks())
            leaf->openRow->items.front()->signBefore = '-';
        else
            leaf->numberSign.sign = '-';
        return node;
    }

    std::mt19937 m_random;
};

// What each evaluator makes of a tree, written out so that two trees can be
// compared at a glance.
class Readings {
public:
    Readings()
    {
        m_x = testing::parsed("0.5");
        m_y = testing::parsed("x+3/4");
        m_variables = {{"x", m_x.get()}, {"y", m_y.get()}};
    }

    std::string of(const FractNode& tree)
    {
        std::ostringstream out;
        out << names(tree) << "\nnumeric: " << numeric(tree)
            << "\nlong: " << longValue(tree, NumberField::Real)
            << "\ncomplex: " << longValue(tree, NumberField::Complex) << "\nexact: " << exact(tree);
        return out.str();
    }

private:
    static std::string names(const FractNode& tree)
    {
        ExpressionNames found = expressionNames(tree);
        std::string text = "names:";
        for (const std::string& name : found.names)
            text += " " + name;
        return text + (found.emptyPlace ? " ?" : "") + (found.usesI ? " i" : "");
    }

    std::string numeric(const FractNode& tree)
    {
        DefinitionLookup lookup = [this](std::string_view name) -> const FractNode* {
            return name == "y" ? m_y.get() : nullptr;
        };
        std::ostringstream out;
        auto real = NumericProgram::compile(tree, lookup).evaluate(0.7f);
        out << (real ? std::to_string(*real) : "none");
        auto complex = NumericProgram::compileComplex(tree, lookup).evaluateComplex({0.5f, 0.25f});
        out << " "
            << (complex ? std::to_string(complex->real()) + "," + std::to_string(complex->imag())
                        : "none");
        return out.str();
    }

    std::string longValue(const FractNode& tree, NumberField field)
    {
        ScriptedHost host;
        auto value = evaluateLong(tree, m_variables, field, host);
        std::string text =
            value ? LongToDecimal(value->re) + "," + LongToDecimal(value->im) : std::string("none");
        for (const auto& message : host.messages())
            text += " [" + message.caption + ": " + message.text + "]";
        return text;
    }

    static std::string exact(const FractNode& tree)
    {
        ScriptedHost host;
        clearLongIntOverflow();
        SimplifyRequest request;
        request.tree = &tree;
        request.purpose = SimplifyFor::Script;
        request.reportDefinitions = true;
        SimplifyResult result = simplifyExpression(request, host);
        std::string text = result.tree ? printExpressionText(*result.tree) : "none";
        for (const auto& message : result.messages)
            text += " [" + message.text + "]";
        text += " main " + result.mainName;
        for (const auto& definition : result.definitions)
            text += " " + definition.name + "=" + definition.value.value_or("-");
        clearLongIntOverflow();
        return text;
    }

    std::unique_ptr<FractNode> m_x;
    std::unique_ptr<FractNode> m_y;
    LongVariables m_variables;
};

TEST(ExpressionFormTest, EveryEvaluatorReadsATreeAsItsPrintedTextReads)
{
    LongWordsScope words(kLongWordsMin);
    RandomTree random(2027);
    Readings readings;
    int read = 0;
    int reshaped = 0;
    for (int round = 0; round < 10000; ++round) {
        std::unique_ptr<FractNode> tree = random.next();
        const std::string text = printExpressionText(*tree);
        TextParseResult parsed = parseExpressionText(text);
        // A tree whose text the notation refuses has no second reading.
        if (!parsed.tree)
            continue;
        ++read;
        // The same tree back reads the same by construction.
        if (sameTree(*tree, *parsed.tree))
            continue;
        ++reshaped;
        ASSERT_EQ(readings.of(*tree), readings.of(*parsed.tree)) << text;
    }
    EXPECT_GT(read, 9000);
    EXPECT_GT(reshaped, 1500);
}

// The working trees of simplification come back with the brackets their
// text needs as marks: the tree built from the form is the tree the printed
// text reads into, for the same random shapes.
TEST(ExpressionFormTest, ATreeRebuiltFromItsFormIsItsTextReadBack)
{
    RandomTree random(2031);
    int compared = 0;
    for (int round = 0; round < 10000; ++round) {
        std::unique_ptr<FractNode> tree = random.next();
        const std::string text = printExpressionText(*tree);
        TextParseResult parsed = parseExpressionText(text, 27);
        std::unique_ptr<FractNode> rebuilt = rereadTree(*tree, 27);
        ASSERT_EQ(rebuilt != nullptr, parsed.tree != nullptr) << text;
        if (!parsed.tree)
            continue;
        ++compared;
        ASSERT_TRUE(sameTree(*rebuilt, *parsed.tree)) << text;
        ASSERT_EQ(rebuilt->fontHeight, 27);
    }
    EXPECT_GT(compared, 9000);
}

TEST(ExpressionFormTest, MarksThatCrossTheOperationsMeanWhatTheTextSays)
{
    // (a+b)*c with the bracket opened at a and closed at b, in a tree that
    // groups a+(b*c): the text reads (a+b)*c.
    auto a = FractNode::makeLeaf("2");
    a->ensureOpenRow().append(MarkItem::makeRoot(true));
    auto b = FractNode::makeLeaf("7");
    b->ensureCloseRow().append(MarkItem::makeRoot(false));
    auto tree = FractNode::makeOperation(
        '+', std::move(a), FractNode::makeOperation('*', std::move(b), FractNode::makeLeaf("3")));
    fixUp(*tree);
    matchMarks(*tree);
    EXPECT_EQ(printExpressionText(*tree), "sqrt(2+7)*3");
    LongWordsScope words(kLongWordsMin);
    ScriptedHost host;
    auto value = evaluateLong(*tree, {}, NumberField::Real, host);
    ASSERT_TRUE(value);
    EXPECT_EQ(LongToDecimal(value->re).substr(0, 5), "9.000");
}

TEST(ExpressionFormTest, ATreeWhoseTextDoesNotReadHasNoValue)
{
    // A definition inside a sum prints as 1+(x=2), which no reader takes.
    auto tree = FractNode::makeOperation(
        '+', FractNode::makeLeaf("1"),
        FractNode::makeOperation('=', FractNode::makeLeaf("x"), FractNode::makeLeaf("2")));
    fixUp(*tree);
    matchMarks(*tree);
    LongWordsScope words(kLongWordsMin);
    ScriptedHost host;
    EXPECT_FALSE(evaluateLong(*tree, {}, NumberField::Real, host));
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, "The expression cannot be read.");
    EXPECT_FALSE(NumericProgram::compile(*tree).valid());
}

} // namespace
} // namespace kestrane
