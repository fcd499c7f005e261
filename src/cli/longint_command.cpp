#include "app/application.h"
#include "app/prime_table.h"
#include "cli/commands.h"
#include "numbers/long_int.h"
#include "numbers/long_num.h"
#include "numbers/number_theory.h"
#include "platform/console_host.h"
#include "platform/scripted_host.h"

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

int usage(std::ostream& err, const std::string& problem)
{
    err << "kestrane-cli longint: " << problem << "\nUsage: kestrane-cli longint OP A [B]\n";
    return kUsageError;
}

void printFactors(std::ostream& out, const LongInt& a)
{
    if (a.isNegative())
        out << "-1";
    const char* separator = a.isNegative() ? " " : "";
    for (const PrimePower& factor : factorise(a.value(), loadedPrimes())) {
        out << separator << factor.prime;
        if (factor.count > 1)
            out << '^' << factor.count;
        separator = " ";
    }
    out << '\n';
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

int runLongInt(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        operands.push_back(argument);
    }
    if (operands.empty())
        return usage(err, "missing OP");
    const std::string& operation = operands[0];
    bool unary = operation == "parse" || operation == "factor";
    auto binary = binaryOperations().find(operation);
    if (!unary && binary == binaryOperations().end())
        return usage(err, "unknown OP '" + operation + "'");
    size_t expected = unary ? 2 : 3;
    if (operands.size() != expected)
        return usage(err, "'" + operation + "' takes " + (unary ? "A" : "A and B"));

    ConsoleHost host(err);
    Host* previous = longNumHost();
    setLongNumHost(&host);
    clearLongIntOverflow();
    int status = kSuccess;
    std::optional<LongInt> result;
    std::vector<std::optional<LongInt>> values;
    for (size_t i = 1; i < operands.size(); ++i) {
        values.push_back(LongInt::fromText(operands[i]));
        if (!values.back()) {
            err << "kestrane-cli longint: not an integer: '" << operands[i] << "'\n";
            status = kRefused;
        }
    }
    bool dividing = operation == "div" || operation == "rem";
    if (status == kSuccess && dividing && values[1]->isZero()) {
        err << "kestrane-cli longint: division by zero\n";
        status = kRefused;
    }
    if (status == kSuccess && !longIntOverflow()) {
        if (operation == "factor")
            printFactors(out, *values[0]);
        else
            result = unary ? *values[0] : binary->second(*values[0], *values[1]);
    }
    if (longIntOverflow())
        status = kRefused;
    else if (result)
        out << result->toText() << '\n';
    clearLongIntOverflow();
    setLongNumHost(previous);
    return status;
}

} // namespace kestrane::cli
