// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/simplify_decompose.h"

#include "algebra/expression_form.h"
#include "algebra/simplify.h"
#include "algebra/variable_table.h"
#include "expressions/expression_text.h"
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
    std::string text;    // a leaf's number or name
    char sign = '+';     // an operation's
    std::string opening; // a mark: "(", "sqrt(", "root(3,", "sin("
    std::unique_ptr<Piece> first;
    std::unique_ptr<Piece> second;
    std::string exponent; // as written after '^', empty when none

    bool plain() const { return kind == Kind::Leaf && !negative && exponent.empty(); }
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
        group->opening.push_back('(');
        group->first = std::move(inner);
        return group;
    }

    // Parentheses around a whole numerator or denominator only group it.
    static std::unique_ptr<Piece> ungrouped(std::unique_ptr<Piece> part)
    {
        if (part && part->kind == Piece::Kind::Marked && part->opening == "(" && !part->negative &&
            part->exponent.empty())
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
        part->exponent = printExponentText(*node.exponent);
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
            part->opening = opening(node);
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

    static std::string opening(const FormNode& node)
    {
        if (node.kind == FormKind::Group)
            return "(";
        if (node.kind == FormKind::Function)
            return std::string(functionName(node.code)) + "(";
        if (node.code == 2)
            return "sqrt(";
        return "root(" + std::to_string(node.code) + ",";
    }

    const ExpressionForm& m_form;
    int m_depth = 0;
};

class Decomposer {
public:
    Decomposer(std::vector<SimplifyDefinition>& out, std::set<std::string>& taken, int& counter)
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
        m_out.push_back({name, std::nullopt});
        m_pending.push_back({m_out.size() - 1, std::move(part)});
        return name;
    }

    // Gives every pending definition its elementary value, in table order.
    void run()
    {
        for (std::size_t index = 0; index < m_pending.size(); ++index) {
            std::unique_ptr<Piece> part = std::move(m_pending[index].part);
            std::string value = valueOf(std::move(part));
            m_out[m_pending[index].definition].value = std::move(value);
        }
        m_pending.clear();
    }

    // The elementary value of a part, its non-plain pieces named anew.
    std::string valueOf(std::unique_ptr<Piece> part)
    {
        if (part->negative) {
            part->negative = false;
            std::string value(VariableTable::kMinusOne);
            value += '*';
            value += nameOf(std::move(part));
            return value;
        }
        if (!part->exponent.empty() && part->kind == Piece::Kind::Leaf) {
            std::string value = part->text;
            value += '^';
            value += part->exponent;
            return value;
        }
        switch (part->kind) {
        case Piece::Kind::Leaf:
            return part->text;
        case Piece::Kind::Operation: {
            char sign = part->sign;
            // The right operand carries the minus once it has its own name.
            if (sign == '-' && !part->second->plain()) {
                sign = '+';
                part->second->negative = !part->second->negative;
            }
            std::string value = nameOf(std::move(part->first));
            value += sign;
            value += nameOf(std::move(part->second));
            return value;
        }
        case Piece::Kind::Fraction: {
            std::string value = nameOf(std::move(part->first));
            value += '/';
            value += nameOf(std::move(part->second));
            return value;
        }
        case Piece::Kind::Marked: {
            std::string value = part->opening;
            value += nameOf(std::move(part->first));
            value += ')';
            if (!part->exponent.empty()) {
                value += '^';
                value += part->exponent;
            }
            return value;
        }
        }
        return {};
    }

private:
    struct Pending {
        std::size_t definition;
        std::unique_ptr<Piece> part;
    };

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

    std::vector<SimplifyDefinition>& m_out;
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

// Writes a generated or reserved name (longer than a user's, or "I") as a
// stand-in the reader takes: 'q' and up to three base-35 digits without 'i'.
std::string standIn(std::size_t index)
{
    static constexpr std::string_view kDigits = "0123456789abcdefghjklmnopqrstuvwxyz";
    std::string name = "q";
    do {
        name += kDigits[index % kDigits.size()];
        index /= kDigits.size();
    } while (index > 0);
    return name;
}

} // namespace

std::unique_ptr<FractNode> parseWorkingText(std::string_view text, int fontHeight)
{
    std::string readable;
    std::vector<std::string> names;
    std::set<std::string> present;
    for (std::size_t position = 0; position < text.size();) {
        const char c = text[position];
        if (!(std::isalpha(static_cast<unsigned char>(c)) != 0)) {
            readable += c;
            ++position;
            continue;
        }
        std::size_t end = position;
        while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) != 0))
            ++end;
        std::string word(text.substr(position, end - position));
        present.insert(word);
        position = end;
        const bool call = position < text.size() && text[position] == '(';
        if (call || word == "i" ||
            (word.size() <= 4 && word.find_first_of("Ii") == std::string::npos)) {
            readable += word;
            continue;
        }
        names.push_back(std::move(word));
        readable += '\x01';
    }
    // Stand-ins that the text itself does not use.
    std::vector<std::string> standIns;
    for (std::size_t index = 0; standIns.size() < names.size(); ++index) {
        std::string name = standIn(index);
        if (present.count(name) == 0)
            standIns.push_back(std::move(name));
    }
    std::string written;
    std::size_t next = 0;
    for (char c : readable) {
        if (c == '\x01')
            written += standIns[next++];
        else
            written += c;
    }
    TextParseResult parsed = parseExpressionText(written, fontHeight);
    if (!parsed.tree || names.empty())
        return std::move(parsed.tree);
    std::map<std::string, std::string> back;
    for (std::size_t index = 0; index < names.size(); ++index)
        back[standIns[index]] = names[index];
    std::vector<FractNode*> pending{parsed.tree.get()};
    while (!pending.empty()) {
        FractNode* node = pending.back();
        pending.pop_back();
        if (node->hasText() && !node->symbol) {
            auto found = back.find(*node->text);
            if (found != back.end())
                node->text = found->second;
        }
        for (FractNode* child : {node->left.get(), node->right.get(), node->numerator.get(),
                                 node->denominator.get(), node->exponent.get()}) {
            if (child)
                pending.push_back(child);
        }
        for (MarkRow* row : {node->openRow.get(), node->closeRow.get()}) {
            if (!row)
                continue;
            for (const auto& item : row->items) {
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
    }
    return std::move(parsed.tree);
}

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
    std::vector<SimplifyDefinition> added;
    Decomposer decomposer(added, taken, table.nameCounter);
    const std::string mainName = decomposer.nameOf(std::move(main));
    decomposer.run();
    // Every definition of the table is made elementary in turn; what it
    // hands out becomes new definitions at the end.
    const int existing = table.count();
    for (int i = 0; i < existing; ++i) {
        std::unique_ptr<Piece>& value = values[static_cast<std::size_t>(i)];
        if (!value)
            continue;
        const std::size_t before = added.size();
        std::string text = decomposer.valueOf(std::move(value));
        decomposer.run();
        if (added.size() == before)
            continue;
        std::unique_ptr<FractNode> parsed = parseWorkingText(text);
        if (!parsed)
            return nullptr;
        table.record(i).value = std::move(parsed);
    }
    for (SimplifyDefinition& definition : added) {
        std::unique_ptr<FractNode> parsed = parseWorkingText(*definition.value);
        if (!parsed)
            return nullptr;
        table.add(std::move(definition.name), std::move(parsed));
    }
    return parseWorkingText(mainName);
}

} // namespace kestrane
