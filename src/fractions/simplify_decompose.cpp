#include "fractions/simplify_decompose.h"

#include "fractions/expression_text.h"
#include "fractions/variable_table.h"

#include <cctype>
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
    std::string opening; // a mark: "(", "sqrt(", "root(3,", "sin("
    std::unique_ptr<Piece> first;
    std::unique_ptr<Piece> second;
    std::string exponent; // as written after '^', empty when none

    bool plain() const { return kind == Kind::Leaf && !negative && exponent.empty(); }
};

bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || static_cast<unsigned char>(c) >= 0x80;
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Reads the canonical notation of the printer; returns nothing on anything
// else, so that a table is only reported for what it understands.
class PieceReader {
public:
    explicit PieceReader(std::string_view text) : m_text(text) {}

    std::unique_ptr<Piece> read()
    {
        std::unique_ptr<Piece> part = sum();
        return part && m_position == m_text.size() ? std::move(part) : nullptr;
    }

private:
    bool take(char c)
    {
        if (m_position < m_text.size() && m_text[m_position] == c) {
            ++m_position;
            return true;
        }
        return false;
    }

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

    std::unique_ptr<Piece> sum()
    {
        std::unique_ptr<Piece> part = product();
        while (part && m_position < m_text.size() &&
               (m_text[m_position] == '+' || m_text[m_position] == '-')) {
            const char sign = m_text[m_position++];
            part = join(Piece::Kind::Operation, sign, std::move(part), product());
        }
        return part;
    }

    std::unique_ptr<Piece> product()
    {
        std::unique_ptr<Piece> part = quotient();
        while (part && take('*'))
            part = join(Piece::Kind::Operation, '*', std::move(part), quotient());
        return part;
    }

    std::unique_ptr<Piece> quotient()
    {
        std::unique_ptr<Piece> part = signedPower();
        while (part && take('/'))
            part = join(Piece::Kind::Fraction, '/', ungrouped(std::move(part)),
                        ungrouped(signedPower()));
        return part;
    }

    // Parentheses around a whole numerator or denominator only group it.
    static std::unique_ptr<Piece> ungrouped(std::unique_ptr<Piece> part)
    {
        if (part && part->kind == Piece::Kind::Marked && part->opening == "(" &&
            !part->negative && part->exponent.empty())
            return std::move(part->first);
        return part;
    }

    std::unique_ptr<Piece> signedPower()
    {
        if (++m_depth > 4000)
            return nullptr;
        const bool negative = take('-');
        std::unique_ptr<Piece> part = atom();
        if (part && take('^')) {
            const std::size_t start = m_position;
            if (!signedPower())
                return nullptr;
            std::string exponent(m_text.substr(start, m_position - start));
            if (part->kind != Piece::Kind::Leaf && part->kind != Piece::Kind::Marked) {
                part = bracketed(std::move(part));
            }
            if (!part->exponent.empty() || part->negative) {
                part = bracketed(std::move(part));
            }
            part->exponent = std::move(exponent);
        }
        --m_depth;
        if (part && negative) {
            if (part->negative) {
                part = bracketed(std::move(part));
            }
            part->negative = true;
        }
        return part;
    }

    std::unique_ptr<Piece> atom()
    {
        if (m_position >= m_text.size())
            return nullptr;
        auto part = std::make_unique<Piece>();
        const std::size_t start = m_position;
        if (take('(')) {
            part->kind = Piece::Kind::Marked;
            part->opening.push_back('(');
        } else if (isDigit(m_text[m_position]) || m_text[m_position] == '.') {
            while (m_position < m_text.size() &&
                   (isDigit(m_text[m_position]) || m_text[m_position] == '.'))
                ++m_position;
            part->text = std::string(m_text.substr(start, m_position - start));
            return part;
        } else if (isLetter(m_text[m_position]) || m_text[m_position] == '?') {
            while (m_position < m_text.size() &&
                   (isLetter(m_text[m_position]) || isDigit(m_text[m_position]) ||
                    m_text[m_position] == '?'))
                ++m_position;
            if (!take('(')) {
                part->text = std::string(m_text.substr(start, m_position - start));
                return part;
            }
            if (m_text.substr(start, 5) == "root(") {
                while (m_position < m_text.size() && m_text[m_position] != ',')
                    ++m_position;
                if (!take(','))
                    return nullptr;
            }
            part->kind = Piece::Kind::Marked;
            part->opening = std::string(m_text.substr(start, m_position - start));
        } else {
            return nullptr;
        }
        part->first = sum();
        if (!part->first || !take(')'))
            return nullptr;
        return part;
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    int m_depth = 0;
};

class Decomposer {
public:
    Decomposer(WorkingTable& table, std::set<std::string> taken)
        : m_table(table)
        , m_taken(std::move(taken))
    {
    }

    // The name or number that stands for the part.
    std::string nameOf(std::unique_ptr<Piece> part)
    {
        if (part->plain())
            return part->text;
        const std::string name = newName();
        m_table.definitions.push_back({name, std::nullopt});
        m_pending.push_back({m_table.definitions.size() - 1, std::move(part)});
        return name;
    }

    // Gives every pending definition its elementary value, in table order.
    void run()
    {
        for (std::size_t index = 0; index < m_pending.size(); ++index) {
            std::unique_ptr<Piece> part = std::move(m_pending[index].part);
            std::string value = valueOf(std::move(part));
            m_table.definitions[m_pending[index].definition].value = std::move(value);
        }
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

    WorkingTable& m_table;
    std::set<std::string> m_taken;
    std::vector<Pending> m_pending;
    int m_counter = 0;
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

WorkingTable decomposeExpression(const FractNode& tree, const VariableTable* variables)
{
    WorkingTable table;
    std::unique_ptr<Piece> main = PieceReader(printExpressionText(tree)).read();
    if (!main)
        return table;
    std::vector<std::string> names;
    std::set<std::string> seen;
    std::vector<SimplifyDefinition> userValues;
    if (variables) {
        for (int i = 0; i < variables->count(); ++i) {
            const VariableRecord& record = variables->record(i);
            if (!record.value || !seen.insert(record.name).second)
                continue;
            userValues.push_back({record.name, printExpressionText(*record.value)});
            if (std::unique_ptr<Piece> value = PieceReader(*userValues.back().value).read())
                collectNames(*value, names, seen);
        }
    }
    collectNames(*main, names, seen);
    for (const std::string& name : names)
        table.definitions.push_back({name, std::nullopt});
    for (SimplifyDefinition& value : userValues)
        table.definitions.push_back(std::move(value));
    Decomposer decomposer(table, seen);
    table.mainName = decomposer.nameOf(std::move(main));
    decomposer.run();
    return table;
}

} // namespace kestrane
