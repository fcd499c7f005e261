// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/word_help.h"

#include "script/word_help_data.h"

#include <array>

namespace kestrane {

namespace {

const std::vector<WordHelp>& allHelp()
{
    static const std::vector<WordHelp> help = [] {
        std::vector<WordHelp> joined;
        for (auto part : {word_help_data::planeHelp, word_help_data::spaceHelp,
                          word_help_data::algebraHelp, word_help_data::generalHelp}) {
            for (const WordHelp& item : part())
                joined.push_back(item);
        }
        return joined;
    }();
    return help;
}

constexpr std::array<int, 9> kModuleCodes{501, 502, 503, 504, 505, 506, 507, 508, 604};

// The modules whose lookups search a group's table.
bool groupServes(WordGroup group, int moduleCode)
{
    switch (group) {
    case WordGroup::Kestrane:
        return moduleCode == 501 || moduleCode == 502;
    case WordGroup::Dimension2:
        return moduleCode == 502;
    case WordGroup::Dimension3:
        return moduleCode == 503;
    case WordGroup::Dimension4:
        return moduleCode == 604;
    case WordGroup::Graphs:
        return moduleCode == 504;
    case WordGroup::Algebra:
        return moduleCode >= 505 && moduleCode <= 508;
    case WordGroup::Quadratic:
        return moduleCode == 506;
    case WordGroup::Cubic:
        return moduleCode == 507;
    case WordGroup::Curves:
        return moduleCode == 508;
    case WordGroup::General:
        return true;
    }
    return false;
}

} // namespace

std::span<const WordHelp> wordHelpTable()
{
    return allHelp();
}

const WordHelp* helpFor(const WordEntry& entry)
{
    for (const WordHelp& help : allHelp()) {
        if (help.group == entry.group && help.word == entry.word && help.modules == entry.modules)
            return &help;
    }
    return nullptr;
}

std::vector<int> modulesOfEntry(const WordEntry& entry)
{
    std::vector<int> codes;
    for (int code : kModuleCodes) {
        if (groupServes(entry.group, code) && (entry.modules & moduleBit(code)) != 0)
            codes.push_back(code);
    }
    return codes;
}

int exampleModuleOf(const WordEntry& entry, const WordHelp& help)
{
    if (help.exampleModule != 0)
        return help.exampleModule;
    std::vector<int> codes = modulesOfEntry(entry);
    return codes.empty() ? 501 : codes.front();
}

std::string exampleScript(const WordHelp& help)
{
    // An example that declares procedures of its own is a whole program.
    bool whole = help.example.find("\nEND") != std::string_view::npos;
    std::string text = whole ? "" : "void start()\r\n";
    std::string_view rest = help.example;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        text += rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (!rest.empty())
            text += "\r\n";
    }
    if (!whole)
        text += "\r\nEND";
    return text;
}

} // namespace kestrane
