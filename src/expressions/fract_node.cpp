// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/fract_node.h"

#include <array>
#include <utility>

namespace kestrane {

namespace {

constexpr std::array<std::string_view, 11> kFunctionNames = {
    "exp", "log", "sin", "cos", "tan", "cot", "", "acos", "atan", "acot", "asin"};

// Moves every owned subtree of a node (children, exponent, parenthesis
// exponents) into pending, so that destruction and walks need no recursion.
void detachSubtrees(FractNode& node, std::vector<std::unique_ptr<FractNode>>& pending)
{
    for (auto* child :
         {&node.exponent, &node.left, &node.right, &node.denominator, &node.numerator}) {
        if (*child)
            pending.push_back(std::move(*child));
    }
    for (auto* row : {&node.openRow, &node.closeRow}) {
        if (!*row)
            continue;
        for (auto& item : (*row)->items) {
            if (item->paren && item->paren->exponent)
                pending.push_back(std::move(item->paren->exponent));
        }
    }
}

// Calls visit(child) for each direct subtree of a const node.
template<typename Visit>
void forEachSubtree(const FractNode& node, Visit visit)
{
    for (const auto* child :
         {&node.exponent, &node.left, &node.right, &node.denominator, &node.numerator}) {
        if (*child)
            visit(**child);
    }
    for (const auto* row : {&node.openRow, &node.closeRow}) {
        if (!*row)
            continue;
        for (const auto& item : (*row)->items) {
            if (item->paren && item->paren->exponent)
                visit(*item->paren->exponent);
        }
    }
}

std::unique_ptr<MarkRow> copyRow(const MarkRow& row, FractNode& owner);

std::unique_ptr<FractNode> copyNode(const FractNode& node)
{
    auto copy = std::make_unique<FractNode>();
    copy->opSign = node.opSign;
    copy->numberSign = node.numberSign;
    copy->leadSign = node.leadSign;
    copy->x = node.x;
    copy->y = node.y;
    copy->textX = node.textX;
    copy->y2 = node.y2;
    copy->fontHeight = node.fontHeight;
    copy->width = node.width;
    copy->role = node.role;
    copy->sizeClass = node.sizeClass;
    copy->symbol = node.symbol;
    copy->text = node.text;
    for (auto [from, to] : {std::pair{&node.left, &copy->left},
                            {&node.right, &copy->right},
                            {&node.numerator, &copy->numerator},
                            {&node.denominator, &copy->denominator},
                            {&node.exponent, &copy->exponent}}) {
        if (*from) {
            *to = copyNode(**from);
            (*to)->parent = copy.get();
        }
    }
    if (node.openRow)
        copy->openRow = copyRow(*node.openRow, *copy);
    if (node.closeRow)
        copy->closeRow = copyRow(*node.closeRow, *copy);
    return copy;
}

std::unique_ptr<MarkItem> copyItem(const MarkItem& item, FractNode& owner)
{
    auto copy = std::make_unique<MarkItem>();
    copy->owner = &owner;
    copy->x = item.x;
    copy->width = item.width;
    copy->kind = item.kind;
    copy->isOpening = item.isOpening;
    copy->signAfter = item.signAfter;
    copy->signBefore = item.signBefore;
    copy->matched = 0; // partners are found again by mark matching
    copy->partnerItem = nullptr;
    if (item.paren) {
        copy->paren = std::make_unique<ParenMark>();
        const ParenMark& from = *item.paren;
        ParenMark& to = *copy->paren;
        to.x = from.x;
        to.width = from.width;
        to.textWidth = from.textWidth;
        to.partnerValue = from.partnerValue;
        to.kindByte1 = from.kindByte1;
        to.isOpening = from.isOpening;
        to.kindByte2 = from.kindByte2;
        to.sign1 = from.sign1;
        to.sign2 = from.sign2;
        if (from.exponent) {
            to.exponent = copyNode(*from.exponent);
            to.exponent->parent = &owner;
        }
    }
    if (item.root) {
        copy->root = std::make_unique<RootMark>(*item.root);
        copy->root->partner = nullptr;
    }
    if (item.function) {
        copy->function = std::make_unique<FunctionMark>(*item.function);
        copy->function->root.partner = nullptr;
    }
    return copy;
}

std::unique_ptr<MarkRow> copyRow(const MarkRow& row, FractNode& owner)
{
    auto copy = std::make_unique<MarkRow>();
    copy->owner = &owner;
    copy->firstIsPlain = row.firstIsPlain;
    copy->capacity = row.capacity;
    copy->isOpening = row.isOpening;
    copy->leadingMinus = row.leadingMinus;
    copy->items.reserve(row.items.size());
    for (const auto& item : row.items)
        copy->items.push_back(copyItem(*item, owner));
    return copy;
}

template<typename Value>
void repair(Value& field, Value wanted, bool& unchanged)
{
    if (field != wanted) {
        field = wanted;
        unchanged = false;
    }
}

void fixChild(FractNode& node, FractNode& child, NodeRole role, bool& unchanged)
{
    repair(child.parent, &node, unchanged);
    repair(child.role, role, unchanged);
    repair(child.sizeClass, node.sizeClass, unchanged);
    repair(child.fontHeight, node.fontHeight, unchanged);
}

void fixExponent(FractNode& owner, FractNode& exponent, NodeRole role, std::uint8_t sizeClass,
                 bool& unchanged)
{
    repair(exponent.parent, &owner, unchanged);
    repair(exponent.role, role, unchanged);
    repair(exponent.sizeClass, sizeClass, unchanged);
    repair(exponent.fontHeight, owner.fontHeight * 3 / 4, unchanged);
}

// The box that mirrors an operator at the left end of a right operand.
char& leadingSignOf(FractNode& node)
{
    FractNode& leaf = leftmostLeaf(node);
    if (leaf.hasOpenMarks())
        return leaf.openRow->items.front()->signBefore;
    return leaf.leadSign.sign;
}

char& lastSignOf(FractNode& node)
{
    FractNode& leaf = rightmostLeaf(node);
    if (leaf.hasCloseMarks())
        return leaf.closeRow->items.back()->signAfter;
    return leaf.opSign.sign;
}

void fixOwners(FractNode& node, MarkRow* row, bool& unchanged)
{
    if (!row)
        return;
    repair(row->owner, &node, unchanged);
    for (auto& item : row->items)
        repair(item->owner, &node, unchanged);
}

// One node's links; children are visited by the caller's loop.
void fixNode(FractNode& node, bool& unchanged)
{
    if (!node.parent)
        repair(node.role, NodeRole::Root, unchanged);
    if (node.left && node.right) {
        fixChild(node, *node.left, NodeRole::LeftOperand, unchanged);
        fixChild(node, *node.right, NodeRole::RightOperand, unchanged);
        char sign = lastSignOf(*node.left);
        repair(node.left->opSign.sign, sign, unchanged);
        repair(leadingSignOf(*node.right), sign, unchanged);
    }
    if (node.numerator && node.denominator) {
        fixChild(node, *node.numerator, NodeRole::Numerator, unchanged);
        fixChild(node, *node.denominator, NodeRole::Denominator, unchanged);
    }
    if (node.exponent)
        fixExponent(node, *node.exponent, NodeRole::Exponent, kExponentSize, unchanged);
    fixOwners(node, node.openRow.get(), unchanged);
    fixOwners(node, node.closeRow.get(), unchanged);
    if (node.closeRow) {
        for (auto& item : node.closeRow->items) {
            if (item->paren && item->paren->exponent)
                fixExponent(node, *item->paren->exponent, NodeRole::ParenExponent,
                            kParenExponentSize, unchanged);
        }
    }
}

} // namespace

std::string_view functionName(int code)
{
    if (code < kFunctionFirst || code > kFunctionLast)
        return {};
    return kFunctionNames[static_cast<std::size_t>(code - kFunctionFirst)];
}

std::optional<int> functionCode(std::string_view name)
{
    for (std::size_t index = 0; index < kFunctionNames.size(); ++index) {
        if (!name.empty() && kFunctionNames[index] == name)
            return kFunctionFirst + static_cast<int>(index);
    }
    return std::nullopt;
}

RootMark* MarkItem::rootPart()
{
    if (root)
        return root.get();
    if (function)
        return &function->root;
    return nullptr;
}

std::unique_ptr<MarkItem> MarkItem::makeParen(bool opening)
{
    auto item = std::make_unique<MarkItem>();
    item->kind = kParenKind;
    item->isOpening = opening ? 1 : 0;
    item->paren = std::make_unique<ParenMark>();
    item->paren->isOpening = item->isOpening;
    return item;
}

std::unique_ptr<MarkItem> MarkItem::makeRoot(bool opening, int degree)
{
    auto item = std::make_unique<MarkItem>();
    item->kind = kRootKind;
    item->isOpening = opening ? 1 : 0;
    item->root = std::make_unique<RootMark>();
    item->root->isOpening = item->isOpening;
    item->root->degree = static_cast<std::uint8_t>(opening ? degree : 2);
    return item;
}

std::unique_ptr<MarkItem> MarkItem::makeFunction(bool opening, int code)
{
    auto item = std::make_unique<MarkItem>();
    item->kind = code;
    item->isOpening = opening ? 1 : 0;
    item->function = std::make_unique<FunctionMark>();
    item->function->root.isOpening = item->isOpening;
    item->function->code = code;
    return item;
}

void MarkRow::insert(int position, std::unique_ptr<MarkItem> item)
{
    item->owner = owner;
    items.insert(items.begin() + position, std::move(item));
    if (count() >= capacity - 1)
        capacity += 10;
}

std::unique_ptr<MarkItem> MarkRow::remove(int position)
{
    auto item = std::move(items[static_cast<std::size_t>(position)]);
    items.erase(items.begin() + position);
    return item;
}

FractNode::FractNode(FractNode* parentNode, int atX, int atY, int height)
    : parent(parentNode)
    , x(atX)
    , y(atY)
    , textX(atX)
    , y2(atY)
    , fontHeight(height)
{
}

FractNode::~FractNode()
{
    std::vector<std::unique_ptr<FractNode>> pending;
    detachSubtrees(*this, pending);
    while (!pending.empty()) {
        std::unique_ptr<FractNode> next = std::move(pending.back());
        pending.pop_back();
        detachSubtrees(*next, pending);
    }
}

std::unique_ptr<FractNode> FractNode::create(FractNode* parent, int x, int y, int fontHeight)
{
    return std::make_unique<FractNode>(parent, x, y, fontHeight);
}

std::unique_ptr<FractNode> FractNode::makeLeaf(std::string text, bool symbol)
{
    auto node = std::make_unique<FractNode>();
    node->text = std::move(text);
    node->symbol = symbol ? 1 : 0;
    return node;
}

std::unique_ptr<FractNode> FractNode::makeSlot()
{
    return makeLeaf(std::string(1, kPlaceholderChar));
}

std::unique_ptr<FractNode> FractNode::makeOperation(char sign, std::unique_ptr<FractNode> left,
                                                    std::unique_ptr<FractNode> right)
{
    auto node = std::make_unique<FractNode>();
    left->parent = node.get();
    right->parent = node.get();
    node->left = std::move(left);
    node->right = std::move(right);
    node->left->opSign.sign = sign;
    setLastSign(*node->left, sign);
    return node;
}

std::unique_ptr<FractNode> FractNode::makeFraction(std::unique_ptr<FractNode> numerator,
                                                   std::unique_ptr<FractNode> denominator)
{
    auto node = std::make_unique<FractNode>();
    numerator->parent = node.get();
    denominator->parent = node.get();
    node->numerator = std::move(numerator);
    node->denominator = std::move(denominator);
    return node;
}

MarkRow& FractNode::ensureOpenRow()
{
    if (!openRow) {
        openRow = std::make_unique<MarkRow>();
        openRow->owner = this;
        openRow->isOpening = 1;
    }
    return *openRow;
}

MarkRow& FractNode::ensureCloseRow()
{
    if (!closeRow) {
        closeRow = std::make_unique<MarkRow>();
        closeRow->owner = this;
    }
    return *closeRow;
}

std::unique_ptr<FractNode> copyTree(const FractNode& node)
{
    auto copy = copyNode(node);
    copy->parent = nullptr;
    return copy;
}

bool fixUp(FractNode& root)
{
    bool unchanged = true;
    std::vector<FractNode*> pending{&root};
    while (!pending.empty()) {
        FractNode* node = pending.back();
        pending.pop_back();
        fixNode(*node, unchanged);
        forEachSubtree(*node, [&pending](const FractNode& child) {
            pending.push_back(const_cast<FractNode*>(&child));
        });
    }
    return unchanged;
}

FractNode& leftmostLeaf(FractNode& node)
{
    FractNode* leaf = &node;
    while (leaf->left)
        leaf = leaf->left.get();
    return *leaf;
}

FractNode& rightmostLeaf(FractNode& node)
{
    FractNode* leaf = &node;
    while (leaf->right)
        leaf = leaf->right.get();
    return *leaf;
}

const FractNode& leftmostLeaf(const FractNode& node)
{
    return leftmostLeaf(const_cast<FractNode&>(node));
}

const FractNode& rightmostLeaf(const FractNode& node)
{
    return rightmostLeaf(const_cast<FractNode&>(node));
}

char lastSign(const FractNode& node)
{
    return lastSignOf(const_cast<FractNode&>(node));
}

void setLastSign(FractNode& node, char sign)
{
    lastSignOf(node) = sign;
}

const FractNode& signContext(const FractNode& node)
{
    const FractNode* context = &node;
    while (context->role == NodeRole::LeftOperand && context->parent)
        context = context->parent;
    return *context;
}

bool drawsLeadingSign(const FractNode& node)
{
    if (node.hasOpenMarks())
        return true;
    NodeRole role = signContext(node).role;
    // Exponents are included so that a negative exponent shows its minus.
    return role == NodeRole::Root || role == NodeRole::Numerator || role == NodeRole::Denominator ||
           role == NodeRole::Exponent || role == NodeRole::ParenExponent;
}

namespace {

bool sameItem(const MarkItem& a, const MarkItem& b);

bool sameRow(const MarkRow* a, const MarkRow* b)
{
    if (!a || !b)
        return a == b;
    if (a->count() != b->count() || a->capacity != b->capacity)
        return false;
    for (int index = 0; index < a->count(); ++index) {
        if (!sameItem(*a->items[static_cast<std::size_t>(index)],
                      *b->items[static_cast<std::size_t>(index)]))
            return false;
    }
    return true;
}

bool sameNode(const FractNode& a, const FractNode& b)
{
    if (a.symbol != b.symbol || a.opSign.sign != b.opSign.sign ||
        a.numberSign.sign != b.numberSign.sign || a.text != b.text)
        return false;
    for (auto [x, y] : {std::pair{&a.left, &b.left},
                        {&a.right, &b.right},
                        {&a.numerator, &b.numerator},
                        {&a.denominator, &b.denominator},
                        {&a.exponent, &b.exponent}}) {
        if (!*x || !*y) {
            if (*x || *y)
                return false;
        } else if (!sameNode(**x, **y)) {
            return false;
        }
    }
    return sameRow(a.openRow.get(), b.openRow.get()) && sameRow(a.closeRow.get(), b.closeRow.get());
}

bool sameItem(const MarkItem& a, const MarkItem& b)
{
    if (a.kind != b.kind || a.isOpening != b.isOpening || a.signAfter != b.signAfter ||
        a.signBefore != b.signBefore)
        return false;
    if (a.paren && b.paren) {
        const ParenMark& p = *a.paren;
        const ParenMark& q = *b.paren;
        if (p.kindByte1 != q.kindByte1 || p.isOpening != q.isOpening ||
            p.kindByte2 != q.kindByte2 || !p.exponent != !q.exponent)
            return false;
        return !p.exponent || sameNode(*p.exponent, *q.exponent);
    }
    if (a.root && b.root)
        return a.root->isOpening == b.root->isOpening && a.root->degree == b.root->degree;
    return a.function && b.function;
}

} // namespace

bool sameTree(const FractNode& a, const FractNode& b)
{
    return sameNode(a, b);
}

int treeDepth(const FractNode& node)
{
    int deepest = 0;
    std::vector<std::pair<const FractNode*, int>> pending{{&node, 1}};
    while (!pending.empty()) {
        auto [next, depth] = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, depth);
        forEachSubtree(*next, [&pending, depth = depth](const FractNode& child) {
            pending.push_back({&child, depth + 1});
        });
    }
    return deepest;
}

int nodeCount(const FractNode& node)
{
    int count = 0;
    std::vector<const FractNode*> pending{&node};
    while (!pending.empty()) {
        const FractNode* next = pending.back();
        pending.pop_back();
        ++count;
        forEachSubtree(*next, [&pending](const FractNode& child) { pending.push_back(&child); });
    }
    return count;
}

} // namespace kestrane
