// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/simplify_decompose.h"

#include "algebra/expression_form.h"
#include "algebra/form_tree.h"
#include "algebra/simplify.h"
#include "algebra/variable_table.h"
#include "expressions/expression_build.h"
#include "expressions/fract_node.h"

#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace kestrane {

namespace {

// An expression as the notation writes it, enough to take it apart.
struct Piece {
    enum class Kind { Leaf, Operation, Fraction, Marked } kind = Kind::Leaf;
    bool negative = false;
    std::string text; // a leaf's number or name
    char sign = '+';  // an operation's
    // A mark: a group, a root (code its degree) or a function (its code).
    FormKind mark = FormKind::Group;
    int code = 0;
    std::unique_ptr<Piece> first;
    std::unique_ptr<Piece> second;
    // The exponent as the text after '^' reads; none when empty.
    TreePiece exponent;

    bool plain() const { return kind == Kind::Leaf && !negative && !exponent; }
};

bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0 ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Takes an expression form apart as its text reads; returns nothing on
// anything else, so that a table is only reported for what it understands.
class PieceReader {
public:
    explicit PieceReader(const ExpressionForm& form) : m_form(form) {}

    std::unique_ptr<Piece> read()
    {
        if (m_form.tooDeep() || m_form.isDefinition())
            return nullptr;
        return piece(m_form.root());
    }

private:
    static std::unique_ptr<Piece> join(Piece::Kind kind, char sign, std::unique_ptr<Piece> a,
                                       std::unique_ptr<Piece> b)
    {
        if (!a || !b)
            return nullptr;
        auto part = std::make_unique<Piece>();
        part->kind = kind;
        part->sign = sign;
        part->first = std::move(a);
        part->second = std::move(b);
        return part;
    }

    static std::unique_ptr<Piece> bracketed(std::unique_ptr<Piece> inner)
    {
        auto group = std::make_unique<Piece>();
        group->kind = Piece::Kind::Marked;
        group->mark = FormKind::Group;
        group->first = std::move(inner);
        return group;
    }

    // Parentheses around a whole numerator or denominator only group it.
    static std::unique_ptr<Piece> ungrouped(std::unique_ptr<Piece> part)
    {
        if (part && part->kind == Piece::Kind::Marked && part->mark == FormKind::Group &&
            !part->negative && !part->exponent)
            return std::move(part->first);
        return part;
    }

    std::unique_ptr<Piece> piece(int index)
    {
        const FormNode& node = m_form.at(index);
        switch (node.kind) {
        case FormKind::Add:
            return join(Piece::Kind::Operation, '+', piece(node.first), piece(node.second));
        case FormKind::Subtract:
            return join(Piece::Kind::Operation, '-', piece(node.first), piece(node.second));
        case FormKind::Multiply:
            return join(Piece::Kind::Operation, '*', piece(node.first), piece(node.second));
        case FormKind::Divide:
            return join(Piece::Kind::Fraction, '/', ungrouped(piece(node.first)),
                        ungrouped(piece(node.second)));
        case FormKind::Negate:
            return negative(node.first);
        default:
            return power(index);
        }
    }

    std::unique_ptr<Piece> negative(int index)
    {
        // A minus right after a minus is no piece.
        if (m_form.at(index).kind == FormKind::Negate)
            return nullptr;
        std::unique_ptr<Piece> part = power(index);
        if (part) {
            if (part->negative)
                part = bracketed(std::move(part));
            part->negative = true;
        }
        return part;
    }

    std::unique_ptr<Piece> power(int index)
    {
        const FormNode& node = m_form.at(index);
        if (node.kind != FormKind::Power)
            return atom(node);
        std::unique_ptr<Piece> part = atom(m_form.at(node.first));
        if (!part || !node.exponent)
            return nullptr;
        part->exponent = formPiece(m_form, node.second);
        if (!part->exponent)
            return nullptr;
        return part;
    }

    std::unique_ptr<Piece> atom(const FormNode& node)
    {
        if (++m_depth > 4000)
            return nullptr;
        auto part = std::make_unique<Piece>();
        switch (node.kind) {
        case FormKind::Number:
        case FormKind::Name:
            part->text = node.text;
            break;
        case FormKind::Pi:
            part->text = "pi";
            break;
        case FormKind::ImaginaryUnit:
            part->text = "i";
            break;
        case FormKind::Empty:
            part->text = "?";
            break;
        case FormKind::Group:
        case FormKind::Root:
        case FormKind::Function:
            part->kind = Piece::Kind::Marked;
            part->mark = node.kind;
            part->code = node.code;
            part->first = piece(node.first);
            if (!part->first)
                part = nullptr;
            break;
        default:
            part = nullptr;
            break;
        }
        --m_depth;
        return part;
    }

    const ExpressionForm& m_form;
    int m_depth = 0;
};

// A name or number of a working definition as its tree.
TreePiece leafPiece(const std::string& text)
{
    if (text == "?")
        return TreePiece::slot();
    if (!text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) != 0 || text[0] == '.'))
        return TreePiece::number(text);
    return TreePiece::name(text);
}

struct Working {
    std::string name;
    std::unique_ptr<FractNode> value;
};

class Decomposer {
public:
    Decomposer(std::vector<Working>& out, std::set<std::string>& taken, int& counter)
        : m_out(out)
        , m_taken(taken)
        , m_counter(counter)
    {
    }

    // The name or number that stands for the part.
    std::string nameOf(std::unique_ptr<Piece> part)
    {
        if (part->plain())
            return part->text;
        const std::string name = newName();
        m_out.push_back({name, nullptr});
        m_pending.push_back({m_out.size() - 1, std::move(part)});
        return name;
    }

    // Gives every pending definition its elementary value, in table order;
    // false when a value is past the limits of a tree.
    bool run()
    {
        for (std::size_t index = 0; index < m_pending.size(); ++index) {
            std::unique_ptr<Piece> part = std::move(m_pending[index].part);
            std::unique_ptr<FractNode> value = valueOf(std::move(part)).tree();
            if (!value)
                return false;
            m_out[m_pending[index].definition].value = std::move(value);
        }
        m_pending.clear();
        return true;
    }

    // The elementary value of a part, its non-plain pieces named anew.
    TreePiece valueOf(std::unique_ptr<Piece> part)
    {
        if (part->negative) {
            part->negative = false;
            TreePiece minusOne = TreePiece::name(VariableTable::kMinusOne);
            return TreePiece::operation('*', std::move(minusOne),
                                        leafPiece(nameOf(std::move(part))));
        }
        if (part->exponent && part->kind == Piece::Kind::Leaf)
            return TreePiece::power(leafPiece(part->text), exponentOf(*part));
        switch (part->kind) {
        case Piece::Kind::Leaf:
            return leafPiece(part->text);
        case Piece::Kind::Operation: {
            char sign = part->sign;
            // The right operand carries the minus once it has its own name.
            if (sign == '-' && !part->second->plain()) {
                sign = '+';
                part->second->negative = !part->second->negative;
            }
            TreePiece left = leafPiece(nameOf(std::move(part->first)));
            return TreePiece::operation(sign, std::move(left),
                                        leafPiece(nameOf(std::move(part->second))));
        }
        case Piece::Kind::Fraction: {
            TreePiece numerator = leafPiece(nameOf(std::move(part->first)));
            return TreePiece::fraction(std::move(numerator),
                                       leafPiece(nameOf(std::move(part->second))));
        }
        case Piece::Kind::Marked: {
            TreePiece inner = leafPiece(nameOf(std::move(part->first)));
            TreePiece marked = part->mark == FormKind::Root
                                   ? TreePiece::root(part->code, std::move(inner))
                               : part->mark == FormKind::Function
                                   ? TreePiece::function(part->code, std::move(inner))
                                   : TreePiece::group(std::move(inner));
            if (!part->exponent)
                return marked;
            return TreePiece::power(std::move(marked), exponentOf(*part));
        }
        }
        return {};
    }

private:
    struct Pending {
        std::size_t definition;
        std::unique_ptr<Piece> part;
    };

    static TreePiece exponentOf(Piece& part) { return std::move(part.exponent); }

    std::string newName()
    {
        std::string name;
        do {
            // The one-letter names "i" and "m" are never generated.
            if (m_counter == 8 || m_counter == 12)
                ++m_counter;
            name = generatedName(m_counter++);
        } while (m_taken.count(name) > 0);
        m_taken.insert(name);
        return name;
    }

    std::vector<Working>& m_out;
    std::set<std::string>& m_taken;
    int& m_counter;
    std::vector<Pending> m_pending;
};

void collectNames(const Piece& part, std::vector<std::string>& names, std::set<std::string>& seen)
{
    if (part.kind == Piece::Kind::Leaf && !part.text.empty() && isLetter(part.text[0]) &&
        part.text != "i" && part.text != "pi" && seen.insert(part.text).second)
        names.push_back(part.text);
    for (const Piece* child : {part.first.get(), part.second.get()}) {
        if (child)
            collectNames(*child, names, seen);
    }
}

} // namespace

std::string generatedName(int counter)
{
    std::string name;
    do {
        name.push_back(static_cast<char>('a' + counter % 20));
        counter /= 20;
    } while (counter > 0);
    return name;
}

std::unique_ptr<FractNode> decompose(VariableTable& table, const FractNode& node)
{
    std::unique_ptr<Piece> main = PieceReader(ExpressionForm::of(node)).read();
    if (!main)
        return nullptr;

    // Names used anywhere that the table does not know yet come in without
    // value; then records without value move in front of those with one.
    std::vector<std::string> names;
    std::set<std::string> seen;
    std::vector<std::unique_ptr<Piece>> values(static_cast<std::size_t>(table.count()));
    for (int i = 0; i < table.count(); ++i) {
        seen.insert(table.record(i).name);
        if (const FractNode* value = table.record(i).value.get()) {
            values[static_cast<std::size_t>(i)] = PieceReader(ExpressionForm::of(*value)).read();
            if (!values[static_cast<std::size_t>(i)])
                return nullptr;
        }
    }
    seen.insert(std::string(VariableTable::kMinusOne));
    for (const auto& value : values) {
        if (value)
            collectNames(*value, names, seen);
    }
    collectNames(*main, names, seen);
    for (const std::string& name : names) {
        table.add(name, nullptr);
        values.emplace_back();
    }
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 0; i + 1 < table.count(); ++i) {
            if (table.record(i).value && !table.record(i + 1).value) {
                table.swapRecords(i, i + 1);
                std::swap(values[static_cast<std::size_t>(i)],
                          values[static_cast<std::size_t>(i) + 1]);
                swapped = true;
            }
        }
    }

    std::set<std::string> taken = seen;
    std::vector<Working> added;
    Decomposer decomposer(added, taken, table.nameCounter);
    const std::string mainName = decomposer.nameOf(std::move(main));
    if (!decomposer.run())
        return nullptr;
    // Every definition of the table is made elementary in turn; what it
    // hands out becomes new definitions at the end.
    const int existing = table.count();
    for (int i = 0; i < existing; ++i) {
        std::unique_ptr<Piece>& value = values[static_cast<std::size_t>(i)];
        if (!value)
            continue;
        const std::size_t before = added.size();
        TreePiece elementary = decomposer.valueOf(std::move(value));
        if (!decomposer.run())
            return nullptr;
        if (added.size() == before)
            continue;
        std::unique_ptr<FractNode> tree = std::move(elementary).tree();
        if (!tree)
            return nullptr;
        table.record(i).value = std::move(tree);
    }
    for (Working& definition : added)
        table.add(std::move(definition.name), std::move(definition.value));
    return leafPiece(mainName).tree();
}

} // namespace kestrane
