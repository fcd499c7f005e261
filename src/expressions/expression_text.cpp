// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"

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

// A parsed piece: a bare group is a parenthesised expression whose
// parentheses become marks unless it turns out to be a whole numerator,
// denominator or exponent.
struct Unit {
    std::unique_ptr<FractNode> node;
    bool bareGroup = false;
};

struct ParseError {
    std::size_t at;
    std::string message;
};

void wrapInMarks(FractNode& node, std::unique_ptr<MarkItem> opening,
                 std::unique_ptr<MarkItem> closing)
{
    leftmostLeaf(node).ensureOpenRow().insert(0, std::move(opening));
    MarkRow& row = rightmostLeaf(node).ensureCloseRow();
    row.append(std::move(closing));
}

void applyMinus(FractNode& node)
{
    FractNode& leaf = leftmostLeaf(node);
    if (leaf.hasOpenMarks())
        leaf.openRow->items.front()->signBefore = '-';
    else if (leaf.isFraction())
        applyMinus(*leaf.numerator);
    else
        leaf.numberSign.sign = '-';
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
        std::unique_ptr<FractNode> tree = top();
        if (!m_error && m_position < m_text.size())
            fail(translate("unexpected '") + std::string(1, m_text[m_position]) + "'");
        if (!m_error && tree)
            checkLimits(*tree);
        if (m_error) {
            result.error = "column " +
                           std::to_string(m_columns[std::min(m_error->at, m_text.size())]) + ": " +
                           m_error->message;
            return result;
        }
        tree->fontHeight = m_fontHeight;
        fixUp(*tree);
        matchMarks(*tree);
        result.tree = std::move(tree);
        return result;
    }

private:
    void fail(std::string message) { failAt(m_position, std::move(message)); }
    void failAt(std::size_t at, std::string message)
    {
        if (!m_error)
            m_error = ParseError{at, std::move(message)};
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

    void checkLimits(const FractNode& tree)
    {
        if (treeDepth(tree) > kMaxNesting) {
            failAt(0,
                   "the expression nests deeper than " + std::to_string(kMaxNesting) + " levels");
            return;
        }
        std::vector<const FractNode*> pending{&tree};
        while (!pending.empty()) {
            const FractNode* node = pending.back();
            pending.pop_back();
            for (const auto* row : {node->openRow.get(), node->closeRow.get()}) {
                if (!row)
                    continue;
                if (row->count() > kMaxRowMarks) {
                    failAt(0, "more than " + std::to_string(kMaxRowMarks) +
                                  " marks stand at one number");
                    return;
                }
                for (const auto& item : row->items) {
                    if (item->paren && item->paren->exponent)
                        pending.push_back(item->paren->exponent.get());
                }
            }
            for (const auto* child : {&node->left, &node->right, &node->numerator,
                                      &node->denominator, &node->exponent}) {
                if (*child)
                    pending.push_back(child->get());
            }
        }
    }

    std::unique_ptr<FractNode> materialize(Unit unit)
    {
        if (unit.node && unit.bareGroup)
            wrapInMarks(*unit.node, MarkItem::makeParen(true), MarkItem::makeParen(false));
        return std::move(unit.node);
    }

    std::unique_ptr<FractNode> top()
    {
        std::size_t start = m_position;
        std::size_t length = 0;
        while (isLetter(peek(length)) || (length > 0 && isDigit(peek(length))))
            ++length;
        if (length > 0 && peek(length) == '=') {
            std::unique_ptr<FractNode> name = word();
            if (!name || !name->hasText() || !isLetter((*name->text)[0]) || name->symbol ||
                *name->text == "i") {
                failAt(start, "only a name may stand before '='");
                return nullptr;
            }
            accept('=');
            std::unique_ptr<FractNode> value = materialize(sum(false));
            if (!value)
                return nullptr;
            return FractNode::makeOperation('=', std::move(name), std::move(value));
        }
        return materialize(sum(true));
    }

    Unit sum(bool atStart)
    {
        Unit first = term(atStart);
        while (first.node && (peek() == '+' || peek() == '-')) {
            char sign = m_text[m_position++];
            Unit next = term(false);
            if (!next.node)
                return {};
            first = Unit{FractNode::makeOperation(sign, materialize(std::move(first)),
                                                  materialize(std::move(next)))};
        }
        return first;
    }

    Unit term(bool atStart)
    {
        Unit first = quotient(atStart);
        while (first.node && peek() == '*') {
            ++m_position;
            Unit next = quotient(false);
            if (!next.node)
                return {};
            first = Unit{FractNode::makeOperation('*', materialize(std::move(first)),
                                                  materialize(std::move(next)))};
        }
        return first;
    }

    Unit quotient(bool atStart)
    {
        Unit first = signedPower(atStart);
        while (first.node && peek() == '/') {
            ++m_position;
            Unit next = signedPower(true);
            if (!next.node)
                return {};
            first = Unit{FractNode::makeFraction(std::move(first.node), std::move(next.node))};
        }
        return first;
    }

    Unit signedPower(bool minusAllowed)
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
        std::unique_ptr<FractNode> node = materialize(power());
        if (node)
            applyMinus(*node);
        return Unit{std::move(node)};
    }

    Unit power()
    {
        Unit base = primary();
        if (!base.node || peek() != '^')
            return base;
        ++m_position;
        if (!enter())
            return {};
        Unit exponent = signedPower(true);
        leave();
        if (!exponent.node)
            return {};
        std::unique_ptr<FractNode> node = std::move(base.node);
        bool plainLeaf =
            !base.bareGroup && node->hasText() && !node->hasOpenMarks() && !node->exponent;
        if (plainLeaf) {
            node->exponent = std::move(exponent.node);
            return Unit{std::move(node)};
        }
        // Anything else takes its exponent on a closing parenthesis.
        auto closing = MarkItem::makeParen(false);
        closing->paren->exponent = std::move(exponent.node);
        wrapInMarks(*node, MarkItem::makeParen(true), std::move(closing));
        return Unit{std::move(node)};
    }

    // Each level of the text takes half a dozen parser frames, so the text
    // nests less deeply than a tree may: a file of a few thousand
    // parentheses must get its message, not exhaust the stack.
    static constexpr int kMaxTextNesting = 256;

    bool enter()
    {
        if (++m_depth > kMaxTextNesting) {
            fail(translate("the expression nests deeper than ") + std::to_string(kMaxTextNesting) +
                 translate(" levels"));
            return false;
        }
        return true;
    }
    void leave() { --m_depth; }

    Unit primary()
    {
        char c = peek();
        if (c == '(') {
            ++m_position;
            if (!enter())
                return {};
            std::unique_ptr<FractNode> inside = materialize(sum(true));
            leave();
            if (!inside)
                return {};
            if (!accept(')')) {
                fail(N_("expected ')'"));
                return {};
            }
            return Unit{std::move(inside), true};
        }
        if (c == '?') {
            ++m_position;
            return Unit{FractNode::makeSlot()};
        }
        if (isDigit(c))
            return Unit{number()};
        if (isLetter(c) || static_cast<unsigned char>(c) >= 0x80)
            return Unit{word()};
        if (c == '\0')
            fail(N_("expected an expression"));
        else if (c == ')')
            fail(N_("expected an expression before ')'"));
        else
            fail(translate("unexpected '") + std::string(1, c) + "'");
        return {};
    }

    std::unique_ptr<FractNode> number()
    {
        std::size_t start = m_position;
        bool point = false;
        while (isDigit(peek()) || peek() == '.') {
            if (peek() == '.') {
                if (point) {
                    fail(N_("a number may have only one decimal point"));
                    return nullptr;
                }
                point = true;
            }
            ++m_position;
        }
        if (m_position - start > static_cast<std::size_t>(kMaxTextLength)) {
            failAt(start, "a number may not have more than " + std::to_string(kMaxTextLength) +
                              " characters");
            return nullptr;
        }
        return FractNode::makeLeaf(m_text.substr(start, m_position - start));
    }

    std::optional<char> greekLetter()
    {
        static constexpr std::pair<std::string_view, char> kLetters[] = {
            {"\u03C0", 'p'}, {"\u03B1", 'a'}, {"\u03B2", 'b'}, {"\u03B3", 'c'}, {"\u03B5", 'e'}};
        for (auto [spelling, symbol] : kLetters) {
            if (startsWith(spelling)) {
                m_position += spelling.size();
                return symbol;
            }
        }
        return std::nullopt;
    }

    std::unique_ptr<FractNode> word()
    {
        if (std::optional<char> symbol = greekLetter())
            return FractNode::makeLeaf(std::string(1, *symbol), true);
        std::size_t start = m_position;
        if (!isLetter(peek())) {
            fail(N_("unexpected character"));
            return nullptr;
        }
        while (isLetter(peek()) || isDigit(peek()))
            ++m_position;
        std::string name = m_text.substr(start, m_position - start);
        if (peek() == '(') {
            if (name == "sqrt")
                return call(MarkItem::makeRoot(true), MarkItem::makeRoot(false));
            if (name == "root")
                return rootCall();
            if (std::optional<int> code = functionCode(name))
                return call(MarkItem::makeFunction(true, *code),
                            MarkItem::makeFunction(false, *code));
        }
        if (name == "pi")
            return FractNode::makeLeaf("p", true);
        if (name == "i")
            return FractNode::makeLeaf("i");
        if (name.find_first_of("Ii") != std::string::npos) {
            failAt(start, "a name may not contain 'I' or 'i'");
            return nullptr;
        }
        if (name.size() > 4) {
            failAt(start, "a name may not have more than 4 characters");
            return nullptr;
        }
        return FractNode::makeLeaf(name);
    }

    // After the name: "(" argument ")".
    std::unique_ptr<FractNode> call(std::unique_ptr<MarkItem> opening,
                                    std::unique_ptr<MarkItem> closing)
    {
        accept('(');
        return argument(std::move(opening), std::move(closing));
    }

    std::unique_ptr<FractNode> argument(std::unique_ptr<MarkItem> opening,
                                        std::unique_ptr<MarkItem> closing)
    {
        if (!enter())
            return nullptr;
        std::unique_ptr<FractNode> inside = materialize(sum(true));
        leave();
        if (!inside)
            return nullptr;
        if (!accept(')')) {
            fail(N_("expected ')'"));
            return nullptr;
        }
        wrapInMarks(*inside, std::move(opening), std::move(closing));
        return inside;
    }

    std::unique_ptr<FractNode> rootCall()
    {
        accept('(');
        char degree = peek();
        if (degree < '2' || degree > '9' || isDigit(peek(1)) || peek(1) == '.') {
            fail(N_("a root's degree is a digit from 2 to 9"));
            return nullptr;
        }
        m_position += 1;
        if (!accept(',')) {
            fail(N_("expected ',' after the root's degree"));
            return nullptr;
        }
        return argument(MarkItem::makeRoot(true, degree - '0'), MarkItem::makeRoot(false));
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
