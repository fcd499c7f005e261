// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/function_file.h"

#include "expressions/fract_bytes.h"
#include "expressions/fract_node.h"
#include "platform/host.h"
#include "runtime/float_text.h"

#include <utility>
#include <vector>

namespace kestrane {

namespace {

FunctionFileRead corrupt()
{
    return {nullptr, kCorruptFractionCaption, kCorruptFractionText};
}

std::vector<std::string_view> blankSeparated(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t start = text.find_first_not_of(" \t", position);
        if (start == std::string_view::npos)
            break;
        std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        words.push_back(text.substr(start, end - start));
        position = end;
    }
    return words;
}

} // namespace

FunctionFileRead parseFunctionFile(std::string_view bytes, int fontHeight)
{
    auto file = std::make_unique<FunctionFile>();
    std::size_t searchFrom = 0;
    std::size_t domain = bytes.find("domain");
    std::size_t startWord = bytes.find("start");
    if (domain != std::string_view::npos &&
        (startWord == std::string_view::npos || domain < startWord)) {
        std::size_t from = domain + 6;
        std::size_t end = std::min(bytes.find_first_of("\r\n", from), bytes.size());
        std::string_view line = bytes.substr(from, end - from);
        if (!line.empty() && line.front() == ':')
            line.remove_prefix(1);
        std::vector<std::string_view> words = blankSeparated(line);
        if (words.size() >= 2) {
            file->lower = readFloatText(words[0]);
            file->upper = readFloatText(words[1]);
        }
        searchFrom = end;
    }
    if (file->lower > file->upper)
        std::swap(file->lower, file->upper);
    if (file->lower == file->upper) {
        file->lower = 0;
        file->upper = 1;
    }
    std::size_t start = bytes.find("start", searchFrom);
    if (start == std::string_view::npos)
        return corrupt();
    // The rest of the keyword's line, then the run of line breaks.
    std::size_t position = bytes.find_first_of("\r\n", start);
    if (position == std::string_view::npos)
        return corrupt();
    position = bytes.find_first_not_of("\r\n", position);
    if (position == std::string_view::npos)
        return corrupt();
    file->expression = parseExpression(bytes, position, fontHeight);
    if (!file->expression)
        return corrupt();
    return {std::move(file), {}, {}};
}

std::unique_ptr<FunctionFile> readFunctionFile(Host& host, std::string_view bytes)
{
    FunctionFileRead read = parseFunctionFile(bytes);
    if (!read.file) {
        host.message(read.caption, read.message, MessageButtons::Ok, MessageIcon::Error);
        return nullptr;
    }
    return std::move(read.file);
}

std::string writeFunctionFile(const FractNode& expression, double lower, double upper)
{
    std::string bytes =
        "domain: " + trimmedFloatText(lower) + " " + trimmedFloatText(upper) + "\r\nstart:\r\n";
    if (!serializeExpression(expression, bytes))
        return {};
    return bytes;
}

} // namespace kestrane
