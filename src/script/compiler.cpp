// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/compiler.h"

#include "platform/host.h"
#include "script/compiler_messages.h"
#include "script/lexical.h"
#include "script/procedure_validator.h"
#include "script/validation_context.h"

#include <algorithm>

namespace kestrane {

namespace {

enum class FileKind { Main, Include, Invalid };

// Main or include file by the extension of the file's own name: "kst" or
// "KST" for a main file, "ksu" or "KSU" for an include. Only the last
// component of a path counts, so dots in directory names do not matter.
FileKind fileKindOf(std::string_view name)
{
    if (name == "NoName")
        return FileKind::Main;
    std::size_t separator = name.find_last_of("\\/");
    if (separator != std::string_view::npos)
        name.remove_prefix(separator + 1);
    std::size_t dot = name.find('.');
    if (dot == std::string_view::npos || dot + 4 != name.size())
        return FileKind::Invalid;
    std::string_view extension = name.substr(dot + 1);
    if (extension == "kst" || extension == "KST")
        return FileKind::Main;
    if (extension == "ksu" || extension == "KSU")
        return FileKind::Include;
    return FileKind::Invalid;
}

std::string_view afterLastSeparator(std::string_view name, std::string_view separators)
{
    std::size_t cut = name.find_last_of(separators);
    return cut == std::string_view::npos ? name : name.substr(cut + 1);
}

// Validates one file: its kind, the main procedure, the head directives,
// the procedure headers, and then each procedure.
class FileValidator {
public:
    FileValidator(ValidationContext& context, ScriptFile& file)
        : m_context(context)
        , m_file(file)
        , m_text(file.normalisedText)
    {
    }

    bool validate();

private:
    bool validateHead(std::size_t& position);
    bool validateModuleLine(std::size_t& position);
    bool validateIncludeLines(std::size_t& position);
    bool validateIncludeLine(std::string_view line, std::size_t position);
    bool declareProcedures(std::size_t position);
    bool declareProcedure(std::size_t& position);
    bool declareParameters(ProcedureRecord& procedure, std::size_t open, std::size_t end);
    std::optional<int> parameterType(std::string_view typeWord, std::size_t position);
    bool fail(std::size_t position, std::string_view message)
    {
        m_context.fail(m_file, position, message);
        return false;
    }

    ValidationContext& m_context;
    ScriptFile& m_file;
    const std::string& m_text;
};

bool FileValidator::validate()
{
    FileKind kind = fileKindOf(m_file.name);
    if (kind == FileKind::Invalid)
        return fail(0, compile_message::kBadExtension);
    if (kind == FileKind::Main) {
        std::size_t start = findWord(m_text, "start", 0, m_text.size());
        if (start == std::string_view::npos || m_text.size() - start < 5)
            return fail(0, compile_message::kNoStart);
    }
    if (m_text.empty())
        return true;
    std::size_t position = 0;
    if (!validateHead(position) || !declareProcedures(position))
        return false;
    for (const ProcedureRecord& procedure : m_file.procedures) {
        if (!ProcedureValidator(m_context, m_file).validate(procedure))
            return false;
    }
    return true;
}

bool FileValidator::validateHead(std::size_t& position)
{
    TextSpan first = readWord(m_text, 0);
    std::string_view word = std::string_view(m_text).substr(first.start, first.length);
    if (word == "Module" && m_context.match(word).code == 92)
        return validateModuleLine(position);
    if (word == "#include")
        return validateIncludeLines(position);
    return true;
}

bool FileValidator::validateModuleLine(std::size_t& position)
{
    if (m_text.size() < 7 || m_text[6] != '=')
        return fail(0, compile_message::kModuleNeedsEquality);
    TextSpan value = readWord(m_text, 7);
    int code = m_context.match(std::string_view(m_text).substr(value.start, value.length)).code;
    // Dimension 4 is accepted too: it is a module keyword like the others.
    bool known = (code >= 501 && code <= 504) || code == 604;
    if (!known)
        return fail(0, compile_message::kWrongModule);
    m_context.modules().set(code);
    position = readLine(m_text, 0).next;
    return true;
}

bool FileValidator::validateIncludeLines(std::size_t& position)
{
    while (position < m_text.size()) {
        TextSpan word = readWord(m_text, position);
        if (std::string_view(m_text).substr(word.start, word.length) != "#include")
            break;
        LineSpan line = readLine(m_text, word.start);
        if (!validateIncludeLine(std::string_view(m_text).substr(line.line.start, line.line.length),
                                 word.start))
            return false;
        position = line.next;
    }
    return true;
}

bool FileValidator::validateIncludeLine(std::string_view line, std::size_t position)
{
    std::size_t dot = line.rfind('.');
    std::size_t open = line.rfind('<');
    std::size_t close = line.rfind('>');
    std::size_t separator = line.find_last_of("\\/");
    if (dot == std::string_view::npos)
        return fail(position, compile_message::kIncludeNoDot);
    if (dot + 1 >= line.size() || line[dot + 1] != 'k')
        return fail(position, compile_message::kIncludeWrongExtension);
    if (close == std::string_view::npos || close != dot + 4)
        return fail(position, compile_message::kIncludeNoClosingSign);
    if (open == std::string_view::npos)
        return fail(position, compile_message::kIncludeNoOpeningSign);
    std::size_t nameStart =
        (separator != std::string_view::npos && separator > open ? separator : open) + 1;
    std::string_view name = line.substr(nameStart, close > nameStart ? close - nameStart : 0);
    bool loaded = std::any_of(m_file.includes.begin(), m_file.includes.end(),
                              [name](const std::unique_ptr<ScriptFile>& include) {
                                  return afterLastSeparator(include->name, "<\\/") == name;
                              });
    if (!loaded) {
        m_context.failWithBox(m_file, position, compile_message::kErrorCaption,
                              compile_message::kIncludeNotLoaded);
        return false;
    }
    return true;
}

bool FileValidator::declareProcedures(std::size_t position)
{
    while (true) {
        std::optional<std::size_t> start = nextWordStart(m_context, m_file, position);
        if (!start)
            return false;
        if (*start >= m_text.size())
            return true;
        position = *start;
        if (!declareProcedure(position))
            return false;
    }
}

bool FileValidator::declareProcedure(std::size_t& position)
{
    std::string_view text = m_text;
    TextSpan name = readWord(text, position);
    ProcedureRecord procedure;
    int typeCode = m_context.match(text.substr(name.start, name.length)).code;
    if (typeCode != 0) {
        procedure.typeCode = typeCode;
        name = readWord(text, name.end());
    }
    std::size_t open = name.end();
    if (open >= text.size() || text[open] != '(')
        return fail(name.start, compile_message::kNoParenthesis);
    procedure.name = std::string(text.substr(name.start, name.length));
    if (m_context.isReserved(procedure.name))
        return fail(name.start, compile_message::kReservedProcedureName);
    std::size_t end = findWord(text, "END", open, text.size());
    if (!declareParameters(procedure, open, end == std::string_view::npos ? text.size() : end))
        return false;
    if (end == std::string_view::npos)
        return fail(text.size() - 1, compile_message::kNoEnd);
    procedure.bodyStart = open;
    procedure.bodyEnd = end + 3;
    procedure.fileName = m_file.name;
    m_file.procedures.push_back(std::move(procedure));
    position = end + 3;
    return true;
}

bool FileValidator::declareParameters(ProcedureRecord& procedure, std::size_t open, std::size_t end)
{
    std::string_view text = m_text;
    std::size_t close = text.find(')', open);
    // Without a closing parenthesis in the body, the procedure's own
    // validation reports it.
    if (close == std::string_view::npos || close >= end)
        return true;
    std::string_view list = trimBlanks(text.substr(open + 1, close - open - 1));
    if (list.empty())
        return true;
    std::size_t pieceStart = open + 1;
    while (pieceStart <= close) {
        std::size_t comma = text.find(',', pieceStart);
        std::size_t pieceEnd = comma == std::string_view::npos || comma > close ? close : comma;
        std::string_view piece = text.substr(pieceStart, pieceEnd - pieceStart);
        TextSpan typeWord = readWord(piece, 0);
        auto parameter = parameterType(piece.substr(typeWord.start, typeWord.length),
                                       pieceStart + typeWord.start);
        if (!parameter)
            return false;
        procedure.parameterTypes.push_back(*parameter);
        pieceStart = pieceEnd + 1;
    }
    procedure.parameterCount = static_cast<int>(procedure.parameterTypes.size());
    return true;
}

// The type code of a parameter's type word; when the word is not reserved
// in the module, the error names the module that reserves it.
std::optional<int> FileValidator::parameterType(std::string_view typeWord, std::size_t position)
{
    int code = m_context.match(typeWord).code;
    if (code != 0)
        return code;
    if (m_context.findProcedure(typeWord))
        return type::kProcedureParameter;
    std::string_view message = compile_message::kImproperType;
    if (lookUpWord(typeWord, 501) != 0)
        message = compile_message::kTypeFromKestrane;
    else if (lookUpWord(typeWord, 502) != 0)
        message = compile_message::kTypeFromDimension2;
    else if (lookUpWord(typeWord, 503) != 0)
        message = compile_message::kTypeFromDimension3;
    else if (lookUpWord(typeWord, 604) != 0)
        message = compile_message::kTypeFromDimension4;
    fail(position, message);
    return {};
}

// Include files first, in order, then the file itself.
bool validateTree(ValidationContext& context, ScriptFile& file, CompileResult& result)
{
    for (auto& include : file.includes) {
        if (!validateTree(context, *include, result))
            return false;
    }
    result.programText = file.normalisedText;
    result.rawText = context.main().joinedText();
    result.currentFile = &file;
    if (file.normalisedLines.empty()) {
        context.failWithBox(file, 0, compile_message::kErrorCaption, compile_message::kNoCommand);
        return false;
    }
    return FileValidator(context, file).validate();
}

// Normalises every file and drops the procedure records of an earlier
// compile: they describe an earlier text, and a file validated before the
// main file must not see the main file's old procedures.
void prepareTree(ScriptFile& file)
{
    for (auto& include : file.includes)
        prepareTree(*include);
    normaliseFile(file);
    file.procedures.clear();
}

} // namespace

Compiler::Compiler(ModuleState& modules, Host& host) : m_modules(modules), m_host(host) {}

CompileResult Compiler::compile(ScriptFile& main)
{
    prepareTree(main);
    ValidationContext context(m_modules, m_host, main);
    context.setDataFiles(m_dataFiles);
    CompileResult result;
    result.currentFile = &main;
    validateTree(context, main, result);
    result.error = context.error();
    if (result.error)
        result.currentFile = result.error->file;
    return result;
}

void normaliseFile(ScriptFile& file)
{
    file.normalisedLines.clear();
    file.normalisedText.clear();
    for (const SourceLine& line : file.lines) {
        std::string normalised = normaliseLine(line.text());
        if (normalised.empty())
            continue;
        if (!file.normalisedLines.empty())
            file.normalisedText += "\r\n";
        file.normalisedText += normalised;
        file.normalisedLines.push_back({line.number, std::move(normalised)});
    }
}

int normalisedLineAt(const std::string& text, std::size_t position)
{
    std::size_t end = std::min(position, text.size());
    while (end > 0 && end < text.size() && isLineBreak(text[end]))
        --end;
    return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), '\n'));
}

int sourceLineOf(const ScriptFile& file, int normalisedLine)
{
    int lastLine = std::max(0, static_cast<int>(file.lines.size()) - 1);
    int count = static_cast<int>(file.normalisedLines.size());
    if (count == 0 || normalisedLine >= count - 1)
        return lastLine;
    return std::clamp(
        file.normalisedLines[static_cast<std::size_t>(std::max(0, normalisedLine))].sourceLine, 0,
        lastLine);
}

} // namespace kestrane
