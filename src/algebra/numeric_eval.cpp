// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/numeric_eval.h"

#include "algebra/expression_form.h"
#include "algebra/fraction_file.h"
#include "expressions/fract_node.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numeric>
#include <set>

namespace kestrane {

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kHalfPi = 1.57079f;
// Names defined through each other may not blow a program up without end.
constexpr std::size_t kMaxInstructions = 200000;
// Beyond this a float no longer tells whole numbers apart.
constexpr float kLargestWhole = 16777216.0f;

using Op = NumericProgram::Op;
using Instruction = NumericProgram::Instruction;

// A decimal numeral as a fraction of whole numbers, when it fits.
std::optional<std::pair<std::int64_t, std::int64_t>> decimalFraction(const std::string& text)
{
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
    bool point = false;
    int digits = 0;
    for (char c : text) {
        if (c == '.') {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        if (numerator == 0 && c == '0' && !point)
            continue;
        if (++digits > 15)
            return std::nullopt;
        numerator = numerator * 10 + (c - '0');
        if (point)
            denominator *= 10;
    }
    return std::pair{numerator, denominator};
}

bool isDigitNumber(const FormNode& node)
{
    return node.kind == FormKind::Number && !node.text.empty() && node.text[0] >= '0' &&
           node.text[0] <= '9';
}

// A number with its minus and nothing else: no marks, no exponent.
std::optional<std::pair<std::int64_t, std::int64_t>> signedNumber(const ExpressionForm& form,
                                                                  int index)
{
    const FormNode* node = &form.at(index);
    const bool negative = node->kind == FormKind::Negate;
    if (negative)
        node = &form.at(node->first);
    if (!isDigitNumber(*node))
        return std::nullopt;
    auto value = decimalFraction(node->text);
    if (value && negative)
        value->first = -value->first;
    return value;
}

// An exponent that is a number or a fraction of numbers, as p/q reduced.
std::optional<std::pair<std::int64_t, std::int64_t>> fixedExponent(const ExpressionForm& form,
                                                                   int index)
{
    // Brackets the text needs around a fraction only group it.
    const FormNode& exponent = form.at(index);
    const FormNode& inside =
        exponent.kind == FormKind::Group && exponent.code == 1 ? form.at(exponent.first) : exponent;
    std::optional<std::pair<std::int64_t, std::int64_t>> value;
    if (inside.kind == FormKind::Divide) {
        auto top = signedNumber(form, inside.first);
        auto bottom = signedNumber(form, inside.second);
        if (!top || !bottom || bottom->first == 0)
            return std::nullopt;
        // Neither part has more than 15 digits, so the products stay in range
        // only when they are small; larger ones are left to the float value.
        if (std::abs(top->first) > 3000000000LL || std::abs(bottom->first) > 3000000000LL ||
            top->second > 3000000000LL || bottom->second > 3000000000LL)
            return std::nullopt;
        value = std::pair{top->first * bottom->second, top->second * bottom->first};
    } else {
        value = signedNumber(form, index);
    }
    if (!value || value->second == 0)
        return std::nullopt;
    if (value->second < 0)
        value = std::pair{-value->first, -value->second};
    std::int64_t divisor = std::gcd(value->first, value->second);
    if (divisor > 1)
        value = std::pair{value->first / divisor, value->second / divisor};
    return value;
}

} // namespace

class ProgramBuilder {
public:
    ProgramBuilder(NumericProgram& program, const DefinitionLookup& lookup)
        : m_program(program)
        , m_lookup(lookup)
        , m_variable(program.m_complex ? "z" : "x")
    {
    }

    static void build(NumericProgram& program, const FractNode& tree,
                      const DefinitionLookup& lookup)
    {
        ProgramBuilder builder(program, lookup);
        builder.expression(tree);
        program.m_valid = !builder.failed();
        if (!program.m_valid)
            program.m_code.clear();
    }

    bool failed() const { return m_failed || m_program.m_code.size() > kMaxInstructions; }

private:
    // Emits the code of a whole expression; returns whether it involves x.
    // An incomplete one (an empty slot, an unmatched mark) fails.
    bool expression(const FractNode& tree)
    {
        if (!expressionComplete(tree))
            m_failed = true;
        // Read from a fixed-up copy: trees put together by the graph commands
        // have not had their roles set, and those decide which minus signs show.
        const std::unique_ptr<FractNode> copy = copyTree(tree);
        fixUp(*copy);
        const ExpressionForm form = ExpressionForm::of(*copy);
        if (form.tooDeep()) {
            m_failed = true;
            push(Op::Constant, 1);
            return false;
        }
        const ExpressionForm* outer = m_form;
        m_form = &form;
        bool involvesX = emit(form.root());
        m_form = outer;
        return involvesX;
    }

    bool emit(int index)
    {
        const FormNode& node = m_form->at(index);
        switch (node.kind) {
        case FormKind::Add:
        case FormKind::Subtract:
        case FormKind::Multiply:
        case FormKind::Divide: {
            bool involvesX = emit(node.first);
            involvesX = emit(node.second) || involvesX;
            push(node.kind == FormKind::Add        ? Op::Add
                 : node.kind == FormKind::Subtract ? Op::Subtract
                 : node.kind == FormKind::Multiply ? Op::Multiply
                                                   : Op::Divide,
                 -1);
            return involvesX;
        }
        case FormKind::Negate: {
            bool involvesX = emit(node.first);
            push(Op::Negate, 0);
            return involvesX;
        }
        case FormKind::Power:
            return power(node);
        case FormKind::Group:
            return emit(node.first);
        case FormKind::Root:
        case FormKind::Function: {
            bool involvesX = emit(node.first);
            push(node.kind == FormKind::Root ? Op::Root : Op::Function, 0,
                 Instruction{.a = node.code});
            return involvesX;
        }
        default:
            return leaf(node);
        }
    }

    void push(Op op, int stackChange, Instruction instruction = {})
    {
        instruction.op = op;
        m_program.m_code.push_back(instruction);
        m_depth += stackChange;
        m_program.m_stackSize = std::max(m_program.m_stackSize, m_depth);
    }

    bool leaf(const FormNode& node)
    {
        switch (node.kind) {
        case FormKind::Pi:
            push(Op::Constant, 1, Instruction{.value = kPi});
            return false;
        case FormKind::Number:
            if (isDigitNumber(node)) {
                push(Op::Constant, 1,
                     Instruction{.value = std::strtof(node.text.c_str(), nullptr)});
                return false;
            }
            return name(node.text);
        case FormKind::ImaginaryUnit:
            if (m_program.m_complex) {
                push(Op::ImaginaryUnit, 1);
                return false;
            }
            return name("i");
        case FormKind::Name:
            if (node.text == m_variable) {
                push(Op::Variable, 1);
                return true;
            }
            if (node.text == "I") {
                push(Op::Constant, 1, Instruction{.value = -1});
                return false;
            }
            // The Greek letters have no value of their own.
            if (static_cast<unsigned char>(node.text[0]) >= 0x80) {
                m_failed = true;
                push(Op::Constant, 1);
                return false;
            }
            return name(node.text);
        default:
            // An empty slot, or a leaf no evaluation reads.
            m_failed = true;
            push(Op::Constant, 1);
            return false;
        }
    }

    // A name is computed once per point, before the expression, into a
    // register of its own.
    bool name(const std::string& text)
    {
        auto known = m_registers.find(text);
        if (known != m_registers.end()) {
            push(Op::Load, 1, Instruction{.a = known->second.first});
            return known->second.second;
        }
        const FractNode* definition = m_lookup ? m_lookup(text) : nullptr;
        if (!definition || m_inProgress.contains(text) || text == "i") {
            m_failed = true;
            push(Op::Constant, 1);
            return false;
        }
        m_inProgress.insert(text);
        // The definition's code goes where the name is first read; the value
        // is kept for later reads.
        bool involvesX = expression(*definition);
        int slot = m_program.m_registers++;
        push(Op::Store, 0, Instruction{.a = slot});
        m_inProgress.erase(text);
        m_registers[text] = {slot, involvesX};
        return involvesX;
    }

    bool power(const FormNode& node)
    {
        bool involvesX = emit(node.first);
        bool exponentInvolvesX = emit(node.second);
        Instruction instruction{.involvesX = exponentInvolvesX};
        if (auto fraction = fixedExponent(*m_form, node.second)) {
            instruction.rational = true;
            instruction.a = fraction->first;
            instruction.b = fraction->second;
        }
        push(Op::Power, -1, instruction);
        return involvesX || exponentInvolvesX;
    }

    NumericProgram& m_program;
    const DefinitionLookup& m_lookup;
    std::string_view m_variable;
    const ExpressionForm* m_form = nullptr;
    std::map<std::string, std::pair<int, bool>> m_registers;
    std::set<std::string> m_inProgress;
    int m_depth = 0;
    bool m_failed = false;
};

NumericProgram NumericProgram::compile(const FractNode& tree, const DefinitionLookup& lookup)
{
    NumericProgram program;
    ProgramBuilder::build(program, tree, lookup);
    return program;
}

NumericProgram NumericProgram::compileComplex(const FractNode& tree, const DefinitionLookup& lookup)
{
    NumericProgram program;
    program.m_complex = true;
    ProgramBuilder::build(program, tree, lookup);
    return program;
}

namespace {

std::optional<float> raise(float base, float exponent, const Instruction& instruction)
{
    if (base > 0)
        return std::exp(exponent * std::log(base));
    if (instruction.involvesX)
        return std::nullopt;
    std::int64_t p = instruction.a;
    std::int64_t q = instruction.b;
    if (!instruction.rational) {
        // An exponent fixed by names or sums: only a whole one has a value.
        if (std::trunc(exponent) != exponent || std::fabs(exponent) > kLargestWhole)
            return std::nullopt;
        p = static_cast<std::int64_t>(exponent);
        q = 1;
    }
    if (base == 0) {
        // 0 to a positive power is 0, 0^0 is 1, 0 to a negative power has no
        // value.
        if (p > 0)
            return 0.0f;
        if (p == 0)
            return 1.0f;
        return std::nullopt;
    }
    if (q % 2 == 0)
        return std::nullopt;
    float value = std::exp(exponent * std::log(-base));
    return p % 2 != 0 ? -value : value;
}

std::optional<float> root(float value, std::int64_t degree)
{
    if (value > 0)
        return std::exp(std::log(value) / static_cast<float>(degree));
    if (value == 0)
        return 0.0f;
    if (degree % 2 == 0)
        return std::nullopt;
    return -std::exp(std::log(-value) / static_cast<float>(degree));
}

std::optional<float> function(float value, std::int64_t code)
{
    switch (code) {
    case 200:
        return std::exp(value);
    case 201:
        if (value <= 0)
            return std::nullopt;
        return std::log(value);
    case 202:
        return std::sin(value);
    case 203:
        return std::cos(value);
    case 204:
        return std::tan(value);
    case 205: {
        float tangent = std::tan(value);
        if (tangent == 0)
            return std::nullopt;
        return 1 / tangent;
    }
    case 207:
        if (value < -1 || value > 1)
            return std::nullopt;
        return std::acos(value);
    case 208:
        return std::atan(value);
    case 209:
        return kHalfPi - std::atan(value);
    case 210:
        if (value < -1 || value > 1)
            return std::nullopt;
        return std::asin(value);
    default:
        return value;
    }
}

} // namespace

std::optional<float> NumericProgram::evaluate(float t) const
{
    if (!m_valid || m_complex)
        return std::nullopt;
    constexpr int kInline = 64;
    float inlineStack[kInline];
    float inlineRegisters[kInline];
    std::vector<float> heapStack;
    std::vector<float> heapRegisters;
    float* stack = inlineStack;
    float* registers = inlineRegisters;
    if (m_stackSize > kInline) {
        heapStack.resize(static_cast<std::size_t>(m_stackSize));
        stack = heapStack.data();
    }
    if (m_registers > kInline) {
        heapRegisters.resize(static_cast<std::size_t>(m_registers));
        registers = heapRegisters.data();
    }
    int top = -1;
    for (const Instruction& instruction : m_code) {
        std::optional<float> result;
        switch (instruction.op) {
        case Op::Constant:
            stack[++top] = instruction.value;
            continue;
        case Op::Variable:
            stack[++top] = t;
            continue;
        case Op::ImaginaryUnit:
            return std::nullopt;
        case Op::Load:
            stack[++top] = registers[instruction.a];
            continue;
        case Op::Store:
            registers[instruction.a] = stack[top];
            continue;
        case Op::Add:
            --top;
            result = stack[top] + stack[top + 1];
            break;
        case Op::Subtract:
            --top;
            result = stack[top] - stack[top + 1];
            break;
        case Op::Multiply:
            --top;
            result = stack[top] * stack[top + 1];
            break;
        case Op::Divide:
            --top;
            if (stack[top + 1] == 0)
                return std::nullopt;
            result = stack[top] / stack[top + 1];
            break;
        case Op::Negate:
            stack[top] = -stack[top];
            continue;
        case Op::Power:
            --top;
            result = raise(stack[top], stack[top + 1], instruction);
            break;
        case Op::Root:
            result = root(stack[top], instruction.a);
            break;
        case Op::Function:
            result = function(stack[top], instruction.a);
            break;
        }
        // Infinities would wreck a graph's range and its pixel conversion.
        if (!result || !std::isfinite(*result))
            return std::nullopt;
        stack[top] = *result;
    }
    if (top != 0 || !std::isfinite(stack[0]))
        return std::nullopt;
    return stack[0];
}

std::optional<float> evaluateExpression(const FractNode& tree, float t,
                                        const DefinitionLookup& lookup)
{
    return NumericProgram::compile(tree, lookup).evaluate(t);
}

} // namespace kestrane
