// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/numeric_eval.h"

#include <cmath>
#include <vector>

namespace kestrane {

namespace {

using Complex = std::complex<float>;
using Op = NumericProgram::Op;
using Instruction = NumericProgram::Instruction;

constexpr float kHalfPi = 1.57079f;
// Whole exponents up to this size are multiplied out; larger ones would
// overflow anyway and go through the logarithm.
constexpr float kLargestMultiplied = 16777216.0f;

bool finite(Complex value)
{
    return std::isfinite(value.real()) && std::isfinite(value.imag());
}

std::optional<Complex> logarithm(Complex value)
{
    if (value == Complex(0, 0))
        return std::nullopt;
    return std::log(value);
}

// Squaring and multiplying keeps whole powers of real and imaginary values
// exact where the logarithm would add noise (i^2 is -1, not -1 + 1e-8 i).
std::optional<Complex> wholePower(Complex base, long long exponent)
{
    bool reciprocal = exponent < 0;
    unsigned long long remaining = reciprocal ? 0ULL - static_cast<unsigned long long>(exponent)
                                              : static_cast<unsigned long long>(exponent);
    Complex result(1, 0);
    Complex factor = base;
    while (remaining > 0) {
        if (remaining & 1U)
            result *= factor;
        remaining >>= 1U;
        if (remaining > 0)
            factor *= factor;
    }
    if (!reciprocal)
        return result;
    if (result == Complex(0, 0))
        return std::nullopt;
    return Complex(1, 0) / result;
}

std::optional<Complex> raise(Complex base, Complex exponent)
{
    float real = exponent.real();
    if (exponent.imag() == 0 && std::trunc(real) == real && std::fabs(real) <= kLargestMultiplied)
        return wholePower(base, static_cast<long long>(real));
    std::optional<Complex> log = logarithm(base);
    if (!log)
        return std::nullopt;
    return std::exp(exponent * *log);
}

std::optional<Complex> root(Complex value, std::int64_t degree)
{
    if (value == Complex(0, 0))
        return Complex(0, 0);
    // The square root directly: sqrt(-4) is 2i without logarithm noise.
    if (degree == 2)
        return std::sqrt(value);
    return std::exp(std::log(value) / static_cast<float>(degree));
}

std::optional<Complex> function(Complex value, std::int64_t code)
{
    switch (code) {
    case 200:
        return std::exp(value);
    case 201:
        return logarithm(value);
    case 202:
        return std::sin(value);
    case 203:
        return std::cos(value);
    case 204:
        return std::tan(value);
    case 205: {
        Complex tangent = std::tan(value);
        if (tangent == Complex(0, 0))
            return std::nullopt;
        return Complex(1, 0) / tangent;
    }
    case 207:
        return std::acos(value);
    case 208:
        return std::atan(value);
    case 209:
        return Complex(kHalfPi, 0) - std::atan(value);
    case 210:
        return std::asin(value);
    default:
        return value;
    }
}

} // namespace

std::optional<std::complex<float>> NumericProgram::evaluateComplex(std::complex<float> z) const
{
    if (!m_valid || !m_complex)
        return std::nullopt;
    // Most programs fit the inline buffers: no allocation per sample.
    constexpr int kInline = 32;
    Complex inlineStack[kInline];
    Complex inlineRegisters[kInline];
    std::vector<Complex> heapStack;
    std::vector<Complex> heapRegisters;
    Complex* stack = inlineStack;
    Complex* registers = inlineRegisters;
    if (m_stackSize > kInline) {
        heapStack.resize(static_cast<std::size_t>(m_stackSize));
        stack = heapStack.data();
    }
    if (m_registers > kInline) {
        heapRegisters.resize(static_cast<std::size_t>(m_registers));
        registers = heapRegisters.data();
    }
    std::size_t top = 0;
    auto pop = [&] { return stack[--top]; };
    for (const Instruction& instruction : m_code) {
        std::optional<Complex> result;
        switch (instruction.op) {
        case Op::Constant:
            stack[top++] = Complex(instruction.value, 0);
            continue;
        case Op::Variable:
            stack[top++] = z;
            continue;
        case Op::ImaginaryUnit:
            stack[top++] = Complex(0, 1);
            continue;
        case Op::Load:
            stack[top++] = registers[instruction.a];
            continue;
        case Op::Store:
            registers[instruction.a] = stack[top - 1];
            continue;
        case Op::Negate:
            stack[top - 1] = -stack[top - 1];
            continue;
        case Op::Add: {
            Complex right = pop();
            result = stack[top - 1] + right;
            break;
        }
        case Op::Subtract: {
            Complex right = pop();
            result = stack[top - 1] - right;
            break;
        }
        case Op::Multiply: {
            Complex right = pop();
            result = stack[top - 1] * right;
            break;
        }
        case Op::Divide: {
            Complex right = pop();
            if (right == Complex(0, 0))
                return std::nullopt;
            result = stack[top - 1] / right;
            break;
        }
        case Op::Power: {
            Complex exponent = pop();
            result = raise(stack[top - 1], exponent);
            break;
        }
        case Op::Root:
            result = root(stack[top - 1], instruction.a);
            break;
        case Op::Function:
            result = function(stack[top - 1], instruction.a);
            break;
        }
        if (!result || !finite(*result))
            return std::nullopt;
        stack[top - 1] = *result;
    }
    if (top != 1 || !finite(stack[0]))
        return std::nullopt;
    return stack[0];
}

} // namespace kestrane
