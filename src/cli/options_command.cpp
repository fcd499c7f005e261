// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "app/options.h"
#include "cli/command_output.h"
#include "cli/commands.h"
#include "platform/translation.h"
#include "platform/window_options.h"

#include <ostream>

namespace kestrane::cli {

namespace {

constexpr WindowOptionsKind kWindows[] = {WindowOptionsKind::Fractions, WindowOptionsKind::Graph,
                                          WindowOptionsKind::Calculator};

void printColour(std::ostream& out, const char* label, ColorRef colour)
{
    out << "  " << translate(label) << ": " << redOf(colour) << ' ' << greenOf(colour) << ' '
        << blueOf(colour) << '\n';
}

void writeColour(JsonWriter& json, const char* name, ColorRef colour)
{
    json.key(name).beginArray();
    json.number(redOf(colour)).number(greenOf(colour)).number(blueOf(colour));
    json.endArray();
}

std::string optionsJson(const Directories& directories, bool showMessages,
                        const std::filesystem::path& program)
{
    JsonWriter json;
    json.beginObject();
    json.key("main").string(directories.main);
    json.key("working").string(directories.working);
    json.key("library").string(directories.library);
    json.key("showMessages").boolean(showMessages);
    json.key("windows").beginArray();
    for (WindowOptionsKind kind : kWindows) {
        WindowOptions options = readWindowOptions(program / windowOptionsFileName(kind));
        json.beginObject().key("file").string(windowOptionsFileName(kind));
        json.key("font").string(options.fontName).key("fontHeight").number(options.fontHeight);
        writeColour(json, "expressionBackground", options.expressionBackground);
        writeColour(json, "window", options.window);
        json.endObject();
    }
    json.endArray();
    writeMessages(json, {});
    return json.endObject().take();
}

} // namespace

int runOptions(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::filesystem::path program = arguments.operands.empty()
                                        ? std::filesystem::current_path()
                                        : std::filesystem::path(arguments.operands[0]);
    if (!std::filesystem::is_directory(program)) {
        err << "kestrane-cli options: "
            << translateFilled("'%1' is not a directory", {program.string()}) << '\n';
        return kUsageError;
    }
    auto directories = readOptions(program / "options", homeOptionsPath()).value_or(Directories{});
    bool showMessages = readMainOpt(program / "MainOpt").value_or(true);
    if (arguments.has("--json")) {
        out << optionsJson(directories, showMessages, program) << '\n';
        return kSuccess;
    }
    // The labels in the user's language; the directories and the file names
    // as they stand in the files.
    out << translate("Main directory:") << ' ' << directories.main << '\n'
        << translate("Working directory:") << ' ' << directories.working << '\n'
        << translate("Library directory:") << ' ' << directories.library << '\n';
    out << translate("Show messages:") << ' ' << translate(showMessages ? N_("on") : N_("off"))
        << '\n';
    for (WindowOptionsKind kind : kWindows) {
        WindowOptions options = readWindowOptions(program / windowOptionsFileName(kind));
        out << windowOptionsFileName(kind) << ": " << translate("font") << ' ' << options.fontName
            << ' ' << options.fontHeight << '\n';
        printColour(out, N_("expression background"), options.expressionBackground);
        printColour(out, N_("window"), options.window);
    }
    return kSuccess;
}

} // namespace kestrane::cli
