#include "cli/commands.h"

#include "fractions/expression_text.h"
#include "graphs/cubic_function.h"
#include "graphs/polynomial_json.h"
#include "graphs/polynomial_messages.h"
#include "runtime/store_json.h"

#include <charconv>
#include <ostream>

namespace kestrane::cli {

namespace {

constexpr const char* kUsage =
    "Usage: kestrane-cli roots [--numeric] [--json] [--repeat N] A B C [D]\n";
constexpr std::string_view kCaption = "Runtime error.";

struct RootsArguments {
    std::vector<std::string> coefficients;
    bool numericOnly = false;
    bool json = false;
    int repeat = 1;
};

std::optional<RootsArguments> parseArguments(CommandArguments arguments, std::ostream& err)
{
    RootsArguments parsed;
    bool operandsOnly = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (operandsOnly || !argument.starts_with("--")) {
            parsed.coefficients.push_back(argument);
        } else if (argument == "--") {
            operandsOnly = true;
        } else if (argument == "--numeric") {
            parsed.numericOnly = true;
        } else if (argument == "--json") {
            parsed.json = true;
        } else if (argument == "--repeat" && index + 1 < arguments.size()) {
            const std::string& text = arguments[++index];
            auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), parsed.repeat);
            if (error != std::errc() || end != text.data() + text.size() || parsed.repeat < 1) {
                err << "kestrane-cli roots: --repeat needs a positive count\n";
                return std::nullopt;
            }
        } else {
            err << "kestrane-cli roots: unexpected argument '" << argument << "'\n" << kUsage;
            return std::nullopt;
        }
    }
    if (parsed.coefficients.size() != 3 && parsed.coefficients.size() != 4) {
        err << "kestrane-cli roots: give three coefficients (a quadratic) or four (a cubic)\n"
            << kUsage;
        return std::nullopt;
    }
    return parsed;
}

// The refusal: on standard error as a box, and in the JSON with null roots.
int refuse(const RootsArguments& arguments, std::string_view text, std::ostream& out,
           std::ostream& err)
{
    err << kCaption << ": " << text << '\n';
    if (arguments.json)
        out << "{\"roots\": null, \"messages\": [{\"caption\": " << jsonString(kCaption)
            << ", \"text\": " << jsonString(text) << "}]}\n";
    return 1;
}

} // namespace

int runRoots(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<RootsArguments> parsed = parseArguments(arguments, err);
    if (!parsed)
        return 2;
    const bool cubic = parsed->coefficients.size() == 4;
    std::string_view notFound =
        cubic ? polynomial_message::kCubicNotFound : polynomial_message::kQuadraticNotFound;
    std::vector<std::unique_ptr<FractNode>> trees;
    for (const std::string& text : parsed->coefficients) {
        TextParseResult read = parseExpressionText(text);
        if (!read.tree) {
            err << "kestrane-cli roots: '" << text << "': " << read.error << '\n';
            return refuse(*parsed, notFound, out, err);
        }
        trees.push_back(std::move(read.tree));
    }
    // CubicFunct for both degrees unless --numeric asks for ValCubFunct.
    RootKinds kinds = parsed->numericOnly ? RootKinds::Numeric : RootKinds::NumericAndExact;
    Polynomial polynomial;
    for (int round = 0; round < parsed->repeat; ++round) {
        std::vector<std::unique_ptr<FractNode>> copies;
        for (const auto& tree : trees)
            copies.push_back(copyTree(*tree));
        polynomial = makePolynomial(std::move(copies), nullptr, kinds);
    }
    if (polynomial.leadingZero)
        return refuse(*parsed, notFound, out, err);
    // Exact roots given up say why, once.
    std::string messages;
    if (const std::optional<ExactMessage>& problem = polynomial.exactProblem) {
        err << problem->caption << ": " << problem->text << '\n';
        messages = "{\"caption\": " + jsonString(problem->caption) +
                   ", \"text\": " + jsonString(problem->text) + "}";
    }
    if (parsed->json) {
        out << "{\"roots\": " << rootsJson(polynomial) << ", \"messages\": [" << messages << "]}\n";
        return 0;
    }
    std::size_t count = std::max(polynomial.roots.size(), polynomial.exact.size());
    for (std::size_t index = 0; index < count; ++index) {
        std::string name = "x" + std::to_string(index + 1);
        if (index < polynomial.roots.size())
            out << name << " = " << polynomial.roots[index].text << '\n';
        if (index < polynomial.exact.size())
            out << name << " exact: " << printExpressionText(*polynomial.exact[index].expression)
                << '\n';
    }
    return 0;
}

} // namespace kestrane::cli
