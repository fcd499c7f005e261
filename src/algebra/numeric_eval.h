// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <complex>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

struct FractNode;

// The definition of a name in an expression's variable set, or null when the
// name has none.
using DefinitionLookup = std::function<const FractNode*(std::string_view name)>;

// An exact expression compiled once into a flat single-precision program, so
// that a graph can evaluate it at every pixel column without walking the tree.
// The variable is x; I is -1, the symbol p is pi; every other name is read
// from its definition (compiled in once, with the same x). A point where the
// expression is undefined (a root or logarithm out of its domain, a zero
// denominator, a non-finite value, a name without a definition) evaluates to
// nothing, silently.
class NumericProgram {
public:
    NumericProgram() = default;

    // An incomplete tree (an empty slot, an unmatched mark) compiles into a
    // program that fails everywhere.
    static NumericProgram compile(const FractNode& tree, const DefinitionLookup& lookup = {});

    // The same for the complex variable z, where i is the imaginary unit and
    // x is a name like any other. Evaluate with evaluateComplex only.
    static NumericProgram compileComplex(const FractNode& tree,
                                         const DefinitionLookup& lookup = {});

    bool valid() const { return m_valid; }
    std::optional<float> evaluate(float t) const;
    // The value at z in single-precision complex numbers: integer powers by
    // multiplication, other powers as exp(e * log b), principal roots and
    // inverse functions. A zero divisor, the logarithm of 0 or a value that
    // is not finite has no value.
    std::optional<std::complex<float>> evaluateComplex(std::complex<float> z) const;

    enum class Op : std::uint8_t {
        Constant,
        Variable,
        Load,
        Store,
        Add,
        Subtract,
        Multiply,
        Divide,
        Negate,
        Power,
        Root,
        Function,
        ImaginaryUnit,
    };
    struct Instruction {
        Op op = Op::Constant;
        // Power: whether the exponent involves x, and whether it is a fixed
        // fraction p/q (a and b, reduced); Root: the degree in a; Function:
        // the code in a; Load and Store: the register in a.
        bool involvesX = false;
        bool rational = false;
        float value = 0;
        std::int64_t a = 0;
        std::int64_t b = 1;
    };

private:
    friend class ProgramBuilder;
    std::vector<Instruction> m_code;
    int m_stackSize = 0;
    int m_registers = 0;
    bool m_valid = false;
    bool m_complex = false;
};

// Compiles and evaluates once.
std::optional<float> evaluateExpression(const FractNode& tree, float t,
                                        const DefinitionLookup& lookup = {});

} // namespace kestrane
