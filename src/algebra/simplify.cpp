// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/simplify.h"

#include "algebra/exact_fraction.h"
#include "algebra/exact_tree.h"
#include "algebra/expression_form.h"
#include "algebra/form_tree.h"
#include "algebra/fraction_file.h"
#include "algebra/simplify_passes.h"
#include "algebra/simplify_square_roots.h"
#include "algebra/variable_table.h"
#include "expressions/expression_text.h"
#include "numbers/long_int.h"
#include "numbers/long_num.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <cctype>
#include <optional>
#include <set>

namespace kestrane {

namespace {

const char* const kWrongCharacterText = "Wrong character discovered.";
constexpr const char* kOverflowCaption = N_("Error.");
constexpr const char* kOverflowText = N_("Too large numbers. Major error may occur.");
// Deeper nesting than the trees the readers accept is not met here.
constexpr int kMaxEvaluationDepth = kMaxNesting * 2;

enum class Check { Fine, Placeholder, Unsupported };

bool numberTextFine(const std::string& text)
{
    int dots = 0;
    for (char c : text) {
        if (c == '.')
            ++dots;
        else if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return dots <= 1;
}

// What cannot be simplified: empty slots, numbers with other characters
// than digits and one '.', and (when marks are examined) functions on a
// leaf and roots of degree above 9; with names resolved, names other than
// i, pi and defined variables.
class SimplifiableCheck {
public:
    bool refuseFunctions = true;
    bool checkMarks = true;
    bool resolveNames = false;
    const VariableTable* variables = nullptr;
    int complexFlag = 0;

    Check run(const FractNode& node)
    {
        walk(node);
        return m_worst;
    }

private:
    void note(Check check)
    {
        if (check == Check::Placeholder || m_worst == Check::Fine)
            m_worst = check == Check::Fine ? m_worst : check;
    }

    void walk(const FractNode& node)
    {
        if (node.isSlot()) {
            note(Check::Placeholder);
            return;
        }
        if (node.hasText() && !node.text->empty())
            text(node);
        row(node.openRow.get(), node);
        row(node.closeRow.get(), node);
        for (const FractNode* child : {node.left.get(), node.right.get(), node.numerator.get(),
                                       node.denominator.get(), node.exponent.get()}) {
            if (child)
                walk(*child);
        }
    }

    void text(const FractNode& node)
    {
        const std::string& text = *node.text;
        if (std::isdigit(static_cast<unsigned char>(text[0]))) {
            if (!numberTextFine(text))
                note(Check::Unsupported);
            return;
        }
        if (!resolveNames || (node.symbol && text == "p"))
            return;
        if (text == "i") {
            if (complexFlag < 0)
                note(Check::Unsupported);
            else
                complexFlag = 1;
            return;
        }
        const int index = variables ? variables->find(text) : -1;
        if (index < 0 || !variables->record(index).value || m_resolving.count(text) > 0) {
            note(Check::Unsupported);
            return;
        }
        m_resolving.insert(text);
        walk(*variables->record(index).value);
        m_resolving.erase(text);
    }

    void row(const MarkRow* marks, const FractNode& owner)
    {
        if (!marks)
            return;
        for (const auto& item : marks->items) {
            if (checkMarks && refuseFunctions && item->isFunction() && item->isOpening &&
                owner.hasText())
                note(Check::Unsupported);
            if (checkMarks && item->isRoot() && item->isOpening && item->root &&
                item->root->degree > 9)
                note(Check::Unsupported);
            if (item->paren && item->paren->exponent)
                walk(*item->paren->exponent);
        }
    }

    Check m_worst = Check::Fine;
    std::set<std::string> m_resolving;
};

bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0 ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Computes the exact value of an expression form: '/' tighter than '*', '^'
// tightest and right-associative, the marks as roots, functions and groups.
class Evaluator {
public:
    Evaluator(const SimplifyRequest& request) : m_request(request) {}

    ExactFraction evaluate(const ExpressionForm& form)
    {
        // name=value has no value of its own here.
        if (form.tooDeep() || form.isDefinition())
            return ExactFraction::failed(form.tooDeep() ? ExactProblem::TooLarge
                                                        : ExactProblem::Unsupported);
        const ExpressionForm* saved = m_form;
        m_form = &form;
        ExactFraction value = evaluate(form.root());
        m_form = saved;
        return value;
    }

private:
    // An operand that failed ends the evaluation there.
    ExactFraction evaluate(int index)
    {
        const FormNode& node = m_form->at(index);
        switch (node.kind) {
        case FormKind::Add:
        case FormKind::Subtract:
        case FormKind::Multiply:
        case FormKind::Divide:
            return binary(node);
        case FormKind::Negate:
            return -evaluate(node.first);
        case FormKind::Power:
            return powerOf(node);
        case FormKind::Group:
            return evaluate(node.first);
        case FormKind::Root:
        case FormKind::Function:
            return application(node);
        default:
            return atom(node);
        }
    }

    ExactFraction binary(const FormNode& node)
    {
        ExactFraction left = evaluate(node.first);
        if (left.failed())
            return left;
        switch (node.kind) {
        case FormKind::Add:
            return left + evaluate(node.second);
        case FormKind::Subtract:
            return left - evaluate(node.second);
        case FormKind::Multiply:
            return left * evaluate(node.second);
        default:
            return left / evaluate(node.second);
        }
    }

    ExactFraction powerOf(const FormNode& node)
    {
        if (++m_depth > kMaxEvaluationDepth)
            return ExactFraction::failed(ExactProblem::TooLarge);
        ExactFraction base = evaluate(node.first);
        if (!base.failed())
            base = power(base, evaluate(node.second));
        --m_depth;
        return base;
    }

    // A single number over 1 is its own normal form; most roots and
    // exponents are one.
    static ExactFraction normalForm(const ExactFraction& value)
    {
        const ExactSum& below = value.denominator();
        if (!value.failed() && value.numerator().isRational() && below.isRational() &&
            below.rationalValue().isOne())
            return value;
        return value.normalised();
    }

    ExactFraction power(const ExactFraction& base, const ExactFraction& exponent)
    {
        if (exponent.failed())
            return exponent;
        ExactFraction normal = normalForm(exponent);
        if (normal.failed())
            return normal;
        if (normal.numerator().hasNames() || normal.denominator().hasNames())
            return ExactFraction::failed(ExactProblem::VariableExponent);
        if (!normal.numerator().isRational() || !normal.denominator().isRational())
            return ExactFraction::failed(ExactProblem::Unsupported);
        const ExactRational value =
            normal.numerator().rationalValue() / normal.denominator().rationalValue();
        const std::int64_t top = value.numerator().value();
        const std::int64_t bottom = value.denominator().value();
        if (bottom > 9)
            return ExactFraction::failed(ExactProblem::Unsupported);
        // A larger power of anything but 0, 1 and -1 is past the term or
        // number limits anyway.
        if (top > 4000 || top < -4000)
            return ExactFraction::failed(ExactProblem::TooLarge);
        if (bottom == 1)
            return base.raised(static_cast<int>(top));
        return normalForm(base).raised(static_cast<int>(top), static_cast<int>(bottom),
                                       m_request.primes);
    }

    ExactFraction atom(const FormNode& node)
    {
        switch (node.kind) {
        case FormKind::Number:
            return ExactFraction::decimal(node.text);
        case FormKind::ImaginaryUnit:
            return ExactFraction::imaginary();
        case FormKind::Pi:
            return variable("\u03C0");
        case FormKind::Name:
            // The Greek letters stand for nothing exact.
            if (!isLetter(node.text[0]))
                return ExactFraction::failed(ExactProblem::Unsupported);
            return variable(node.text == "pi" ? std::string("\u03C0") : node.text);
        default:
            return ExactFraction::failed(ExactProblem::Unsupported);
        }
    }

    ExactFraction application(const FormNode& node)
    {
        const int degree = node.kind == FormKind::Root ? node.code : 0;
        ExactFraction argument = evaluate(node.first);
        if (argument.failed())
            return argument;
        // The other views stop before roots of numbers are reduced.
        if (degree >= 2 && m_request.viewMode != kMainExpressionView)
            return opaque(degree, node.code, argument);
        ExactFraction normal = normalForm(argument);
        if (normal.failed())
            return normal;
        if (degree >= 2) {
            ExactFraction root = normal.root(degree, m_request.primes);
            if (root.problem() != ExactProblem::Unsupported ||
                m_request.purpose == SimplifyFor::Window)
                return root;
            if (!normal.numerator().hasNames() && !normal.denominator().hasNames())
                return root;
        } else if (m_request.purpose == SimplifyFor::Window) {
            return ExactFraction::failed(ExactProblem::Unsupported);
        }
        // What the exact forms cannot take apart stays one factor, its
        // argument simplified.
        return opaque(degree, node.code, normal);
    }

    static ExactFraction opaque(int degree, int code, const ExactFraction& argument)
    {
        std::string factor = degree == 0   ? std::string(functionName(code))
                             : degree == 2 ? std::string("sqrt")
                                           : "root";
        factor += '(';
        if (degree > 2) {
            factor += static_cast<char>('0' + degree);
            factor += ',';
        }
        factor += argument.toText();
        factor += ')';
        ExactFactor applied = ExactFactor::ofApplication(
            std::move(factor), std::make_shared<const ExactApplication>(
                                   ExactApplication{degree, degree == 0 ? code : 0, argument}));
        return ExactFraction(ExactSum(ExactTerm{1, {std::move(applied)}}));
    }

    ExactFraction variable(const std::string& name)
    {
        const VariableTable* table = m_request.variables;
        const int index = table ? table->find(name) : -1;
        if (index < 0 || !table->record(index).value || !table->record(index).enabled ||
            m_expanding.count(name) > 0)
            return ExactFraction::name(name);
        m_expanding.insert(name);
        ExactFraction value = evaluate(ExpressionForm::of(*table->record(index).value));
        m_expanding.erase(name);
        if (value.failed())
            return value;
        return value;
    }

    const SimplifyRequest& m_request;
    const ExpressionForm* m_form = nullptr;
    int m_depth = 0;
    std::set<std::string> m_expanding;
};

void tell(SimplifyResult& result, Host& host, const SimplifyRequest& request, ExactMessage message,
          bool shown)
{
    if (request.purpose == SimplifyFor::Window && shown)
        host.message(message.caption, message.text, MessageButtons::Ok, MessageIcon::Information);
    result.messages.push_back(std::move(message));
}

// A tree of numbers (and i) alone, without functions.
bool numbersOnly(const FractNode& tree)
{
    std::vector<const FractNode*> pending{&tree};
    while (!pending.empty()) {
        const FractNode* node = pending.back();
        pending.pop_back();
        if (node->hasText() && !std::isdigit(static_cast<unsigned char>((*node->text)[0])) &&
            (*node->text != "i" || node->symbol))
            return false;
        for (const MarkRow* row : {node->openRow.get(), node->closeRow.get()}) {
            if (!row)
                continue;
            for (const auto& item : row->items) {
                if (item->isFunction())
                    return false;
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
        for (const FractNode* child : {node->left.get(), node->right.get(), node->numerator.get(),
                                       node->denominator.get(), node->exponent.get()}) {
            if (child)
                pending.push_back(child);
        }
    }
    return true;
}

// Normalise: the tree as polynomial forms (numerator and denominator), collected,
// rationalised and cancelled.
ExactFraction normalise(const SimplifyRequest& request, const ExpressionForm& form)
{
    Evaluator evaluator(request);
    ExactFraction value = evaluator.evaluate(form);
    if (!value.failed())
        value = value.normalised();
    return value;
}

SimplifyResult finish(SimplifyResult result, const ExactFraction& value,
                      const SimplifyRequest& request, Host& host)
{
    if (longIntOverflow()) {
        // The long-number host, when there is one, has shown the message.
        result.overflow = true;
        tell(result, host, request, {kOverflowCaption, kOverflowText}, longNumHost() == nullptr);
        return result;
    }
    if (value.failed()) {
        tell(result, host, request, exactProblemMessage(value.problem()), true);
        return result;
    }
    result.tree = exactTree(value, request.tree->fontHeight);
    if (!result.tree)
        tell(result, host, request, exactProblemMessage(ExactProblem::Unsupported), true);
    return result;
}

SimplifyDefinition definitionOf(const VariableRecord& record)
{
    SimplifyDefinition definition{record.name, std::nullopt};
    if (record.value)
        definition.value = printExpressionText(*record.value);
    return definition;
}

// Names the leaves of a tree use, exponents included.
void namesUsed(const FractNode& node, std::vector<std::string>& names)
{
    everyNode(node, [&names](const FractNode& part) {
        if (part.hasText() && isLetter((*part.text)[0]))
            names.push_back(*part.text);
        return true;
    });
}

// Whether a variable's value uses the variable itself, directly or through
// other variables with a value.
bool reachesItself(const VariableTable& table, int start)
{
    std::vector<bool> seen(static_cast<std::size_t>(table.count()), false);
    std::vector<int> pending{start};
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        const FractNode* value = table.record(index).value.get();
        if (!value)
            continue;
        std::vector<std::string> names;
        namesUsed(*value, names);
        for (const std::string& name : names) {
            const int used = table.find(name);
            if (used == start)
                return true;
            if (used >= 0 && !seen[static_cast<std::size_t>(used)]) {
                seen[static_cast<std::size_t>(used)] = true;
                pending.push_back(used);
            }
        }
    }
    return false;
}

struct Pipeline {
    VariableTable table;
    std::unique_ptr<FractNode> main;
    bool tooLarge = false;
};

// The working table (the user's enabled variables with their values, the
// disabled ones as names) and the first decomposition; fills in the report. Null when the
// expression or a variable has no notation the decomposition reads, or uses a reserved name.
std::unique_ptr<FractNode> firstDecomposition(const SimplifyRequest& request, VariableTable& table,
                                              SimplifyResult& result)
{
    if (request.variables) {
        table = request.variables->copy();
        for (int i = 0; i < table.count(); ++i) {
            if (!table.record(i).enabled)
                table.record(i).value.reset();
        }
        // Variables defined through each other cannot be put back in place;
        // they stay names.
        std::vector<int> circular;
        for (int i = 0; i < table.count(); ++i) {
            if (reachesItself(table, i))
                circular.push_back(i);
        }
        for (int index : circular)
            table.record(index).value.reset();
    }
    // The reserved names of the working table never come from the user.
    std::vector<std::string> names;
    namesUsed(*request.tree, names);
    for (const std::string& name : names) {
        if (name == VariableTable::kMinusOne || name == "mmainn")
            return nullptr;
    }
    std::unique_ptr<FractNode> main = decompose(table, *request.tree);
    if (main && request.reportDefinitions) {
        for (int i = 0; i < table.count(); ++i)
            result.definitions.push_back(definitionOf(table.record(i)));
        result.mainName = printExpressionText(*main);
    }
    return main;
}

// Everything before the normal form: the working table, decomposition, its
// fix-up and a second decomposition, aliases eliminated and fractions lifted
// until neither changes anything, and the main expression put back together.
std::optional<Pipeline> runPipeline(const SimplifyRequest& request, SimplifyResult& result)
{
    Pipeline pipeline;
    VariableTable& table = pipeline.table;
    pipeline.main = firstDecomposition(request, table, result);
    if (!pipeline.main)
        return std::nullopt;
    prepare(table, *pipeline.main);
    std::unique_ptr<FractNode> again = decompose(table, *pipeline.main);
    if (!again)
        return std::nullopt;
    pipeline.main = std::move(again);

    for (bool changed = true; changed;) {
        changed = eliminateAliases(table, *pipeline.main);
        while (liftFractions(table)) {
            changed = true;
            if (table.count() > kMaxWorkingDefinitions) {
                pipeline.tooLarge = true;
                return pipeline;
            }
        }
    }
    substituteBack(pipeline.main, table);
    return pipeline;
}

} // namespace

bool checkSimplifiable(const FractNode& node, const VariableTable* variables, bool checkMarks,
                       bool resolveNames, int& complexFlag, Host& host)
{
    SimplifiableCheck checker;
    checker.checkMarks = checkMarks;
    checker.resolveNames = resolveNames;
    checker.variables = variables;
    checker.complexFlag = complexFlag;
    const Check check = checker.run(node);
    complexFlag = checker.complexFlag;
    if (check == Check::Placeholder)
        host.message(N_("Error"), kWrongCharacterText, MessageButtons::Ok,
                     MessageIcon::Information);
    return check == Check::Fine;
}

SimplifyResult simplifyExpression(const SimplifyRequest& request, Host& host)
{
    SimplifyResult result;
    clearLongIntOverflow();
    if (!request.tree)
        return result;
    if (!expressionComplete(*request.tree)) {
        tell(result, host, request, {"Error", kWrongParenthesesText}, true);
        return result;
    }
    SimplifiableCheck checker;
    checker.refuseFunctions = request.purpose == SimplifyFor::Window;
    const Check check = checker.run(*request.tree);
    if (check == Check::Placeholder)
        tell(result, host, request, {"Error", kWrongCharacterText}, true);
    if (check != Check::Fine) {
        tell(result, host, request, exactProblemMessage(ExactProblem::Unsupported), true);
        return result;
    }

    if (request.viewMode == kMainExpressionView) {
        // The main expression view goes from the expression as it stands to
        // its normal form: the polynomial forms collect, rationalise and
        // cancel with rational coefficients, where lifting every fraction to
        // the top first would multiply all denominators together uncancelled
        // (x/2+x/3+...+x/59 then overflows) and only cost time.
        if (request.reportDefinitions) {
            VariableTable table;
            firstDecomposition(request, table, result);
        }
        const ExpressionForm form = ExpressionForm::of(*request.tree);
        if (numbersOnly(*request.tree)) {
            if (std::optional<ExactFraction> value = squareRootNormalForm(form))
                return finish(std::move(result), *value, request, host);
        }
        return finish(std::move(result), normalise(request, form), request, host);
    }

    std::optional<Pipeline> pipeline = runPipeline(request, result);
    if (!pipeline) {
        // A reserved name in the expression: nothing to take apart with it.
        tell(result, host, request, exactProblemMessage(ExactProblem::Unsupported), true);
        return result;
    }
    if (pipeline->tooLarge) {
        tell(result, host, request, exactProblemMessage(ExactProblem::TooLarge), true);
        return result;
    }
    for (int i = 0; i < pipeline->table.count(); ++i)
        result.workingDefinitions.push_back(definitionOf(pipeline->table.record(i)));
    // Brackets where the tree groups take marks of their own, as its text reads.
    result.tree = rereadTree(*pipeline->main, request.tree->fontHeight);
    if (!result.tree)
        tell(result, host, request, exactProblemMessage(ExactProblem::Unsupported), true);
    return result;
}

std::optional<ExactFraction> exactNormalForm(const FractNode& tree, SimplifyFor purpose,
                                             ExactMessage& problem)
{
    clearLongIntOverflow();
    SimplifyRequest request;
    request.purpose = purpose;
    Evaluator evaluator(request);
    ExactFraction value = evaluator.evaluate(ExpressionForm::of(tree));
    if (!value.failed())
        value = value.normalised();
    if (longIntOverflow()) {
        problem = {kOverflowCaption, kOverflowText};
        return std::nullopt;
    }
    if (value.failed()) {
        problem = exactProblemMessage(value.problem());
        return std::nullopt;
    }
    return value;
}

} // namespace kestrane
