// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli speaks the user's language: the program of this build is run
// as a user runs it, with the language in its environment.
#include "cli_outcome.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kestrane::cli::linesOf;

struct Finished {
    int status;
    std::string output; // standard output, then standard error
};

class CliLanguage : public ::testing::Test {
protected:
    CliLanguage()
    {
        std::random_device random;
        m_directory = std::filesystem::temp_directory_path() /
                      ("kestrane-language-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(m_directory);
    }
    ~CliLanguage() override
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

    // ENVIRONMENT is put before the program, e.g. "LANGUAGE=pl".
    static Finished start(const std::string& environment, const std::string& arguments)
    {
        std::string command = "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C " + environment +
                              " '" KESTRANE_BINARY_DIR "/bin/kestrane-cli' " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        std::string output;
        char buffer[512];
        while (std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, count);
        int status = pclose(pipe);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
    }

    std::string badScript() { return write("bad.kst", "1start()\r\nl=line(A,B)\r\nEND"); }

private:
    std::filesystem::path m_directory;
};

// Characters, not bytes: a Polish letter takes one column.
std::size_t columns(const std::string& line)
{
    std::size_t count = 0;
    for (char byte : line)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

TEST_F(CliLanguage, CompileMessagesFollowLanguage)
{
    std::string path = badScript();
    Finished polish = start("LANGUAGE=pl", "check '" + path + "'");
    EXPECT_EQ(polish.status, 1);
    EXPECT_EQ(polish.output, path + ":2: Niezadeklarowana zmienna.\n");
    Finished fromLang = start("LANG=pl_PL.UTF-8", "check '" + path + "'");
    EXPECT_EQ(fromLang.output, polish.output);
}

TEST_F(CliLanguage, TheProgramsOwnTextsWithoutALanguage)
{
    std::string path = badScript();
    EXPECT_EQ(start("", "check '" + path + "'").output, path + ":2: Undeclared variable.\n");
    EXPECT_EQ(start("LANGUAGE=pl LC_ALL=C", "check '" + path + "'").output,
              path + ":2: Undeclared variable.\n");
    // A language with no catalogue keeps them too.
    EXPECT_EQ(start("LANGUAGE=fr", "check '" + path + "'").output,
              path + ":2: Undeclared variable.\n");
}

TEST_F(CliLanguage, MessageBoxesAreTranslatedOnTheErrorStreamAndInJson)
{
    std::string path = write("main.kst", "1#include <missing.ksu>\r\nstart()\r\nEND");
    Finished lines = start("LANGUAGE=pl", "check '" + path + "'");
    EXPECT_NE(lines.output.find("Błąd: Plik dołączany nie istnieje."), std::string::npos)
        << lines.output;
    Finished json = start("LANGUAGE=pl", "check --json '" + path + "'");
    EXPECT_NE(json.output.find("{\"caption\":\"Błąd\",\"text\":\"Plik dołączany nie istnieje.\"}"),
              std::string::npos)
        << json.output;
    EXPECT_NE(json.output.find("\"message\":\"Nie wczytano pliku dołączanego."), std::string::npos)
        << json.output;
}

TEST_F(CliLanguage, NumbersKeepTheirPointInPolish)
{
    Finished polish = start("LANGUAGE=pl LANG=pl_PL.UTF-8", "eval --expr x/4 --at 1.5");
    EXPECT_EQ(polish.status, 0);
    EXPECT_EQ(polish.output, start("", "eval --expr x/4 --at 1.5").output);
    EXPECT_NE(polish.output.find("1.5\t0.375"), std::string::npos) << polish.output;
}

TEST_F(CliLanguage, UsageAndFileErrorsFollowLanguage)
{
    std::string missing = write("gone.kst", "");
    std::filesystem::remove(missing);
    struct Case {
        std::string arguments;
        std::string english;
        std::string polish;
    };
    const Case cases[] = {
        {"frobnicate", "kestrane-cli: unknown command 'frobnicate'\nTry \"kestrane-cli help\".\n",
         "kestrane-cli: nieznane polecenie 'frobnicate'\nPomoc: \"kestrane-cli help\".\n"},
        {"check --bogus x.kst",
         "kestrane-cli check: unknown option '--bogus'\nTry \"kestrane-cli help check\".\n",
         "kestrane-cli check: nieznana opcja '--bogus'\nPomoc: \"kestrane-cli help check\".\n"},
        {"long --words 7 add 1 2",
         "kestrane-cli long: --words takes a number from 10 to 360\n"
         "Try \"kestrane-cli help long\".\n",
         "kestrane-cli long: --words przyjmuje liczbę od 10 do 360\n"
         "Pomoc: \"kestrane-cli help long\".\n"},
        {"plot '" + missing + "'", "kestrane-cli plot: cannot read " + missing + "\n",
         "kestrane-cli plot: nie można odczytać " + missing + "\n"},
    };
    for (const Case& given : cases) {
        SCOPED_TRACE(given.arguments);
        Finished english = start("", given.arguments);
        EXPECT_EQ(english.status, 2);
        EXPECT_EQ(english.output, given.english);
        Finished polish = start("LANGUAGE=pl", given.arguments);
        EXPECT_EQ(polish.status, 2);
        EXPECT_EQ(polish.output, given.polish);
    }
}

TEST_F(CliLanguage, CommandListAndHelpFollowLanguage)
{
    Finished english = start("", "");
    EXPECT_EQ(english.status, 2);
    EXPECT_EQ(english.output.rfind("Usage: kestrane-cli COMMAND [ARGUMENTS]\n", 0), 0u);
    Finished polish = start("LANGUAGE=pl", "");
    EXPECT_EQ(polish.status, 2);
    EXPECT_EQ(polish.output.rfind("Użycie: kestrane-cli POLECENIE [ARGUMENTY]\n"
                                  "        kestrane-cli --version | --help\n\nPolecenia:\n",
                                  0),
              0u)
        << polish.output;
    for (const char* text : {"skompiluj skrypt i podaj jego pierwszy błąd\n",
                             "Zasady wspólne dla wszystkich poleceń:\n", "Kod wyjścia:\n"})
        EXPECT_NE(polish.output.find(text), std::string::npos) << text;

    Finished help = start("LANGUAGE=pl", "help check");
    EXPECT_EQ(help.status, 0);
    for (const char* text :
         {"Użycie: kestrane-cli check FILE [--module CODE] [--options DIR] [--json]\n",
          "\nWczytuje skrypt FILE", "\nOpcje:\n", "wypisz wynik jako JSON\n", "wypisz tę pomoc\n",
          "Zasady wspólne dla wszystkich poleceń: \"kestrane-cli help\"."})
        EXPECT_NE(help.output.find(text), std::string::npos) << text << '\n' << help.output;
    EXPECT_EQ(start("LANGUAGE=pl", "check --help").output, help.output);
}

// Every command's help in Polish keeps its text to 80 columns, and its usage
// lines (the commands' own syntax, untranslated) align under the translated
// lead.
TEST_F(CliLanguage, PolishHelpFitsTheTerminal)
{
    std::vector<std::string> names;
    bool inList = false;
    for (const std::string& line : linesOf(start("", "help").output)) {
        if (line == "Commands:")
            inList = true;
        else if (line.empty())
            inList = false;
        else if (inList && line.rfind("  ", 0) == 0 && line[2] != ' ')
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    ASSERT_GT(names.size(), 20u);
    names.push_back("");
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::string polish = start("LANGUAGE=pl", "help " + name).output;
        EXPECT_NE(polish, start("", "help " + name).output);
        std::vector<std::string> lines = linesOf(polish);
        std::size_t index = 1;
        for (; !name.empty() && index < lines.size() && !lines[index].empty(); ++index)
            EXPECT_EQ(lines[index].rfind("        kestrane-cli ", 0), 0u) << lines[index];
        for (; index < lines.size(); ++index)
            EXPECT_LE(columns(lines[index]), 80u) << lines[index];
    }
}

TEST_F(CliLanguage, KeyTablesForPeopleFollowLanguageAndTheJsonDoesNot)
{
    Finished editor = start("LANGUAGE=pl", "keys editor");
    EXPECT_EQ(editor.status, 0);
    EXPECT_EQ(editor.output.rfind("Edytor skryptów (editor)\n", 0), 0u) << editor.output;
    EXPECT_NE(editor.output.find("  otwórz skrypt\n"), std::string::npos) << editor.output;
    EXPECT_EQ(start("", "keys editor").output.rfind("Script editor (editor)\n", 0), 0u);
    // A heading starts with a capital, whatever case the translation has.
    EXPECT_EQ(start("LANGUAGE=pl", "keys fractions").output.rfind("Okno Ułamki i pierwiastki", 0),
              0u);
    EXPECT_EQ(start("LANGUAGE=pl", "keys --json").output, start("", "keys --json").output);
}

TEST_F(CliLanguage, MessagesOfTheCommandsFollowLanguage)
{
    struct Case {
        std::string arguments;
        int status;
        std::string english;
        std::string polish;
    };
    const Case cases[] = {
        {"expr 'sqrt('", 1, "kestrane-cli expr: column 6: expected an expression\n",
         "kestrane-cli expr: kolumna 6: oczekiwano wyrażenia\n"},
        {"expr '2x'", 1, "kestrane-cli expr: column 2: unexpected 'x'\n",
         "kestrane-cli expr: kolumna 2: nieoczekiwany znak 'x'\n"},
        {"simplify --var 'a=1+' a", 1,
         "kestrane-cli simplify: variable a: column 3: expected an expression\n",
         "kestrane-cli simplify: zmienna a: kolumna 3: oczekiwano wyrażenia\n"},
        {"calc 'sqrt(-4)'", 1, "Error.: Square root of negative number. Major error may occur.\n",
         "Błąd: Pierwiastek kwadratowy z liczby ujemnej. Może wystąpić duży błąd.\n"},
        {"longint div 1 0", 1, "kestrane-cli longint: division by zero\n",
         "kestrane-cli longint: dzielenie przez zero\n"},
        {"long add 1 x", 1, "kestrane-cli long: not a number: 'x'\n",
         "kestrane-cli long: to nie jest liczba: 'x'\n"},
        // Told by the picture module, which has no catalogue of its own.
        {"expr --png /nonexistent/x.png 1", 2,
         "kestrane-cli expr: cannot write /nonexistent/x.png\n",
         "kestrane-cli expr: nie można zapisać /nonexistent/x.png\n"},
        // The nesting limit names its limit within the sentence.
        {"expr '" + std::string(300, '(') + "1" + std::string(300, ')') + "'", 1,
         "kestrane-cli expr: column 258: the expression nests deeper than 256 levels\n",
         "kestrane-cli expr: kolumna 258: wyrażenie ma więcej niż 256 poziomów zagnieżdżenia\n"},
    };
    for (const Case& given : cases) {
        SCOPED_TRACE(given.arguments);
        Finished english = start("", given.arguments);
        EXPECT_EQ(english.status, given.status);
        EXPECT_EQ(english.output, given.english);
        Finished polish = start("LANGUAGE=pl", given.arguments);
        EXPECT_EQ(polish.status, given.status);
        EXPECT_EQ(polish.output, given.polish);
    }
    // Values as the watch panel shows them: words and plural forms in the
    // user's language, numbers as they are.
    Finished paused =
        start("LANGUAGE=pl", "run '" KESTRANE_SOURCE_DIR "/examples/pyramid4d.kst' --break 25");
    for (const char* shown : {"\"shown\":\"7 komórek, 18 ścian, 20 krawędzi, 9 wierzchołków\"",
                              "\"shown\":\"4 wierzchołki\"", "\"shown\":\"6 ścian\""})
        EXPECT_NE(paused.output.find(shown), std::string::npos) << shown;
    // The labels of the options are Polish, the directories and file names
    // as the files give them.
    Finished options = start("LANGUAGE=pl", "options");
    EXPECT_NE(options.output.find("Pokazuj komunikaty: "), std::string::npos) << options.output;
    EXPECT_NE(options.output.find("FractOpt: czcionka "), std::string::npos) << options.output;
    EXPECT_NE(options.output.find("  tło wyrażenia: "), std::string::npos) << options.output;
    // The JSON carries the message as the error stream shows it.
    Finished json = start("LANGUAGE=pl", "expr --json 'sqrt('");
    EXPECT_NE(json.output.find("\"text\":\"kolumna 6: oczekiwano wyrażenia\""), std::string::npos)
        << json.output;
}

} // namespace
