// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/long_eval.h"

#include "fractions/expression_text.h"
#include "fractions/fract_node.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <cctype>
#include <cmath>
#include <set>
#include <string_view>

namespace kestrane {

namespace {

constexpr int kMaxNameDepth = 64;
constexpr std::int64_t kMaxRepeatedExponent = 1000000000;

// Passes every box on to the window's host and remembers that one was shown.
class GuardHost final : public Host {
public:
    explicit GuardHost(Host& inner) : m_inner(inner) {}
    using Host::message;
    MessageAnswer message(const MessageRequest& request) override
    {
        ++m_count;
        return m_inner.message(request);
    }
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& r) override
    {
        return m_inner.chooseFileToOpen(r);
    }
    std::optional<std::string> chooseFileToSave(const FileDialogRequest& r) override
    {
        return m_inner.chooseFileToSave(r);
    }
    std::optional<FontChoice> chooseFont(const FontChoice& c) override
    {
        return m_inner.chooseFont(c);
    }
    std::optional<ColorRef> chooseColour(ColorRef c) override { return m_inner.chooseColour(c); }
    DialogResult runModal(ModalDialog& d) override { return m_inner.runModal(d); }
    void showHelp(const std::string& page) override { m_inner.showHelp(page); }
    int count() const { return m_count; }

private:
    Host& m_inner;
    int m_count = 0;
};

bool isLetter(unsigned char c)
{
    return std::isalpha(c) != 0;
}

bool isDigit(unsigned char c)
{
    return std::isdigit(c) != 0;
}

BoundedComplex realValue(BoundedLong re)
{
    return BoundedComplex{std::move(re), BoundedLong{}};
}

BoundedComplex negated(BoundedComplex value)
{
    LongNegate(value.re.value);
    LongNegate(value.im.value);
    return value;
}

// Reads the canonical notation of a tree and computes as it reads: the
// notation is the one faithful linear form of the tree's marks, signs and
// nesting, so that the evaluator needs no second walk over mark rows.
class Evaluator {
public:
    Evaluator(const LongVariables& variables, NumberField field, GuardHost& host,
              int integerWordLimit)
        : m_variables(variables)
        , m_field(field)
        , m_host(host)
        , m_arithmetic(integerWordLimit)
    {
    }

    std::optional<BoundedComplex> run(std::string_view text)
    {
        // name=value: the value is what is computed.
        if (std::size_t equals = text.find('='); equals != std::string_view::npos)
            text.remove_prefix(equals + 1);
        BoundedComplex value = evaluateText(text);
        if (failed())
            return std::nullopt;
        return value;
    }

private:
    struct Cursor {
        std::string_view text;
        std::size_t position = 0;
    };

    // A value past the integer words is refused with its message here, once.
    bool failed()
    {
        if (m_arithmetic.overflowed() && !m_failed && m_host.count() == 0)
            fail(N_("Error."), kTooLargeText);
        return m_failed || m_host.count() > 0;
    }

    BoundedComplex fail(const char* caption, const std::string& text)
    {
        if (!m_failed && m_host.count() == 0)
            m_host.message(caption, text, MessageButtons::Ok, MessageIcon::Information);
        m_failed = true;
        return BoundedComplex{};
    }

    bool complex() const { return m_field == NumberField::Complex; }

    BoundedComplex evaluateText(std::string_view text)
    {
        Cursor cursor{text, 0};
        Cursor* previous = m_cursor;
        m_cursor = &cursor;
        BoundedComplex value = sum();
        if (!failed()) {
            skipBlanks();
            if (m_cursor->position != text.size())
                fail(N_("Error."), N_("The expression cannot be read."));
        }
        m_cursor = previous;
        return value;
    }

    // --- reading ---------------------------------------------------------------

    void skipBlanks()
    {
        while (m_cursor->position < m_cursor->text.size() &&
               m_cursor->text[m_cursor->position] == ' ')
            ++m_cursor->position;
    }

    char peek()
    {
        skipBlanks();
        return m_cursor->position < m_cursor->text.size() ? m_cursor->text[m_cursor->position]
                                                          : '\0';
    }

    bool accept(char c)
    {
        if (peek() != c)
            return false;
        ++m_cursor->position;
        return true;
    }

    void expect(char c)
    {
        if (!failed() && !accept(c))
            fail(N_("Error."), N_("The expression cannot be read."));
    }

    // --- grammar: sum > product > fraction > signed > power > primary ------------

    BoundedComplex sum()
    {
        BoundedComplex value = product();
        while (!failed()) {
            if (accept('+'))
                value = m_arithmetic.add(value, product());
            else if (accept('-'))
                value = m_arithmetic.subtract(value, product());
            else
                break;
        }
        return value;
    }

    BoundedComplex product()
    {
        BoundedComplex value = quotient();
        while (!failed() && accept('*'))
            value = m_arithmetic.multiply(value, quotient());
        return value;
    }

    BoundedComplex quotient()
    {
        BoundedComplex value = signedValue();
        while (!failed() && accept('/'))
            value = m_arithmetic.divide(value, signedValue());
        return value;
    }

    BoundedComplex signedValue()
    {
        if (accept('-'))
            return negated(signedValue());
        return power();
    }

    BoundedComplex power()
    {
        BoundedComplex base = primary();
        if (failed() || !accept('^'))
            return base;
        BoundedComplex exponent = signedValue();
        if (failed())
            return base;
        return raise(base, exponent);
    }

    BoundedComplex primary()
    {
        if (++m_depth > kMaxNesting)
            return fail(N_("Error."), N_("The expression is nested too deeply."));
        BoundedComplex value = primaryValue();
        --m_depth;
        return value;
    }

    BoundedComplex primaryValue()
    {
        char c = peek();
        if (c == '(') {
            ++m_cursor->position;
            BoundedComplex value = sum();
            expect(')');
            return value;
        }
        if (c == '?')
            return fail(N_("Error."), N_("The expression has an empty place."));
        if (isDigit(static_cast<unsigned char>(c)) || c == '.')
            return number();
        std::string name = readName();
        if (name.empty())
            return fail(N_("Error."), N_("The expression cannot be read."));
        if (peek() == '(' && (functionCode(name) || name == "sqrt" || name == "root"))
            return function(name);
        return named(name);
    }

    std::string readName()
    {
        std::string_view text = m_cursor->text;
        std::size_t start = m_cursor->position;
        std::size_t& position = m_cursor->position;
        if (position < text.size() && static_cast<unsigned char>(text[position]) >= 0x80) {
            // One letter of two UTF-8 bytes: π and the Greek symbols.
            position = std::min(text.size(), position + 2);
            return std::string(text.substr(start, position - start));
        }
        while (position < text.size() && (isLetter(static_cast<unsigned char>(text[position])) ||
                                          isDigit(static_cast<unsigned char>(text[position]))))
            ++position;
        return std::string(text.substr(start, position - start));
    }

    BoundedComplex number()
    {
        std::string_view text = m_cursor->text;
        std::size_t start = m_cursor->position;
        std::size_t& position = m_cursor->position;
        while (position < text.size() &&
               (isDigit(static_cast<unsigned char>(text[position])) || text[position] == '.'))
            ++position;
        return realValue(m_arithmetic.number(text.substr(start, position - start)));
    }

    BoundedComplex named(const std::string& name)
    {
        if (name == "pi" || name == "\u03C0")
            return realValue(m_arithmetic.pi());
        if (name == "i") {
            if (!complex())
                return fail(N_("Error."), N_("The imaginary unit i needs complex numbers."));
            return BoundedComplex{BoundedLong{}, m_arithmetic.integer(1)};
        }
        auto found = m_variables.find(name);
        if (found == m_variables.end() || found->second == nullptr)
            return fail(translate("Error."),
                        translate("Variable ") + name + translate(" is not defined."));
        if (m_active.contains(name) || static_cast<int>(m_active.size()) >= kMaxNameDepth)
            return fail(translate("Error."),
                        translate("Variable ") + name + translate(" is defined by itself."));
        m_active.insert(name);
        BoundedComplex value = evaluateText(printExpressionText(*found->second));
        m_active.erase(name);
        return value;
    }

    BoundedComplex function(const std::string& name)
    {
        expect('(');
        int degree = 2;
        if (name == "root") {
            char c = peek();
            if (c < '2' || c > '9')
                return fail(N_("Error."), N_("The expression cannot be read."));
            degree = c - '0';
            ++m_cursor->position;
            expect(',');
        }
        BoundedComplex argument = sum();
        expect(')');
        if (failed())
            return argument;
        if (name == "sqrt" || name == "root")
            return root(argument, degree);
        return complex() ? complexFunction(*functionCode(name), argument)
                         : realValue(realFunction(*functionCode(name), argument.re));
    }

    // --- powers -----------------------------------------------------------------

    static bool isSmallInteger(const BoundedLong& value)
    {
        if (LongHasFraction(value.value))
            return false;
        int integerWords = longIntegerWords();
        for (int index = 0; index < integerWords - 3; ++index)
            if (value.value[index] != 0)
                return false;
        return true;
    }

    static std::int64_t toInteger(const LongNum& value)
    {
        std::int64_t result = 0;
        for (int index = 0; index < longIntegerWords(); ++index)
            result = result * kLongBase + value[index];
        return result;
    }

    BoundedComplex one() { return realValue(m_arithmetic.integer(1)); }

    // Integer exponents multiply exactly (2^10 is 1024, not exp(10 ln 2)).
    BoundedComplex integerPower(const BoundedComplex& base, std::int64_t exponent)
    {
        BoundedComplex result = one();
        BoundedComplex square = base;
        for (std::int64_t rest = exponent; rest > 0 && !failed(); rest /= 2) {
            if (rest % 2 == 1)
                result = m_arithmetic.multiply(result, square);
            if (rest > 1)
                square = m_arithmetic.multiply(square, square);
        }
        return result;
    }

    // Whether |base|^exponent passes the integer words: then its reciprocal
    // is taken first, so that a tiny result is not refused for the size of
    // the power it is the reciprocal of.
    bool powerPastLimit(const BoundedComplex& base, std::int64_t exponent) const
    {
        ErrorBound size = ErrorBound::above(base.re.value) + ErrorBound::above(base.im.value);
        double limit = 3 * m_arithmetic.integerWordLimit() * std::log2(10.0);
        return size.log2() * static_cast<double>(exponent) > limit;
    }

    BoundedComplex raise(const BoundedComplex& base, const BoundedComplex& exponent)
    {
        bool realExponent = exponent.isReal() || LongIsZero(exponent.im.value);
        bool exact = exponent.re.error.isZero() && exponent.im.error.isZero();
        bool negativeBase = base.isReal() && base.re.value.isNegative();
        // An integer exponent is taken as exact when no other reading of it
        // gives a real power of a negative number.
        if (realExponent && isSmallInteger(exponent.re) &&
            toInteger(exponent.re.value) <= kMaxRepeatedExponent &&
            (exact || (negativeBase && !complex()))) {
            std::int64_t magnitude = toInteger(exponent.re.value);
            if (!exponent.re.value.isNegative() || magnitude == 0)
                return integerPower(base, magnitude);
            if (powerPastLimit(base, magnitude))
                return integerPower(m_arithmetic.divide(one(), base), magnitude);
            return m_arithmetic.divide(one(), integerPower(base, magnitude));
        }
        if (LongIsZero(base.re.value) && LongIsZero(base.im.value)) {
            if (exponent.re.value.isNegative())
                return m_arithmetic.divide(one(), base);
            // 0^e with e > 0: within E^e of zero for an inexact base.
            ErrorBound error = base.re.error + base.im.error;
            if (!error.isZero())
                error = exponent.isReal() ? error.power(LongToDouble(exponent.re.value))
                                          : ErrorBound::unbounded();
            return BoundedComplex{BoundedLong{LongNum(), error}, BoundedLong{LongNum(), error}};
        }
        if (!complex()) {
            if (base.re.value.isNegative())
                return fail(N_("Error"), kNegativePowerText);
            BoundedLong logarithm;
            if (!m_arithmetic.ln(base.re, logarithm))
                return BoundedComplex{};
            return realValue(m_arithmetic.exp(m_arithmetic.multiply(exponent.re, logarithm)));
        }
        BoundedComplex logarithm;
        if (!m_arithmetic.ln(base, logarithm))
            return BoundedComplex{};
        return m_arithmetic.exp(m_arithmetic.multiply(exponent, logarithm));
    }

    // --- roots and functions ------------------------------------------------------

    BoundedComplex root(const BoundedComplex& value, int degree)
    {
        if (complex())
            return m_arithmetic.root(value, degree);
        return realValue(m_arithmetic.root(value.re, degree));
    }

    BoundedLong realFunction(int code, const BoundedLong& x)
    {
        switch (code) {
        case 200:
            return m_arithmetic.exp(x);
        case 201: {
            BoundedLong out;
            m_arithmetic.ln(x, out);
            return out;
        }
        case 202:
            return m_arithmetic.sin(x);
        case 203:
            return m_arithmetic.cos(x);
        case 204:
            return m_arithmetic.tan(x);
        case 205:
            return m_arithmetic.cot(x);
        case 207:
            return m_arithmetic.arccos(x);
        case 208:
            return m_arithmetic.arctan(x);
        case 209:
            return m_arithmetic.arccot(x);
        case 210:
            return m_arithmetic.arcsin(x);
        default:
            fail(N_("Error."), N_("Unknown function."));
            return BoundedLong{};
        }
    }

    BoundedComplex complexFunction(int code, const BoundedComplex& z)
    {
        switch (code) {
        case 200:
            return m_arithmetic.exp(z);
        case 201: {
            BoundedComplex out;
            m_arithmetic.ln(z, out);
            return out;
        }
        case 202:
            return m_arithmetic.sin(z);
        case 203:
            return m_arithmetic.cos(z);
        case 204:
            return m_arithmetic.tan(z);
        case 205:
            return m_arithmetic.cot(z);
        case 207:
            return m_arithmetic.arccos(z);
        case 208:
            return m_arithmetic.arctan(z);
        case 209:
            return m_arithmetic.arccot(z);
        case 210:
            return m_arithmetic.arcsin(z);
        default:
            return fail(N_("Error."), N_("Unknown function."));
        }
    }

    const LongVariables& m_variables;
    NumberField m_field;
    GuardHost& m_host;
    BoundedArithmetic m_arithmetic;
    Cursor* m_cursor = nullptr;
    std::set<std::string> m_active;
    int m_depth = 0;
    bool m_failed = false;
};

// Routes the long-number functions' boxes through the guard for one
// evaluation.
class LongHostScope {
public:
    explicit LongHostScope(Host* host) : m_previous(longNumHost()) { setLongNumHost(host); }
    ~LongHostScope() { setLongNumHost(m_previous); }
    LongHostScope(const LongHostScope&) = delete;
    LongHostScope& operator=(const LongHostScope&) = delete;

private:
    Host* m_previous;
};

bool isNameStartCharacter(unsigned char c)
{
    return std::isalpha(c) != 0 || c >= 0x80;
}

// The next name of a notation text from `position` on, or empty at the end.
std::string nextName(const std::string& text, std::size_t& position, bool& emptyPlace)
{
    while (position < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[position]);
        if (c == '?')
            emptyPlace = true;
        if (isNameStartCharacter(c))
            break;
        ++position;
    }
    std::size_t start = position;
    if (position < text.size() && static_cast<unsigned char>(text[position]) >= 0x80) {
        position = std::min(text.size(), position + 2);
    } else {
        while (position < text.size() &&
               std::isalnum(static_cast<unsigned char>(text[position])) != 0)
            ++position;
    }
    return text.substr(start, position - start);
}

} // namespace

ExpressionNames expressionNames(const FractNode& tree)
{
    ExpressionNames found;
    std::string text = printExpressionText(tree);
    std::size_t position = 0;
    while (position < text.size()) {
        std::string name = nextName(text, position, found.emptyPlace);
        if (name.empty())
            break;
        bool called = position < text.size() && text[position] == '(';
        if (called && (functionCode(name) || name == "sqrt" || name == "root"))
            continue;
        if (name == "pi" || name == "\u03C0")
            continue;
        if (name == "i")
            found.usesI = true;
        else
            found.names.push_back(name);
    }
    return found;
}

std::optional<BoundedComplex> evaluateLongBounded(const std::string& text,
                                                  const LongVariables& variables, NumberField field,
                                                  Host& host, int integerWordLimit)
{
    GuardHost guard(host);
    LongHostScope scope(&guard);
    return Evaluator(variables, field, guard, integerWordLimit).run(text);
}

std::optional<LongComplex> evaluateLongText(const std::string& text, const LongVariables& variables,
                                            NumberField field, Host& host)
{
    auto value = evaluateLongBounded(text, variables, field, host, longIntegerWords() - 1);
    if (!value)
        return std::nullopt;
    return LongComplex{value->re.value, value->im.value};
}

std::optional<LongComplex> evaluateLong(const FractNode& tree, const LongVariables& variables,
                                        NumberField field, Host& host)
{
    return evaluateLongText(printExpressionText(tree), variables, field, host);
}

} // namespace kestrane
