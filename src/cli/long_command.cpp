#include "cli/commands.h"
#include "numbers/long_num.h"
#include "platform/console_host.h"

#include <charconv>
#include <functional>
#include <map>
#include <ostream>

namespace kestrane::cli {

namespace {

enum class Operands { One, Two, Integer };

struct RealOperation {
    Operands operands;
    std::function<void(const LongNum&, const LongNum&, std::int64_t, LongNum&)> run;
};

struct ComplexOperation {
    Operands operands;
    std::function<void(const LongComplex&, const LongComplex&, std::int64_t, LongComplex&)> run;
};

template<typename Function>
RealOperation unary(Function function)
{
    return {Operands::One, [function](const LongNum& a, const LongNum&, std::int64_t,
                                      LongNum& out) { function(a, out); }};
}

template<typename Function>
RealOperation binary(Function function)
{
    return {Operands::Two, [function](const LongNum& a, const LongNum& b, std::int64_t,
                                      LongNum& out) { function(a, b, out); }};
}

template<typename Function>
ComplexOperation complexUnary(Function function)
{
    return {Operands::One, [function](const LongComplex& z, const LongComplex&, std::int64_t,
                                      LongComplex& out) { function(z, out); }};
}

const std::map<std::string, RealOperation>& realOperations()
{
    static const std::map<std::string, RealOperation> operations = {
        {"add", binary(LongAdd)},
        {"sub", binary(LongSub)},
        {"mul", binary(LongMul)},
        {"div", binary(LongDiv)},
        {"divsmall",
         {Operands::Integer, [](const LongNum& a, const LongNum&, std::int64_t n,
                                LongNum& out) { LongDivSmall(a, n, out); }}},
        {"halve", unary([](const LongNum& a, LongNum& out) { LongHalve(a, out); })},
        {"sqrt", unary(LongSqrt)},
        {"ln", unary([](const LongNum& a, LongNum& out) { LongLn(a, out); })},
        {"exp", unary(LongExp)},
        {"root",
         {Operands::Integer, [](const LongNum& a, const LongNum&, std::int64_t n,
                                LongNum& out) { LongRoot(a, static_cast<int>(n), out); }}},
        {"sin", unary(LongSin)},
        {"cos", unary(LongCos)},
        {"tan", unary(LongTan)},
        {"cot", unary(LongCot)},
        {"atan", unary(LongArctan)},
        {"asin", unary(LongArcsin)},
        {"acos", unary(LongArccos)},
    };
    return operations;
}

const std::map<std::string, ComplexOperation>& complexOperations()
{
    static const std::map<std::string, ComplexOperation> operations = {
        {"cmul",
         {Operands::Two, [](const LongComplex& z, const LongComplex& w, std::int64_t,
                            LongComplex& out) { ComplexMul(z, w, out); }}},
        {"cdiv",
         {Operands::Two, [](const LongComplex& z, const LongComplex& w, std::int64_t,
                            LongComplex& out) { ComplexDiv(z, w, out); }}},
        {"cexp", complexUnary(ComplexExp)},
        {"cln", complexUnary(ComplexLn)},
        {"croot",
         {Operands::Integer, [](const LongComplex& z, const LongComplex&, std::int64_t n,
                                LongComplex& out) { ComplexRoot(z, static_cast<int>(n), out); }}},
        {"csin", complexUnary(ComplexSin)},
        {"ccos", complexUnary(ComplexCos)},
        {"ctan", complexUnary(ComplexTan)},
        {"ccot", complexUnary(ComplexCot)},
        {"casin", complexUnary(ComplexArcsin)},
        {"cacos", complexUnary(ComplexArccos)},
        {"catan", complexUnary(ComplexArctan)},
        {"cacot", complexUnary(ComplexArccot)},
    };
    return operations;
}

std::optional<std::int64_t> parseInteger(const std::string& text)
{
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<LongComplex> parseComplex(const std::string& text)
{
    size_t comma = text.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    auto re = LongParse(std::string_view(text).substr(0, comma));
    auto im = LongParse(std::string_view(text).substr(comma + 1));
    if (!re || !im)
        return std::nullopt;
    return LongComplex{*re, *im};
}

int usage(std::ostream& err, const std::string& problem)
{
    err << "kestrane-cli long: " << problem << "\nUsage: kestrane-cli long [--words N] OP A [B]\n";
    return kUsageError;
}

int refuse(std::ostream& err, const std::string& text)
{
    err << "kestrane-cli long: not a number: '" << text << "'\n";
    return kRefused;
}

// The operands after OP: A, and B where the operation takes one.
struct Request {
    std::string operation;
    std::string first;
    std::string second;
};

std::optional<std::int64_t> degreeOrDivisor(const Request& request, std::ostream& err, int& status)
{
    auto value = parseInteger(request.second);
    if (!value) {
        status = refuse(err, request.second);
        return std::nullopt;
    }
    if (*value < 1 || *value > 1000000) {
        status = usage(err, "B must be an integer from 1 to 1000000");
        return std::nullopt;
    }
    return value;
}

// Reads the operands an operation takes (A, and B as a number of the same
// kind or as an integer), runs it and prints the result.
template<class Value, class Operation, class Parse, class Print>
int runOperation(const Operation& operation, const Request& request, Parse parse, Print print,
                 std::ostream& out, std::ostream& err)
{
    auto first = parse(request.first);
    if (!first)
        return refuse(err, request.first);
    Value second;
    std::int64_t integer = 0;
    if (operation.operands == Operands::Two) {
        auto parsed = parse(request.second);
        if (!parsed)
            return refuse(err, request.second);
        second = *parsed;
    } else if (operation.operands == Operands::Integer) {
        int status = kSuccess;
        auto value = degreeOrDivisor(request, err, status);
        if (!value)
            return status;
        integer = *value;
    }
    Value result;
    operation.run(*first, second, integer, result);
    print(out, result);
    out << '\n';
    return kSuccess;
}

int runReal(const RealOperation& operation, const Request& request, std::ostream& out,
            std::ostream& err)
{
    return runOperation<LongNum>(
        operation, request, [](const std::string& text) { return LongParse(text); },
        [](std::ostream& stream, const LongNum& value) { stream << LongToDecimal(value); }, out,
        err);
}

int runComplex(const ComplexOperation& operation, const Request& request, std::ostream& out,
               std::ostream& err)
{
    return runOperation<LongComplex>(
        operation, request, [](const std::string& text) { return parseComplex(text); },
        [](std::ostream& stream, const LongComplex& value) {
            stream << LongToDecimal(value.re) << ' ' << LongToDecimal(value.im);
        },
        out, err);
}

} // namespace

int runLong(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    int words = kLongWordsAtStart;
    size_t next = 0;
    if (next < arguments.size() && arguments[next] == "--words") {
        auto value = next + 1 < arguments.size() ? parseInteger(arguments[next + 1]) : std::nullopt;
        if (!value || *value < kLongWordsMin || *value > kLongWordsMax)
            return usage(err, "--words takes a number from 10 to 360");
        words = static_cast<int>(*value);
        next += 2;
    }
    if (next >= arguments.size())
        return usage(err, "missing OP");
    Request request;
    request.operation = arguments[next++];
    auto real = realOperations().find(request.operation);
    auto complex = complexOperations().find(request.operation);
    if (real == realOperations().end() && complex == complexOperations().end())
        return usage(err, "unknown OP '" + request.operation + "'");
    Operands operands =
        real != realOperations().end() ? real->second.operands : complex->second.operands;
    size_t expected = operands == Operands::One ? 1 : 2;
    if (arguments.size() - next != expected)
        return usage(err, "'" + request.operation + "' takes " + (expected == 1 ? "A" : "A and B"));
    request.first = arguments[next];
    if (expected == 2)
        request.second = arguments[next + 1];

    LongWordsScope scope(words);
    ConsoleHost host(err);
    Host* previous = longNumHost();
    setLongNumHost(&host);
    int status = real != realOperations().end() ? runReal(real->second, request, out, err)
                                                : runComplex(complex->second, request, out, err);
    setLongNumHost(previous);
    return status;
}

} // namespace kestrane::cli
