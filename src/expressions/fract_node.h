// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// An exact expression is a binary tree of FractNode records that is at once
// its value (numbers kept as decimal text), the structure the cursor edits and
// its own screen layout. Brackets, roots and functions are not nodes: they are
// opening and closing marks kept in rows at the two ends of what they enclose.

struct FractNode;
struct MarkItem;

// The text of an empty slot still to be filled in.
inline constexpr char kPlaceholderChar = 30;
// What the one-byte fields of the byte form can hold.
inline constexpr int kMaxTextLength = 255;
inline constexpr int kMaxRowMarks = 200;
// Deeper trees are refused by the readers, so that the recursive passes stay
// well inside the stack.
inline constexpr int kMaxNesting = 2000;

enum class NodeRole : std::uint8_t {
    Root = 0,
    LeftOperand = 2,
    RightOperand = 3,
    Numerator = 4,
    Denominator = 5,
    Exponent = 6,
    ParenExponent = 7,
};

// Font size classes: normal text, an exponent, the exponent of a closing
// parenthesis.
enum SizeClass : std::uint8_t { kNormalSize = 0, kExponentSize = 1, kParenExponentSize = 2 };

// A sign and the box where it is drawn.
struct SignBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    char sign = '+';
    // On a numberSign: 1 when the user made the number negative.
    std::uint8_t flag = 0;
};

enum MarkKind : int {
    kRootKind = 0,
    kParenKind = 1,
    kFunctionFirst = 200,
    kFunctionLast = 210,
};

// The function names by code (200 "exp" ... 210 "asin"); empty for a code
// without a function (206).
std::string_view functionName(int code);
// The code of a function name, or nothing.
std::optional<int> functionCode(std::string_view name);

struct ParenMark {
    int x = 0;
    int y = 0;
    int width = 0;
    int textWidth = 0;
    int x2 = 0;
    int partnerValue = 0;
    std::uint8_t kindByte1 = 0;
    std::uint8_t isOpening = 0;
    std::uint8_t kindByte2 = 0;
    char sign1 = '+';
    // '-' puts a minus before the parenthesis.
    char sign2 = '+';
    // Only on closing parentheses (role ParenExponent).
    std::unique_ptr<FractNode> exponent;
};

struct RootMark {
    std::uint8_t isOpening = 0;
    // Kept on the opening mark; a closing mark keeps its creation value 2.
    std::uint8_t degree = 2;
    // On an opening root: its closing mark, once matched.
    MarkItem* partner = nullptr;
    int x = 0;
    int y = 0; // the top of the bar
    int hookWidth = 0;
    int height = 0;
    int hookWidth2 = 0;
    int barLength = 0;
    int heightPlus5 = 0;
};

struct FunctionMark {
    RootMark root;
    int code = kFunctionFirst;
};

// One mark: exactly one of paren, root and function is set, as kind says.
struct MarkItem {
    FractNode* owner = nullptr;
    int x = 0;
    int width = 0;
    int kind = kParenKind;
    std::uint8_t isOpening = 0;
    char signAfter = '+';
    char signBefore = '+';
    std::uint8_t matched = 0;
    // The mark this one pairs with, as mark matching last found (a link).
    MarkItem* partnerItem = nullptr;
    std::unique_ptr<ParenMark> paren;
    std::unique_ptr<RootMark> root;
    std::unique_ptr<FunctionMark> function;

    bool isParen() const { return kind == kParenKind; }
    bool isRoot() const { return kind == kRootKind; }
    bool isFunction() const { return kind >= kFunctionFirst && kind <= kFunctionLast; }
    // The root part of a root or a function (both draw the same way).
    RootMark* rootPart();

    static std::unique_ptr<MarkItem> makeParen(bool opening);
    static std::unique_ptr<MarkItem> makeRoot(bool opening, int degree = 2);
    static std::unique_ptr<MarkItem> makeFunction(bool opening, int code);
};

// The marks at one side of a node: opening marks before its text, closing
// marks after it.
struct MarkRow {
    FractNode* owner = nullptr;
    std::uint8_t firstIsPlain = 0;
    int capacity = 10;
    int width = 0;
    int maxAbove = 0;
    int maxBelow = 0;
    std::uint8_t isOpening = 0;
    int x = 0;
    std::uint8_t leadingMinus = 0;
    std::vector<std::unique_ptr<MarkItem>> items;

    int count() const { return static_cast<int>(items.size()); }
    bool empty() const { return items.empty(); }
    // Inserts before position (count appends); the capacity grows by 10 when
    // the count reaches capacity - 1.
    void insert(int position, std::unique_ptr<MarkItem> item);
    void append(std::unique_ptr<MarkItem> item) { insert(count(), std::move(item)); }
    std::unique_ptr<MarkItem> remove(int position);
};

struct FractNode {
    SignBox opSign;
    SignBox numberSign;
    SignBox leadSign;
    std::unique_ptr<MarkRow> openRow;
    std::unique_ptr<MarkRow> closeRow;
    std::unique_ptr<FractNode> left;
    std::unique_ptr<FractNode> right;
    std::unique_ptr<FractNode> numerator;
    std::unique_ptr<FractNode> denominator;
    FractNode* parent = nullptr;
    std::unique_ptr<FractNode> exponent;
    int x = 0;
    int y = 0;
    int textX = 0;
    int y2 = 0;
    int fontHeight = 20;
    int width = 6;
    int height = 0;
    int below = 0;
    int above = 0;
    int aboveNoExp = 0;
    int heightNoExp = 0;
    int heightNoTop = 0;
    int aboveTotal = 0;
    int rootRoom = 0;
    int closeExpRoom = 0;
    int expWidth = 0;
    int markSpan = 0;
    int openIndex = -1;
    int closeIndex = -1;
    NodeRole role = NodeRole::Root;
    std::uint8_t sizeClass = kNormalSize;
    std::uint8_t symbol = 0;
    // Thickness of a fraction's bar: one more than the fractions inside it.
    int barThickness = 0;
    std::optional<std::string> text;

    FractNode() = default;
    FractNode(FractNode* parent, int x, int y, int fontHeight);
    // Frees a tree of any depth without deep recursion.
    ~FractNode();
    FractNode(const FractNode&) = delete;
    FractNode& operator=(const FractNode&) = delete;

    static std::unique_ptr<FractNode> create(FractNode* parent, int x, int y, int fontHeight);
    // A leaf holding text ("12", "x", kPlaceholderChar, 'p' with symbol set, ...).
    static std::unique_ptr<FractNode> makeLeaf(std::string text, bool symbol = false);
    static std::unique_ptr<FractNode> makeSlot();
    static std::unique_ptr<FractNode> makeOperation(char sign, std::unique_ptr<FractNode> left,
                                                    std::unique_ptr<FractNode> right);
    static std::unique_ptr<FractNode> makeFraction(std::unique_ptr<FractNode> numerator,
                                                   std::unique_ptr<FractNode> denominator);

    bool isOperation() const { return left != nullptr; }
    bool isFraction() const { return numerator != nullptr; }
    bool hasText() const { return text.has_value(); }
    bool isSlot() const { return text && text->size() == 1 && (*text)[0] == kPlaceholderChar; }
    int textLength() const { return text ? static_cast<int>(text->size()) : 0; }
    bool hasOpenMarks() const { return openRow && !openRow->empty(); }
    bool hasCloseMarks() const { return closeRow && !closeRow->empty(); }
    MarkRow& ensureOpenRow();
    MarkRow& ensureCloseRow();
};

// A deep copy (text, signs, rows with their marks, exponents, children); the
// copy's root has no parent. Run fix-up and mark matching on it before use.
std::unique_ptr<FractNode> copyTree(const FractNode& node);

// Calls visit(node) on every node of the tree, the exponents of its marks
// included, in reading order and without deep recursion. A visit that
// returns false ends the walk; the result says whether every node passed.
template<class Visit>
bool everyNode(const FractNode& root, Visit visit)
{
    std::vector<const FractNode*> pending{&root};
    while (!pending.empty()) {
        const FractNode* node = pending.back();
        pending.pop_back();
        if (!visit(*node))
            return false;
        for (const MarkRow* row : {node->closeRow.get(), node->openRow.get()}) {
            if (!row)
                continue;
            for (const auto& item : row->items) {
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
        // Pushed last first, so that the left operand comes out first.
        for (const FractNode* child :
             {node->exponent.get(), node->denominator.get(), node->numerator.get(),
              node->right.get(), node->left.get()}) {
            if (child)
                pending.push_back(child);
        }
    }
    return true;
}

// Sets every child's parent, role, size class and font height from its
// position, and mirrors operator signs. Returns true when nothing changed.
bool fixUp(FractNode& node);

// Follow left (resp. right) links: a fraction ends the walk, so it carries
// the rows of the marks around it.
FractNode& leftmostLeaf(FractNode& node);
FractNode& rightmostLeaf(FractNode& node);
const FractNode& leftmostLeaf(const FractNode& node);
const FractNode& rightmostLeaf(const FractNode& node);

// The operator sign at the right end of a subtree: its rightmost leaf's last
// closing mark's signAfter, or that leaf's opSign.
char lastSign(const FractNode& node);
void setLastSign(FractNode& node, char sign);

// The nearest ancestor-or-self that is not a left operand: decides whether a
// leading minus of this node is drawn.
const FractNode& signContext(const FractNode& node);
// Whether a negative number or a minus before the first opening mark of this
// node is drawn (at the top, in a numerator, denominator or exponent, or
// after an opening mark).
bool drawsLeadingSign(const FractNode& node);

// Equal as values and structure: everything the byte form keeps.
bool sameTree(const FractNode& a, const FractNode& b);

// Nesting depth (nodes and parenthesis exponents), counted without recursion.
int treeDepth(const FractNode& node);
// Number of nodes, parenthesis exponents included.
int nodeCount(const FractNode& node);

} // namespace kestrane
