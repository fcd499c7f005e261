// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/procedure_validator.h"

#include "numbers/long_num.h"
#include "platform/files.h"
#include "platform/translation.h"
#include "script/compiler_messages.h"
#include "script/data_file_search.h"
#include "script/lexical.h"
#include "script/validation_context.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace kestrane {

namespace {

constexpr std::size_t kLongestName = 90;
// The code of ForAllFaces, whose target is the loop's face variable.
constexpr int kForAllFaces = 96;

bool isRemovingCommand(int code)
{
    // Remove, RemovePoint, RemoveLine, RemoveCircle, RemovePolygon, RemovePolyhedron
    return code == 26 || code == 90 || code == 80 || code == 100 || code == 61 || code == 117;
}

bool isLiteralCode(int code)
{
    return code == type::kInteger || code == type::kString || code == type::kText ||
           code == type::kDecimal;
}

// The class of value an attribute wants: yes/no for `name` and
// `KeepAspRatio`, a colour for `Color` and `fill`, none otherwise.
int wantedClass(int attributeCode)
{
    if (attributeCode == 35 || attributeCode == 213)
        return type::kYesNo;
    if (attributeCode == 18 || attributeCode == 28)
        return type::kColourClass;
    return type::kNone;
}

// Whether a whole or decimal number literal fits the integer part of the
// long numbers: run time would otherwise lose its leading digits without a
// word. Anything that is not such a literal fits.
bool fitsLongNumbers(std::string_view word)
{
    word = trimBlanks(word);
    if (!isSignedDecimal(word) || word.empty())
        return true;
    if (word.front() == '-')
        word.remove_prefix(1);
    std::string_view whole = word.substr(0, word.find('.'));
    std::size_t first = whole.find_first_not_of('0');
    std::size_t digits = first == std::string_view::npos ? 0 : whole.size() - first;
    return digits <= static_cast<std::size_t>(3 * longIntegerWords());
}

// The arguments of an argument text: split at the commas outside brackets,
// so that a text such as $f(x,y) stays one argument.
std::vector<std::string_view> topLevelArguments(std::string_view text)
{
    std::vector<std::string_view> arguments;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t index = 0; index <= text.size(); ++index) {
        char character = index < text.size() ? text[index] : ',';
        if (character == '(')
            ++depth;
        else if (character == ')' && depth > 0)
            --depth;
        else if (character == ',' && (depth == 0 || index == text.size())) {
            arguments.push_back(text.substr(start, index - start));
            start = index + 1;
        }
    }
    return arguments;
}

// Why a '$' argument is no text, or nothing when it is one.
std::optional<std::string> textFault(std::string_view argument)
{
    if (argument.empty() || argument.front() != '$')
        return {};
    if (std::count(argument.begin(), argument.end(), '(') >
        std::count(argument.begin(), argument.end(), ')'))
        return std::string(compile_message::kTextBracket);
    if (char sign = signNotInTexts(argument); sign != '\0')
        return "A $ text may not hold the sign '" + std::string(1, sign) + "'.";
    return {};
}

std::string numberTooLarge()
{
    return translate("Number too large: a number has at most ") +
           std::to_string(3 * longIntegerWords()) + translate(" digits before the point.");
}

// The same places as the run's, so that a file the run would find always
// compiles.
bool functionFileExists(const ValidationContext& context, const ScriptFile& main,
                        std::string_view name)
{
    DataFileSearch search = context.dataFiles();
    search.scriptDirectory = main.directory;
    return search.find(name).has_value();
}

} // namespace

std::optional<std::size_t> nextWordStart(ValidationContext& context, ScriptFile& file,
                                         std::size_t position)
{
    const std::string& text = file.normalisedText;
    while (position < text.size()) {
        char character = text[position];
        if (isLetter(character) || isDigit(character) || character == '$')
            return position;
        if (!isBlank(character) && !isLineBreak(character)) {
            context.fail(file, position, compile_message::kImproperSign);
            return {};
        }
        ++position;
    }
    return text.size();
}

ProcedureValidator::ProcedureValidator(ValidationContext& context, ScriptFile& file)
    : m_context(context)
    , m_file(file)
    , m_text(file.normalisedText)
{
}

bool ProcedureValidator::fail(std::size_t position, std::string_view message)
{
    m_context.fail(m_file, position, message);
    return false;
}

bool ProcedureValidator::validate(const ProcedureRecord& procedure)
{
    m_variables.clear();
    m_variableIndex.clear();
    std::size_t open = procedure.bodyStart;
    std::size_t close = m_text.find(')', open);
    if (close == std::string::npos || close >= procedure.bodyEnd) {
        m_context.failWithBox(m_file, open, compile_message::kErrorCaption,
                              compile_message::kNoClosingParentheses);
        return false;
    }
    if (!validateParameters(open, close))
        return false;
    std::size_t endWord = procedure.bodyEnd - 3;
    std::size_t position = close + 1;
    while (true) {
        std::optional<std::size_t> start = nextWordStart(m_context, m_file, position);
        if (!start)
            return false;
        if (*start >= endWord)
            break;
        LineSpan line = readLine(m_text, *start);
        Statement statement{*start, std::min(line.line.end(), endWord)};
        if (!validateStatement(statement))
            return false;
        position = std::max(line.next, statement.end);
    }
    return validateReturn(procedure);
}

bool ProcedureValidator::validateParameters(std::size_t open, std::size_t close)
{
    std::string_view text = m_text;
    if (trimBlanks(text.substr(open + 1, close - open - 1)).empty())
        return true;
    std::size_t pieceStart = open + 1;
    while (pieceStart <= close) {
        std::size_t comma = text.find(',', pieceStart);
        std::size_t pieceEnd = comma == std::string_view::npos || comma > close ? close : comma;
        std::string_view piece = text.substr(pieceStart, pieceEnd - pieceStart);
        if (trimBlanks(piece).empty())
            return fail(pieceStart, compile_message::kWrongCommas);
        TextSpan typeWord = readWord(piece, 0);
        TextSpan name = readWord(piece, typeWord.end());
        std::string_view typeText = piece.substr(typeWord.start, typeWord.length);
        std::string_view nameText = piece.substr(name.start, name.length);
        if (typeText.size() > kLongestName || nameText.size() > kLongestName)
            return fail(pieceStart, compile_message::kTooLongName);
        // After the name only blanks may stand before the comma or ')'.
        bool nameIsWord = !nameText.empty() && (isLetter(nameText[0]) || isDigit(nameText[0]));
        if (!nameIsWord || skipBlanks(piece, name.end()) != piece.size()) {
            m_context.failWithBox(m_file, pieceStart, compile_message::kParameterSignCaption,
                                  compile_message::kParameterSign);
            return false;
        }
        int code = m_context.match(typeText).code;
        if (code == 0 && m_context.findProcedure(typeText))
            code = type::kProcedureParameter;
        if (code == 0)
            return fail(pieceStart, compile_message::kNoSuchNameOtherModule);
        if (m_context.isReserved(nameText))
            return fail(pieceStart, compile_message::kReservedVariable);
        addVariable(nameText, code);
        pieceStart = pieceEnd + 1;
    }
    return true;
}

bool ProcedureValidator::validateStatement(const Statement& statement)
{
    std::string_view text = std::string_view(m_text).substr(0, statement.end);
    TextSpan first = readWord(text, statement.start);
    std::size_t afterFirst = skipBlanks(text, first.end());
    bool hasTarget = afterFirst < text.size() && text[afterFirst] == '=' &&
                     !(afterFirst + 1 < text.size() && text[afterFirst + 1] == '=');
    std::string target;
    TextSpan command = first;
    if (hasTarget) {
        target = std::string(text.substr(first.start, first.length));
        if (m_context.isReserved(target))
            return fail(statement.start, compile_message::kReservedVariable);
        if (m_context.findProcedure(target))
            return fail(statement.start, compile_message::kProcedureAsVariable);
        command = readWord(text, afterFirst + 1);
    }
    int resultType = type::kNone;
    bool distanceArithmetic = false;
    m_statementEnd = statement.end;
    m_statementText.reset();
    if (!validateCommand(statement, command.start, command.end(), hasTarget, resultType,
                         distanceArithmetic))
        return false;
    std::size_t tail = m_statementEnd;
    if (hasTarget && !recordTarget(statement, target, resultType, distanceArithmetic))
        return false;
    return validateTail(statement, tail);
}

// The interpreter executes one statement a line and goes on at the next
// line, so whatever follows the statement on its line would be skipped
// without a word: it is refused here. A second statement gets the message
// its first bad word earns, or "Improper sign." when it is valid.
bool ProcedureValidator::validateTail(const Statement& statement, std::size_t tail)
{
    std::string_view text = std::string_view(m_text).substr(0, statement.end);
    std::size_t position = skipBlanks(text, tail);
    if (position >= statement.end)
        return true;
    char first = m_text[position];
    if ((isLetter(first) || isDigit(first) || first == '$') &&
        !validateStatement(Statement{position, statement.end}))
        return false;
    return fail(position, compile_message::kImproperSign);
}

// Where a call's own text ends: after its closing parenthesis.
void ProcedureValidator::endAfterArguments(std::size_t argumentsStart, const Statement& statement)
{
    std::size_t close = closingParenthesis(argumentsStart, statement.end);
    m_statementEnd = close < statement.end ? close + 1 : statement.end;
}

bool ProcedureValidator::validateCommand(const Statement& statement, std::size_t wordStart,
                                         std::size_t wordEnd, bool hasTarget, int& resultType,
                                         bool& distanceArithmetic)
{
    std::string_view word = std::string_view(m_text).substr(wordStart, wordEnd - wordStart);
    WordMatch match = m_context.match(word);
    std::size_t arguments = argumentsStartAfter(wordEnd, statement.end);
    if (!match.reserved()) {
        if (const ProcedureRecord* procedure = m_context.findProcedure(word)) {
            endAfterArguments(arguments, statement);
            resultType = procedure->typeCode == type::kVoid ? type::kNone : procedure->typeCode;
            return validateArguments(statement, type::kProcedureCall, arguments,
                                     {procedure->parameterTypes});
        }
        return validateUnreserved(statement, wordStart, wordEnd, hasTarget, resultType,
                                  distanceArithmetic);
    }
    switch (match.kind) {
    case WordKind::List:
    case WordKind::Call:
        endAfterArguments(arguments, statement);
        return validateCall(statement, match.code, arguments, resultType);
    case WordKind::Attribute:
        return validateAttribute(statement, match.code, arguments, resultType);
    case WordKind::Control:
        resultType = match.code;
        return match.code == 21 ? validateCondition(statement, wordEnd) : true;
    case WordKind::Unchecked:
        if (match.code == kForAllFaces) {
            // The loop's face variable is a polygon, so fill(F) and
            // Center(F) accept it.
            resultType = type::kPolygon;
            return validateForAllFaces(statement);
        }
        if (!validateLiterals(statement, argumentsStartAfter(wordEnd, statement.end)))
            return false;
        // Dimension 4 words are all unchecked; their variables take the
        // word's result type, so that Center(T) and vertex(p, 0) compile.
        resultType = m_context.modules().module() == 604 && match.entry &&
                             match.entry->result != type::kNone
                         ? match.entry->result
                         : match.code;
        return true;
    case WordKind::Plain:
    case WordKind::Number:
    case WordKind::Directive:
        if (!fitsLongNumbers(word))
            return fail(statement.start, numberTooLarge());
        resultType = match.code;
        // A decimal standing alone in a plane program is a distance
        // (d = 12.5); as an argument it is a coordinate.
        if (match.code == type::kDecimal &&
            (moduleBit(m_context.modules().module()) & kPlaneModules) != 0)
            resultType = type::kDistance;
        // An empty "()" may follow a word without arguments.
        m_statementEnd = wordEnd;
        if (std::size_t open = skipBlanks(std::string_view(m_text).substr(0, statement.end), wordEnd);
            open < statement.end && m_text[open] == '(')
            endAfterArguments(open + 1, statement);
        return true;
    }
    return true;
}

// A word that is neither reserved nor a procedure: a decimal number (a
// distance), or the distance arithmetic a+b or a-b.
bool ProcedureValidator::validateUnreserved(const Statement& statement, std::size_t wordStart,
                                            std::size_t wordEnd, bool hasTarget, int& resultType,
                                            bool& distanceArithmetic)
{
    std::string_view text = m_text;
    std::string_view word = text.substr(wordStart, wordEnd - wordStart);
    if (isSignedDecimal(word)) {
        if (!fitsLongNumbers(word))
            return fail(statement.start, numberTooLarge());
        resultType = type::kDistance;
        m_statementEnd = wordEnd;
        return true;
    }
    if (hasTarget && wordEnd < statement.end && (text[wordEnd] == '+' || text[wordEnd] == '-')) {
        std::string_view second = trimBlanks(text.substr(wordEnd + 1, statement.end - wordEnd - 1));
        VariableEntry* first = findVariable(word);
        VariableEntry* other = findVariable(second);
        if (first && other && first->typeCode == type::kDistance &&
            other->typeCode == type::kDistance) {
            resultType = type::kDistance;
            distanceArithmetic = true;
            return true;
        }
    }
    return fail(statement.start, compile_message::kNoSuchNameOtherModule);
}

// The arguments of a word whose types are not checked: their number
// literals must still fit.
bool ProcedureValidator::validateLiterals(const Statement& statement, std::size_t argumentsStart)
{
    std::size_t close = closingParenthesis(argumentsStart, statement.end);
    std::string_view text = std::string_view(m_text).substr(argumentsStart, close - argumentsStart);
    for (std::string_view argument : topLevelArguments(text)) {
        argument = trimBlanks(argument);
        if (std::optional<std::string> fault = textFault(argument))
            return fail(statement.start, *fault);
        if (!fitsLongNumbers(argument))
            return fail(statement.start, numberTooLarge());
    }
    return true;
}

bool ProcedureValidator::validateCall(const Statement& statement, int code,
                                      std::size_t argumentsStart, int& resultType)
{
    const WordEntry* entry = m_context.entryFor(code);
    resultType = entry ? entry->result : type::kNone;
    bool isPolygon = code == type::kPolygon || code == type::kPolygon4;
    if (isPolygon) {
        // One list of as many points as there are arguments.
        std::size_t close = closingParenthesis(argumentsStart, statement.end);
        std::string_view list =
            std::string_view(m_text).substr(argumentsStart, close - argumentsStart);
        if (trimBlanks(list).empty())
            return fail(statement.start, compile_message::kPolygonWithoutPoints);
        auto count = static_cast<std::size_t>(std::count(list.begin(), list.end(), ',')) + 1;
        int point = m_context.modules().module() == 604 ? type::kPoint4 : type::kPoint;
        return validateArguments(statement, code, argumentsStart, {ArgumentList(count, point)});
    }
    if (!validateArguments(statement, code, argumentsStart,
                           entry ? entry->lists : std::vector<ArgumentList>{}))
        return false;
    if (isRemovingCommand(code)) {
        std::size_t close = closingParenthesis(argumentsStart, statement.end);
        std::string_view list =
            std::string_view(m_text).substr(argumentsStart, close - argumentsStart);
        if (VariableEntry* removed = findVariable(trimBlanks(list.substr(0, list.find(',')))))
            removed->removed = true;
    }
    return true;
}

bool ProcedureValidator::validateArguments(const Statement& statement, int code,
                                           std::size_t argumentsStart,
                                           const std::vector<ArgumentList>& lists)
{
    if (code == 0)
        return fail(statement.start, compile_message::kNoSuchNameOtherModule);
    std::size_t close = closingParenthesis(argumentsStart, statement.end);
    std::string_view text = std::string_view(m_text).substr(argumentsStart, close - argumentsStart);
    auto commas = std::count(text.begin(), text.end(), ',');
    if (code == type::kCollection) {
        if (commas == 0)
            return fail(statement.start, compile_message::kNoCollectionVector);
        if (commas > 4)
            return fail(statement.start, compile_message::kTooManyVectors);
    }
    ArgumentList types;
    std::vector<std::string_view> arguments;
    if (!trimBlanks(text).empty())
        arguments = topLevelArguments(text);
    for (std::string_view& argument : arguments) {
        argument = trimBlanks(argument);
        if (std::optional<std::string> fault = textFault(argument))
            return fail(statement.start, *fault);
        int argumentCode = argumentType(argument);
        if (argumentCode == 0)
            return fail(statement.start, compile_message::kUndeclaredVariable);
        if (!fitsLongNumbers(argument))
            return fail(statement.start, numberTooLarge());
        types.push_back(argumentCode);
    }
    if (std::find(lists.begin(), lists.end(), types) == lists.end()) {
        // A '$' text serves wherever a String does: file names with digits
        // or '_', and expressions.
        ArgumentList asStrings = types;
        std::replace(asStrings.begin(), asStrings.end(), type::kText, type::kString);
        if (std::find(lists.begin(), lists.end(), asStrings) == lists.end())
            return fail(statement.start, compile_message::kWrongArguments);
    }
    if (code == type::kString)
        m_statementText = arguments.empty() ? std::nullopt : textOf(arguments.front());
    if (code == type::kFunction && !arguments.empty()) {
        // The file a String variable names is checked when its text is
        // known; otherwise the run reports a missing file.
        std::optional<std::string> name = textOf(arguments.front());
        if (name && !functionFileExists(m_context, m_context.main(), *name)) {
            m_context.failWithBox(m_file, statement.start, compile_message::kErrorCaption,
                                  compile_message::kFunctionFileMissing);
            return false;
        }
    }
    return true;
}

bool ProcedureValidator::validateAttribute(const Statement& statement, int code,
                                           std::size_t argumentsStart, int& resultType)
{
    const WordEntry* entry = m_context.entryFor(code);
    resultType = entry ? entry->result : type::kNone;
    if (!validateArguments(statement, code, argumentsStart,
                           entry ? entry->lists : std::vector<ArgumentList>{}))
        return false;
    std::size_t close = closingParenthesis(argumentsStart, statement.end);
    std::size_t equality = skipBlanks(std::string_view(m_text).substr(0, statement.end),
                                      std::min(close + 1, statement.end));
    if (equality >= statement.end || m_text[equality] != '=')
        return fail(statement.start, compile_message::kMissingEquality);
    return validateAttributeValue(statement, code, resultType, equality + 1);
}

bool ProcedureValidator::validateAttributeValue(const Statement& statement, int attributeCode,
                                                int attributeResult, std::size_t valueStart)
{
    std::string_view text = std::string_view(m_text).substr(0, statement.end);
    TextSpan value = readWord(text, valueStart);
    std::string_view word = text.substr(value.start, value.length);
    int wanted = wantedClass(attributeCode);
    int constant = constantWord(word);
    WordMatch call = m_context.match(word);
    if (constant >= 0 || call.reserved()) {
        if (constant < 0 && call.kind == WordKind::Unchecked &&
            !validateLiterals(statement, argumentsStartAfter(value.end(), statement.end)))
            return false;
        if (constant < 0 && call.kind == WordKind::Call) {
            const WordEntry* entry = m_context.entryFor(call.code);
            if (!validateArguments(statement, call.code,
                                   argumentsStartAfter(value.end(), statement.end),
                                   entry ? entry->lists : std::vector<ArgumentList>{}))
                return false;
        }
        int valueClassCode = valueClass(constant >= 0 ? constant : call.code);
        if (valueClassCode == type::kNone)
            return fail(statement.start, compile_message::kNoSuchConstant);
        if (valueClassCode != wanted)
            return fail(statement.start, compile_message::kCannotConvertConstants);
        return true;
    }
    const VariableEntry* variable = findVariable(word);
    if (!variable)
        return fail(statement.start, compile_message::kWrongType);
    bool fits =
        wanted == type::kColourClass
            ? variable->typeCode == type::kColour || variable->typeCode == type::kRgb
            : variable->typeCode == (wanted == type::kYesNo ? type::kYesNo : attributeResult);
    if (!fits)
        return fail(statement.start, compile_message::kCannotConvertValues);
    return true;
}

bool ProcedureValidator::validateCondition(const Statement& statement, std::size_t conditionStart)
{
    std::size_t then = findWord(m_text, "then", conditionStart, statement.end);
    if (then == std::string::npos)
        return fail(statement.start, compile_message::kThenNotOnLine);
    std::string_view text = std::string_view(m_text).substr(0, then);
    TextSpan word = readWord(text, conditionStart);
    int code = m_context.match(text.substr(word.start, word.length)).code;
    bool sideTest = code == 29 || code == 30;
    bool betweenTest = code == 22 || code == 142;
    if (sideTest || betweenTest) {
        const WordEntry* entry = m_context.entryFor(sideTest ? code : 22);
        Statement condition{statement.start, then};
        if (!validateArguments(condition, code, argumentsStartAfter(word.end(), then),
                               entry ? entry->lists : std::vector<ArgumentList>{}))
            return false;
    } else {
        std::string_view comparison = trimBlanks(text.substr(conditionStart));
        std::size_t equals = comparison.find("==");
        if (equals == std::string_view::npos ||
            !findVariable(trimBlanks(comparison.substr(0, equals))) ||
            !findVariable(trimBlanks(comparison.substr(equals + 2))))
            return fail(conditionStart, compile_message::kImproperName);
    }
    // Only a `StartIf` opening a block may follow `then`: a block ends at
    // the next `EndOfIf`, so there is no nesting to check.
    m_statementEnd = then + 4;
    std::size_t afterThen = skipBlanks(std::string_view(m_text).substr(0, statement.end), then + 4);
    TextSpan next = readWord(std::string_view(m_text).substr(0, statement.end), afterThen);
    if (next.start == afterThen && m_text.compare(next.start, next.length, "StartIf") == 0)
        m_statementEnd = next.end();
    return true;
}

bool ProcedureValidator::validateForAllFaces(const Statement& statement)
{
    if (findWord(m_text, "StartAllFaces", statement.start, statement.end) == std::string::npos)
        return fail(statement.start, compile_message::kNoStartAllFaces);
    std::size_t closing = findWord(m_text, "EndOfAllFaces", statement.end, m_text.size());
    if (closing == std::string::npos || m_text.size() - closing <= 12)
        return fail(statement.start, compile_message::kNoEndOfAllFaces);
    return true;
}

bool ProcedureValidator::recordTarget(const Statement& statement, const std::string& target,
                                      int resultType, bool distanceArithmetic)
{
    std::optional<std::string> text =
        resultType == type::kString ? std::move(m_statementText) : std::nullopt;
    m_statementText.reset();
    if (VariableEntry* existing = findVariable(target)) {
        if (existing->removed) {
            // A removed variable may be declared again, with a new type.
            existing->removed = false;
            existing->typeCode = resultType;
            existing->text = std::move(text);
            return true;
        }
        if (existing->typeCode != resultType)
            return fail(statement.start, compile_message::kAlreadyDefined);
        existing->text = std::move(text);
        return true;
    }
    if (resultType == type::kNone && !distanceArithmetic)
        return fail(statement.start, compile_message::kNoSuchNameOtherModule);
    addVariable(target, resultType);
    findVariable(target)->text = std::move(text);
    return true;
}

bool ProcedureValidator::validateReturn(const ProcedureRecord& procedure)
{
    std::size_t first = findWord(m_text, "return", procedure.bodyStart, procedure.bodyEnd);
    if (procedure.name == "start") {
        if (first != std::string::npos)
            return fail(first, compile_message::kStartReturns);
        return true;
    }
    if (procedure.typeCode == 0 || procedure.typeCode == type::kVoid)
        return true;
    if (first == std::string::npos)
        return fail(procedure.bodyStart, compile_message::kMissingReturn);
    std::size_t valueStart = argumentsStartAfter(first + 6, m_text.size());
    TextSpan value = readWord(m_text, valueStart);
    const VariableEntry* variable =
        findVariable(std::string_view(m_text).substr(value.start, value.length));
    if (!variable || variable->typeCode != procedure.typeCode)
        return fail(first, compile_message::kReturnType);
    std::size_t second = findWord(m_text, "return", first + 6, procedure.bodyEnd);
    if (second != std::string::npos)
        return fail(second, compile_message::kDoubleReturn);
    return true;
}

int ProcedureValidator::argumentType(std::string_view argument)
{
    // Literals first (a variable can never be spelt like one), then the
    // variables. Decimals count in every case, so that Curves scripts may
    // pass them after their first variable too.
    int code = m_context.match(argument).code;
    if (isLiteralCode(code) && !argument.empty())
        return code;
    const VariableEntry* variable = findVariable(argument);
    if (variable)
        return variable->typeCode;
    return 0;
}

VariableEntry* ProcedureValidator::findVariable(std::string_view name)
{
    auto found = m_variableIndex.find(std::string(name));
    return found == m_variableIndex.end() ? nullptr : &m_variables[found->second];
}

void ProcedureValidator::addVariable(std::string_view name, int typeCode)
{
    // A parameter list may name a variable twice; the first entry stays.
    m_variableIndex.emplace(std::string(name), m_variables.size());
    m_variables.push_back({false, std::string(name), typeCode, {}});
}

std::size_t ProcedureValidator::argumentsStartAfter(std::size_t wordEnd, std::size_t end) const
{
    std::size_t position = std::min(wordEnd, end);
    while (position < end && (isBlank(m_text[position]) || m_text[position] == '('))
        ++position;
    return position;
}

// The ')' that closes an argument list: brackets inside it (in '$' texts)
// are passed over in pairs.
std::size_t ProcedureValidator::closingParenthesis(std::size_t from, std::size_t end) const
{
    int depth = 0;
    for (std::size_t index = from; index < end && index < m_text.size(); ++index) {
        if (m_text[index] == '(')
            ++depth;
        else if (m_text[index] == ')' && depth-- == 0)
            return index;
    }
    return end;
}

std::optional<std::string> ProcedureValidator::textOf(std::string_view argument)
{
    argument = trimBlanks(argument);
    if (!argument.empty() && argument.front() == '$')
        return std::string(argument.substr(1));
    if (const VariableEntry* variable = findVariable(argument))
        return variable->text;
    return {};
}

} // namespace kestrane
