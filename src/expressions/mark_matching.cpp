// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/mark_matching.h"

#include "expressions/fract_node.h"

#include <algorithm>
#include <vector>

namespace kestrane {

namespace {

struct Matcher {
    std::vector<MarkItem*> open;
    std::vector<FractNode*> exponents; // matched afterwards, each on its own
    bool complete = true;
    bool nested = true;
    // Marks open before the current numerator or denominator began; a
    // nested mark never closes one of them from inside.
    std::size_t floor = 0;

    void openMarks(MarkRow* row)
    {
        if (!row)
            return;
        for (auto& item : row->items) {
            item->matched = 0;
            item->partnerItem = nullptr;
            if (RootMark* root = item->rootPart())
                root->partner = nullptr;
            if (item->isOpening)
                open.push_back(item.get());
        }
    }

    void closeMarks(MarkRow* row)
    {
        if (!row)
            return;
        for (auto& item : row->items) {
            item->matched = 0;
            item->partnerItem = nullptr;
            if (item->paren && item->paren->exponent)
                exponents.push_back(item->paren->exponent.get());
            if (!item->isOpening)
                closeMark(*item);
        }
    }

    void closeMark(MarkItem& closing)
    {
        if (open.size() <= floor || open.back()->kind != closing.kind)
            nested = false;
        for (auto it = open.rbegin(); it != open.rend(); ++it) {
            MarkItem& opening = **it;
            if (opening.kind != closing.kind)
                continue;
            opening.matched = 1;
            closing.matched = 1;
            opening.partnerItem = &closing;
            closing.partnerItem = &opening;
            if (RootMark* root = opening.rootPart())
                root->partner = &closing;
            open.erase(std::next(it).base());
            return;
        }
        complete = false;
    }

    void walk(FractNode& node)
    {
        openMarks(node.openRow.get());
        if (node.exponent)
            exponents.push_back(node.exponent.get());
        for (auto* child : {&node.left, &node.right}) {
            if (*child)
                walk(**child);
        }
        for (auto* part : {&node.numerator, &node.denominator}) {
            if (!*part)
                continue;
            std::size_t outer = floor;
            floor = open.size();
            walk(**part);
            nested = nested && open.size() == floor;
            floor = outer;
        }
        closeMarks(node.closeRow.get());
    }
};

} // namespace

namespace {

// Matches every expression of the tree (the root and each exponent); returns
// whether all marks found partners and, in nested, whether each closing mark
// closed the innermost open one.
bool matchAll(FractNode& root, bool& nested)
{
    nested = true;
    bool complete = true;
    std::vector<FractNode*> expressions{&root};
    while (!expressions.empty()) {
        FractNode* expression = expressions.back();
        expressions.pop_back();
        Matcher matcher;
        matcher.walk(*expression);
        complete = complete && matcher.complete && matcher.open.empty();
        nested = nested && matcher.nested;
        expressions.insert(expressions.end(), matcher.exponents.begin(), matcher.exponents.end());
    }
    return complete;
}

} // namespace

bool matchMarks(FractNode& root)
{
    bool nested = true;
    return matchAll(root, nested);
}

bool marksNested(FractNode& root)
{
    bool nested = true;
    return matchAll(root, nested) && nested;
}

bool marksComplete(const FractNode& root)
{
    return everyNode(root, [](const FractNode& node) {
        for (const MarkRow* row : {node.openRow.get(), node.closeRow.get()}) {
            if (row && !std::all_of(row->items.begin(), row->items.end(),
                                    [](const auto& item) { return item->matched; }))
                return false;
        }
        return true;
    });
}

} // namespace kestrane
