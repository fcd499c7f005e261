#include "cli/commands.h"

#include "cli/png_export.h"
#include "cli/script_run.h"
#include "platform/files.h"
#include "platform/svg_canvas.h"
#include "runtime/store_json.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

// Clicks lie on the drawing area or near it; anything farther is a typing
// error rather than a position.
constexpr double kLargestClick = 1e6;

struct RunArguments {
    std::string file;
    std::vector<std::string> keep;
    std::optional<std::string> options;
    std::optional<std::string> json;
    std::optional<std::string> png;
    std::optional<std::string> svg;
    std::vector<ClickPosition> clicks;
};

std::optional<double> parseNumber(std::string_view text)
{
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return {};
    return value;
}

std::optional<ClickPosition> parseClick(std::string_view text)
{
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return {};
    std::optional<double> x = parseNumber(text.substr(0, comma));
    std::optional<double> y = parseNumber(text.substr(comma + 1));
    if (!x || !y)
        return {};
    for (double value : {*x, *y}) {
        if (!std::isfinite(value) || std::fabs(value) > kLargestClick)
            return {};
    }
    return ClickPosition{*x, *y};
}

std::optional<RunArguments> parseArguments(CommandArguments arguments, std::ostream& err)
{
    RunArguments parsed;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        bool hasValue = index + 1 < arguments.size();
        if (argument == "--json" || argument == "--png" || argument == "--svg") {
            if (!hasValue) {
                err << "kestrane-cli run: " << argument << " needs a path\n";
                return {};
            }
            std::optional<std::string>& target = argument == "--json"  ? parsed.json
                                                 : argument == "--png" ? parsed.png
                                                                       : parsed.svg;
            target = arguments[++index];
        } else if (argument == "--click") {
            std::optional<ClickPosition> click =
                hasValue ? parseClick(arguments[++index]) : std::nullopt;
            if (!click) {
                err << "kestrane-cli run: --click needs a position X,Y of two finite numbers "
                       "from -1000000 to 1000000\n";
                return {};
            }
            parsed.clicks.push_back(*click);
        } else if (argument == "--keep" || argument == "--options") {
            if (!hasValue) {
                err << "kestrane-cli run: " << argument
                    << (argument == "--keep" ? " needs a script file\n" : " needs a directory\n");
                return {};
            }
            if (argument == "--keep")
                parsed.keep.push_back(arguments[++index]);
            else
                parsed.options = arguments[++index];
        } else if (parsed.file.empty() && !argument.starts_with("--")) {
            parsed.file = argument;
        } else {
            err << "kestrane-cli run: unexpected argument '" << argument << "'\n";
            return {};
        }
    }
    if (parsed.file.empty()) {
        err << "Usage: kestrane-cli run FILE [--json PATH|-] [--png PATH] [--svg PATH] "
               "[--click X,Y]... [--keep FILE]... [--options DIR]\n";
        return {};
    }
    return parsed;
}

bool writeOutput(const std::string& path, const std::string& text, std::ostream& out,
                 std::ostream& err)
{
    if (path == "-") {
        out << text;
        return true;
    }
    if (!replaceFile(path, text)) {
        err << "kestrane-cli run: cannot write " << path << '\n';
        return false;
    }
    return true;
}

bool writeOutputs(const RunArguments& arguments, const ScriptRun& run, std::ostream& out,
                  std::ostream& err)
{
    bool written = true;
    if (arguments.json)
        written &= writeOutput(*arguments.json, storeJson(run.window(), run.messages()), out, err);
    if (arguments.svg) {
        SvgCanvas canvas(ConstructionWindow::kDrawingWidth, run.window().drawingHeight());
        run.window().paint(canvas);
        written &= writeOutput(*arguments.svg, canvas.document(), out, err);
    }
    if (arguments.png) {
        std::string error = pngWriter()(run.window(), *arguments.png);
        if (!error.empty()) {
            err << "kestrane-cli run: " << error << '\n';
            written = false;
        }
    }
    return written;
}

} // namespace

int runRun(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<RunArguments> parsed = parseArguments(arguments, err);
    if (!parsed)
        return kUsageError;
    if (parsed->png && !pngWriter()) {
        err << "kestrane-cli run: --png needs kestrane-cli built with the Qt desktop program "
               "(KESTRANE_GUI=ON); use --svg instead\n";
        return kUsageError;
    }
    if (parsed->options && !std::filesystem::is_directory(*parsed->options)) {
        err << "kestrane-cli run: '" << *parsed->options << "' is not a directory\n";
        return kUsageError;
    }
    ScriptRun run(err, readScriptSetup(parsed->options));
    ScriptRunStatus status = run.run(parsed->file, parsed->keep, parsed->clicks, out);
    if (status == ScriptRunStatus::FileError)
        return kUsageError;
    if (status == ScriptRunStatus::CompileError)
        return kRefused;
    // A program that stopped still leaves its construction to look at.
    if (!writeOutputs(*parsed, run, out, err))
        return kUsageError;
    return status == ScriptRunStatus::Finished ? kSuccess : kRefused;
}

} // namespace kestrane::cli
