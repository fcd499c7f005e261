// SPDX-License-Identifier: GPL-3.0-or-later
// The passes of a simplification through their own interface: the working
// table they leave and the expression they put back together.
#include "algebra/simplify_passes.h"
#include "algebra/variable_table.h"
#include "expressions/expression_test_support.h"
#include "expressions/expression_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrane {
namespace {

using testing::parsed;

std::vector<std::string> written(const VariableTable& table)
{
    std::vector<std::string> lines;
    for (int i = 0; i < table.count(); ++i) {
        const VariableRecord& record = table.record(i);
        lines.push_back(record.name + "=" +
                        (record.value ? printExpressionText(*record.value) : std::string("-")));
    }
    return lines;
}

TEST(SimplifyPassesTest, ReducesRootsOfNumbersAndPutsThemBack)
{
    struct Case {
        const char* input;
        const char* reduced;
    };
    const Case cases[] = {
        {"sqrt(12)", "2*sqrt(3)"},
        {"root(4,9)", "sqrt(3)"},
        {"root(6,8)", "sqrt(2)"},
        {"root(9,64)", "root(3,4)"},
        {"1/sqrt(2)", "1/sqrt(2)"},
        {"sqrt(8)+root(3,54)*x", "2*sqrt(2)+3*root(3,2)*x"},
        {"sqrt(0.5)", "sqrt(2)/2"},
        // Only roots of numbers: a root of a sum or a name stays.
        {"sqrt(x)+sqrt(2+2)", "sqrt(x)+sqrt(2+2)"},
    };
    for (const Case& c : cases) {
        VariableTable table;
        std::unique_ptr<FractNode> main = parsed(c.input);
        ASSERT_TRUE(reduceRootsOfNumbers(table, main, {})) << c.input;
        substituteBack(main, table);
        EXPECT_EQ(printExpressionText(*main), c.reduced) << c.input;
    }
}

TEST(SimplifyPassesTest, EliminatesAliasesWithTheProductOfTheSigns)
{
    VariableTable table;
    table.add("a", parsed("b"));
    table.add("c", parsed("a*a"));
    table.add("d", parsed("a-c"));
    table.record(0).value->numberSign.sign = '-';
    std::unique_ptr<FractNode> main = parsed("d+a");
    // A record that may not be removed stays, and so do its uses.
    table.add("e", parsed("f"));
    table.record(3).removable = false;
    EXPECT_TRUE(eliminateAliases(table, *main));
    EXPECT_EQ(written(table), (std::vector<std::string>{"c=-b*b", "d=-b-c", "e=f"}));
    // The right factor's minus is there, only not written after '*'.
    EXPECT_EQ(table.record(0).value->right->numberSign.sign, '-');
    EXPECT_EQ(*main->right->text, "b");
    EXPECT_EQ(main->right->numberSign.sign, '-');
    EXPECT_FALSE(eliminateAliases(table, *main));
}

TEST(SimplifyPassesTest, LiftsFractionsOneRuleAtATime)
{
    struct Case {
        const char* definition;
        std::vector<std::string> table;
    };
    const Case cases[] = {
        {"p*q", {"p=1/2", "q=x", "r=a/2", "a=1*q"}},
        {"q+p", {"p=1/2", "q=x", "r=b/2", "a=q*2", "b=a+1"}},
        {"q/p", {"p=1/2", "q=x", "r=a/1", "a=q*2"}},
        {"(p)", {"p=1/2", "q=x", "r=a/c", "a=(b)", "b=1", "c=(d)", "d=2"}},
        // A root keeps the whole fraction under it (its sign decides).
        {"sqrt(p)", {"p=1/2", "q=x", "r=sqrt(p)"}},
        // Functions keep their argument whole; nothing to lift.
        {"sin(p)", {"p=1/2", "q=x", "r=sin(p)"}},
    };
    for (const Case& c : cases) {
        VariableTable table;
        table.add("p", parsed("1/2"));
        table.add("q", parsed("x"));
        table.add("r", parsed(c.definition));
        const bool lifted = liftFractions(table);
        EXPECT_EQ(lifted, c.table.size() > 3) << c.definition;
        std::vector<std::string> lines = written(table);
        EXPECT_EQ(lines, c.table) << c.definition;
    }
}

TEST(SimplifyPassesTest, SubstitutesBackWithMarksSignsAndExponents)
{
    VariableTable table;
    table.add("a", parsed("x+1"));
    table.add("b", parsed("sqrt(a)"));
    table.add("c", parsed("a/b"));
    struct Case {
        const char* main;
        const char* back;
    };
    const Case cases[] = {
        {"c", "(x+1)/sqrt(x+1)"},
        {"2*a", "2*(x+1)"},
        {"a*2", "(x+1)*2"},
        {"a^2", "(x+1)^2"},
        {"(a)^2*b", "(x+1)^2*sqrt(x+1)"},
        {"y-a", "y-(x+1)"},
        {"root(3,a)", "root(3,x+1)"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<FractNode> main = parsed(c.main);
        EXPECT_TRUE(substituteBack(main, table)) << c.main;
        EXPECT_EQ(printExpressionText(*main), c.back) << c.main;
    }
    std::unique_ptr<FractNode> unknown = parsed("y*z");
    EXPECT_FALSE(substituteBack(unknown, table));
}

} // namespace
} // namespace kestrane
