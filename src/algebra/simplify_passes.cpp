// SPDX-License-Identifier: GPL-3.0-or-later
// The passes between taking an expression apart and putting it together:
// aliases, lifted fractions, substitution and the roots of numbers.
#include "algebra/simplify_passes.h"

#include "algebra/exact_fraction.h"
#include "algebra/exact_tree.h"
#include "algebra/variable_table.h"
#include "expressions/expression_text.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/mark_matching.h"

#include <cctype>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kestrane {

namespace {

bool isNameText(const std::string& text)
{
    const auto first = static_cast<unsigned char>(text.empty() ? '0' : text[0]);
    return std::isalpha(first) != 0 || first >= 0x80;
}

bool isNumberText(const std::string& text)
{
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text[0])) != 0;
}

// A leaf with nothing around it: no marks, no exponent, no minus.
bool plainLeaf(const FractNode& node)
{
    return node.hasText() && !node.hasOpenMarks() && !node.hasCloseMarks() && !node.exponent &&
           node.numberSign.sign == '+';
}

// Where each name of a table stands, for tables of thousands of
// definitions; kept up to date as records are added at the end.
class TableIndex {
public:
    explicit TableIndex(const VariableTable& table) : m_table(table) { update(); }

    void update()
    {
        for (; m_indexed < m_table.count(); ++m_indexed)
            m_places.emplace(m_table.record(m_indexed).name, m_indexed);
    }

    int find(const std::string& name) const
    {
        auto found = m_places.find(name);
        return found == m_places.end() ? -1 : found->second;
    }

    bool contains(const std::string& name) const
    {
        return name == VariableTable::kMinusOne || m_places.count(name) > 0;
    }

    const FractNode* valueOf(const std::string& name) const
    {
        const int index = find(name);
        return index >= 0 ? m_table.record(index).value.get() : nullptr;
    }

private:
    const VariableTable& m_table;
    std::unordered_map<std::string, int> m_places;
    int m_indexed = 0;
};

// The value a plain leaf names, when it names a definition with one.
const FractNode* valueNamed(const TableIndex& index, const FractNode& leaf)
{
    if (!plainLeaf(leaf) || leaf.symbol || !isNameText(*leaf.text))
        return nullptr;
    return index.valueOf(*leaf.text);
}

// A fraction of two plain leaves, as the decomposition writes it.
bool elementaryFraction(const FractNode* value)
{
    return value && value->isFraction() && !value->exponent && !value->hasOpenMarks() &&
           !value->hasCloseMarks() && plainLeaf(*value->numerator) &&
           plainLeaf(*value->denominator);
}

bool elementaryOperation(const FractNode& value)
{
    const char sign = value.isOperation() ? value.left->opSign.sign : 0;
    return (sign == '+' || sign == '-' || sign == '*') && !value.exponent &&
           plainLeaf(*value.left) && plainLeaf(*value.right);
}

void settle(FractNode& node)
{
    fixUp(node);
    matchMarks(node);
    computeMarkSpans(node);
}

template<typename Visit>
void forEachLeaf(FractNode& node, const Visit& visit)
{
    std::vector<FractNode*> pending{&node};
    while (!pending.empty()) {
        FractNode* part = pending.back();
        pending.pop_back();
        if (part->hasText())
            visit(*part);
        for (FractNode* child : {part->left.get(), part->right.get(), part->numerator.get(),
                                 part->denominator.get(), part->exponent.get()}) {
            if (child)
                pending.push_back(child);
        }
        for (MarkRow* row : {part->openRow.get(), part->closeRow.get()}) {
            if (!row)
                continue;
            for (const auto& item : row->items) {
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
    }
}

// Names for the new definitions of the lifting rules.
class Namer {
public:
    Namer(VariableTable& table, TableIndex& index) : m_table(table), m_index(index) {}

    std::string next()
    {
        int& counter = m_table.nameCounter;
        std::string name;
        do {
            // The one-letter names "i" and "m" are never generated.
            if (counter == 8 || counter == 12)
                ++counter;
            name = generatedName(counter++);
        } while (m_index.contains(name));
        return name;
    }

    // Appends a record and keeps the index up to date.
    void add(const std::string& name, std::unique_ptr<FractNode> value)
    {
        m_table.add(name, std::move(value));
        m_index.update();
    }

    // A new definition holding the value; returns a leaf naming it.
    std::unique_ptr<FractNode> define(std::unique_ptr<FractNode> value)
    {
        std::string name = next();
        add(name, std::move(value));
        return FractNode::makeLeaf(std::move(name));
    }

private:
    VariableTable& m_table;
    TableIndex& m_index;
};

std::unique_ptr<FractNode> copyOf(const FractNode& node)
{
    return copyTree(node);
}

// Lifts one definition; true when a rule applied.
bool liftOne(VariableTable& table, int index, const TableIndex& names, Namer& namer)
{
    const FractNode* value = table.record(index).value.get();
    if (!value)
        return false;
    std::unique_ptr<FractNode> lifted;

    // A name under one parenthesis: the mark goes to the numerator and to
    // the denominator of the fraction it names. A root stays over the whole
    // fraction: split, sqrt(3/-50) would take the other square root of -6/25.
    if (value->hasText() && !value->exponent && value->numberSign.sign == '+' && value->openRow &&
        value->openRow->count() == 1 && value->closeRow && value->closeRow->count() == 1 &&
        value->openRow->items[0]->isParen() && !value->symbol && isNameText(*value->text)) {
        const FractNode* inner = names.valueOf(*value->text);
        if (elementaryFraction(inner)) {
            std::unique_ptr<FractNode> top = copyOf(*value);
            std::unique_ptr<FractNode> bottom = copyOf(*value);
            std::unique_ptr<FractNode> numerator = copyOf(*inner->numerator);
            std::unique_ptr<FractNode> denominator = copyOf(*inner->denominator);
            const std::string topName = namer.next();
            namer.add(topName, nullptr);
            const std::string numeratorName = namer.next();
            namer.add(numeratorName, std::move(numerator));
            const std::string bottomName = namer.next();
            namer.add(bottomName, nullptr);
            const std::string denominatorName = namer.next();
            namer.add(denominatorName, std::move(denominator));
            top->text = numeratorName;
            bottom->text = denominatorName;
            for (auto [name, part] : {std::pair{&topName, &top}, {&bottomName, &bottom}}) {
                std::unique_ptr<FractNode>& held = table.record(names.find(*name)).value;
                held = std::move(*part);
                settle(*held);
            }
            lifted = FractNode::makeFraction(FractNode::makeLeaf(topName),
                                             FractNode::makeLeaf(bottomName));
        }
    } else if (value->isOperation() && elementaryOperation(*value)) {
        const char sign = value->left->opSign.sign;
        const FractNode* x = valueNamed(names, *value->left);
        const FractNode* y = valueNamed(names, *value->right);
        if (elementaryFraction(x)) {
            // N/M op Y
            std::unique_ptr<FractNode> n = copyOf(*x->numerator);
            std::unique_ptr<FractNode> m = copyOf(*x->denominator);
            std::unique_ptr<FractNode> other = copyOf(*value->right);
            if (sign == '*') {
                std::unique_ptr<FractNode> product =
                    namer.define(FractNode::makeOperation('*', std::move(n), std::move(other)));
                lifted = FractNode::makeFraction(std::move(product), std::move(m));
            } else {
                std::unique_ptr<FractNode> product =
                    namer.define(FractNode::makeOperation('*', copyOf(*m), std::move(other)));
                std::unique_ptr<FractNode> sum =
                    namer.define(FractNode::makeOperation(sign, std::move(n), std::move(product)));
                lifted = FractNode::makeFraction(std::move(sum), std::move(m));
            }
        } else if (elementaryFraction(y)) {
            // X op N/M
            std::unique_ptr<FractNode> n = copyOf(*y->numerator);
            std::unique_ptr<FractNode> m = copyOf(*y->denominator);
            std::unique_ptr<FractNode> other = copyOf(*value->left);
            if (sign == '*') {
                std::unique_ptr<FractNode> product =
                    namer.define(FractNode::makeOperation('*', std::move(other), std::move(n)));
                lifted = FractNode::makeFraction(std::move(product), std::move(m));
            } else {
                std::unique_ptr<FractNode> product =
                    namer.define(FractNode::makeOperation('*', std::move(other), copyOf(*m)));
                std::unique_ptr<FractNode> sum =
                    namer.define(FractNode::makeOperation(sign, std::move(product), std::move(n)));
                lifted = FractNode::makeFraction(std::move(sum), std::move(m));
            }
        }
    } else if (elementaryFraction(value)) {
        const FractNode* below = valueNamed(names, *value->denominator);
        const FractNode* above = valueNamed(names, *value->numerator);
        if (elementaryFraction(below)) {
            // A/(N/M) = (A*M)/N
            std::unique_ptr<FractNode> product = namer.define(FractNode::makeOperation(
                '*', copyOf(*value->numerator), copyOf(*below->denominator)));
            lifted = FractNode::makeFraction(std::move(product), copyOf(*below->numerator));
        } else if (elementaryFraction(above)) {
            // (N/M)/B = N/(M*B)
            std::unique_ptr<FractNode> product = namer.define(FractNode::makeOperation(
                '*', copyOf(*above->denominator), copyOf(*value->denominator)));
            lifted = FractNode::makeFraction(copyOf(*above->numerator), std::move(product));
        }
    }
    if (!lifted)
        return false;
    // The table may have grown: find the record again by its place.
    settle(*lifted);
    table.record(index).value = std::move(lifted);
    return true;
}

// Moves the marks of a leaf that is being replaced onto the copy that
// replaces it: its opening marks in front of the copy's first opening
// marks, its closing marks after the copy's last ones.
void carryMarks(FractNode& leaf, FractNode& copy)
{
    if (leaf.hasOpenMarks()) {
        FractNode& first = leftmostLeaf(copy);
        MarkRow& row = first.ensureOpenRow();
        for (int i = leaf.openRow->count() - 1; i >= 0; --i) {
            std::unique_ptr<MarkItem> item = leaf.openRow->remove(i);
            item->owner = &first;
            row.insert(0, std::move(item));
        }
    }
    if (leaf.hasCloseMarks()) {
        FractNode& last = rightmostLeaf(copy);
        MarkRow& row = last.ensureCloseRow();
        while (!leaf.closeRow->empty()) {
            std::unique_ptr<MarkItem> item = leaf.closeRow->remove(0);
            item->owner = &last;
            row.append(std::move(item));
        }
    }
}

// Puts a parenthesis around a copy that is more than a leaf; the
// parenthesis carries the exponent, and a minus before it.
void enclose(FractNode& copy, std::unique_ptr<FractNode> exponent, bool negative)
{
    FractNode& first = leftmostLeaf(copy);
    std::unique_ptr<MarkItem> opening = MarkItem::makeParen(true);
    opening->owner = &first;
    if (negative)
        opening->paren->sign2 = '-';
    first.ensureOpenRow().insert(0, std::move(opening));
    FractNode& last = rightmostLeaf(copy);
    std::unique_ptr<MarkItem> closing = MarkItem::makeParen(false);
    closing->owner = &last;
    if (exponent) {
        exponent->parent = &last;
        exponent->role = NodeRole::ParenExponent;
        closing->paren->exponent = std::move(exponent);
    }
    last.ensureCloseRow().append(std::move(closing));
}

int precedence(const FractNode& node)
{
    if (!node.isOperation())
        return node.isFraction() ? 3 : 4;
    const char sign = node.left->opSign.sign;
    return sign == '*' ? 2 : sign == '=' ? 0 : 1;
}

// Whether the copy that replaces an operand without marks of its own must be
// bracketed to keep the tree's grouping: the marks the leaf carries for the
// parts around it then still close outside the copy.
bool needsGroup(const FractNode& leaf, const FractNode& copy)
{
    const FractNode* parent = leaf.parent;
    if (!parent || !parent->isOperation() || !copy.isOperation() ||
        (leaf.hasOpenMarks() && leaf.hasCloseMarks()))
        return false;
    const int own = precedence(*parent);
    if (parent->left.get() == &leaf)
        return precedence(copy) < own;
    return precedence(copy) <= own && own > 0;
}

// Whether a copy put in as the right operand of a sum (or product) of its
// own level reads into that chain, as a+b-c and a*b*c read from the left.
bool joinsChain(const FractNode& leaf, const FractNode& copy)
{
    const FractNode* parent = leaf.parent;
    if (!parent || !parent->isOperation() || parent->right.get() != &leaf || leaf.hasOpenMarks() ||
        leaf.exponent || leaf.numberSign.sign == '-' || !copy.isOperation() || copy.exponent ||
        copy.markSpan != 0)
        return false;
    const char sign = parent->left->opSign.sign;
    return (sign == '+' && precedence(copy) == 1) || (sign == '*' && precedence(copy) == 2);
}

// left sign right with a right operand of the same level taken apart:
// a+(b-c) becomes (a+b)-c.
std::unique_ptr<FractNode> chained(char sign, std::unique_ptr<FractNode> left,
                                   std::unique_ptr<FractNode> right)
{
    const int level = sign == '*' ? 2 : 1;
    if (!right->isOperation() || right->exponent || right->markSpan != 0 ||
        precedence(*right) != level)
        return FractNode::makeOperation(sign, std::move(left), std::move(right));
    const char inner = right->left->opSign.sign;
    std::unique_ptr<FractNode> first = std::move(right->left);
    std::unique_ptr<FractNode> second = std::move(right->right);
    return FractNode::makeOperation(inner, chained(sign, std::move(left), std::move(first)),
                                    std::move(second));
}

// A minus before it needs no parentheses: a product, quotient or single
// unit that does not start with a minus of its own.
bool takesMinus(const FractNode& copy)
{
    if (copy.isOperation() && precedence(copy) < 2)
        return false;
    const FractNode* first = &copy;
    while (true) {
        const FractNode& leaf = leftmostLeaf(*first);
        if (leaf.hasOpenMarks()) {
            const MarkItem& mark = *leaf.openRow->items.front();
            return mark.signBefore != '-' && !(mark.paren && mark.paren->sign2 == '-');
        }
        if (!leaf.isFraction())
            return leaf.numberSign.sign != '-';
        first = leaf.numerator.get();
    }
}

// A minus before a node, where the notation's reader puts it.
void putMinus(FractNode& node)
{
    FractNode& leaf = leftmostLeaf(node);
    if (leaf.hasOpenMarks())
        leaf.openRow->items.front()->signBefore = '-';
    else if (leaf.isFraction())
        putMinus(*leaf.numerator);
    else
        leaf.numberSign.sign = '-';
}

class Substitution {
public:
    // With `once`, what was put in is not searched again and exponents are
    // searched too.
    Substitution(const VariableTable& table, bool once) : m_names(table), m_once(once) {}

    bool run(std::unique_ptr<FractNode>& holder)
    {
        FractNode& node = *holder;
        bool changed = m_once && exponents(node);
        if (node.hasText() && !node.symbol && isNameText(*node.text) &&
            m_expanding.count(*node.text) == 0) {
            if (const FractNode* value = m_names.valueOf(*node.text)) {
                const std::string name = *node.text;
                replace(holder, *value);
                if (m_once)
                    return true;
                m_expanding.insert(name);
                run(holder);
                m_expanding.erase(name);
                return true;
            }
        }
        for (std::unique_ptr<FractNode>* child :
             {&node.left, &node.right, &node.numerator, &node.denominator}) {
            if (*child)
                changed = run(*child) || changed;
        }
        if (m_once && node.isOperation() && m_chained.count(node.right.get()) > 0)
            joinChain(holder);
        return changed;
    }

private:
    bool exponents(FractNode& node)
    {
        bool changed = node.exponent && run(node.exponent);
        for (MarkRow* row : {node.openRow.get(), node.closeRow.get()}) {
            if (!row)
                continue;
            for (const auto& item : row->items) {
                if (item->paren && item->paren->exponent)
                    changed = run(item->paren->exponent) || changed;
            }
        }
        return changed;
    }

    void joinChain(std::unique_ptr<FractNode>& holder)
    {
        FractNode& node = *holder;
        m_chained.erase(node.right.get());
        const char sign = node.left->opSign.sign;
        const SignBox after = node.opSign;
        FractNode* parent = node.parent;
        const NodeRole role = node.role;
        std::unique_ptr<FractNode> joined =
            chained(sign, std::move(node.left), std::move(node.right));
        joined->opSign = after;
        joined->parent = parent;
        joined->role = role;
        holder = std::move(joined);
    }

    void replace(std::unique_ptr<FractNode>& holder, const FractNode& value)
    {
        FractNode& leaf = *holder;
        // The operator this leaf ended with stays at the copy's right end.
        const char last = lastSign(leaf);
        std::unique_ptr<FractNode> copy = copyTree(value);
        const bool negative = leaf.numberSign.sign == '-';
        const bool single = copy->hasText() && !copy->exponent && !copy->hasCloseMarks();
        if (m_once) {
            // As the value's text would read in the leaf's place.
            computeMarkSpans(*copy);
            const bool joins = joinsChain(leaf, *copy);
            if (single && copy->numberSign.sign != '-') {
                copy->exponent = std::move(leaf.exponent);
            } else if (leaf.exponent || (negative && !takesMinus(*copy)) ||
                       (!joins && needsGroup(leaf, *copy))) {
                enclose(*copy, std::move(leaf.exponent), false);
            }
            if (negative)
                putMinus(*copy);
            if (joins)
                m_chained.insert(copy.get());
        } else if (single) {
            copy->exponent = std::move(leaf.exponent);
            if (negative)
                copy->numberSign.sign = copy->numberSign.sign == '-' ? '+' : '-';
        } else if (leaf.exponent || negative || needsGroup(leaf, *copy)) {
            enclose(*copy, std::move(leaf.exponent), negative);
        }
        carryMarks(leaf, *copy);
        setLastSign(*copy, last);
        copy->opSign.sign = leaf.opSign.sign;
        leftmostLeaf(*copy).leadSign = leaf.leadSign;
        copy->parent = leaf.parent;
        copy->role = leaf.role;
        holder = std::move(copy);
    }

    TableIndex m_names;
    bool m_once;
    std::set<std::string> m_expanding;
    // Copies that join the chain of the operation they stand in.
    std::set<const FractNode*> m_chained;
};

} // namespace

void prepare(VariableTable& table, FractNode& main)
{
    fixUp(main);
    computeMarkSpans(main);
    for (int i = 0; i < table.count(); ++i) {
        if (FractNode* value = table.record(i).value.get()) {
            fixUp(*value);
            computeMarkSpans(*value);
        }
    }
}

bool eliminateAliases(VariableTable& table, FractNode& main)
{
    bool changed = false;
    for (int index = 0; index < table.count();) {
        VariableRecord& record = table.record(index);
        const FractNode* value = record.value.get();
        if (!record.removable || !value || !value->hasText() || !isNameText(*value->text) ||
            value->hasOpenMarks() || value->hasCloseMarks() || value->exponent ||
            *value->text == record.name) {
            ++index;
            continue;
        }
        const std::string alias = record.name;
        const std::string target = *value->text;
        const std::uint8_t symbol = value->symbol;
        const bool negative = value->numberSign.sign == '-';
        auto rename = [&](FractNode& leaf) {
            if (leaf.symbol || *leaf.text != alias)
                return;
            leaf.text = target;
            leaf.symbol = symbol;
            if (negative)
                leaf.numberSign.sign = leaf.numberSign.sign == '-' ? '+' : '-';
        };
        table.remove(index);
        for (int i = 0; i < table.count(); ++i) {
            if (FractNode* use = table.record(i).value.get())
                forEachLeaf(*use, rename);
        }
        forEachLeaf(main, rename);
        changed = true;
    }
    return changed;
}

bool liftFractions(VariableTable& table)
{
    TableIndex names(table);
    Namer namer(table, names);
    const int before = table.count();
    bool changed = false;
    for (int index = 0; index < table.count() && table.count() <= kMaxWorkingDefinitions; ++index)
        changed = liftOne(table, index, names, namer) || changed;
    return changed || table.count() != before;
}

bool substituteBack(std::unique_ptr<FractNode>& node, const VariableTable& table)
{
    const bool changed = Substitution(table, false).run(node);
    node->parent = nullptr;
    settle(*node);
    return changed;
}

bool substituteOnce(std::unique_ptr<FractNode>& node, const VariableTable& table)
{
    const bool changed = Substitution(table, true).run(node);
    node->parent = nullptr;
    settle(*node);
    return changed;
}

bool reduceRootsOfNumbers(VariableTable& table, std::unique_ptr<FractNode>& main,
                          std::span<const std::int32_t> primes)
{
    std::unique_ptr<FractNode> named = decompose(table, *main);
    if (!named)
        return false;
    main = std::move(named);
    for (int index = 0; index < table.count(); ++index) {
        VariableRecord& record = table.record(index);
        const FractNode* value = record.value.get();
        if (!value || !value->hasText() || value->exponent || value->numberSign.sign != '+' ||
            !value->openRow || value->openRow->count() != 1 || !value->closeRow ||
            value->closeRow->count() != 1 || !value->openRow->items[0]->isRoot() ||
            !value->openRow->items[0]->root)
            continue;
        std::string number = *value->text;
        if (value->symbol)
            continue;
        if (!isNumberText(number)) {
            const int named = table.find(number);
            const FractNode* inner = named >= 0 ? table.record(named).value.get() : nullptr;
            if (!inner || !plainLeaf(*inner) || !isNumberText(*inner->text))
                continue;
            number = *inner->text;
        }
        const int degree = value->openRow->items[0]->root->degree;
        ExactFraction root = ExactFraction::decimal(number).root(degree, primes);
        if (root.failed())
            continue;
        std::unique_ptr<FractNode> reduced = exactTree(root.normalised());
        if (!reduced)
            continue;
        record.value = std::move(reduced);
    }
    return true;
}

} // namespace kestrane
