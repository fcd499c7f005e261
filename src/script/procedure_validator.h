// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/validation_context.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kestrane {

// A variable of the procedure being validated.
struct VariableEntry {
    bool removed = false; // the argument of a removing command: may be declared again
    std::string name;
    int typeCode = 0;
    // A String variable made from a '$' text holds it (for the compiler's
    // check of a file it names); empty when it is not known.
    std::optional<std::string> text;
};

// Validates one procedure statement by statement: its parameters, each
// statement's target, command, arguments and conditions, then its return.
// The variable list lives only while one procedure is validated.
class ProcedureValidator {
public:
    ProcedureValidator(ValidationContext& context, ScriptFile& file);

    // Returns false after recording the first error.
    bool validate(const ProcedureRecord& procedure);

private:
    struct Statement {
        std::size_t start = 0; // first character of the statement
        std::size_t end = 0;   // end of its line (or of the body)
    };

    bool validateParameters(std::size_t open, std::size_t close);
    bool validateStatement(const Statement& statement);
    bool validateCommand(const Statement& statement, std::size_t wordStart, std::size_t wordEnd,
                         bool hasTarget, int& resultType, bool& distanceArithmetic);
    bool validateUnreserved(const Statement& statement, std::size_t wordStart, std::size_t wordEnd,
                            bool hasTarget, int& resultType, bool& distanceArithmetic);
    bool validateArguments(const Statement& statement, int code, std::size_t argumentsStart,
                           const std::vector<ArgumentList>& lists);
    bool validateCall(const Statement& statement, int code, std::size_t argumentsStart,
                      int& resultType);
    bool validateLiterals(const Statement& statement, std::size_t argumentsStart);
    // The text an argument stands for: a '$' text, or a String variable
    // whose text is known.
    std::optional<std::string> textOf(std::string_view argument);
    bool validateAttribute(const Statement& statement, int code, std::size_t argumentsStart,
                           int& resultType);
    bool validateAttributeValue(const Statement& statement, int attributeCode, int attributeResult,
                                std::size_t valueStart);
    bool validateCondition(const Statement& statement, std::size_t conditionStart);
    bool validateForAllFaces(const Statement& statement);
    bool recordTarget(const Statement& statement, const std::string& target, int resultType,
                      bool distanceArithmetic);
    bool validateReturn(const ProcedureRecord& procedure);

    // The type of one argument: a literal's code, or a variable's type; 0
    // when it is neither.
    int argumentType(std::string_view argument);
    VariableEntry* findVariable(std::string_view name);
    void addVariable(std::string_view name, int typeCode);
    bool fail(std::size_t position, std::string_view message);
    std::size_t argumentsStartAfter(std::size_t wordEnd, std::size_t end) const;
    bool validateTail(const Statement& statement, std::size_t tail);
    void endAfterArguments(std::size_t argumentsStart, const Statement& statement);
    std::size_t closingParenthesis(std::size_t from, std::size_t end) const;

    ValidationContext& m_context;
    ScriptFile& m_file;
    const std::string& m_text;
    std::vector<VariableEntry> m_variables;
    // Where the statement being validated ends on its line.
    std::size_t m_statementEnd = 0;
    // Names to their entries: a procedure may declare thousands of variables.
    std::unordered_map<std::string, std::size_t> m_variableIndex;
    // The text a String statement gives its target, when it is known.
    std::optional<std::string> m_statementText;
};

// From a position, the start of the next word (a letter, a digit or '$');
// blanks and line ends are passed over. Any other character is the error
// "Improper sign.". Returns the text's end when no word is left, nothing
// after an error.
std::optional<std::size_t> nextWordStart(ValidationContext& context, ScriptFile& file,
                                         std::size_t position);

} // namespace kestrane
