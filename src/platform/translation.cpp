// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/translation.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace kestrane {

namespace {

bool g_active = false;
std::string g_language;
// The LANGUAGE this program put in its own environment for gettext, which a
// later choice must not take for the user's.
std::string g_ownLanguageVariable;

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isUntranslated(const std::string& locale)
{
    return locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
}

// The user's languages as gettext's LANGUAGE lists them. LANGUAGE counts
// even when LANG names no locale (where gettext itself would ignore it), so
// that "LANGUAGE=pl kestrane-cli" works on a machine with no Polish locale;
// LC_ALL=C still asks for the program's own texts, as scripts expect.
std::string requestedLanguages()
{
    std::string all = environment("LC_ALL");
    if (!all.empty() && isUntranslated(all))
        return {};
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name);
        if (!locale.empty())
            break;
    }
    std::string list = environment("LANGUAGE");
    if (!g_ownLanguageVariable.empty() && list == g_ownLanguageVariable) {
        unsetenv("LANGUAGE");
        list.clear();
    }
    g_ownLanguageVariable.clear();
    if (!list.empty())
        return list;
    return isUntranslated(locale) ? "" : locale;
}

std::string firstLanguage(const std::string& list)
{
    std::string first = list.substr(0, list.find(':'));
    return first.substr(0, first.find_first_of("_.@"));
}

} // namespace

std::string setUpTranslations(const std::filesystem::path& localeDirectory)
{
    // Qt sets every category from the environment; numbers must stay '.'.
    std::setlocale(LC_NUMERIC, "C");
    std::string languages = requestedLanguages();
    g_language = firstLanguage(languages);
    g_active = !g_language.empty() && g_language != "C" && g_language != "POSIX";
    if (!g_active)
        return {};
    // gettext reads LANGUAGE only outside the C locale; when the user's own
    // locale is not installed, the UTF-8 C locale serves.
    const char* messages = std::setlocale(LC_MESSAGES, "");
    if (!messages || isUntranslated(messages))
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    if (environment("LANGUAGE") != languages) {
        setenv("LANGUAGE", languages.c_str(), 1);
        g_ownLanguageVariable = languages;
    }
    bindtextdomain(kTextDomain, localeDirectory.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
    return languages;
}

std::filesystem::path localeDirectoryFor(const std::filesystem::path& executable)
{
    return executable.parent_path().parent_path() / "share" / "locale";
}

std::string chosenLanguage()
{
    return g_active ? g_language : std::string();
}

const char* translate(const char* text)
{
    // gettext("") is the catalogue's header, never a text of the program.
    if (!g_active || !text || !*text)
        return text;
    return dgettext(kTextDomain, text);
}

std::string translateCount(std::size_t count, const char* one, const char* many)
{
    const char* chosen = count == 1 ? one : many;
    if (g_active)
        chosen = dngettext(kTextDomain, one, many, static_cast<unsigned long>(count));
    std::string text = chosen;
    if (std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    return text;
}

std::string translate(std::string_view text)
{
    if (!g_active || text.empty())
        return std::string(text);
    return translate(std::string(text).c_str());
}

std::string translateFilled(std::string_view text, std::initializer_list<std::string_view> values)
{
    std::string pattern = translate(text);
    std::string filled;
    filled.reserve(pattern.size());
    for (std::size_t index = 0; index < pattern.size(); ++index) {
        char next = index + 1 < pattern.size() ? pattern[index + 1] : '\0';
        std::size_t number = static_cast<std::size_t>(next - '0');
        // One digit suffices: no text has more than nine places.
        if (pattern[index] == '%' && next >= '1' && next <= '9' && number <= values.size()) {
            filled += *(values.begin() + (number - 1));
            ++index;
        } else {
            filled += pattern[index];
        }
    }
    return filled;
}

} // namespace kestrane
