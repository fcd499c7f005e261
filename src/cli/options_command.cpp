#include "app/application.h"
#include "app/options.h"
#include "cli/commands.h"
#include "platform/window_options.h"

#include <ostream>

namespace kestrane::cli {

namespace {

void printColour(std::ostream& out, const char* label, ColorRef colour)
{
    out << "  " << label << ": " << redOf(colour) << ' ' << greenOf(colour) << ' ' << blueOf(colour)
        << '\n';
}

} // namespace

int runOptions(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.size() > 1) {
        err << "Usage: kestrane-cli options [DIRECTORY]\n";
        return kUsageError;
    }
    std::filesystem::path program =
        arguments.empty() ? std::filesystem::current_path() : std::filesystem::path(arguments[0]);
    if (!std::filesystem::is_directory(program)) {
        err << "kestrane-cli options: '" << program.string() << "' is not a directory\n";
        return kUsageError;
    }
    auto directories = readOptions(program / "options", homeOptionsPath()).value_or(Directories{});
    out << "Main directory: " << directories.main << '\n'
        << "Working directory: " << directories.working << '\n'
        << "Library directory: " << directories.library << '\n';
    auto show = readMainOpt(program / "MainOpt");
    out << "Show messages: " << (show.value_or(true) ? "on" : "off") << '\n';
    for (WindowOptionsKind kind :
         {WindowOptionsKind::Fractions, WindowOptionsKind::Graph, WindowOptionsKind::Calculator}) {
        WindowOptions options = readWindowOptions(program / windowOptionsFileName(kind));
        out << windowOptionsFileName(kind) << ": font " << options.fontName << ' '
            << options.fontHeight << '\n';
        printColour(out, "expression background", options.expressionBackground);
        printColour(out, "window", options.window);
    }
    return kSuccess;
}

} // namespace kestrane::cli
