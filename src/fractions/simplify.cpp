#include "fractions/simplify.h"

#include "fractions/exact_fraction.h"
#include "fractions/expression_text.h"
#include "fractions/fraction_file.h"
#include "fractions/simplify_decompose.h"
#include "fractions/variable_table.h"
#include "numbers/long_int.h"
#include "platform/host.h"

#include <cctype>
#include <set>

namespace kestrane {

namespace {

const char* const kWrongCharacterText = "Wrong character discovered.";
constexpr const char* kOverflowCaption = "Error.";
constexpr const char* kOverflowText = "Too large numbers. Major error may occur.";
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

Check checkRow(const MarkRow* row, SimplifyFor purpose, const FractNode& owner);

// What the window cannot simplify: empty slots, functions, roots of degree
// above 9 and numbers with other characters than digits and one '.'.
Check checkSimplifiable(const FractNode& node, SimplifyFor purpose)
{
    Check worst = Check::Fine;
    auto note = [&worst](Check check) {
        if (check == Check::Placeholder || worst == Check::Fine)
            worst = check == Check::Fine ? worst : check;
    };
    if (node.isSlot())
        return Check::Placeholder;
    if (node.hasText() && !node.text->empty() &&
        std::isdigit(static_cast<unsigned char>((*node.text)[0])) && !numberTextFine(*node.text))
        note(Check::Unsupported);
    note(checkRow(node.openRow.get(), purpose, node));
    note(checkRow(node.closeRow.get(), purpose, node));
    for (const FractNode* child : {node.left.get(), node.right.get(), node.numerator.get(),
                                   node.denominator.get(), node.exponent.get()}) {
        if (child)
            note(checkSimplifiable(*child, purpose));
    }
    return worst;
}

Check checkRow(const MarkRow* row, SimplifyFor purpose, const FractNode& owner)
{
    if (!row)
        return Check::Fine;
    Check worst = Check::Fine;
    for (const auto& item : row->items) {
        if (item->isFunction() && purpose == SimplifyFor::Window && owner.hasText())
            worst = Check::Unsupported;
        if (item->isRoot() && item->isOpening && item->root && item->root->degree > 9)
            worst = Check::Unsupported;
        if (item->paren && item->paren->exponent) {
            Check inner = checkSimplifiable(*item->paren->exponent, purpose);
            if (inner == Check::Placeholder)
                return inner;
            if (inner != Check::Fine)
                worst = inner;
        }
    }
    return worst;
}

bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || static_cast<unsigned char>(c) >= 0x80;
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Computes the exact value of an expression in the linear notation the
// printer writes: explicit '*', '/' tighter than '*', '^' tightest and
// right-associative, marks written as sqrt(...), root(n,...), functions and
// parentheses.
class Evaluator {
public:
    Evaluator(const SimplifyRequest& request)
        : m_request(request)
    {
    }

    ExactFraction evaluate(std::string_view text)
    {
        std::string_view saved = m_text;
        std::size_t savedPosition = m_position;
        m_text = text;
        m_position = 0;
        ExactFraction value = sum();
        if (!value.failed() && m_position != m_text.size())
            value = ExactFraction::failed(ExactProblem::Unsupported);
        m_text = saved;
        m_position = savedPosition;
        return value;
    }

private:
    bool take(char c)
    {
        if (m_position < m_text.size() && m_text[m_position] == c) {
            ++m_position;
            return true;
        }
        return false;
    }

    ExactFraction sum()
    {
        ExactFraction value = product();
        while (!value.failed() && m_position < m_text.size()) {
            if (take('+'))
                value = value + product();
            else if (take('-'))
                value = value - product();
            else
                break;
        }
        return value;
    }

    ExactFraction product()
    {
        ExactFraction value = quotient();
        while (!value.failed() && take('*'))
            value = value * quotient();
        return value;
    }

    ExactFraction quotient()
    {
        ExactFraction value = signedPower();
        while (!value.failed() && take('/'))
            value = value / signedPower();
        return value;
    }

    ExactFraction signedPower()
    {
        if (take('-'))
            return -signedPower();
        if (++m_depth > kMaxEvaluationDepth)
            return ExactFraction::failed(ExactProblem::TooLarge);
        ExactFraction base = atom();
        if (!base.failed() && take('^')) {
            ExactFraction exponent = signedPower();
            base = power(base, exponent);
        }
        --m_depth;
        return base;
    }

    ExactFraction power(const ExactFraction& base, const ExactFraction& exponent)
    {
        if (exponent.failed())
            return exponent;
        ExactFraction normal = exponent.normalised();
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
        return base.normalised().raised(static_cast<int>(top), static_cast<int>(bottom),
                                        m_request.primes);
    }

    std::string_view word()
    {
        const std::size_t start = m_position;
        while (m_position < m_text.size() &&
               (isLetter(m_text[m_position]) || isDigit(m_text[m_position])))
            ++m_position;
        return m_text.substr(start, m_position - start);
    }

    ExactFraction atom()
    {
        if (m_position >= m_text.size())
            return ExactFraction::failed(ExactProblem::Unsupported);
        const char c = m_text[m_position];
        if (take('(')) {
            ExactFraction value = sum();
            if (!value.failed() && !take(')'))
                return ExactFraction::failed(ExactProblem::Unsupported);
            return value;
        }
        if (isDigit(c) || c == '.') {
            const std::size_t start = m_position;
            while (m_position < m_text.size() &&
                   (isDigit(m_text[m_position]) || m_text[m_position] == '.'))
                ++m_position;
            return ExactFraction::decimal(m_text.substr(start, m_position - start));
        }
        if (!isLetter(c))
            return ExactFraction::failed(ExactProblem::Unsupported);
        std::string name(word());
        if (m_position < m_text.size() && m_text[m_position] == '(')
            return application(name);
        if (name == "i")
            return ExactFraction::imaginary();
        if (name == "pi")
            name = "π";
        return variable(name);
    }

    ExactFraction application(const std::string& name)
    {
        const std::size_t start = m_position - name.size();
        take('(');
        int degree = 0;
        if (name == "sqrt") {
            degree = 2;
        } else if (name == "root") {
            if (m_position >= m_text.size() || !isDigit(m_text[m_position]))
                return ExactFraction::failed(ExactProblem::Unsupported);
            degree = m_text[m_position++] - '0';
            if (!take(','))
                return ExactFraction::failed(ExactProblem::Unsupported);
        } else if (!functionCode(name)) {
            return ExactFraction::failed(ExactProblem::Unsupported);
        }
        ExactFraction argument = sum();
        if (argument.failed())
            return argument;
        if (!take(')'))
            return ExactFraction::failed(ExactProblem::Unsupported);
        if (degree > 9)
            return ExactFraction::failed(ExactProblem::Unsupported);
        ExactFraction normal = argument.normalised();
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
        (void)start;
        // What the exact forms cannot take apart stays one factor, its
        // argument simplified.
        std::string opaque = degree == 0   ? name + "("
                             : degree == 2 ? std::string("sqrt(")
                                           : "root(" + std::to_string(degree) + ",";
        opaque += normal.toText();
        opaque += ')';
        return ExactFraction::name(opaque);
    }

    ExactFraction variable(const std::string& name)
    {
        const VariableTable* table = m_request.variables;
        const int index = table ? table->find(name) : -1;
        if (index < 0 || !table->record(index).value || !table->record(index).enabled ||
            m_expanding.count(name) > 0)
            return ExactFraction::name(name);
        m_expanding.insert(name);
        ExactFraction value = evaluate(printExpressionText(*table->record(index).value));
        m_expanding.erase(name);
        if (value.failed())
            return value;
        return value;
    }

    const SimplifyRequest& m_request;
    std::string_view m_text;
    std::size_t m_position = 0;
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

} // namespace

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
    const Check check = checkSimplifiable(*request.tree, request.purpose);
    if (check == Check::Placeholder)
        tell(result, host, request, {"Error", kWrongCharacterText}, true);
    if (check != Check::Fine) {
        tell(result, host, request, exactProblemMessage(ExactProblem::Unsupported), true);
        return result;
    }

    WorkingTable working = decomposeExpression(*request.tree, request.variables);
    result.definitions = std::move(working.definitions);
    result.mainName = std::move(working.mainName);

    Evaluator evaluator(request);
    ExactFraction value = evaluator.evaluate(printExpressionText(*request.tree));
    if (request.viewMode == kMainExpressionView && !value.failed())
        value = value.normalised();
    if (longIntOverflow()) {
        // The long-number host has shown the message already.
        result.overflow = true;
        tell(result, host, request, {kOverflowCaption, kOverflowText}, false);
        return result;
    }
    if (value.failed()) {
        tell(result, host, request, exactProblemMessage(value.problem()), true);
        return result;
    }
    TextParseResult parsed = parseExpressionText(value.toText(), request.tree->fontHeight);
    if (!parsed.tree) {
        tell(result, host, request, exactProblemMessage(ExactProblem::Unsupported), true);
        return result;
    }
    result.tree = std::move(parsed.tree);
    return result;
}

} // namespace kestrane
