// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_output.h"
#include "cli/commands.h"
#include "platform/translation.h"

#include "expressions/expression_text.h"
#include "graphs/cubic_function.h"
#include "graphs/polynomial_json.h"
#include "graphs/polynomial_messages.h"
#include "platform/console_host.h"

#include <charconv>
#include <ostream>

namespace kestrane::cli {

namespace {

constexpr std::string_view kCaption = "Runtime error.";

struct RootsArguments {
    std::vector<std::string> coefficients;
    bool numericOnly = false;
    bool json = false;
    int repeat = 1;
};

// The refusal: on standard error as a box, and in the JSON with null roots.
int refuse(const RootsArguments& arguments, std::string_view text, ConsoleHost& host,
           std::ostream& out)
{
    host.message(MessageRequest{std::string(kCaption), std::string(text)});
    if (arguments.json) {
        JsonWriter json;
        json.beginObject().key("result").null().key("roots").null();
        writeMessages(json, host.messages());
        out << json.endObject().take() << '\n';
    }
    return kRefused;
}

} // namespace

int runRoots(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    RootsArguments parsed;
    parsed.coefficients = arguments.operands;
    parsed.numericOnly = arguments.has("--numeric");
    parsed.json = arguments.has("--json");
    if (std::optional<std::string> text = arguments.value("--repeat")) {
        auto [end, error] =
            std::from_chars(text->data(), text->data() + text->size(), parsed.repeat);
        if (error != std::errc() || end != text->data() + text->size() || parsed.repeat < 1)
            return usageError(err, "roots", N_("--repeat needs a positive count"));
    }
    ConsoleHost host(err);
    const bool cubic = parsed.coefficients.size() == 4;
    std::string_view notFound =
        cubic ? polynomial_message::kCubicNotFound : polynomial_message::kQuadraticNotFound;
    std::vector<std::unique_ptr<FractNode>> trees;
    for (const std::string& text : parsed.coefficients) {
        TextParseResult read = parseExpressionText(text);
        if (!read.tree) {
            reportProblem(host, "roots", "'" + text + "': " + translatedError(read));
            return refuse(parsed, notFound, host, out);
        }
        trees.push_back(std::move(read.tree));
    }
    // CubicFunct for both degrees unless --numeric asks for ValCubFunct.
    RootKinds kinds = parsed.numericOnly ? RootKinds::Numeric : RootKinds::NumericAndExact;
    Polynomial polynomial;
    for (int round = 0; round < parsed.repeat; ++round) {
        std::vector<std::unique_ptr<FractNode>> copies;
        for (const auto& tree : trees)
            copies.push_back(copyTree(*tree));
        polynomial = makePolynomial(std::move(copies), nullptr, kinds);
    }
    if (polynomial.leadingZero)
        return refuse(parsed, notFound, host, out);
    // Exact roots given up say why, once.
    if (const std::optional<ExactMessage>& problem = polynomial.exactProblem)
        host.message(MessageRequest{problem->caption, problem->text});
    if (parsed.json) {
        JsonWriter json;
        json.beginObject().key("roots");
        writeRootsJson(json, polynomial);
        writeMessages(json, host.messages());
        out << json.endObject().take() << '\n';
        return kSuccess;
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
    return kSuccess;
}

} // namespace kestrane::cli
