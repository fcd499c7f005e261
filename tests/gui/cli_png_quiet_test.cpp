// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// Runs a shell command and returns what it wrote on standard output.
std::string outputOf(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "popen failed";
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe))
        output += buffer.data();
    pclose(pipe);
    return output;
}

// kestrane-cli paints its PNG pictures with the toolkit, which likes to
// complain about the session it finds (no XDG_RUNTIME_DIR, no display).
// Standard error must carry only the program's own message boxes.
TEST(CliPng, TheToolkitsDiagnosticsStayOffStandardError)
{
    fs::path program = fs::path(KESTRANE_BINARY_DIR) / "bin" / "kestrane-cli";
    if (!fs::exists(program))
        GTEST_SKIP() << "kestrane-cli is not built";
    fs::path example = fs::path(KESTRANE_SOURCE_DIR) / "examples" / "circumcircle.kst";
    fs::path picture = fs::temp_directory_path() / "kestrane_quiet_test.png";
    std::string command = "cd '" + example.parent_path().string() +
                          "' && env -u XDG_RUNTIME_DIR -u DISPLAY -u QT_QPA_PLATFORM '" +
                          program.string() + "' run '" + example.string() + "' --png '" +
                          picture.string() + "' 2>&1 >/dev/null";
    EXPECT_EQ(outputOf(command), "");
    EXPECT_TRUE(fs::exists(picture));
    fs::remove(picture);
}

} // namespace
