// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/fract_bytes.h"

#include "expressions/fract_node.h"
#include "expressions/mark_matching.h"
#include "platform/host.h"

#include <cstdint>

namespace kestrane {

namespace {

class Writer {
public:
    explicit Writer(std::string& bytes) : m_bytes(bytes) {}

    bool node(const FractNode& node, int depth)
    {
        if (depth > kMaxNesting || node.textLength() > kMaxTextLength)
            return false;
        put('1');
        put(node.symbol);
        put(node.opSign.sign);
        put(node.numberSign.sign);
        put(node.textLength());
        if (node.text)
            m_bytes += *node.text;
        if (!pair(node.left.get(), node.right.get(), depth) ||
            !pair(node.numerator.get(), node.denominator.get(), depth) ||
            !row(node.openRow.get(), '3', depth) || !row(node.closeRow.get(), '2', depth))
            return false;
        if (!node.exponent) {
            put(0);
            return true;
        }
        put(1);
        return this->node(*node.exponent, depth + 1);
    }

private:
    void put(int byte) { m_bytes += static_cast<char>(static_cast<std::uint8_t>(byte)); }

    bool pair(const FractNode* first, const FractNode* second, int depth)
    {
        if (!first || !second) {
            put(0);
            return true;
        }
        return node(*first, depth + 1) && node(*second, depth + 1);
    }

    bool row(const MarkRow* row, char marker, int depth)
    {
        if (!row) {
            put(0);
            return true;
        }
        if (row->count() > kMaxRowMarks || row->capacity > 255 || row->capacity < 0)
            return false;
        put(marker);
        put(row->count());
        put(row->capacity);
        for (const auto& item : row->items) {
            if (!this->item(*item, depth))
                return false;
        }
        return true;
    }

    bool item(const MarkItem& item, int depth)
    {
        put(item.isOpening);
        put(item.signAfter);
        put(item.signBefore);
        int kind = item.kind;
        put('0' + kind / 100 % 10);
        put('0' + kind / 10 % 10);
        put('0' + kind % 10);
        if (item.paren) {
            const ParenMark& paren = *item.paren;
            put(paren.kindByte1);
            put(paren.isOpening);
            put(paren.kindByte2);
            if (!paren.exponent) {
                put(0);
                return true;
            }
            put(1);
            return node(*paren.exponent, depth + 1);
        }
        if (item.root) {
            put(item.root->isOpening);
            put('0' + item.root->degree);
        }
        return true;
    }

    std::string& m_bytes;
};

bool isSign(char c)
{
    return c == '+' || c == '-';
}

// Mark signs also mirror the operator of the operation they end or begin.
bool isOperator(char c)
{
    return isSign(c) || c == '*' || c == '=';
}

class Reader {
public:
    Reader(std::string_view bytes, std::size_t position, int fontHeight)
        : m_bytes(bytes)
        , m_position(position)
        , m_fontHeight(fontHeight)
    {
    }

    std::size_t position() const { return m_position; }

    std::unique_ptr<FractNode> node(FractNode* parent, int depth)
    {
        int start = 0;
        if (depth > kMaxNesting || !next(start) ||
            (start != '1' && start != '2' && start != '3' && start != 1))
            return nullptr;
        auto node = FractNode::create(parent, 0, 0, m_fontHeight);
        int symbol = 0;
        int opSign = 0;
        int numberSign = 0;
        int length = 0;
        if (!next(symbol) || !next(opSign) || !next(numberSign) || !next(length))
            return nullptr;
        if (symbol > 1 || !isOperator(char(opSign)) || !isSign(char(numberSign)))
            return nullptr;
        node->symbol = static_cast<std::uint8_t>(symbol);
        node->opSign.sign = static_cast<char>(opSign);
        node->numberSign.sign = static_cast<char>(numberSign);
        if (length > 0 && !text(*node, static_cast<std::size_t>(length)))
            return nullptr;
        if (symbol && node->textLength() != 1)
            return nullptr;
        if (!pair(*node, node->left, node->right, depth) ||
            !pair(*node, node->numerator, node->denominator, depth))
            return nullptr;
        if (node->left && node->numerator)
            return nullptr;
        bool hasChildren = node->left || node->numerator;
        if (hasChildren && node->text)
            return nullptr;
        if (!row(*node, node->openRow, '3', depth) || !row(*node, node->closeRow, '2', depth))
            return nullptr;
        if (node->left && (node->openRow || node->closeRow))
            return nullptr;
        int exponent = 0;
        if (!next(exponent) || exponent > 1)
            return nullptr;
        if (exponent == 1) {
            node->exponent = this->node(node.get(), depth + 1);
            if (!node->exponent)
                return nullptr;
        }
        return node;
    }

private:
    bool next(int& byte)
    {
        if (m_position >= m_bytes.size())
            return false;
        byte = static_cast<std::uint8_t>(m_bytes[m_position++]);
        return true;
    }

    bool peekZero()
    {
        if (m_position < m_bytes.size() && m_bytes[m_position] == 0) {
            ++m_position;
            return true;
        }
        return false;
    }

    bool text(FractNode& node, std::size_t length)
    {
        if (m_bytes.size() - m_position < length)
            return false;
        std::string_view text = m_bytes.substr(m_position, length);
        if (text.find('\0') != std::string_view::npos)
            return false;
        node.text = std::string(text);
        m_position += length;
        return true;
    }

    bool pair(FractNode& owner, std::unique_ptr<FractNode>& first,
              std::unique_ptr<FractNode>& second, int depth)
    {
        if (peekZero())
            return true;
        first = node(&owner, depth + 1);
        if (first)
            second = node(&owner, depth + 1);
        if (!first || !second) {
            first.reset();
            second.reset();
            return false;
        }
        return true;
    }

    bool row(FractNode& owner, std::unique_ptr<MarkRow>& row, char marker, int depth)
    {
        int start = 0;
        if (!next(start))
            return false;
        if (start == 0)
            return true;
        int count = 0;
        int capacity = 0;
        if (start != marker || !next(count) || !next(capacity) || count > kMaxRowMarks ||
            capacity < count)
            return false;
        row = std::make_unique<MarkRow>();
        row->owner = &owner;
        row->isOpening = marker == '3' ? 1 : 0;
        for (int index = 0; index < count; ++index) {
            auto mark = item(owner, row->isOpening != 0, depth);
            if (!mark)
                return false;
            row->items.push_back(std::move(mark));
        }
        row->capacity = capacity;
        return true;
    }

    std::unique_ptr<MarkItem> item(FractNode& owner, bool opening, int depth)
    {
        int isOpening = 0;
        int signAfter = 0;
        int signBefore = 0;
        int digits[3] = {};
        if (!next(isOpening) || !next(signAfter) || !next(signBefore) || !next(digits[0]) ||
            !next(digits[1]) || !next(digits[2]))
            return nullptr;
        if (isOpening != (opening ? 1 : 0) || !isOperator(char(signAfter)) ||
            !isOperator(char(signBefore)))
            return nullptr;
        int kind = 0;
        for (int digit : digits) {
            if (digit < '0' || digit > '9')
                return nullptr;
            kind = kind * 10 + (digit - '0');
        }
        std::unique_ptr<MarkItem> mark;
        if (kind == kParenKind)
            mark = paren(owner, opening, depth);
        else if (kind == kRootKind)
            mark = root(opening);
        else if (!functionName(kind).empty())
            mark = MarkItem::makeFunction(opening, kind);
        if (!mark)
            return nullptr;
        mark->owner = &owner;
        mark->signAfter = static_cast<char>(signAfter);
        mark->signBefore = static_cast<char>(signBefore);
        return mark;
    }

    std::unique_ptr<MarkItem> paren(FractNode& owner, bool opening, int depth)
    {
        int kindByte1 = 0;
        int isOpening = 0;
        int kindByte2 = 0;
        int exponent = 0;
        if (!next(kindByte1) || !next(isOpening) || !next(kindByte2) || !next(exponent) ||
            exponent > 1 || (exponent == 1 && opening))
            return nullptr;
        auto mark = MarkItem::makeParen(opening);
        mark->paren->kindByte1 = static_cast<std::uint8_t>(kindByte1);
        mark->paren->isOpening = static_cast<std::uint8_t>(isOpening);
        mark->paren->kindByte2 = static_cast<std::uint8_t>(kindByte2);
        if (exponent == 1) {
            mark->paren->exponent = node(&owner, depth + 1);
            if (!mark->paren->exponent)
                return nullptr;
        }
        return mark;
    }

    std::unique_ptr<MarkItem> root(bool opening)
    {
        int isOpening = 0;
        int degree = 0;
        if (!next(isOpening) || !next(degree) || degree < '2' || degree > '9')
            return nullptr;
        auto mark = MarkItem::makeRoot(opening, degree - '0');
        mark->root->isOpening = static_cast<std::uint8_t>(isOpening);
        mark->root->degree = static_cast<std::uint8_t>(degree - '0');
        return mark;
    }

    std::string_view m_bytes;
    std::size_t m_position;
    int m_fontHeight;
};

} // namespace

bool serializeExpression(const FractNode& node, std::string& bytes)
{
    std::size_t size = bytes.size();
    Writer writer(bytes);
    if (writer.node(node, 1))
        return true;
    bytes.resize(size);
    return false;
}

std::unique_ptr<FractNode> parseExpression(std::string_view bytes, std::size_t& position,
                                           int fontHeight)
{
    Reader reader(bytes, position, fontHeight);
    std::unique_ptr<FractNode> node = reader.node(nullptr, 1);
    if (!node)
        return nullptr;
    position = reader.position();
    fixUp(*node);
    matchMarks(*node);
    return node;
}

void reportCorruptFraction(Host& host)
{
    host.message(kCorruptFractionCaption, kCorruptFractionText, MessageButtons::Ok,
                 MessageIcon::Information);
}

std::string bytesToHex(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        auto byte = static_cast<std::uint8_t>(bytes[index]);
        if (index > 0)
            hex += ' ';
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

bool hexToBytes(std::string_view hex, std::string& bytes)
{
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    bytes.clear();
    std::size_t index = 0;
    while (index < hex.size()) {
        if (hex[index] == ' ' || hex[index] == '\n' || hex[index] == '\t') {
            ++index;
            continue;
        }
        if (index + 1 >= hex.size() || value(hex[index]) < 0 || value(hex[index + 1]) < 0)
            return false;
        bytes += static_cast<char>(value(hex[index]) * 16 + value(hex[index + 1]));
        index += 2;
    }
    return true;
}

} // namespace kestrane
