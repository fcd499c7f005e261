// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/fraction_file.h"

#include "expressions/fract_bytes.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <algorithm>
#include <vector>

namespace kestrane {

namespace {

constexpr char kDescriptionEnd = 1;

void appendTwoDigits(std::string& bytes, int value)
{
    bytes.push_back(static_cast<char>('0' + value / 10));
    bytes.push_back(static_cast<char>('0' + value % 10));
}

std::optional<int> readTwoDigits(std::string_view bytes, std::size_t& position)
{
    if (position + 2 > bytes.size())
        return std::nullopt;
    const char tens = bytes[position];
    const char units = bytes[position + 1];
    if (tens < '0' || tens > '9' || units < '0' || units > '9')
        return std::nullopt;
    position += 2;
    return (tens - '0') * 10 + (units - '0');
}

void tellError(Host& host, const char* caption, const char* text)
{
    host.message(caption, text, MessageButtons::Ok, MessageIcon::Information);
}

} // namespace

std::optional<std::string> fractionFileName(std::string_view name)
{
    const std::size_t separator = name.find_last_of("/\\");
    const std::size_t base = separator == std::string_view::npos ? 0 : separator + 1;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot < base)
        return std::string(name) + ".fra";
    if (name.substr(dot + 1) != "fra")
        return std::nullopt;
    return std::string(name);
}

namespace {

// Pairs marks as mark matching does (a closing mark takes the nearest
// unpaired opening mark of its kind; exponents on their own) without
// touching the tree's flags.
struct CompletenessCheck {
    std::vector<int> open; // kinds of the unpaired opening marks
    std::vector<const FractNode*> exponents;
    bool complete = true;

    void row(const MarkRow* marks)
    {
        if (!marks)
            return;
        for (const auto& item : marks->items) {
            if (item->paren && item->paren->exponent)
                exponents.push_back(item->paren->exponent.get());
            if (item->isOpening) {
                open.push_back(item->kind);
                continue;
            }
            auto partner = std::find(open.rbegin(), open.rend(), item->kind);
            if (partner == open.rend())
                complete = false;
            else
                open.erase(std::next(partner).base());
        }
    }

    void walk(const FractNode& node)
    {
        row(node.openRow.get());
        if (node.exponent)
            exponents.push_back(node.exponent.get());
        for (const FractNode* child :
             {node.left.get(), node.right.get(), node.numerator.get(), node.denominator.get()}) {
            if (child)
                walk(*child);
        }
        row(node.closeRow.get());
    }
};

} // namespace

bool expressionComplete(const FractNode& expression)
{
    std::vector<const FractNode*> pending{&expression};
    while (!pending.empty()) {
        const FractNode* part = pending.back();
        pending.pop_back();
        CompletenessCheck check;
        check.walk(*part);
        if (!check.complete || !check.open.empty())
            return false;
        pending.insert(pending.end(), check.exponents.begin(), check.exponents.end());
    }
    return true;
}

bool serializeVariables(const VariableTable& table, std::string& bytes)
{
    int withValue = 0;
    for (int i = 0; i < table.count(); ++i)
        withValue += table.record(i).value ? 1 : 0;
    if (withValue > kMaxFileVariables)
        return false;
    std::string section;
    // A table with many names without value may have outgrown two digits;
    // the reader only needs room for the records written.
    const int capacity = table.capacity() <= 99
                             ? table.capacity()
                             : (withValue + VariableTable::kGrowth - 1) / VariableTable::kGrowth *
                                   VariableTable::kGrowth;
    appendTwoDigits(section, capacity);
    appendTwoDigits(section, withValue);
    for (int i = 0; i < table.count(); ++i) {
        const VariableRecord& record = table.record(i);
        if (!record.value)
            continue;
        if (record.name.empty() || record.name.size() > 99)
            return false;
        appendTwoDigits(section, static_cast<int>(record.name.size()));
        section += record.name;
        if (!serializeExpression(*record.value, section))
            return false;
    }
    bytes += section;
    return true;
}

bool parseVariables(std::string_view bytes, std::size_t& position, VariableTable& table,
                    int fontHeight)
{
    table = VariableTable();
    std::size_t at = position;
    const std::optional<int> capacity = readTwoDigits(bytes, at);
    const std::optional<int> count = capacity ? readTwoDigits(bytes, at) : std::nullopt;
    if (!count)
        return false;
    table.reserve(*capacity);
    for (int i = 0; i < *count; ++i) {
        const std::optional<int> length = readTwoDigits(bytes, at);
        if (!length || *length == 0 || at + static_cast<std::size_t>(*length) > bytes.size()) {
            table = VariableTable();
            return false;
        }
        std::string name(bytes.substr(at, static_cast<std::size_t>(*length)));
        at += static_cast<std::size_t>(*length);
        std::unique_ptr<FractNode> value = parseExpression(bytes, at, fontHeight);
        if (!value) {
            table = VariableTable();
            return false;
        }
        table.add(std::move(name), std::move(value));
    }
    position = at;
    return true;
}

std::optional<std::string> fractionFileBytes(const FractNode& expression,
                                             std::string_view description,
                                             const VariableTable& variables)
{
    std::string bytes(kFractionFileTitle);
    bytes += "\r\n";
    // A byte 1 ends the description, so it cannot be part of it.
    for (char c : description.substr(0, kMaxDescriptionLength)) {
        if (c != kDescriptionEnd)
            bytes.push_back(c);
    }
    bytes += "\x01\x01\r\n";
    if (!serializeExpression(expression, bytes) || !serializeVariables(variables, bytes))
        return std::nullopt;
    return bytes;
}

std::optional<std::string> writeFractionFile(std::string_view fileName, const FractNode& expression,
                                             std::string_view description,
                                             const VariableTable& variables, Host& host)
{
    std::optional<std::string> name = fractionFileName(fileName);
    if (!name) {
        tellError(host, N_("Error"), kWrongFileNameText);
        return std::nullopt;
    }
    if (!expressionComplete(expression)) {
        tellError(host, N_("Error"), kWrongParenthesesText);
        return std::nullopt;
    }
    int withValue = 0;
    for (int i = 0; i < variables.count(); ++i)
        withValue += variables.record(i).value ? 1 : 0;
    if (withValue > kMaxFileVariables) {
        tellError(host, kTooManyVariablesCaption, kTooManyVariablesText);
        return std::nullopt;
    }
    std::optional<std::string> bytes = fractionFileBytes(expression, description, variables);
    if (!bytes) {
        reportCorruptFraction(host);
        return std::nullopt;
    }
    if (!replaceFile(nativePath(*name), *bytes)) {
        tellError(host, translate("Error"),
                  (translate("Cannot write the file ") + *name + ".").c_str());
        return std::nullopt;
    }
    return name;
}

FractionFileContents parseFractionFile(std::string_view bytes, Host& host, int fontHeight)
{
    FractionFileContents contents;
    std::size_t position = 0;
    bool readable = true;
    if (bytes.substr(0, kFractionFileTitle.size()) == kFractionFileTitle) {
        contents.titled = true;
        position = kFractionFileTitle.size() + 2;
        const std::size_t end =
            position <= bytes.size() ? bytes.find(kDescriptionEnd, position) : std::string::npos;
        if (end == std::string_view::npos) {
            readable = false;
        } else {
            contents.description = std::string(
                bytes.substr(position, std::min(end - position, kMaxDescriptionLength)));
            position = end;
            while (position < bytes.size() && (bytes[position] == kDescriptionEnd ||
                                               bytes[position] == '\r' || bytes[position] == '\n'))
                ++position;
        }
    }
    if (readable)
        contents.expression = parseExpression(bytes, position, fontHeight);
    if (!contents.expression) {
        reportCorruptFraction(host);
        contents.expression = FractNode::makeSlot();
        contents.expressionDamaged = true;
        return contents;
    }
    // Every file this program writes has the section; an old one may not.
    if (position < bytes.size() &&
        !parseVariables(bytes, position, contents.variables, fontHeight)) {
        contents.variablesDamaged = true;
        tellError(host, N_("Error"), kDamagedVariablesText);
    }
    return contents;
}

std::optional<FractionFileContents> readFractionFile(std::string_view fileName, Host& host,
                                                     int fontHeight)
{
    std::optional<std::string> bytes = readWholeFile(nativePath(fileName));
    if (!bytes)
        return std::nullopt;
    return parseFractionFile(*bytes, host, fontHeight);
}

} // namespace kestrane
