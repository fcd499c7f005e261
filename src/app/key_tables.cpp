// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_tables.h"

#include "editor/editor_key_table.h"
#include "fractions/fractions_key_table.h"
#include "graphs/graph_key_table.h"
#include "platform/json_writer.h"
#include "platform/translation.h"
#include "runtime/construction_key_table.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kestrane {

namespace {

std::string_view routeName(KeyRoute route)
{
    return route == KeyRoute::Menu ? "menu" : "window";
}

std::string htmlText(std::string_view text)
{
    std::string escaped;
    for (char character : text) {
        switch (character) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += character;
        }
    }
    return escaped;
}

} // namespace

std::span<const WindowKeyTable> windowKeyTables()
{
    static const std::array<WindowKeyTable, 5> kTables = {{
        {"construction", N_("Construction window"), constructionWindowKeys()},
        {"editor", N_("Script editor"), scriptEditorKeys()},
        {"graph", N_("Graph window"), graphWindowKeys()},
        {"fractions", N_("Fractions and Roots window"), fractionsWindowKeys()},
        {"calculator", N_("Calculator"), calculatorKeys()},
    }};
    return kTables;
}

const WindowKeyTable* findWindowKeyTable(std::string_view name)
{
    std::span<const WindowKeyTable> tables = windowKeyTables();
    auto found = std::find_if(tables.begin(), tables.end(),
                              [name](const WindowKeyTable& table) { return table.name == name; });
    return found == tables.end() ? nullptr : &*found;
}

std::string keyTablesText(std::span<const WindowKeyTable> tables)
{
    std::string text;
    for (const WindowKeyTable& table : tables) {
        if (!text.empty())
            text += '\n';
        std::string title = translate(table.title);
        // A heading starts with a capital, also where the translation is
        // written for the middle of a sentence.
        title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
        text += title + " (" + std::string(table.name) + ")\n";
        std::size_t keyWidth = 0;
        for (const KeyBinding& binding : table.bindings)
            keyWidth = std::max(keyWidth, binding.keys.size());
        for (const KeyBinding& binding : table.bindings) {
            std::string keys(binding.keys);
            keys.resize(keyWidth, ' ');
            text += "  " + keys + "  " + translate(binding.description) + '\n';
        }
    }
    return text;
}

std::string keyTablesJson(std::span<const WindowKeyTable> tables)
{
    JsonWriter json;
    json.beginObject().key("windows").beginArray();
    for (const WindowKeyTable& table : tables) {
        json.beginObject().key("name").string(table.name).key("title").string(table.title);
        json.key("keys").beginArray();
        for (const KeyBinding& binding : table.bindings) {
            json.beginObject()
                .key("keys")
                .string(binding.keys)
                .key("action")
                .string(binding.action)
                .key("description")
                .string(binding.description)
                .key("route")
                .string(routeName(binding.route))
                .endObject();
        }
        json.endArray().endObject();
    }
    json.endArray().endObject();
    return json.take() + '\n';
}

std::string keysHelpPage()
{
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>Keys</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n"
                       "</head>\n<body>\n<h1>Keys</h1>\n"
                       "<p>Every key of every window. A key marked <em>menu</em> belongs to a "
                       "menu item and is shown beside it; one marked <em>window</em> is read by "
                       "the window itself. Where your desktop binds Open, Save, Undo, Quit or "
                       "Help to other keys, the windows follow the desktop too. "
                       "<code>kestrane-cli keys</code> prints the same tables.</p>\n"
                       "<ul>\n";
    for (const WindowKeyTable& table : windowKeyTables()) {
        page += "<li><a href=\"#" + std::string(table.name) + "\">" + htmlText(table.title) +
                "</a></li>\n";
    }
    page += "</ul>\n";
    for (const WindowKeyTable& table : windowKeyTables()) {
        page += "<h2 id=\"" + std::string(table.name) + "\">" + htmlText(table.title) + "</h2>\n";
        page += "<table>\n<tr><th>Key</th><th>What it does</th><th>Where</th></tr>\n";
        for (const KeyBinding& binding : table.bindings) {
            page += "<tr><td><kbd>" + htmlText(binding.keys) + "</kbd></td><td>" +
                    htmlText(binding.description) + "</td><td>" +
                    (binding.route == KeyRoute::Menu ? "menu" : "window") + "</td></tr>\n";
        }
        page += "</table>\n";
    }
    page += "<p><a href=\"index.html\">Contents</a></p>\n</body>\n</html>\n";
    return page;
}

} // namespace kestrane
