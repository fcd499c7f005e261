// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "cli/commands.h"
#include "platform/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace kestrane::cli {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun run(std::vector<std::string> arguments)
{
    std::ostringstream out, err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

std::string example(std::string_view name)
{
    return (fs::path(KESTRANE_SOURCE_DIR) / "examples" / (std::string(name) + ".kst")).string();
}

// Why the standalone pictures cannot be compiled here, or empty when they
// can: pdflatex on the PATH with the standalone class and TikZ.
std::string latexMissing()
{
    if (std::system("command -v pdflatex > /dev/null 2>&1") != 0)
        return "pdflatex is not installed";
    if (std::system("command -v kpsewhich > /dev/null 2>&1") == 0 &&
        std::system("kpsewhich standalone.cls > /dev/null 2>&1 && "
                    "kpsewhich tikz.sty > /dev/null 2>&1") != 0)
        return "pdflatex lacks the standalone class or TikZ";
    return {};
}

// The last is expression-heavy: fractions, roots, powers and ε.
constexpr std::string_view kTikzExamples[] = {"circumcircle", "polygons", "labels_and_texts",
                                              "casus_irreducibilis"};

// Labels and titles, filled polygons with their colours, and circles with
// lines clipped to the drawing area: the worksheet picture of each example
// is the one checked by eye.
TEST(TikzExport, ExamplesGiveTheirCheckedPictures)
{
    for (std::string_view name : kTikzExamples) {
        SCOPED_TRACE(name);
        fs::path expectedPath =
            fs::path(KESTRANE_TEST_DATA) / "tikz" / (std::string(name) + ".tex");
        std::optional<std::string> expected = readWholeFile(expectedPath);
        ASSERT_TRUE(expected);
        CliRun standalone = run({"run", example(name), "--tikz-standalone", "--tikz", "-"});
        ASSERT_EQ(standalone.status, kSuccess) << standalone.err;
        EXPECT_EQ(standalone.out, *expected);
    }
}

// Where LaTeX is installed the standalone documents compile to a PDF.
TEST(TikzExport, StandaloneExamplesCompileWithPdflatex)
{
    if (std::string missing = latexMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    testing::TempDir directory;
    for (std::string_view name : kTikzExamples) {
        SCOPED_TRACE(name);
        CliRun standalone = run({"run", example(name), "--tikz-standalone", "--tikz", "-"});
        ASSERT_EQ(standalone.status, kSuccess) << standalone.err;
        fs::path source = directory.path() / (std::string(name) + ".tex");
        ASSERT_TRUE(replaceFile(source, standalone.out));
        std::string command = "cd '" + directory.path().string() +
                              "' && pdflatex -interaction=nonstopmode -halt-on-error '" +
                              source.filename().string() + "' > /dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << "pdflatex refused " << name;
        EXPECT_TRUE(fs::exists(directory.path() / (std::string(name) + ".pdf"))) << name;
    }
}

TEST(TikzExport, ThePictureAloneScalesAndGoesToAFile)
{
    testing::TempDir directory;
    fs::path path = directory.path() / "figure.tex";
    CliRun written =
        run({"run", example("triangle"), "--tikz", path.string(), "--tikz-scale", "80"});
    ASSERT_EQ(written.status, kSuccess) << written.err;
    std::optional<std::string> picture = readWholeFile(path);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->starts_with("\\begin{tikzpicture}\n"));
    EXPECT_NE(picture->find("\\clip (0,0) rectangle (10,6.875);"), std::string::npos)
        << "800 x 550 pixels at 80 a centimetre";
}

TEST(TikzExport, RefusesMissingAndBadValues)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{"--tikz"}, "--tikz needs PATH"},
        {{"--pdf"}, "--pdf needs PATH"},
        {{"--tikz", "-", "--tikz-scale"}, "--tikz-scale needs N"},
        {{"--tikz", "-", "--tikz-scale", "0"}, "from 1 to 10000"},
        {{"--tikz", "-", "--tikz-scale", "nan"}, "from 1 to 10000"},
        {{"--tikz", "-", "--tikz-scale", "4cm"}, "from 1 to 10000"},
    };
    for (const Case& test : cases) {
        std::vector<std::string> arguments{"run", example("triangle")};
        arguments.insert(arguments.end(), test.arguments.begin(), test.arguments.end());
        CliRun refused = run(arguments);
        EXPECT_EQ(refused.status, kUsageError) << test.message;
        EXPECT_NE(refused.err.find(test.message), std::string::npos) << refused.err;
        EXPECT_EQ(refused.out, "");
    }
}

} // namespace
} // namespace kestrane::cli
