// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"

#include "expressions/expression_build.h"

#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/mark_matching.h"
#include "platform/translation.h"

#include <cctype>
#include <optional>
#include <vector>

namespace kestrane {

namespace {

bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

struct ParseError {
    std::size_t at;
    std::string message; // untranslated, %1 standing for value
    std::string value;
};

// The message with its value in place, untranslated.
std::string filled(std::string_view message, std::string_view value)
{
    std::string text(message);
    if (std::size_t place = text.find("%1"); place != std::string::npos)
        text.replace(place, 2, value);
    return text;
}

class Parser {
public:
    Parser(std::string_view text, int fontHeight) : m_fontHeight(fontHeight)
    {
        // Blanks are dropped up front; columns still count in the original.
        std::size_t column = 1;
        for (std::size_t index = 0; index < text.size(); ++index) {
            char c = text[index];
            bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
                m_text += c;
                m_columns.push_back(column);
            }
            if (!continuation)
                ++column;
        }
        m_columns.push_back(column);
    }

    TextParseResult run()
    {
        TextParseResult result;
        TreePiece tree = TreePiece::whole(top());
        if (!m_error && m_position < m_text.size())
            fail(N_("unexpected '%1'"), std::string(1, m_text[m_position]));
        if (!m_error && tree) {
            if (std::optional<TreeLimitProblem> problem = treeLimitProblem(*tree.node()))
                failAt(0, std::move(problem->message), std::move(problem->value));
        }
        if (m_error) {
            result.errorColumn = m_columns[std::min(m_error->at, m_text.size())];
            result.errorMessage = m_error->message;
            result.errorValue = m_error->value;
            result.error = "column " + std::to_string(result.errorColumn) + ": " +
                           filled(m_error->message, m_error->value);
            return result;
        }
        result.tree = std::move(tree).unchecked(m_fontHeight);
        return result;
    }

private:
    void fail(std::string message, std::string value = {})
    {
        failAt(m_position, std::move(message), std::move(value));
    }
    void failAt(std::size_t at, std::string message, std::string value = {})
    {
        if (!m_error)
            m_error = ParseError{at, std::move(message), std::move(value)};
    }

    char peek(std::size_t ahead = 0) const
    {
        return m_position + ahead < m_text.size() ? m_text[m_position + ahead] : '\0';
    }
    bool accept(char c)
    {
        if (peek() != c)
            return false;
        ++m_position;
        return true;
    }
    bool startsWith(std::string_view word) const
    {
        return std::string_view(m_text).substr(m_position).starts_with(word);
    }

    TreePiece top()
    {
        std::size_t start = m_position;
        std::size_t length = 0;
        while (isLetter(peek(length)) || (length > 0 && isDigit(peek(length))))
            ++length;
        if (length > 0 && peek(length) == '=') {
            TreePiece name = word();
            const FractNode* leaf = name.node();
            if (!leaf || !leaf->hasText() || !isLetter((*leaf->text)[0]) || leaf->symbol ||
                *leaf->text == "i") {
                failAt(start, "only a name may stand before '='");
                return {};
            }
            accept('=');
            TreePiece value = sum(false);
            if (!value)
                return {};
            return TreePiece::operation('=', std::move(name), std::move(value));
        }
        return sum(true);
    }

    TreePiece sum(bool atStart)
    {
        TreePiece first = term(atStart);
        while (first && (peek() == '+' || peek() == '-')) {
            char sign = m_text[m_position++];
            TreePiece next = term(false);
            if (!next)
                return {};
            first = TreePiece::operation(sign, std::move(first), std::move(next));
        }
        return first;
    }

    TreePiece term(bool atStart)
    {
        TreePiece first = quotient(atStart);
        while (first && peek() == '*') {
            ++m_position;
            TreePiece next = quotient(false);
            if (!next)
                return {};
            first = TreePiece::operation('*', std::move(first), std::move(next));
        }
        return first;
    }

    TreePiece quotient(bool atStart)
    {
        TreePiece first = signedPower(atStart);
        while (first && peek() == '/') {
            ++m_position;
            TreePiece next = signedPower(true);
            if (!next)
                return {};
            first = TreePiece::fraction(std::move(first), std::move(next));
        }
        return first;
    }

    TreePiece signedPower(bool minusAllowed)
    {
        if (peek() != '-')
            return power();
        if (!minusAllowed) {
            fail(N_("a minus here needs parentheses, as in 2*(-3)"));
            return {};
        }
        ++m_position;
        if (peek() == '-') {
            fail(N_("a minus may not follow a minus"));
            return {};
        }
        TreePiece operand = power();
        if (!operand)
            return {};
        return TreePiece::negated(std::move(operand));
    }

    TreePiece power()
    {
        TreePiece base = primary();
        if (!base || peek() != '^')
            return base;
        ++m_position;
        if (!enter())
            return {};
        TreePiece exponent = signedPower(true);
        leave();
        if (!exponent)
            return {};
        return TreePiece::power(std::move(base), std::move(exponent));
    }

    // Each level of the text takes half a dozen parser frames, so the text
    // nests less deeply than a tree may: a file of a few thousand
    // parentheses must get its message, not exhaust the stack.
    static constexpr int kMaxTextNesting = 256;

    bool enter()
    {
        if (++m_depth > kMaxTextNesting) {
            fail(N_("the expression nests deeper than %1 levels"), std::to_string(kMaxTextNesting));
            return false;
        }
        return true;
    }
    void leave() { --m_depth; }

    TreePiece primary()
    {
        char c = peek();
        if (c == '(') {
            ++m_position;
            if (!enter())
                return {};
            TreePiece inside = sum(true);
            leave();
            if (!inside)
                return {};
            if (!accept(')')) {
                fail(N_("expected ')'"));
                return {};
            }
            return TreePiece::group(std::move(inside));
        }
        if (c == '?') {
            ++m_position;
            return TreePiece::slot();
        }
        if (isDigit(c))
            return number();
        if (isLetter(c) || static_cast<unsigned char>(c) >= 0x80)
            return word();
        if (c == '\0')
            fail(N_("expected an expression"));
        else if (c == ')')
            fail(N_("expected an expression before ')'"));
        else
            fail(N_("unexpected '%1'"), std::string(1, c));
        return {};
    }

    TreePiece number()
    {
        std::size_t start = m_position;
        bool point = false;
        while (isDigit(peek()) || peek() == '.') {
            if (peek() == '.') {
                if (point) {
                    fail(N_("a number may have only one decimal point"));
                    return {};
                }
                point = true;
            }
            ++m_position;
        }
        if (m_position - start > static_cast<std::size_t>(kMaxTextLength)) {
            failAt(start, N_("a number may not have more than %1 characters"),
                   std::to_string(kMaxTextLength));
            return {};
        }
        return TreePiece::number(m_text.substr(start, m_position - start));
    }

    // The Greek letters and pi as their symbols.
    std::optional<std::string_view> greekLetter()
    {
        static constexpr std::string_view kLetters[] = {"\u03C0", "\u03B1", "\u03B2", "\u03B3",
                                                        "\u03B5"};
        for (std::string_view spelling : kLetters) {
            if (startsWith(spelling)) {
                m_position += spelling.size();
                return spelling;
            }
        }
        return std::nullopt;
    }

    TreePiece word()
    {
        if (std::optional<std::string_view> letter = greekLetter())
            return TreePiece::name(*letter);
        std::size_t start = m_position;
        if (!isLetter(peek())) {
            fail(N_("unexpected character"));
            return {};
        }
        while (isLetter(peek()) || isDigit(peek()))
            ++m_position;
        std::string name = m_text.substr(start, m_position - start);
        if (peek() == '(') {
            if (name == "sqrt") {
                accept('(');
                return argument(
                    [](TreePiece inside) { return TreePiece::root(2, std::move(inside)); });
            }
            if (name == "root")
                return rootCall();
            if (std::optional<int> code = functionCode(name)) {
                accept('(');
                return argument([code = *code](TreePiece inside) {
                    return TreePiece::function(code, std::move(inside));
                });
            }
        }
        if (name != "pi" && name != "i" && name.find_first_of("Ii") != std::string::npos) {
            failAt(start, N_("a name may not contain 'I' or 'i'"));
            return {};
        }
        if (name != "pi" && name.size() > 4) {
            failAt(start, N_("a name may not have more than 4 characters"));
            return {};
        }
        return TreePiece::name(name);
    }

    // After "(": argument ")", enclosed by its marks.
    template<typename Enclose>
    TreePiece argument(Enclose enclose)
    {
        if (!enter())
            return {};
        TreePiece inside = sum(true);
        leave();
        if (!inside)
            return {};
        if (!accept(')')) {
            fail(N_("expected ')'"));
            return {};
        }
        return enclose(std::move(inside));
    }

    TreePiece rootCall()
    {
        accept('(');
        char degree = peek();
        if (degree < '2' || degree > '9' || isDigit(peek(1)) || peek(1) == '.') {
            fail(N_("a root's degree is a digit from 2 to 9"));
            return {};
        }
        m_position += 1;
        if (!accept(',')) {
            fail(N_("expected ',' after the root's degree"));
            return {};
        }
        return argument([degree = degree - '0'](TreePiece inside) {
            return TreePiece::root(degree, std::move(inside));
        });
    }

    std::string m_text;
    std::vector<std::size_t> m_columns;
    std::size_t m_position = 0;
    int m_fontHeight;
    int m_depth = 0;
    std::optional<ParseError> m_error;
};

// Whether the text is one parenthesised group from its first to its last
// character: the reader would take such parentheses as mere grouping.
bool isWholeGroup(std::string_view text)
{
    if (text.size() < 2 || text.front() != '(' || text.back() != ')')
        return false;
    int depth = 0;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] == '(')
            ++depth;
        else if (text[index] == ')' && --depth == 0)
            return index + 1 == text.size();
    }
    return false;
}

int precedence(const FractNode& node)
{
    if (!node.isOperation())
        return node.isFraction() ? 3 : 4;
    switch (node.left->opSign.sign) {
    case '=':
        return 0;
    case '*':
        return 2;
    default:
        return 1;
    }
}

// Prints into one growing text, so that a long expression is copied once.
class Printer {
public:
    explicit Printer(std::string& out) : m_out(out) {}

    void print(const FractNode& node, bool atStart)
    {
        bool powered = node.exponent && (node.isOperation() || node.isFraction());
        std::size_t start = m_out.size();
        if (node.isOperation())
            operation(node, atStart);
        else if (node.isFraction())
            fraction(node, atStart);
        else
            leaf(node);
        if (powered) {
            m_out.insert(start, 1, '(');
            m_out += ")^";
            exponent(*node.exponent);
        }
    }

    void exponent(const FractNode& node)
    {
        part(node, true, node.markSpan == 0 && !node.hasText());
    }

private:
    void grouped(const FractNode& node, bool atStart, bool needsGroup)
    {
        if (!needsGroup) {
            print(node, atStart);
            return;
        }
        m_out += '(';
        print(node, true);
        m_out += ')';
    }

    void operation(const FractNode& node, bool atStart)
    {
        char sign = node.left->opSign.sign;
        int own = precedence(node);
        const FractNode& left = *node.left;
        const FractNode& right = *node.right;
        bool groupLeft = left.markSpan == 0 && precedence(left) < own;
        bool groupRight = right.markSpan == 0 && precedence(right) <= own && own > 0;
        grouped(left, atStart, groupLeft);
        m_out += sign;
        std::size_t start = m_out.size();
        grouped(right, false, groupRight);
        if (!groupRight && m_out.compare(start, 1, "-") == 0) {
            m_out.resize(start);
            grouped(right, true, true);
        }
    }

    // A numerator, denominator or exponent: parentheses around it only group,
    // so a part that prints as one group of marks gets one more pair.
    void part(const FractNode& node, bool atStart, bool needsGroup)
    {
        std::size_t start = m_out.size();
        if (needsGroup) {
            grouped(node, atStart, true);
            return;
        }
        print(node, atStart);
        std::string_view text = std::string_view(m_out).substr(start);
        if (isWholeGroup(text) || (!atStart && text.starts_with('-'))) {
            m_out.resize(start);
            grouped(node, true, true);
        }
    }

    void fraction(const FractNode& node, bool atStart)
    {
        const FractNode& numerator = *node.numerator;
        const FractNode& denominator = *node.denominator;
        openMarks(node);
        bool inside = node.hasOpenMarks();
        part(numerator, atStart || inside, numerator.markSpan == 0 && numerator.isOperation());
        m_out += '/';
        part(denominator, true, denominator.markSpan == 0 && !denominator.hasText());
        closeMarks(node);
    }

    void openMarks(const FractNode& node)
    {
        if (!node.openRow)
            return;
        bool mirrored = signContext(node).role == NodeRole::RightOperand;
        for (int index = 0; index < node.openRow->count(); ++index) {
            const MarkItem& item = *node.openRow->items[static_cast<std::size_t>(index)];
            if (item.signBefore == '-' && !(index == 0 && mirrored))
                m_out += '-';
            if (item.paren && item.paren->sign2 == '-')
                m_out += '-';
            if (item.root) {
                if (item.root->degree == 2)
                    m_out += "sqrt(";
                else
                    m_out += "root(" + std::to_string(item.root->degree) + ",";
            } else if (item.function) {
                m_out += functionName(item.function->code);
                m_out += '(';
            } else {
                m_out += '(';
            }
        }
    }

    void closeMarks(const FractNode& node)
    {
        if (!node.closeRow)
            return;
        for (const auto& item : node.closeRow->items) {
            m_out += ')';
            if (item->paren && item->paren->exponent) {
                m_out += '^';
                exponent(*item->paren->exponent);
            }
        }
    }

    void leaf(const FractNode& node)
    {
        openMarks(node);
        if (node.numberSign.sign == '-' && node.hasText() && drawsLeadingSign(node))
            m_out += '-';
        if (!node.hasText() || node.isSlot())
            m_out += '?';
        else if (node.symbol && *node.text == "p")
            m_out += "pi";
        else
            m_out += displayText(node);
        if (node.exponent) {
            m_out += '^';
            exponent(*node.exponent);
        }
        closeMarks(node);
    }

    std::string& m_out;
};

} // namespace

std::string printExponentText(const FractNode& exponent)
{
    // The exponent's own marks are spanned with the expression it is part of.
    std::string text;
    Printer(text).exponent(exponent);
    return text;
}

TextParseResult parseExpressionText(std::string_view text, int fontHeight)
{
    return Parser(text, fontHeight).run();
}

std::string translatedError(const TextParseResult& result)
{
    return translateFilled(N_("column %1: %2"),
                           {std::to_string(result.errorColumn),
                            translateFilled(result.errorMessage, {result.errorValue})});
}

std::string printExpressionText(const FractNode& tree)
{
    // Mark spans are derived layout fields; the printer needs them to know
    // which subtrees their marks already delimit.
    computeMarkSpans(const_cast<FractNode&>(tree));
    std::string text;
    Printer(text).print(tree, true);
    return text;
}

} // namespace kestrane
