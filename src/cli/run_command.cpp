#include "cli/commands.h"

#include "cli/pdf_export.h"
#include "cli/png_export.h"
#include "cli/script_run.h"
#include "platform/files.h"
#include "platform/svg_canvas.h"
#include "platform/tikz_canvas.h"
#include "runtime/figure_program.h"
#include "runtime/store_json.h"
#include "space/space_scene.h"
#include "space/wavefront_obj.h"

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
    std::optional<std::string> obj;
    std::optional<std::string> tikz;
    TikzOptions tikzOptions;
    std::optional<std::string> pdf;
    std::optional<std::string> program;
    std::vector<ClickPosition> clicks;
    std::size_t ticks = 0;
    // Folders the program may write in besides its own and the working one.
    std::vector<std::string> allowWrite;
};

// Timer ticks after a run: enough for any animation one would look at.
constexpr std::size_t kMostTicks = 100000;

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

// The worksheet exports: --tikz PATH, --tikz-standalone, --tikz-scale
// PIXELS-PER-CM and --pdf PATH.
bool parseExportArgument(CommandArguments arguments, std::size_t& index, RunArguments& parsed,
                         std::ostream& err)
{
    const std::string& argument = arguments[index];
    if (argument == "--tikz-standalone") {
        parsed.tikzOptions.standalone = true;
        return true;
    }
    if (index + 1 >= arguments.size()) {
        err << "kestrane-cli run: " << argument
            << (argument == "--tikz-scale" ? " needs pixels per centimetre\n" : " needs a path\n");
        return false;
    }
    const std::string& value = arguments[++index];
    if (argument == "--tikz-scale") {
        std::optional<double> scale = parseNumber(value);
        if (!scale || !std::isfinite(*scale) || *scale < 1 || *scale > 10000) {
            err << "kestrane-cli run: --tikz-scale needs pixels per centimetre from 1 to 10000\n";
            return false;
        }
        parsed.tikzOptions.pixelsPerCentimetre = *scale;
    } else {
        (argument == "--tikz" ? parsed.tikz : parsed.pdf) = value;
    }
    return true;
}

std::optional<RunArguments> parseArguments(CommandArguments arguments, std::ostream& err)
{
    RunArguments parsed;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        bool hasValue = index + 1 < arguments.size();
        if (argument == "--save-program") {
            if (!hasValue) {
                err << "kestrane-cli run: --save-program needs a path\n";
                return {};
            }
            parsed.program = arguments[++index];
        } else if (argument == "--json" || argument == "--png" || argument == "--svg") {
            if (!hasValue) {
                err << "kestrane-cli run: " << argument << " needs a path\n";
                return {};
            }
            std::optional<std::string>& target = argument == "--json"  ? parsed.json
                                                 : argument == "--png" ? parsed.png
                                                                       : parsed.svg;
            target = arguments[++index];
        } else if (argument == "--obj") {
            if (!hasValue) {
                err << "kestrane-cli run: --obj needs a path\n";
                return {};
            }
            parsed.obj = arguments[++index];
        } else if (argument == "--ticks") {
            std::optional<double> ticks = hasValue ? parseNumber(arguments[++index]) : std::nullopt;
            if (!ticks || *ticks < 0 || *ticks > static_cast<double>(kMostTicks) ||
                *ticks != std::floor(*ticks)) {
                err << "kestrane-cli run: --ticks needs a whole number from 0 to " << kMostTicks
                    << '\n';
                return {};
            }
            parsed.ticks = static_cast<std::size_t>(*ticks);
        } else if (argument == "--tikz" || argument == "--pdf" || argument == "--tikz-scale" ||
                   argument == "--tikz-standalone") {
            if (!parseExportArgument(arguments, index, parsed, err))
                return {};
        } else if (argument == "--click") {
            std::optional<ClickPosition> click =
                hasValue ? parseClick(arguments[++index]) : std::nullopt;
            if (!click) {
                err << "kestrane-cli run: --click needs a position X,Y of two finite numbers "
                       "from -1000000 to 1000000\n";
                return {};
            }
            parsed.clicks.push_back(*click);
        } else if (argument == "--allow-write") {
            if (!hasValue) {
                err << "kestrane-cli run: --allow-write needs a directory\n";
                return {};
            }
            parsed.allowWrite.push_back(arguments[++index]);
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
               "[--obj PATH] [--tikz PATH [--tikz-standalone] [--tikz-scale N]] [--pdf PATH] "
               "[--save-program PATH] [--click X,Y]... [--ticks N] [--keep FILE]... "
               "[--options DIR] [--allow-write DIR]...\n";
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
    if (arguments.obj) {
        const auto* scene = dynamic_cast<const SpaceScene*>(run.window().state().scene());
        written &=
            writeOutput(*arguments.obj, scene ? wavefrontObj(*scene) : std::string(), out, err);
    }
    if (arguments.program) {
        written &=
            writeOutput(*arguments.program,
                        figureProgram(run.window().store(), run.window().figures()), out, err);
    }
    if (arguments.tikz) {
        TikzCanvas canvas(ConstructionWindow::kDrawingWidth, ConstructionWindow::kDrawingHeight,
                          arguments.tikzOptions);
        run.window().paint(canvas);
        written &= writeOutput(*arguments.tikz, canvas.document(), out, err);
    }
    if (arguments.pdf) {
        std::string error = pdfWriter()(run.window(), *arguments.pdf);
        if (!error.empty()) {
            err << "kestrane-cli run: " << error << '\n';
            written = false;
        }
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
    if (parsed->pdf && !pdfWriter()) {
        err << "kestrane-cli run: --pdf needs kestrane-cli built with the Qt desktop program "
               "(KESTRANE_GUI=ON); use --svg or --tikz instead\n";
        return kUsageError;
    }
    if (parsed->options && !std::filesystem::is_directory(*parsed->options)) {
        err << "kestrane-cli run: '" << *parsed->options << "' is not a directory\n";
        return kUsageError;
    }
    for (const std::string& folder : parsed->allowWrite) {
        if (!std::filesystem::is_directory(folder)) {
            err << "kestrane-cli run: '" << folder << "' is not a directory\n";
            return kUsageError;
        }
    }
    ScriptRun run(err, readScriptSetup(parsed->options));
    run.allowWritesIn(parsed->allowWrite);
    ScriptRunStatus status = run.run(parsed->file, parsed->keep, parsed->clicks, out);
    if (status == ScriptRunStatus::FileError)
        return kUsageError;
    if (status == ScriptRunStatus::CompileError)
        return kRefused;
    run.afterRun(parsed->ticks);
    // A program that stopped still leaves its construction to look at.
    if (!writeOutputs(*parsed, run, out, err))
        return kUsageError;
    // A write the program was refused is a refusal of the run too.
    bool refusedWrite = run.window().state().refusedWrites() > 0;
    return status == ScriptRunStatus::Finished && !refusedWrite ? kSuccess : kRefused;
}

} // namespace kestrane::cli
