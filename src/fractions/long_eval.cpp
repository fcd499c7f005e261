// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/long_eval.h"

#include "fractions/expression_text.h"
#include "fractions/fract_node.h"
#include "platform/host.h"

#include <cctype>
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

// Number of integer words in use (0 for a value below one).
int integerWordsUsed(const LongNum& a)
{
    int integerWords = longIntegerWords();
    for (int index = 0; index < integerWords; ++index)
        if (a[index] != 0)
            return integerWords - index;
    return 0;
}

// How many integer words dividing by |b| can add: the place of b's first
// nonzero fraction word when |b| < 1.
int quotientGrowth(const LongNum& b)
{
    if (integerWordsUsed(b) > 0)
        return 0;
    for (int index = longIntegerWords(); index < b.wordCount(); ++index)
        if (b[index] != 0)
            return index - longIntegerWords() + 1;
    return 0;
}

LongComplex realValue(const LongNum& re)
{
    return LongComplex{re, LongNum()};
}

bool isLetter(unsigned char c)
{
    return std::isalpha(c) != 0;
}

bool isDigit(unsigned char c)
{
    return std::isdigit(c) != 0;
}

// Reads the canonical notation of a tree and computes as it reads: the
// notation is the one faithful linear form of the tree's marks, signs and
// nesting, so that the evaluator needs no second walk over mark rows.
class Evaluator {
public:
    Evaluator(const LongVariables& variables, NumberField field, GuardHost& host)
        : m_variables(variables)
        , m_field(field)
        , m_host(host)
    {
    }

    std::optional<LongComplex> run(std::string_view text)
    {
        // name=value: the value is what is computed.
        if (std::size_t equals = text.find('='); equals != std::string_view::npos)
            text.remove_prefix(equals + 1);
        LongComplex value = evaluateText(text);
        if (failed())
            return std::nullopt;
        return value;
    }

private:
    struct Cursor {
        std::string_view text;
        std::size_t position = 0;
    };

    bool failed() const { return m_failed || m_host.count() > 0; }

    LongComplex fail(const char* caption, const std::string& text)
    {
        if (!failed())
            m_host.message(caption, text, MessageButtons::Ok, MessageIcon::Information);
        m_failed = true;
        return LongComplex{};
    }

    LongComplex tooLarge() { return fail("Error.", kTooLargeText); }

    bool complex() const { return m_field == NumberField::Complex; }

    LongComplex evaluateText(std::string_view text)
    {
        Cursor cursor{text, 0};
        Cursor* previous = m_cursor;
        m_cursor = &cursor;
        LongComplex value = sum();
        if (!failed()) {
            skipBlanks();
            if (!failed() && m_cursor->position != text.size())
                fail("Error.", "The expression cannot be read.");
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
            fail("Error.", "The expression cannot be read.");
    }

    // --- grammar: sum > product > fraction > signed > power > primary ------------

    LongComplex sum()
    {
        LongComplex value = product();
        while (!failed()) {
            if (accept('+'))
                value = add(value, product(), false);
            else if (accept('-'))
                value = add(value, product(), true);
            else
                break;
        }
        return value;
    }

    LongComplex product()
    {
        LongComplex value = quotient();
        while (!failed() && accept('*'))
            value = multiply(value, quotient());
        return value;
    }

    LongComplex quotient()
    {
        LongComplex value = signedValue();
        while (!failed() && accept('/'))
            value = divide(value, signedValue());
        return value;
    }

    LongComplex signedValue()
    {
        if (accept('-')) {
            LongComplex value = signedValue();
            LongNegate(value.re);
            LongNegate(value.im);
            return value;
        }
        return power();
    }

    LongComplex power()
    {
        LongComplex base = primary();
        if (failed() || !accept('^'))
            return base;
        LongComplex exponent = signedValue();
        if (failed())
            return base;
        return raise(base, exponent);
    }

    LongComplex primary()
    {
        if (++m_depth > kMaxNesting)
            return fail("Error.", "The expression is nested too deeply.");
        LongComplex value = primaryValue();
        --m_depth;
        return value;
    }

    LongComplex primaryValue()
    {
        char c = peek();
        if (c == '(') {
            ++m_cursor->position;
            LongComplex value = sum();
            expect(')');
            return value;
        }
        if (c == '?')
            return fail("Error.", "The expression has an empty place.");
        if (isDigit(static_cast<unsigned char>(c)) || c == '.')
            return number();
        std::string name = readName();
        if (name.empty())
            return fail("Error.", "The expression cannot be read.");
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

    LongComplex number()
    {
        std::string_view text = m_cursor->text;
        std::size_t start = m_cursor->position;
        std::size_t& position = m_cursor->position;
        int integerDigits = 0;
        bool point = false;
        while (position < text.size() &&
               (isDigit(static_cast<unsigned char>(text[position])) || text[position] == '.')) {
            point = point || text[position] == '.';
            if (!point && (integerDigits > 0 || text[position] != '0'))
                ++integerDigits;
            ++position;
        }
        // The top integer word stays free so that a sum cannot lose its carry.
        if (integerDigits > 3 * (longIntegerWords() - 1))
            return tooLarge();
        return realValue(LongFromText(text.substr(start, position - start)));
    }

    LongComplex named(const std::string& name)
    {
        if (name == "pi" || name == "\u03C0")
            return realValue(LongPi());
        if (name == "i") {
            if (!complex())
                return fail("Error.", "The imaginary unit i needs complex numbers.");
            LongComplex unit;
            unit.im = LongNum::fromInteger(1);
            return unit;
        }
        auto found = m_variables.find(name);
        if (found == m_variables.end() || found->second == nullptr)
            return fail("Error.", "Variable " + name + " is not defined.");
        if (m_active.contains(name) || static_cast<int>(m_active.size()) >= kMaxNameDepth)
            return fail("Error.", "Variable " + name + " is defined by itself.");
        m_active.insert(name);
        LongComplex value = evaluateText(printExpressionText(*found->second));
        m_active.erase(name);
        return value;
    }

    LongComplex function(const std::string& name)
    {
        expect('(');
        int degree = 2;
        if (name == "root") {
            char c = peek();
            if (c < '2' || c > '9')
                return fail("Error.", "The expression cannot be read.");
            degree = c - '0';
            ++m_cursor->position;
            expect(',');
        }
        LongComplex argument = sum();
        expect(')');
        if (failed())
            return argument;
        if (name == "sqrt" || name == "root")
            return root(argument, degree);
        return complex() ? complexFunction(*functionCode(name), argument)
                         : realFunction(*functionCode(name), argument.re);
    }

    // --- arithmetic with the size guard ------------------------------------------

    LongComplex checked(LongComplex value)
    {
        if (failed())
            return value;
        if (value.re[0] != 0 || value.im[0] != 0)
            return tooLarge();
        return value;
    }

    LongNum realAdd(const LongNum& a, const LongNum& b, bool subtract)
    {
        LongNum out;
        if (failed())
            return out;
        subtract ? LongSub(a, b, out) : LongAdd(a, b, out);
        if (out[0] != 0)
            tooLarge();
        return out;
    }

    LongNum realMultiply(const LongNum& a, const LongNum& b)
    {
        LongNum out;
        if (failed())
            return out;
        if (integerWordsUsed(a) + integerWordsUsed(b) > longIntegerWords() - 1) {
            tooLarge();
            return out;
        }
        LongMul(a, b, out);
        return out;
    }

    LongNum realDivide(const LongNum& a, const LongNum& b)
    {
        LongNum out;
        if (failed())
            return out;
        if (!LongIsZero(b) && integerWordsUsed(a) + quotientGrowth(b) > longIntegerWords() - 1) {
            tooLarge();
            return out;
        }
        LongDiv(a, b, out);
        return out;
    }

    LongComplex add(const LongComplex& a, const LongComplex& b, bool subtract)
    {
        return LongComplex{realAdd(a.re, b.re, subtract), realAdd(a.im, b.im, subtract)};
    }

    LongComplex multiply(const LongComplex& z, const LongComplex& w)
    {
        if (failed())
            return z;
        if (LongIsZero(z.im) && LongIsZero(w.im))
            return realValue(realMultiply(z.re, w.re));
        LongNum ac = realMultiply(z.re, w.re);
        LongNum bd = realMultiply(z.im, w.im);
        LongNum ad = realMultiply(z.re, w.im);
        LongNum bc = realMultiply(z.im, w.re);
        return LongComplex{realAdd(ac, bd, true), realAdd(ad, bc, false)};
    }

    LongComplex divide(const LongComplex& z, const LongComplex& w)
    {
        if (failed())
            return z;
        if (LongIsZero(w.im))
            return LongComplex{realDivide(z.re, w.re), realDivide(z.im, w.re)};
        // z / w = z * conj(w) / |w|^2.
        LongComplex conjugate = w;
        LongNegate(conjugate.im);
        LongComplex numerator = multiply(z, conjugate);
        LongNum denominator = realAdd(realMultiply(w.re, w.re), realMultiply(w.im, w.im), false);
        if (failed())
            return z;
        return LongComplex{realDivide(numerator.re, denominator),
                           realDivide(numerator.im, denominator)};
    }

    static bool isInteger(const LongComplex& value)
    {
        return LongIsZero(value.im) && !LongHasFraction(value.re) &&
               integerWordsUsed(value.re) <= 3;
    }

    static std::int64_t toInteger(const LongNum& value)
    {
        std::int64_t result = 0;
        for (int index = 0; index < longIntegerWords(); ++index)
            result = result * kLongBase + value[index];
        return result;
    }

    LongComplex one() const { return realValue(LongNum::fromInteger(1)); }

    // Integer exponents multiply exactly (2^10 is 1024, not exp(10 ln 2)).
    LongComplex integerPower(const LongComplex& base, std::int64_t exponent)
    {
        LongComplex result = one();
        LongComplex square = base;
        for (std::int64_t rest = exponent; rest > 0 && !failed(); rest /= 2) {
            if (rest % 2 == 1)
                result = multiply(result, square);
            if (rest > 1)
                square = multiply(square, square);
        }
        return result;
    }

    LongComplex raise(const LongComplex& base, const LongComplex& exponent)
    {
        bool baseZero = LongIsZero(base.re) && LongIsZero(base.im);
        if (isInteger(exponent) && toInteger(exponent.re) <= kMaxRepeatedExponent) {
            std::int64_t magnitude = toInteger(exponent.re);
            LongComplex value = integerPower(base, magnitude);
            if (exponent.re.isNegative() && magnitude != 0)
                return divide(one(), value);
            return value;
        }
        if (baseZero) {
            if (exponent.re.isNegative())
                return divide(one(), LongComplex{});
            return LongComplex{};
        }
        if (!complex()) {
            if (base.re.isNegative())
                return fail("Error", kNegativePowerText);
            LongNum logarithm;
            if (!LongLn(base.re, logarithm))
                return LongComplex{};
            LongNum product = realMultiply(exponent.re, logarithm);
            if (failed())
                return LongComplex{};
            LongNum out;
            LongExp(product, out);
            return checked(realValue(out));
        }
        LongComplex logarithm;
        ComplexLn(base, logarithm);
        LongComplex product = multiply(exponent, logarithm);
        if (failed())
            return LongComplex{};
        LongComplex out;
        ComplexExp(product, out);
        return checked(out);
    }

    LongComplex root(const LongComplex& value, int degree)
    {
        bool real = LongIsZero(value.im);
        if (complex() && real && degree == 2 && value.re.isNegative()) {
            // The square root of a negative real is exact on the imaginary
            // axis; the angle route would lose its last digits.
            LongComplex out;
            LongNum magnitude = value.re;
            magnitude.setSign(kLongPlus);
            LongSqrt(magnitude, out.im);
            return out;
        }
        if (complex() && !(real && !value.re.isNegative())) {
            LongComplex out;
            ComplexRoot(value, degree, out);
            return checked(out);
        }
        LongNum out;
        if (degree == 2)
            LongSqrt(value.re, out);
        else
            LongRoot(value.re, degree, out);
        return realValue(out);
    }

    LongComplex realFunction(int code, const LongNum& x)
    {
        LongNum out;
        switch (code) {
        case 200:
            LongExp(x, out);
            break;
        case 201:
            LongLn(x, out);
            break;
        case 202:
            LongSin(x, out);
            break;
        case 203:
            LongCos(x, out);
            break;
        case 204:
            LongTan(x, out);
            break;
        case 205:
            LongCot(x, out);
            break;
        case 207:
            LongArccos(x, out);
            break;
        case 208:
            LongArctan(x, out);
            break;
        case 209: {
            LongNum angle, halfPi;
            LongArctan(x, angle);
            LongHalve(LongPi(), halfPi);
            LongSub(halfPi, angle, out);
            break;
        }
        case 210:
            LongArcsin(x, out);
            break;
        default:
            return fail("Error.", "Unknown function.");
        }
        return checked(realValue(out));
    }

    LongComplex complexFunction(int code, const LongComplex& z)
    {
        LongComplex out;
        switch (code) {
        case 200:
            ComplexExp(z, out);
            break;
        case 201:
            if (LongIsZero(z.re) && LongIsZero(z.im)) {
                LongNum ignored;
                LongLn(z.re, ignored);
                return LongComplex{};
            }
            ComplexLn(z, out);
            break;
        case 202:
            ComplexSin(z, out);
            break;
        case 203:
            ComplexCos(z, out);
            break;
        case 204:
            ComplexTan(z, out);
            break;
        case 205:
            ComplexCot(z, out);
            break;
        case 207:
            ComplexArccos(z, out);
            break;
        case 208:
            ComplexArctan(z, out);
            break;
        case 209:
            ComplexArccot(z, out);
            break;
        case 210:
            ComplexArcsin(z, out);
            break;
        default:
            return fail("Error.", "Unknown function.");
        }
        return checked(out);
    }

    const LongVariables& m_variables;
    NumberField m_field;
    GuardHost& m_host;
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

std::optional<LongComplex> evaluateLongText(const std::string& text, const LongVariables& variables,
                                            NumberField field, Host& host)
{
    GuardHost guard(host);
    LongHostScope scope(&guard);
    return Evaluator(variables, field, guard).run(text);
}

std::optional<LongComplex> evaluateLong(const FractNode& tree, const LongVariables& variables,
                                        NumberField field, Host& host)
{
    return evaluateLongText(printExpressionText(tree), variables, field, host);
}

} // namespace kestrane
