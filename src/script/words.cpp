// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/words.h"

#include "script/lexical.h"
#include "script/words_data.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

namespace kestrane {

namespace {

const std::vector<WordEntry>& allEntries()
{
    static const std::vector<WordEntry> entries = [] {
        std::vector<WordEntry> joined;
        for (auto part : {words_data::planeWords, words_data::spaceWords, words_data::algebraWords,
                          words_data::generalWords}) {
            for (WordEntry& entry : part())
                joined.push_back(std::move(entry));
        }
        return joined;
    }();
    return entries;
}

// The module's own tables in search order; the general table follows them.
std::vector<WordGroup> groupsOf(int moduleCode)
{
    switch (moduleCode) {
    case 501:
        return {WordGroup::Kestrane};
    case 502:
        return {WordGroup::Kestrane, WordGroup::Dimension2};
    case 503:
        return {WordGroup::Dimension3};
    case 604:
        return {WordGroup::Dimension4};
    case 504:
        return {WordGroup::Graphs};
    case 505:
        return {WordGroup::Algebra};
    case 506:
        return {WordGroup::Algebra, WordGroup::Quadratic};
    case 507:
        return {WordGroup::Algebra, WordGroup::Cubic};
    case 508:
        return {WordGroup::Algebra, WordGroup::Curves};
    default:
        return {};
    }
}

bool applies(const WordEntry& entry, WordGroup group, int moduleCode)
{
    return entry.group == group && (entry.modules & moduleBit(moduleCode)) != 0;
}

// The entries of each word, in table order: lookups run for every word of
// every statement, so they go through this index instead of the table.
const std::unordered_map<std::string_view, std::vector<const WordEntry*>>& entriesByWord()
{
    static const auto index = [] {
        std::unordered_map<std::string_view, std::vector<const WordEntry*>> byWord;
        for (const WordEntry& entry : allEntries())
            byWord[entry.word].push_back(&entry);
        return byWord;
    }();
    return index;
}

const WordEntry* findInGroup(WordGroup group, int moduleCode, std::string_view word)
{
    const auto& index = entriesByWord();
    auto found = index.find(word);
    if (found == index.end())
        return nullptr;
    for (const WordEntry* entry : found->second) {
        if (applies(*entry, group, moduleCode))
            return entry;
    }
    return nullptr;
}

WordMatch matchOf(const WordEntry* entry)
{
    return {entry->code, entry->kind, entry};
}

WordMatch literal(int code)
{
    return {code, WordKind::Number, nullptr};
}

// "-12.5": an optional sign, digits, a point and digits.
bool isPlaneDecimal(std::string_view word)
{
    if (word.starts_with('-'))
        word.remove_prefix(1);
    std::size_t point = word.find('.');
    if (point == std::string_view::npos || point == 0 || point + 1 == word.size())
        return false;
    return isDecimalLiteral(word);
}

} // namespace

std::span<const WordEntry> wordTable()
{
    return allEntries();
}

WordMatch matchWord(std::string_view word, int moduleCode)
{
    for (WordGroup group : groupsOf(moduleCode)) {
        if (const WordEntry* entry = findInGroup(group, moduleCode, word))
            return matchOf(entry);
        // The Curves table also reads numbers: integers and decimals, a
        // decimal with its sign too (-3.14).
        if (group == WordGroup::Curves) {
            if (isIntegerLiteral(word))
                return literal(type::kInteger);
            if (isSignedDecimal(word))
                return literal(type::kDecimal);
        }
        // Plane points take decimal coordinates, signed, so that a saved
        // figure keeps every digit of its points.
        if (group == WordGroup::Kestrane && !isIntegerLiteral(word) && isPlaneDecimal(word))
            return literal(type::kDecimal);
    }
    if (const WordEntry* entry = findInGroup(WordGroup::General, moduleCode, word))
        return matchOf(entry);
    if (isIntegerLiteral(word))
        return literal(type::kInteger);
    if (isStringConstant(word))
        return literal(type::kString);
    if (isTextConstant(word))
        return literal(type::kText);
    return {};
}

int lookUpWord(std::string_view word, int moduleCode)
{
    return matchWord(word, moduleCode).code;
}

const WordEntry* entryForCode(int code, int moduleCode)
{
    std::vector<WordGroup> groups = groupsOf(moduleCode);
    groups.push_back(WordGroup::General);
    for (WordGroup group : groups) {
        for (const WordEntry& entry : allEntries()) {
            if (applies(entry, group, moduleCode) && entry.code == code)
                return &entry;
        }
    }
    return nullptr;
}

std::vector<std::string_view> wordsOfModule(int moduleCode)
{
    std::vector<WordGroup> groups = groupsOf(moduleCode);
    groups.push_back(WordGroup::General);
    std::vector<std::string_view> words;
    for (const WordEntry& entry : allEntries()) {
        bool inModule = std::any_of(groups.begin(), groups.end(), [&](WordGroup group) {
            return applies(entry, group, moduleCode);
        });
        if (inModule)
            words.push_back(entry.word);
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

namespace {

constexpr std::array<std::pair<std::string_view, int>, 13> kConstantWords{{
    {"white", 301},
    {"yellow", 303},
    {"blue", 304},
    {"red", 306},
    {"gray", 307},
    {"purple", 308},
    {"green", 309},
    {"silver", 310},
    {"transparent", 311},
    {"aqua", 318},
    {"olive", 0}, // a colour word without a colour yet: refused as a value
    {"yes", 312},
    {"no", 313},
}};

constexpr std::array<std::pair<int, std::string_view>, 37> kTypeNames{{
    {13, "line"},         {14, "segment"},         {15, "circle"},
    {16, "point"},        {17, "integer"},         {18, "colour"},
    {19, "distance"},     {20, "HalfLine"},        {27, "polygon"},
    {31, "vector"},       {81, "Collection"},      {82, "Region"},
    {83, "plane"},        {84, "sphere"},          {93, "polyhedron"},
    {116, "line3D"},      {120, "point4"},         {123, "String"},
    {124, "polyhedron4"}, {127, "plane4"},         {131, "polygon4"},
    {133, "sphere4"},     {134, "polytope"},       {169, "Graph"},
    {170, "Rectangle"},   {171, "Function"},       {175, "text"},
    {180, "AlgExpr"},     {185, "QuadraticFunct"}, {199, "CubicFunct"},
    {208, "decimal"},     {209, "Curve"},          {211, "Segment"},
    {214, "Image"},       {215, "AnalyticF"},      {314, "yes/no"},
    {315, "colour"},
}};

} // namespace

int constantWord(std::string_view word)
{
    for (const auto& [constant, code] : kConstantWords) {
        if (constant == word)
            return code;
    }
    return -1;
}

int valueClass(int code)
{
    if (code == 312 || code == 313)
        return type::kYesNo;
    if ((code >= 301 && code <= 310) || code == 318 || code == type::kRgb || code == type::kColour)
        return type::kColourClass;
    return type::kNone;
}

std::string_view typeName(int code)
{
    for (const auto& [typeCode, name] : kTypeNames) {
        if (typeCode == code)
            return name;
    }
    return {};
}

} // namespace kestrane
