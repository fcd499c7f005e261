// SPDX-License-Identifier: GPL-3.0-or-later
// The records of an expression tree: creation, deep copy, fix-up, the walks
// to the ends of a subtree and the destruction of deep trees.
#include "expression_test_support.h"

#include "expressions/fract_node.h"
#include "expressions/mark_matching.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using testing::parsed;

TEST(FractNodeTest, AFreshNodeIsAnEmptyLeaf)
{
    auto node = FractNode::create(nullptr, 40, 70, 24);
    EXPECT_EQ(node->width, 6);
    EXPECT_FALSE(node->hasText());
    EXPECT_EQ(node->textLength(), 0);
    EXPECT_EQ(node->role, NodeRole::Root);
    EXPECT_EQ(node->opSign.sign, '+');
    EXPECT_EQ(node->numberSign.sign, '+');
    EXPECT_EQ(node->leadSign.sign, '+');
    EXPECT_EQ(node->x, 40);
    EXPECT_EQ(node->textX, 40);
    EXPECT_EQ(node->y, 70);
    EXPECT_EQ(node->y2, 70);
    EXPECT_EQ(node->fontHeight, 24);
    EXPECT_FALSE(node->openRow || node->closeRow || node->left || node->numerator);
}

TEST(FractNodeTest, ARowGrowsByTenWhenItsCountReachesCapacityLessOne)
{
    MarkRow row;
    for (int k = 0; k < 8; ++k)
        row.append(MarkItem::makeParen(true));
    EXPECT_EQ(row.capacity, 10);
    row.append(MarkItem::makeParen(true));
    EXPECT_EQ(row.count(), 9);
    EXPECT_EQ(row.capacity, 20);
    row.insert(0, MarkItem::makeRoot(true, 3));
    EXPECT_EQ(row.items[0]->root->degree, 3);
    auto removed = row.remove(0);
    EXPECT_TRUE(removed->isRoot());
    EXPECT_EQ(row.count(), 9);
}

TEST(FractNodeTest, ACopyIsDeepAndFindsItsOwnPartners)
{
    auto tree = parsed("sqrt(1/2)+(x^2)^3*sin(-y)");
    auto copy = copyTree(*tree);
    ASSERT_TRUE(sameTree(*copy, *tree));
    fixUp(*copy);
    EXPECT_TRUE(matchMarks(*copy));
    MarkItem& root = *copy->left->openRow->items[0];
    EXPECT_EQ(root.root->partner, copy->left->closeRow->items[0].get());
    EXPECT_NE(root.root->partner, tree->left->closeRow->items[0].get());
    copy->left->numerator->text = "5";
    EXPECT_EQ(*tree->left->numerator->text, "1");
    EXPECT_FALSE(sameTree(*copy, *tree));
}

TEST(FractNodeTest, FixUpRepairsLinksRolesAndSignMirrors)
{
    auto tree = parsed("a*(b+c)/2-d^e");
    EXPECT_TRUE(fixUp(*tree));

    struct Breakage {
        const char* name;
        void (*apply)(FractNode&);
    };
    const Breakage breakages[] = {
        {"parent link", [](FractNode& t) { t.right->parent = nullptr; }},
        {"role", [](FractNode& t) { t.left->role = NodeRole::Numerator; }},
        {"exponent font", [](FractNode& t) { t.right->exponent->fontHeight = 20; }},
        {"operator mirror", [](FractNode& t) { t.left->opSign.sign = '+'; }},
        {"lead sign", [](FractNode& t) { t.right->leadSign.sign = '+'; }},
    };
    for (const Breakage& breakage : breakages) {
        auto broken = copyTree(*tree);
        fixUp(*broken);
        breakage.apply(*broken);
        EXPECT_FALSE(fixUp(*broken)) << breakage.name;
        EXPECT_TRUE(fixUp(*broken)) << breakage.name;
        EXPECT_TRUE(sameTree(*broken, *tree)) << breakage.name;
    }
    EXPECT_EQ(tree->left->opSign.sign, '-');
    EXPECT_EQ(tree->right->leadSign.sign, '-');
    EXPECT_EQ(tree->right->exponent->fontHeight, 15);
    EXPECT_EQ(tree->right->exponent->role, NodeRole::Exponent);
    EXPECT_EQ(tree->right->exponent->sizeClass, kExponentSize);
}

TEST(FractNodeTest, ParenthesisExponentsBelongToTheirLeaf)
{
    auto tree = parsed("(x)^2");
    FractNode& exponent = *tree->closeRow->items[0]->paren->exponent;
    EXPECT_EQ(exponent.parent, tree.get());
    EXPECT_EQ(exponent.role, NodeRole::ParenExponent);
    EXPECT_EQ(exponent.sizeClass, kParenExponentSize);
    EXPECT_EQ(exponent.fontHeight, 15);
}

TEST(FractNodeTest, WalksToTheEndsStopAtFractions)
{
    auto tree = parsed("(1/2)*x+y");
    EXPECT_TRUE(leftmostLeaf(*tree).isFraction());
    EXPECT_EQ(*rightmostLeaf(*tree).text, "y");
    EXPECT_TRUE(leftmostLeaf(*tree).hasOpenMarks());
    // The last sign of a subtree sits at its right end.
    EXPECT_EQ(lastSign(*tree->left), '+');
    EXPECT_EQ(lastSign(*tree->left->left), '*');
    setLastSign(*tree->left->left, '-');
    EXPECT_EQ(tree->left->left->closeRow->items.back()->signAfter, '-');
}

TEST(FractNodeTest, VeryDeepTreesAreWalkedAndFreedWithoutExhaustingTheStack)
{
    auto root = FractNode::makeLeaf("2");
    FractNode* deepest = root.get();
    for (int level = 0; level < 200000; ++level) {
        deepest->exponent = FractNode::makeLeaf("2");
        deepest->exponent->parent = deepest;
        deepest = deepest->exponent.get();
    }
    EXPECT_EQ(nodeCount(*root), 200001);
    EXPECT_EQ(treeDepth(*root), 200001);
    EXPECT_FALSE(fixUp(*root)); // the exponents' font heights were unset
    EXPECT_EQ(root->exponent->fontHeight, 15);
    root.reset();
}

} // namespace
} // namespace kestrane
