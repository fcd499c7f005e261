// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/validation_context.h"

#include "platform/host.h"
#include "script/compiler_messages.h"
#include "script/lexical.h"

#include <algorithm>

namespace kestrane {

namespace {

const ProcedureRecord* findIn(const ScriptFile& file, std::string_view name)
{
    for (const ProcedureRecord& procedure : file.procedures) {
        if (procedure.name == name)
            return &procedure;
    }
    for (const auto& include : file.includes) {
        if (const ProcedureRecord* found = findIn(*include, name))
            return found;
    }
    return nullptr;
}

} // namespace

ValidationContext::ValidationContext(ModuleState& modules, Host& host, ScriptFile& main)
    : m_modules(modules)
    , m_host(host)
    , m_main(main)
{
}

WordMatch ValidationContext::match(std::string_view word) const
{
    return matchWord(word, m_modules.module());
}

const WordEntry* ValidationContext::entryFor(int code) const
{
    return entryForCode(code, m_modules.effective());
}

const ProcedureRecord* ValidationContext::findProcedure(std::string_view name) const
{
    return findIn(m_main, name);
}

void ValidationContext::fail(ScriptFile& file, std::size_t position, std::string_view message)
{
    record(file, position, message, ErrorDisplay::InEditor);
}

void ValidationContext::failWithBox(ScriptFile& file, std::size_t position,
                                    std::string_view caption, std::string_view message)
{
    if (failed())
        return;
    m_host.message(std::string(caption), std::string(message), MessageButtons::Ok,
                   MessageIcon::Error);
    record(file, position, message, ErrorDisplay::MessageBox);
}

void ValidationContext::record(ScriptFile& file, std::size_t position, std::string_view message,
                               ErrorDisplay display)
{
    if (failed())
        return;
    CompileError error;
    error.message = std::string(message);
    error.file = &file;
    error.position = position;
    error.display = display;
    // Count the line ends before the position; a text whose CR and LF
    // counts disagree was not written with CR LF line ends.
    const std::string& text = file.normalisedText;
    error.normalisedLine = normalisedLineAt(text, position);
    std::size_t end = std::min(position, text.size());
    while (end > 0 && end < text.size() && isLineBreak(text[end]))
        --end;
    auto carriageReturns = std::count(text.begin(), text.begin() + static_cast<long>(end), '\r');
    auto lineFeeds = std::count(text.begin(), text.begin() + static_cast<long>(end), '\n');
    if (display == ErrorDisplay::InEditor && carriageReturns != lineFeeds)
        m_host.message(std::string(compile_message::kWarningCaption),
                       std::string(compile_message::kLineBreakWarning), MessageButtons::Ok,
                       MessageIcon::Warning);
    error.sourceLine = sourceLineOf(file, error.normalisedLine);
    m_error = std::move(error);
}

} // namespace kestrane
