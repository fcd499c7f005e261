// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/curve_expressions.h"

#include "graphs/script_expressions.h"

#include <vector>

namespace kestrane {

namespace {

constexpr std::string_view kParameter = "t";

void renameLeaves(FractNode& root, std::string_view from, std::string_view to)
{
    std::vector<FractNode*> pending{&root};
    while (!pending.empty()) {
        FractNode* node = pending.back();
        pending.pop_back();
        if (node->hasText() && !node->symbol && *node->text == from)
            *node->text = to;
        if (node->closeRow) {
            for (auto& item : node->closeRow->items) {
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
        for (auto* child :
             {&node->left, &node->right, &node->numerator, &node->denominator, &node->exponent}) {
            if (*child)
                pending.push_back(child->get());
        }
    }
}

// The values of the set as the program reads them; each t becomes x when
// `parameter` says so.
class Definitions {
public:
    Definitions(const VariableTable& variables, bool parameter)
    {
        for (int index = 0; index < variables.count(); ++index) {
            const VariableRecord& record = variables.record(index);
            if (!record.enabled || !record.value)
                continue;
            std::unique_ptr<FractNode> value = copyTree(*record.value);
            if (parameter)
                renameLeaves(*value, kParameter, "x");
            m_names.push_back(record.name);
            m_values.push_back(std::move(value));
        }
    }

    DefinitionLookup lookup() const
    {
        return [this](std::string_view name) -> const FractNode* {
            for (std::size_t index = 0; index < m_names.size(); ++index) {
                if (m_names[index] == name)
                    return m_values[index].get();
            }
            return nullptr;
        };
    }

private:
    std::vector<std::string> m_names;
    std::vector<std::unique_ptr<FractNode>> m_values;
};

} // namespace

std::unique_ptr<FractNode> curveExpression(const FractNode& expression)
{
    std::unique_ptr<FractNode> copy = copyTree(expression);
    renameLeaves(*copy, kParameter, "x");
    return simplifiedForScript(*copy);
}

NumericProgram compileCurveExpression(const FractNode& expression, const VariableTable& variables)
{
    Definitions definitions(variables, true);
    return NumericProgram::compile(expression, definitions.lookup());
}

NumericProgram compileAnalytic(const FractNode& expression, const VariableTable& variables)
{
    Definitions definitions(variables, false);
    return NumericProgram::compileComplex(expression, definitions.lookup());
}

bool onlyVariableZ(const FractNode& expression)
{
    VariableTable names;
    collectNames(expression, names);
    for (int index = 0; index < names.count(); ++index) {
        if (names.record(index).name != "z")
            return false;
    }
    return true;
}

} // namespace kestrane
