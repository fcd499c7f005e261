// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "platform/translation.h"

#include "cli/command_output.h"
#include "cli/pdf_export.h"
#include "cli/png_export.h"
#include "cli/script_run.h"
#include "platform/files.h"
#include "platform/svg_canvas.h"
#include "platform/tikz_canvas.h"
#include "runtime/figure_program.h"
#include "runtime/store_json.h"
#include "space/four_d_scene.h"
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
    std::optional<std::string> trace;
    std::vector<BreakLine> breakLines;
};

// LINE, or FILE:LINE for a line of an include file; lines count from 1.
std::optional<BreakLine> parseBreakLine(std::string_view text)
{
    std::size_t colon = text.rfind(':');
    BreakLine line;
    std::string_view number = text;
    if (colon != std::string_view::npos) {
        line.file = std::string(text.substr(0, colon));
        number = text.substr(colon + 1);
    }
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), line.line);
    if (error != std::errc() || end != number.data() + number.size() || line.line < 1)
        return {};
    if (colon != std::string_view::npos && line.file.empty())
        return {};
    return line;
}

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

// The run's arguments, read from the table; the problem when a value does
// not fit.
std::string readArguments(const ParsedArguments& given, RunArguments& parsed)
{
    parsed.file = given.operands.front();
    parsed.json = jsonOutputPath(given);
    parsed.png = given.value("--png");
    parsed.svg = given.value("--svg");
    parsed.obj = given.value("--obj");
    parsed.tikz = given.value("--tikz");
    parsed.pdf = given.value("--pdf");
    parsed.program = given.value("--save-program");
    parsed.options = given.value("--options");
    parsed.keep = given.values("--keep");
    parsed.tikzOptions.standalone = given.has("--tikz-standalone");
    if (std::optional<std::string> text = given.value("--tikz-scale")) {
        std::optional<double> scale = parseNumber(*text);
        if (!scale || !std::isfinite(*scale) || *scale < 1 || *scale > 10000)
            return N_("--tikz-scale needs pixels per centimetre from 1 to 10000");
        parsed.tikzOptions.pixelsPerCentimetre = *scale;
    }
    if (std::optional<std::string> text = given.value("--ticks")) {
        std::optional<double> ticks = parseNumber(*text);
        if (!ticks || *ticks < 0 || *ticks > static_cast<double>(kMostTicks) ||
            *ticks != std::floor(*ticks))
            return translateFilled("--ticks needs a whole number from 0 to %1",
                                   {std::to_string(kMostTicks)});
        parsed.ticks = static_cast<std::size_t>(*ticks);
    }
    for (const std::string& text : given.values("--click")) {
        std::optional<ClickPosition> click = parseClick(text);
        if (!click)
            return N_(
                "--click needs a position X,Y of two finite numbers from -1000000 to 1000000");
        parsed.clicks.push_back(*click);
    }
    parsed.trace = given.value("--trace");
    for (const std::string& text : given.values("--break")) {
        std::optional<BreakLine> line = parseBreakLine(text);
        if (!line)
            return N_("--break needs a line LINE or FILE:LINE, counted from 1");
        parsed.breakLines.push_back(std::move(*line));
    }
    parsed.allowWrite = given.values("--allow-write");
    for (const std::string& folder : parsed.allowWrite) {
        if (!std::filesystem::is_directory(folder))
            return translateFilled("'%1' is not a directory", {folder});
    }
    return {};
}

bool writeOutput(const std::string& path, const std::string& text, std::ostream& out,
                 std::ostream& err)
{
    return writeOutputFile(path, text, out, err, "run");
}

// The polyhedra a run leaves, as its JSON lists them: those of a space run,
// or the sections, nets and solids of a four-dimensional one.
std::string solidsObj(const ConstructionWindow& window)
{
    const ModuleScene* scene = window.state().scene();
    if (const auto* space = dynamic_cast<const SpaceScene*>(scene))
        return wavefrontObj(*space);
    if (const auto* fourD = dynamic_cast<const FourDScene*>(scene))
        return wavefrontObj(fourD->space());
    return {};
}

bool writeOutputs(const RunArguments& arguments, const ScriptRun& run, RunOutcome outcome,
                  std::ostream& out, std::ostream& err)
{
    bool written = true;
    if (arguments.json) {
        written &= writeOutput(*arguments.json,
                               storeJson(run.window(), run.messages(), outcome, run.pausedJson()),
                               out, err);
    }
    if (arguments.svg) {
        SvgCanvas canvas(ConstructionWindow::kDrawingWidth, run.window().drawingHeight());
        run.window().paint(canvas);
        written &= writeOutput(*arguments.svg, canvas.document(), out, err);
    }
    if (arguments.obj)
        written &= writeOutput(*arguments.obj, solidsObj(run.window()), out, err);
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

int runRun(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    RunArguments parsed;
    if (std::string problem = readArguments(arguments, parsed); !problem.empty())
        return usageError(err, "run", problem);
    if (parsed.png && !pngWriter()) {
        return usageError(err, "run",
                          N_("--png needs kestrane-cli built with the Qt desktop program "
                             "(KESTRANE_GUI=ON); use --svg instead"));
    }
    if (parsed.pdf && !pdfWriter()) {
        return usageError(err, "run",
                          N_("--pdf needs kestrane-cli built with the Qt desktop program "
                             "(KESTRANE_GUI=ON); use --svg or --tikz instead"));
    }
    if (parsed.options && !std::filesystem::is_directory(*parsed.options))
        return usageError(err, "run",
                          translateFilled("'%1' is not a directory", {*parsed.options}));
    ScriptRun run(err, readScriptSetup(parsed.options));
    run.allowWritesIn(parsed.allowWrite);
    // A stop at a line shows the construction there, as --json does.
    if (!parsed.breakLines.empty() && !parsed.json)
        parsed.json = "-";
    run.breakAt(parsed.breakLines);
    std::string trace;
    bool traceToOutput = parsed.trace == "-";
    if (parsed.trace) {
        run.traceTo([&](const std::string& line) {
            if (traceToOutput)
                out << line << '\n';
            else
                trace += line + '\n';
        });
    }
    ScriptRunStatus status = run.run(parsed.file, parsed.keep, parsed.clicks);
    if (parsed.trace && !traceToOutput && status != ScriptRunStatus::FileError &&
        !writeOutput(*parsed.trace, trace, out, err))
        return kUsageError;
    if (status == ScriptRunStatus::FileError)
        return kUsageError;
    if (status == ScriptRunStatus::CompileError) {
        // Standard output holds the JSON alone: the error goes with the messages.
        ConsoleHost host(err);
        reportProblem(host, "run", run.compileError().text());
        std::vector<MessageRequest> messages = run.messages();
        messages.push_back(host.messages().back());
        if (parsed.json && !writeOutput(*parsed.json, refusalJson(messages) + "\n", out, err))
            return kUsageError;
        return kRefused;
    }
    run.afterRun(parsed.ticks);
    // A program that stopped still leaves its construction to look at.
    bool finished = status == ScriptRunStatus::Finished || status == ScriptRunStatus::AtBreakpoint;
    if (!writeOutputs(parsed, run, finished ? RunOutcome::Completed : RunOutcome::Stopped, out,
                      err))
        return kUsageError;
    // A write the program was refused is a refusal of the run too.
    bool refusedWrite = run.window().state().refusedWrites() > 0;
    return finished && !refusedWrite ? kSuccess : kRefused;
}

} // namespace kestrane::cli
