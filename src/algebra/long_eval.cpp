// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/long_eval.h"

#include "algebra/expression_form.h"
#include "expressions/fract_node.h"
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

// Computes the value of an expression form, in the order its text reads:
// an operand whose evaluation showed a message ends the evaluation there.
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

    std::optional<BoundedComplex> run(const ExpressionForm& form)
    {
        BoundedComplex value = evaluateForm(form);
        if (failed())
            return std::nullopt;
        return value;
    }

private:
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

    BoundedComplex evaluateForm(const ExpressionForm& form)
    {
        if (form.tooDeep())
            return fail(N_("Error."), N_("The expression is nested too deeply."));
        const ExpressionForm* previous = m_form;
        m_form = &form;
        BoundedComplex value = evaluate(form.root());
        m_form = previous;
        return value;
    }

    BoundedComplex evaluate(int index)
    {
        const FormNode& node = m_form->at(index);
        switch (node.kind) {
        case FormKind::Number:
            return realValue(m_arithmetic.number(node.text));
        case FormKind::Pi:
            return realValue(m_arithmetic.pi());
        case FormKind::ImaginaryUnit:
            if (!complex())
                return fail(N_("Error."), N_("The imaginary unit i needs complex numbers."));
            return BoundedComplex{BoundedLong{}, m_arithmetic.integer(1)};
        case FormKind::Name:
            return named(node.text);
        case FormKind::Empty:
            return fail(N_("Error."), N_("The expression has an empty place."));
        case FormKind::Unreadable:
            return fail(N_("Error."), N_("The expression cannot be read."));
        case FormKind::Add:
        case FormKind::Subtract:
        case FormKind::Multiply:
        case FormKind::Divide:
            return binary(node);
        case FormKind::Negate:
            return negated(evaluate(node.first));
        case FormKind::Power:
            return power(node);
        case FormKind::Group:
            return evaluate(node.first);
        case FormKind::Root:
        case FormKind::Function:
            return function(node);
        }
        return fail(N_("Error."), N_("The expression cannot be read."));
    }

    // The right operand is computed only when the left one went through.
    BoundedComplex binary(const FormNode& node)
    {
        BoundedComplex left = evaluate(node.first);
        if (failed())
            return left;
        switch (node.kind) {
        case FormKind::Add:
            return m_arithmetic.add(left, evaluate(node.second));
        case FormKind::Subtract:
            return m_arithmetic.subtract(left, evaluate(node.second));
        case FormKind::Multiply:
            return m_arithmetic.multiply(left, evaluate(node.second));
        default:
            return m_arithmetic.divide(left, evaluate(node.second));
        }
    }

    BoundedComplex power(const FormNode& node)
    {
        BoundedComplex base = evaluate(node.first);
        if (failed())
            return base;
        BoundedComplex exponent = evaluate(node.second);
        if (failed())
            return base;
        return raise(base, exponent);
    }

    BoundedComplex named(const std::string& name)
    {
        if (name == "pi" || name == "\u03C0")
            return realValue(m_arithmetic.pi());
        auto found = m_variables.find(name);
        if (found == m_variables.end() || found->second == nullptr)
            return fail(translate("Error."),
                        translate("Variable ") + name + translate(" is not defined."));
        if (m_active.contains(name) || static_cast<int>(m_active.size()) >= kMaxNameDepth)
            return fail(translate("Error."),
                        translate("Variable ") + name + translate(" is defined by itself."));
        m_active.insert(name);
        BoundedComplex value = evaluateForm(ExpressionForm::of(*found->second));
        m_active.erase(name);
        return value;
    }

    BoundedComplex function(const FormNode& node)
    {
        BoundedComplex argument = evaluate(node.first);
        if (failed())
            return argument;
        if (node.kind == FormKind::Root)
            return root(argument, node.code);
        return complex() ? complexFunction(node.code, argument)
                         : realValue(realFunction(node.code, argument.re));
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
    const ExpressionForm* m_form = nullptr;
    std::set<std::string> m_active;
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

// The names in the text of a leaf no evaluation reads, as they would be
// picked out of the expression's text.
void namesInText(const std::string& text, ExpressionNames& found)
{
    std::size_t position = 0;
    while (position < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[position]);
        if (c == '?')
            found.emptyPlace = true;
        if (!isNameStartCharacter(c)) {
            ++position;
            continue;
        }
        std::size_t start = position;
        if (c >= 0x80) {
            position = std::min(text.size(), position + 2);
        } else {
            while (position < text.size() &&
                   std::isalnum(static_cast<unsigned char>(text[position])) != 0)
                ++position;
        }
        std::string name = text.substr(start, position - start);
        if (name == "pi" || name == "\u03C0")
            continue;
        if (name == "i")
            found.usesI = true;
        else
            found.names.push_back(name);
    }
}

void collectNames(const ExpressionForm& form, int index, ExpressionNames& found)
{
    std::vector<int> pending{index};
    while (!pending.empty()) {
        const FormNode& node = form.at(pending.back());
        pending.pop_back();
        switch (node.kind) {
        case FormKind::Name:
            if (node.text != "pi" && node.text != "\u03C0")
                found.names.push_back(node.text);
            break;
        case FormKind::ImaginaryUnit:
            found.usesI = true;
            break;
        case FormKind::Empty:
            found.emptyPlace = true;
            break;
        case FormKind::Unreadable:
            namesInText(node.text, found);
            break;
        default:
            break;
        }
        // Right operand below the left one: names come out in reading order.
        if (node.second >= 0)
            pending.push_back(node.second);
        if (node.first >= 0)
            pending.push_back(node.first);
    }
}

} // namespace

ExpressionNames expressionNames(const FractNode& tree)
{
    ExpressionNames found;
    const ExpressionForm form = ExpressionForm::of(tree);
    if (form.tooDeep())
        return found;
    if (form.isDefinition())
        collectNames(form, form.definedName(), found);
    collectNames(form, form.root(), found);
    return found;
}

std::optional<BoundedComplex> evaluateLongBounded(const ExpressionForm& form,
                                                  const LongVariables& variables, NumberField field,
                                                  Host& host, int integerWordLimit)
{
    GuardHost guard(host);
    LongHostScope scope(&guard);
    return Evaluator(variables, field, guard, integerWordLimit).run(form);
}

std::optional<LongComplex> evaluateLong(const FractNode& tree, const LongVariables& variables,
                                        NumberField field, Host& host)
{
    auto value = evaluateLongBounded(ExpressionForm::of(tree), variables, field, host,
                                     longIntegerWords() - 1);
    if (!value)
        return std::nullopt;
    return LongComplex{value->re.value, value->im.value};
}

} // namespace kestrane
