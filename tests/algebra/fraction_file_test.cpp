// SPDX-License-Identifier: GPL-3.0-or-later
// Variable tables and fraction files: exact bytes, names, legacy files,
// damaged parts and the variable section's limits.
#include "algebra/fraction_file.h"
#include "algebra/variable_table.h"
#include "expressions/expression_test_support.h"
#include "expressions/fract_bytes.h"
#include "platform/files.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using testing::parsed;

std::string bytesOf(const std::string& text)
{
    std::string bytes;
    EXPECT_TRUE(serializeExpression(*parsed(text), bytes));
    return bytes;
}

std::string printed(const VariableRecord& record)
{
    return record.value ? printExpressionText(*record.value) : "-";
}

TEST(VariableTableTest, AddsRemovesFindsAndCopies)
{
    VariableTable table;
    EXPECT_EQ(table.capacity(), 10);
    EXPECT_TRUE(table.contains("I"));
    EXPECT_FALSE(table.contains("x"));

    // The sign at the right end of a value does not belong to it.
    std::unique_ptr<FractNode> value = parsed("1+x");
    setLastSign(*value, '-');
    table.add("ab", std::move(value));
    EXPECT_EQ(lastSign(*table.record(0).value), '+');
    EXPECT_EQ(table.record(0).value->x, VariableTable::kValueX);
    EXPECT_EQ(table.record(0).value->y, VariableTable::kListTop + 25);
    const int afterValue = table.listY;
    EXPECT_GT(afterValue, VariableTable::kListTop + 50);
    table.add("n", nullptr);
    EXPECT_EQ(table.listY, afterValue + 50);

    for (int n = 0; n < 9; ++n)
        table.add("v" + std::to_string(n), parsed(std::to_string(n)));
    EXPECT_EQ(table.count(), 11);
    EXPECT_EQ(table.capacity(), 20);
    EXPECT_EQ(table.find("v3"), 5);
    EXPECT_EQ(table.find("v"), -1);

    table.record(5).removable = false;
    EXPECT_FALSE(table.remove(5));
    EXPECT_TRUE(table.remove(1));
    EXPECT_EQ(table.count(), 10);
    EXPECT_EQ(table.record(1).name, "v0");
    EXPECT_FALSE(table.record(10).value);
    EXPECT_FALSE(table.remove(10));

    table.record(0).enabled = false;
    VariableTable copy = table.copy();
    EXPECT_EQ(copy.count(), 10);
    EXPECT_FALSE(copy.record(0).enabled);
    EXPECT_FALSE(copy.record(4).removable);
    EXPECT_EQ(printed(copy.record(0)), "1+x");
}

TEST(FractionFileTest, WritesTheExactBytes)
{
    VariableTable variables;
    std::string expected = "Kestrane v. 1.8\r\nhalf\x01\x01\r\n" + bytesOf("1/2") + "1000";
    EXPECT_EQ(fractionFileBytes(*parsed("1/2"), "half", variables), expected);

    // A name of twelve letters is written with its length "12"; the
    // description loses its bytes 1, which would end it early.
    variables.add("abcdefghijkl", parsed("sqrt(2)"));
    variables.add("nothing", nullptr);
    expected = std::string("Kestrane v. 1.8\r\nab\x01\x01\r\n") + bytesOf("x") + "1001" + "12" +
               "abcdefghijkl" + bytesOf("sqrt(2)");
    EXPECT_EQ(fractionFileBytes(*parsed("x"),
                                "a\x01"
                                "b",
                                variables),
              expected);
}

TEST(FractionFileTest, ReadsBackWhatItWrites)
{
    testing::TempDir directory;
    VariableTable variables;
    variables.add("a", parsed("1/(1+sqrt(2))"));
    variables.add("b", parsed("-a^2"));
    ScriptedHost host;
    const std::string name = (directory / "saved").string();
    std::optional<std::string> written =
        writeFractionFile(name, *parsed("a*b+root(3,x)"), "my fraction", variables, host);
    ASSERT_EQ(written, name + ".fra");
    std::optional<FractionFileContents> contents = readFractionFile(*written, host);
    ASSERT_TRUE(contents);
    EXPECT_TRUE(contents->titled);
    EXPECT_EQ(contents->description, "my fraction");
    EXPECT_EQ(printExpressionText(*contents->expression), "a*b+root(3,x)");
    ASSERT_EQ(contents->variables.count(), 2);
    EXPECT_EQ(printed(contents->variables.record(1)), "-a^2");
    EXPECT_TRUE(contents->variables.record(1).enabled);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_FALSE(readFractionFile((directory / "missing.fra").string(), host));
}

TEST(FractionFileTest, ChecksNamesAndExpressionsBeforeWriting)
{
    struct Case {
        const char* name;
        std::optional<std::string> saved;
    };
    const Case cases[] = {
        {"plain", "plain.fra"},
        {"plain.fra", "plain.fra"},
        {"dir.v2/plain", "dir.v2/plain.fra"},
        {"plain.txt", std::nullopt},
        {"plain.fr", std::nullopt},
        {"plain.fraa", std::nullopt},
        {"plain.", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fractionFileName(c.name), c.saved) << c.name;

    testing::TempDir directory;
    ScriptedHost host;
    VariableTable variables;
    const std::string name = (directory / "x.txt").string();
    EXPECT_FALSE(writeFractionFile(name, *parsed("1"), "", variables, host));
    std::unique_ptr<FractNode> open = parsed("sqrt(2)");
    rightmostLeaf(*open).closeRow->remove(0);
    const std::string other = (directory / "y.fra").string();
    EXPECT_FALSE(writeFractionFile(other, *open, "", variables, host));
    for (int n = 0; n < 91; ++n)
        variables.add("v" + std::to_string(n), parsed("1"));
    EXPECT_FALSE(writeFractionFile(other, *parsed("1"), "", variables, host));
    ASSERT_EQ(host.messages().size(), 3u);
    EXPECT_EQ(host.messages()[0].text, "Wrong file name.");
    EXPECT_EQ(host.messages()[1].text, "Wrong number of parentheses.");
    EXPECT_EQ(host.messages()[2].text, "No more than 90 variables.");
    EXPECT_EQ(host.messages()[2].caption, "Error.");
    EXPECT_TRUE(std::filesystem::is_empty(directory.path()));
}

TEST(FractionFileTest, ReadsOldAndUnusualFiles)
{
    ScriptedHost host;
    // No title: the byte form starts the file.
    FractionFileContents legacy =
        parseFractionFile(bytesOf("x+1") + "1001" + "01x" + bytesOf("2"), host);
    EXPECT_FALSE(legacy.titled);
    EXPECT_EQ(printExpressionText(*legacy.expression), "x+1");
    ASSERT_EQ(legacy.variables.count(), 1);
    EXPECT_EQ(printed(legacy.variables.record(0)), "2");

    // Capacity "20" gives twenty slots; count "00" no variables.
    FractionFileContents roomy =
        parseFractionFile("Kestrane v. 1.8\r\n\x01\x01\r\n" + bytesOf("1") + "2000", host);
    EXPECT_EQ(roomy.variables.capacity(), 20);
    EXPECT_EQ(roomy.variables.count(), 0);

    // A description longer than the window keeps is cut.
    FractionFileContents wordy = parseFractionFile("Kestrane v. 1.8\r\n" + std::string(300, 'd') +
                                                       "\x01\x01\r\n" + bytesOf("1") + "1000",
                                                   host);
    EXPECT_EQ(wordy.description.size(), kMaxDescriptionLength);
    EXPECT_TRUE(host.messages().empty());
}

TEST(FractionFileTest, SaysWhatIsDamagedAndKeepsWhatIsNot)
{
    const std::string head = "Kestrane v. 1.8\r\nd\x01\x01\r\n";
    struct Case {
        std::string bytes;
        bool expressionDamaged;
        const char* message;
    };
    const Case cases[] = {
        {head + "garbage", true, kCorruptFractionText},
        {"Kestrane v. 1.8\r\nno end", true, kCorruptFractionText},
        {head + bytesOf("x") + "1001" + "05ab", false, kDamagedVariablesText},
        {head + bytesOf("x") + "10a1", false, kDamagedVariablesText},
        {head + bytesOf("x") + "1002" + "01a" + bytesOf("1") + "01b", false, kDamagedVariablesText},
    };
    for (const Case& c : cases) {
        ScriptedHost host;
        FractionFileContents contents = parseFractionFile(c.bytes, host);
        EXPECT_EQ(contents.expressionDamaged, c.expressionDamaged) << c.message;
        EXPECT_EQ(contents.variables.count(), 0);
        ASSERT_EQ(host.messages().size(), 1u);
        EXPECT_EQ(host.messages()[0].text, c.message);
        ASSERT_TRUE(contents.expression);
        EXPECT_EQ(printExpressionText(*contents.expression), c.expressionDamaged ? "?" : "x");
    }
}

} // namespace
} // namespace kestrane
