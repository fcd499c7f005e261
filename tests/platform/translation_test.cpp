// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/console_host.h"
#include "platform/translation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace kestrane {
namespace {

// Each case chooses its language through the environment, as a user does,
// and leaves the program's own texts behind it.
class Translation : public ::testing::Test {
protected:
    ~Translation() override { choose(nullptr, nullptr); }

    static std::string choose(const char* language, const char* all)
    {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            unsetenv(name);
        if (language)
            setenv("LANGUAGE", language, 1);
        if (all)
            setenv("LC_ALL", all, 1);
        return setUpTranslations(KESTRANE_BINARY_DIR "/share/locale");
    }
};

TEST_F(Translation, WithoutALanguageEveryTextStaysAsItIs)
{
    EXPECT_EQ(choose(nullptr, nullptr), "");
    EXPECT_EQ(chosenLanguage(), "");
    EXPECT_EQ(translate(std::string_view("Error")), "Error");
    EXPECT_EQ(translate(std::string_view("punkt ")), "punkt ");
    const char* text = "Division by zero.";
    EXPECT_EQ(translate(text), text) << "the very same bytes, not a copy";
}

TEST_F(Translation, PolishTextsComeFromTheCatalogue)
{
    EXPECT_EQ(choose("pl", nullptr), "pl");
    EXPECT_EQ(chosenLanguage(), "pl");
    EXPECT_EQ(translate(std::string_view("Error")), "Błąd");
    EXPECT_EQ(translate(std::string_view("Undeclared variable.")), "Niezadeklarowana zmienna.");
    EXPECT_EQ(translate(std::string_view("&File")), "&Plik");
    EXPECT_EQ(translate(std::string_view("Ilosc scian: ")), "Liczba ścian: ");
}

TEST_F(Translation, TextsWithoutAnEntryAndTheEmptyTextStayAsTheyAre)
{
    choose("pl", nullptr);
    // gettext("") would be the catalogue's header.
    EXPECT_EQ(translate(std::string_view()), "");
    EXPECT_EQ(translate(""), std::string());
    EXPECT_EQ(translate(std::string_view("A12")), "A12");
    EXPECT_EQ(translate(std::string_view("Error ")), "Error ");
}

TEST_F(Translation, EnglishOnlyReplacesThePolishWords)
{
    EXPECT_EQ(choose("en_GB.UTF-8", nullptr), "en_GB.UTF-8");
    EXPECT_EQ(chosenLanguage(), "en");
    EXPECT_EQ(translate(std::string_view("punkt ")), "point ");
    EXPECT_EQ(translate(std::string_view("okrąg ")), "circle ");
    EXPECT_EQ(translate(std::string_view("Ilosc scian: ")), "Faces: ");
    EXPECT_EQ(translate(std::string_view("Blad")), "Error");
    EXPECT_EQ(translate(std::string_view("Undeclared variable.")), "Undeclared variable.");
}

TEST_F(Translation, NamesGoIntoTheTemplateWhereTheLanguagePutsThem)
{
    choose(nullptr, nullptr);
    EXPECT_EQ(translateFilled("cannot read %1", {"a b.kst"}), "cannot read a b.kst");
    EXPECT_EQ(translateFilled("%1 needs %2", {"--words", "N"}), "--words needs N");
    // A value that looks like a place is not filled in again.
    EXPECT_EQ(translateFilled("%1 needs %2", {"%2", "N"}), "%2 needs N");
    // Places without a value, a lone '%' and "%0" stay as written.
    EXPECT_EQ(translateFilled("100% of %1 and %3 %0", {"x"}), "100% of x and %3 %0");
    choose("pl", nullptr);
    EXPECT_EQ(translateFilled("draw a %1 with the mouse", {"point"}), "rysuj myszą: point");
    EXPECT_EQ(translateFilled("%1 needs %2", {"--words", "N"}), "--words wymaga N");
    EXPECT_EQ(translateFilled("no such text %1", {"x"}), "no such text x");
}

TEST_F(Translation, LanguagesAreTriedInTheirOrder)
{
    choose("xx:pl", nullptr);
    EXPECT_EQ(translate(std::string_view("Error")), "Błąd");
}

TEST_F(Translation, LcAllCAsksForTheProgramsOwnTexts)
{
    EXPECT_EQ(choose("pl", "C"), "");
    EXPECT_EQ(translate(std::string_view("Error")), "Error");
    EXPECT_EQ(choose("pl", "POSIX"), "");
}

TEST_F(Translation, LangChoosesWhenLanguageIsUnset)
{
    choose(nullptr, nullptr);
    setenv("LANG", "pl_PL.UTF-8", 1);
    EXPECT_EQ(setUpTranslations(KESTRANE_BINARY_DIR "/share/locale"), "pl_PL.UTF-8");
    EXPECT_EQ(translate(std::string_view("Warning")), "Ostrzeżenie");
    setenv("LANG", "C.UTF-8", 1);
    EXPECT_EQ(setUpTranslations(KESTRANE_BINARY_DIR "/share/locale"), "");
}

// Numbers are the program's own in every language: scripts, files and the
// command line read and write them with '.', and the windows show them the
// same way, so that a measure read off the screen can be typed back.
TEST_F(Translation, NumbersKeepTheirPointInEveryLanguage)
{
    choose("pl", nullptr);
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", 1.5);
    EXPECT_STREQ(text, "1.50");
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    EXPECT_DOUBLE_EQ(std::strtod("2.25", nullptr), 2.25);
}

TEST_F(Translation, ConsoleMessagesAreShownTranslatedAndKeptAsRaised)
{
    choose("pl", nullptr);
    std::ostringstream errors;
    ConsoleHost host(errors);
    host.message("Error", "Division by zero.");
    EXPECT_EQ(errors.str(), "Błąd: Dzielenie przez zero.\n");
    // The program compares raised texts with its own constants.
    EXPECT_EQ(host.messages().front().text, "Division by zero.");
}

} // namespace
} // namespace kestrane
