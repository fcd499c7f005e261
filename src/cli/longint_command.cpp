// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "app/prime_table.h"
#include "cli/command_output.h"
#include "cli/commands.h"
#include "numbers/long_int.h"
#include "numbers/long_num.h"
#include "numbers/number_theory.h"
#include "platform/console_host.h"
#include "platform/scripted_host.h"
#include "platform/translation.h"

#include <functional>
#include <map>
#include <ostream>

namespace kestrane::cli {

namespace {

using Binary = std::function<LongInt(const LongInt&, const LongInt&)>;

// The operations of two operands; B of times, div and rem is used as a plain
// integer, as the two-word arithmetic takes it.
const std::map<std::string, Binary>& binaryOperations()
{
    static const std::map<std::string, Binary> operations = {
        {"add", [](const LongInt& a, const LongInt& b) { return a + b; }},
        {"mul", [](const LongInt& a, const LongInt& b) { return a * b; }},
        {"times",
         [](const LongInt& a, const LongInt& b) { return LongInt(a).timesInt(b.value()); }},
        {"div", [](const LongInt& a, const LongInt& b) { return a.dividedBy(b.value()); }},
        {"rem", [](const LongInt& a,
                   const LongInt& b) { return LongInt::fromInt(a.remainder(b.value())); }},
        {"gcd", [](const LongInt& a, const LongInt& b) { return commonDivisor(a, b); }},
    };
    return operations;
}

std::string factorsText(const LongInt& a)
{
    std::string text = a.isNegative() ? "-1" : "";
    const char* separator = a.isNegative() ? " " : "";
    for (const PrimePower& factor : factorise(a.value(), loadedPrimes())) {
        text += separator;
        text += std::to_string(factor.prime);
        if (factor.count > 1)
            text += '^' + std::to_string(factor.count);
        separator = " ";
    }
    return text;
}

} // namespace

// A missing table changes no factorisation, so its message is not shown.
std::span<const std::int32_t> loadedPrimes()
{
    ScriptedHost quiet;
    std::vector<std::string> directories;
    for (const auto& directory : ProgramPaths::forExecutable(programPath()).dataDirectories)
        directories.push_back(directory.string());
    loadPrimeTable(quiet, directories);
    return primeTable().primes();
}

int runLongInt(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::vector<std::string>& operands = arguments.operands;
    const std::string& operation = operands[0];
    bool unary = operation == "parse" || operation == "factor";
    auto binary = binaryOperations().find(operation);
    if (!unary && binary == binaryOperations().end())
        return usageError(err, "longint", translateFilled("unknown OP '%1'", {operation}));
    size_t expected = unary ? 2 : 3;
    if (operands.size() != expected)
        return usageError(err, "longint",
                          unary ? translateFilled("'%1' takes A", {operation})
                                : translateFilled("'%1' takes A and B", {operation}));

    ConsoleHost host(err);
    Host* previous = longNumHost();
    setLongNumHost(&host);
    clearLongIntOverflow();
    int status = kSuccess;
    std::optional<std::string> result;
    std::vector<std::optional<LongInt>> values;
    for (size_t i = 1; i < operands.size(); ++i) {
        values.push_back(LongInt::fromText(operands[i]));
        if (!values.back()) {
            reportProblem(host, "longint", translateFilled("not an integer: '%1'", {operands[i]}));
            status = kRefused;
        }
    }
    bool dividing = operation == "div" || operation == "rem";
    if (status == kSuccess && dividing && values[1]->isZero()) {
        reportProblem(host, "longint", translate("division by zero"));
        status = kRefused;
    }
    if (status == kSuccess && !longIntOverflow()) {
        if (operation == "factor")
            result = factorsText(*values[0]);
        else
            result = (unary ? *values[0] : binary->second(*values[0], *values[1])).toText();
    }
    if (longIntOverflow()) {
        status = kRefused;
        result.reset();
    }
    clearLongIntOverflow();
    setLongNumHost(previous);
    if (arguments.has("--json")) {
        JsonWriter json;
        json.beginObject()
            .key("operation")
            .string(operation)
            .key("result")
            .stringOrNull(result ? &*result : nullptr);
        writeMessages(json, host.messages());
        out << json.endObject().take() << '\n';
    } else if (result) {
        out << *result << '\n';
    }
    return status;
}

} // namespace kestrane::cli
