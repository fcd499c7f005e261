// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

class CheckCommand : public ::testing::Test {
protected:
    CheckCommand()
    {
        std::random_device random;
        m_directory = std::filesystem::temp_directory_path() /
                      ("kestrane-check-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_directory);
    }
    ~CheckCommand() override
    {
        std::error_code error;
        std::filesystem::remove_all(m_directory, error);
    }

    std::string write(const std::string& name, const std::string& bytes)
    {
        std::string path = (m_directory / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    int check(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "check");
        out.str("");
        err.str("");
        return runCli(arguments, out, err);
    }

    std::ostringstream out;
    std::ostringstream err;

private:
    std::filesystem::path m_directory;
};

TEST_F(CheckCommand, PrintsOkForAValidScript)
{
    std::string path = write("good.kst", "1start()\r\nA=point(1,2)\r\nEND");
    EXPECT_EQ(check({path}), 0);
    EXPECT_EQ(out.str(), "ok\n");
}

TEST_F(CheckCommand, PrintsTheFirstErrorWithItsFileLine)
{
    std::string path = write("bad.kst", "1// note\r\nstart()\r\n\r\nl=line(A,B)\r\nEND");
    EXPECT_EQ(check({path}), 1);
    EXPECT_EQ(out.str(), path + ":4: Undeclared variable.\n");
}

TEST_F(CheckCommand, NamesTheIncludeThatHoldsTheError)
{
    std::string unit = write("unit.ksu", "1void f()\r\nx=foo(1)\r\nEND");
    std::string path = write("main.kst", "1#include <unit.ksu>\r\nstart()\r\nEND");
    EXPECT_EQ(check({path}), 1);
    EXPECT_EQ(out.str(),
              unit + ":2: No such name. Name may be a reserved word from a different module.\n");
}

TEST_F(CheckCommand, ModuleOptionOverridesTheFirstByte)
{
    std::string path = write("space.kst", "1start()\r\nA=point(1,2,3)\r\nEND");
    EXPECT_EQ(check({path}), 1);
    EXPECT_EQ(check({path, "--module", "503"}), 0);
    std::string curves = write("curves.kst", "1start()\r\nEND");
    EXPECT_EQ(check({curves, "--module", "508"}), 0) << out.str();
    EXPECT_EQ(check({path, "--module", "502"}), 1);
    EXPECT_NE(out.str().find(":2: "), std::string::npos) << "a compile error in Dimension 2";
    EXPECT_EQ(check({path, "--module", "509"}), 2);
    EXPECT_EQ(check({path, "--module"}), 2);
}

TEST_F(CheckCommand, LoadMessagesGoToTheErrorStream)
{
    std::string path = write("main.kst", "1#include <absent.ksu>\r\nstart()\r\nEND");
    EXPECT_EQ(check({path}), 1);
    EXPECT_NE(err.str().find("Error: Included file does not exist.\n"), std::string::npos);
    EXPECT_EQ(check({write("x.kst", "zstart()")}), 1);
    EXPECT_NE(err.str().find("Error: Wrong first character"), std::string::npos);
    EXPECT_EQ(check({"/no/such/file.kst"}), 2);
    EXPECT_EQ(check({}), 2);
}

} // namespace
} // namespace kestrane::cli
