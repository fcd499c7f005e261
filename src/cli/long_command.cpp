// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_output.h"
#include "cli/commands.h"
#include "numbers/long_num.h"
#include "platform/console_host.h"
#include "platform/translation.h"

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

// The outcome of one computation: the printed result, or none with the
// problem that stopped it.
struct LongOutcome {
    int status = kSuccess;
    std::optional<std::string> real;                            // a real result
    std::optional<std::pair<std::string, std::string>> complex; // a complex result
};

// The operands after OP: A, and B where the operation takes one.
struct Request {
    std::string operation;
    std::string first;
    std::string second;
};

// Reads the operands an operation takes (A, and B as a number of the same
// kind or as an integer) and runs it; a message box raised on the way means
// that the result could not be computed.
template<class Value, class Operation, class Parse>
std::optional<Value> runOperation(const Operation& operation, const Request& request, Parse parse,
                                  ConsoleHost& host, int& status)
{
    auto refuse = [&](const std::string& text) {
        reportProblem(host, "long", translateFilled("not a number: '%1'", {text}));
        status = kRefused;
        return std::optional<Value>();
    };
    auto first = parse(request.first);
    if (!first)
        return refuse(request.first);
    Value second;
    std::int64_t integer = 0;
    if (operation.operands == Operands::Two) {
        auto parsed = parse(request.second);
        if (!parsed)
            return refuse(request.second);
        second = *parsed;
    } else if (operation.operands == Operands::Integer) {
        auto value = parseInteger(request.second);
        if (!value)
            return refuse(request.second);
        if (*value < 1 || *value > 1000000) {
            status = kUsageError;
            return std::nullopt;
        }
        integer = *value;
    }
    std::size_t before = host.messages().size();
    Value result;
    operation.run(*first, second, integer, result);
    if (host.messages().size() > before) {
        status = kRefused;
        return std::nullopt;
    }
    return result;
}

std::string outcomeJson(const Request& request, int words, const LongOutcome& outcome,
                        const std::vector<MessageRequest>& messages)
{
    JsonWriter json;
    json.beginObject().key("operation").string(request.operation).key("words").number(words);
    json.key("result");
    if (outcome.real)
        json.string(*outcome.real);
    else if (outcome.complex)
        json.beginObject()
            .key("re")
            .string(outcome.complex->first)
            .key("im")
            .string(outcome.complex->second)
            .endObject();
    else
        json.null();
    writeMessages(json, messages);
    return json.endObject().take();
}

} // namespace

int runLong(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    int words = kLongWordsAtStart;
    if (std::optional<std::string> text = arguments.value("--words")) {
        auto value = parseInteger(*text);
        if (!value || *value < kLongWordsMin || *value > kLongWordsMax)
            return usageError(err, "long", N_("--words takes a number from 10 to 360"));
        words = static_cast<int>(*value);
    }
    const std::vector<std::string>& operands = arguments.operands;
    Request request;
    request.operation = operands[0];
    auto real = realOperations().find(request.operation);
    auto complex = complexOperations().find(request.operation);
    if (real == realOperations().end() && complex == complexOperations().end())
        return usageError(err, "long", translateFilled("unknown OP '%1'", {request.operation}));
    Operands kind =
        real != realOperations().end() ? real->second.operands : complex->second.operands;
    size_t expected = kind == Operands::One ? 2 : 3;
    if (operands.size() != expected)
        return usageError(err, "long",
                          expected == 2
                              ? translateFilled("'%1' takes A", {request.operation})
                              : translateFilled("'%1' takes A and B", {request.operation}));
    request.first = operands[1];
    if (expected == 3)
        request.second = operands[2];

    LongWordsScope scope(words);
    ConsoleHost host(err);
    Host* previous = longNumHost();
    setLongNumHost(&host);
    LongOutcome outcome;
    if (real != realOperations().end()) {
        auto parse = [](const std::string& text) { return LongParse(text); };
        if (auto value = runOperation<LongNum>(real->second, request, parse, host, outcome.status))
            outcome.real = LongToDecimal(*value);
    } else {
        auto parse = [](const std::string& text) { return parseComplex(text); };
        if (auto value =
                runOperation<LongComplex>(complex->second, request, parse, host, outcome.status))
            outcome.complex = std::pair{LongToDecimal(value->re), LongToDecimal(value->im)};
    }
    setLongNumHost(previous);
    if (outcome.status == kUsageError)
        return usageError(err, "long", N_("B must be an integer from 1 to 1000000"));
    if (arguments.has("--json"))
        out << outcomeJson(request, words, outcome, host.messages()) << '\n';
    else if (outcome.real)
        out << *outcome.real << '\n';
    else if (outcome.complex)
        out << outcome.complex->first << ' ' << outcome.complex->second << '\n';
    return outcome.status;
}

} // namespace kestrane::cli
