// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_output.h"
#include "cli/commands.h"
#include "cli/png_export.h"
#include "platform/translation.h"

#include "algebra/numeric_eval.h"
#include "expressions/expression_text.h"
#include "graphs/function_file.h"
#include "graphs/graph_plot.h"
#include "graphs/script_expressions.h"
#include "graphs/ticks.h"
#include "platform/canvas.h"
#include "platform/console_host.h"
#include "platform/files.h"
#include "platform/json_writer.h"
#include "platform/svg_canvas.h"
#include "runtime/float_text.h"

#include <charconv>
#include <cmath>
#include <complex>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

// A number argument: -1.5 is a number, not an option.
std::optional<double> number(const std::string& text)
{
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> whole(const std::string& text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The shortest text that reads back as the same float.
std::string shortest(float value)
{
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// An expression with its variables, from a function, expression or
// fraction file.
struct Source {
    std::unique_ptr<FractNode> expression;
    VariableTable variables;
    std::optional<std::pair<double, double>> domain;
};

// A file that cannot be read is a file error (status 2); one that holds no
// expression is refused input (status 1, its message on the host).
std::optional<Source> readSource(const std::string& path, std::ostream& err, Host& host,
                                 int& status)
{
    std::optional<std::string> bytes = readWholeFile(nativePath(path));
    if (!bytes) {
        err << "kestrane-cli eval: " << translateFilled("cannot read %1", {path}) << '\n';
        status = kUsageError;
        return std::nullopt;
    }
    Source source;
    if (bytes->find("start") != std::string::npos) {
        FunctionFileRead read = parseFunctionFile(*bytes);
        if (read.file) {
            source.expression = std::move(read.file->expression);
            source.domain = std::pair{read.file->lower, read.file->upper};
            return source;
        }
    }
    ExpressionFileRead read = parseExpressionFile(*bytes);
    if (!read.file) {
        reportProblem(host, "eval", path + ": " + read.message);
        status = kRefused;
        return std::nullopt;
    }
    source.expression = std::move(read.file->expression);
    source.variables = std::move(read.file->variables);
    return source;
}

DefinitionLookup lookupIn(const VariableTable& table)
{
    return [&table](std::string_view name) -> const FractNode* {
        int index = table.find(name);
        if (index < 0 || !table.record(index).enabled)
            return nullptr;
        return table.record(index).value.get();
    };
}

// A complex point "RE,IM"; a lone number is real.
std::optional<std::complex<float>> complexPoint(const std::string& text)
{
    std::size_t comma = text.find(',');
    std::optional<double> real = number(text.substr(0, comma));
    std::optional<double> imaginary =
        comma == std::string::npos ? std::optional<double>(0) : number(text.substr(comma + 1));
    if (!real || !imaginary)
        return std::nullopt;
    return std::complex<float>(static_cast<float>(*real), static_cast<float>(*imaginary));
}

// The analytic evaluation of eval --complex: z stands for each point.
void printComplexValues(const NumericProgram& program,
                        const std::vector<std::complex<float>>& points, bool json,
                        std::ostream& out)
{
    JsonWriter values;
    values.beginArray();
    for (std::size_t index = 0; index < points.size(); ++index) {
        std::complex<float> z = points[index];
        std::optional<std::complex<float>> value = program.evaluateComplex(z);
        // Adding zero turns a negative zero into 0.
        if (value)
            *value += std::complex<float>(0.0f, 0.0f);
        std::string at = shortest(z.real()) + "," + shortest(z.imag());
        if (json) {
            values.beginObject().key("z").beginArray();
            values.raw(shortest(z.real())).raw(shortest(z.imag())).endArray();
            values.key("defined").boolean(value.has_value());
            values.key("re").raw(value ? shortest(value->real()) : "null");
            values.key("im").raw(value ? shortest(value->imag()) : "null").endObject();
        } else if (value) {
            out << at << '\t' << shortest(value->real()) << '\t' << shortest(value->imag()) << '\n';
        } else {
            out << at << "\tundefined\n";
        }
    }
    if (json)
        out << values.endArray().take() << '\n';
}

} // namespace

int runEval(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> file;
    if (!arguments.operands.empty())
        file = arguments.operands.front();
    std::optional<std::string> text = arguments.value("--expr");
    std::vector<float> points;
    bool json = arguments.has("--json");
    bool complex = arguments.has("--complex");
    std::vector<std::complex<float>> complexPoints;
    for (const std::string& pointText : arguments.values("--at")) {
        if (complex) {
            std::optional<std::complex<float>> z = complexPoint(pointText);
            if (!z)
                return usageError(
                    err, "eval",
                    translateFilled("--at takes RE,IM with --complex, not \"%1\"", {pointText}));
            complexPoints.push_back(*z);
            continue;
        }
        std::optional<double> value = number(pointText);
        if (!value)
            return usageError(err, "eval",
                              translateFilled("--at takes a number, not \"%1\"", {pointText}));
        points.push_back(static_cast<float>(*value));
    }
    if (file.has_value() == text.has_value())
        return usageError(err, "eval", N_("give one SOURCE: a file or --expr TEXT"));
    if (points.empty())
        points.push_back(0);
    if (complexPoints.empty())
        complexPoints.emplace_back(0.0f, 0.0f);
    ConsoleHost host(err);
    auto refuse = [&](int status) {
        if (json && status == kRefused)
            out << refusalJson(host.messages()) << '\n';
        return status;
    };
    Source source;
    if (text) {
        TextParseResult parsed = parseExpressionText(*text);
        if (!parsed.tree) {
            reportProblem(host, "eval", translatedError(parsed));
            return refuse(kRefused);
        }
        source.expression = std::move(parsed.tree);
    } else {
        int status = kSuccess;
        std::optional<Source> read = readSource(*file, err, host, status);
        if (!read)
            return refuse(status);
        source = std::move(*read);
    }
    if (complex) {
        printComplexValues(
            NumericProgram::compileComplex(*source.expression, lookupIn(source.variables)),
            complexPoints, json, out);
        return kSuccess;
    }
    NumericProgram program =
        NumericProgram::compile(*source.expression, lookupIn(source.variables));
    JsonWriter values;
    values.beginArray();
    for (std::size_t index = 0; index < points.size(); ++index) {
        float t = points[index];
        std::optional<float> value = program.evaluate(t);
        if (json) {
            values.beginObject().key("t").raw(shortest(t));
            values.key("defined").boolean(value.has_value());
            values.key("value").raw(value ? shortest(*value) : "null").key("text");
            if (value)
                values.string(trimmedFloatText(*value));
            else
                values.null();
            values.endObject();
        } else if (value) {
            out << shortest(t) << '\t' << shortest(*value) << '\t' << trimmedFloatText(*value)
                << '\n';
        } else {
            out << shortest(t) << "\tundefined\n";
        }
    }
    if (json)
        out << values.endArray().take() << '\n';
    return kSuccess;
}

int runTicks(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::vector<std::string>& operands = arguments.operands;
    std::optional<int> length = whole(operands[0]);
    std::optional<double> min = number(operands[1]);
    std::optional<double> max = number(operands[2]);
    if (!length || *length < 0 || !min || !max)
        return usageError(err, "ticks",
                          N_("LENGTH is a whole number of pixels, MIN and MAX numbers"));
    AxisTicks ticks = axisTicks(*length, *min, *max);
    JsonWriter json;
    json.beginObject().key("k").number(ticks.k);
    writeTicksMembers(json, ticks);
    out << json.endObject().take() << '\n';
    return kSuccess;
}

namespace {

// The graph window's drawing: a margin for the labels left and below.
constexpr int kPlotLeft = 60;
constexpr int kPlotTop = 20;
constexpr int kPlotRight = 20;
constexpr int kPlotBottom = 40;

} // namespace

int runPlot(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string& file = arguments.operands.front();
    std::optional<std::string> jsonPath = jsonOutputPath(arguments);
    std::optional<std::string> png = arguments.value("--png");
    std::optional<std::string> svg = arguments.value("--svg");
    int width = 600;
    int height = 400;
    std::optional<std::pair<double, double>> domain;
    if (std::optional<std::string> size = arguments.value("--size")) {
        std::size_t cross = size->find('x');
        std::optional<int> w = whole(size->substr(0, cross));
        std::optional<int> h =
            cross == std::string::npos ? std::nullopt : whole(size->substr(cross + 1));
        if (!w || !h || *w < kPlotLeft + kPlotRight + 1 || *h < kPlotTop + kPlotBottom + 1 ||
            *w > 10000 || *h > 10000)
            return usageError(err, "plot", N_("--size takes WxH, from 81x61 to 10000x10000"));
        width = *w;
        height = *h;
    }
    if (std::optional<std::string> text = arguments.value("--domain")) {
        std::size_t comma = text->find(',');
        std::optional<double> lo = number(text->substr(0, comma));
        std::optional<double> hi =
            comma == std::string::npos ? std::nullopt : number(text->substr(comma + 1));
        if (!lo || !hi || !(*lo < *hi))
            return usageError(err, "plot", N_("--domain takes LO,HI with LO below HI"));
        domain = std::pair{*lo, *hi};
    }
    if (png && !picturePngWriter()) {
        return usageError(err, "plot",
                          N_("--png needs kestrane-cli built with the Qt desktop program "
                             "(KESTRANE_GUI=ON); use --svg instead"));
    }
    std::optional<std::string> bytes = readWholeFile(nativePath(file));
    if (!bytes) {
        err << "kestrane-cli plot: " << translateFilled("cannot read %1", {file}) << '\n';
        return kUsageError;
    }
    FunctionFileRead read = parseFunctionFile(*bytes);
    if (!read.file) {
        ConsoleHost host(err);
        reportProblem(host, "plot", file + ": " + read.message);
        if (jsonPath &&
            !writeOutputFile(*jsonPath, refusalJson(host.messages()) + "\n", out, err, "plot"))
            return kUsageError;
        return kRefused;
    }
    std::unique_ptr<FractNode> expression = simplifiedForScript(*read.file->expression);
    NumericProgram program = NumericProgram::compile(*expression);
    auto [lower, upper] = domain.value_or(std::pair{read.file->lower, read.file->upper});
    PixelRect rect{kPlotLeft, kPlotTop, width - kPlotRight, height - kPlotBottom};
    GraphPlot plot = plotGraph(program, rect, lower, upper);
    auto paint = [&](Canvas& canvas) { paintGraph(canvas, plot, rect, kBlack); };
    if (jsonPath) {
        JsonWriter json;
        json.beginObject().key("expression").string(printExpressionText(*expression));
        json.key("domain").beginArray();
        json.raw(shortest(static_cast<float>(lower))).raw(shortest(static_cast<float>(upper)));
        json.endArray().key("rectangle").beginArray();
        json.number(rect.x1).number(rect.y1).number(rect.x2).number(rect.y2).endArray();
        json.key("plot");
        writePlotJson(json, plot);
        json.endObject();
        if (!writeOutputFile(*jsonPath, json.take() + "\n", out, err, "plot"))
            return kUsageError;
    }
    if (svg) {
        SvgCanvas canvas(width, height);
        canvas.fillRect(0, 0, width, height, kWhite);
        paint(canvas);
        if (!writeOutputFile(*svg, canvas.document(), out, err, "plot"))
            return kUsageError;
    }
    if (png) {
        std::string error = picturePngWriter()(width, height, paint, *png);
        if (!error.empty()) {
            err << "kestrane-cli plot: " << error << '\n';
            return kUsageError;
        }
    }
    return kSuccess;
}

} // namespace kestrane::cli
