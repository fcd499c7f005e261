// SPDX-License-Identifier: GPL-3.0-or-later
// The edits of ExpressionEditor: typing, operations, marks, fractions,
// powers, signs and deletion. Each checks its refusals first and changes
// nothing when one applies.
#include "expressions/expression_editor.h"
#include "expressions/mark_matching.h"

#include "expressions/fract_node.h"
#include "expressions/tree_regrouping.h"

#include <cctype>

namespace kestrane {

using namespace editor_messages;

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool isName(const std::string& text)
{
    if (text.empty() || !isLetter(text[0]))
        return false;
    for (char c : text) {
        if (!isLetter(c) && !isDigit(c))
            return false;
    }
    return true;
}

// A symbol, the imaginary unit or the variable x takes nothing more.
bool isClosedText(const FractNode& leaf)
{
    return leaf.symbol || *leaf.text == "i";
}

bool inRightOperandContext(const FractNode& node)
{
    return signContext(node).role == NodeRole::RightOperand;
}

// Moves the marks of a row from index on into another row (appended).
void moveMarks(std::unique_ptr<MarkRow>& from, int first, MarkRow& to)
{
    if (!from)
        return;
    while (from->count() > first)
        to.append(from->remove(first));
    if (from->empty())
        from.reset();
}

void dropEmptyRows(FractNode& node)
{
    if (node.openRow && node.openRow->empty())
        node.openRow.reset();
    if (node.closeRow && node.closeRow->empty())
        node.closeRow.reset();
}

// A minus before a node: on its first opening mark, else on the number (a
// fraction's goes to its numerator).
void putMinusInFront(FractNode& node)
{
    FractNode* target = &node;
    while (target->isFraction() && !target->hasOpenMarks())
        target = &leftmostLeaf(*target->numerator);
    if (target->hasOpenMarks())
        target->openRow->items.front()->signBefore = '-';
    else
        target->numberSign.sign = '-';
}

void flipNumberSign(FractNode& node)
{
    FractNode* target = &node;
    while (target->isFraction() && !target->hasOpenMarks())
        target = &leftmostLeaf(*target->numerator);
    if (target->hasOpenMarks() && !target->hasText()) {
        char& sign = target->openRow->items.front()->signBefore;
        sign = sign == '-' ? '+' : '-';
        return;
    }
    SignBox& sign = target->numberSign;
    sign.sign = sign.sign == '-' ? '+' : '-';
    sign.flag = sign.sign == '-' ? 1 : 0;
}

} // namespace

void ExpressionEditor::insertText(char character)
{
    FractNode& leaf = cursorNode();
    int position = m_cursor.place.position;
    if (leaf.isSlot()) {
        leaf.text = std::string(1, character);
        leaf.symbol = 0;
        position = 0;
    } else {
        leaf.text->insert(static_cast<std::size_t>(position), 1, character);
    }
    afterEdit({&leaf, CursorArea::Text, position + 1});
}

void ExpressionEditor::typeLetter(char letter)
{
    if (!checkEditing())
        return;
    FractNode& leaf = cursorNode();
    if (letter == 'i' || letter == 'I') {
        refuse(kLetterI);
        return;
    }
    if (leaf.isSlot()) {
        insertText(letter);
        return;
    }
    if (isClosedText(leaf) || *leaf.text == "x") {
        refuse(kVariable);
        return;
    }
    std::string result = *leaf.text;
    result.insert(static_cast<std::size_t>(m_cursor.place.position), 1, letter);
    if (!isName(result)) {
        refuse(kLetterInNumber);
        return;
    }
    if (result.size() > 4) {
        refuse(kNameTooLong);
        return;
    }
    insertText(letter);
}

void ExpressionEditor::typeDigit(char digit)
{
    if (!checkEditing())
        return;
    FractNode& leaf = cursorNode();
    if (m_cursor.place.area != CursorArea::Text) {
        refuse(kMarkArea);
        return;
    }
    if (!leaf.hasText()) {
        refuse(kNoText);
        return;
    }
    if (*leaf.text == "x" || (!leaf.isSlot() && isClosedText(leaf))) {
        refuse(kVariable);
        return;
    }
    bool decimal = !isDigit(digit);
    if (decimal && !leaf.isSlot() && leaf.text->find(digit) != std::string::npos) {
        refuse(kSecondComma);
        return;
    }
    if (leaf.isSlot()) {
        if (decimal)
            refuse(kNoText);
        else
            insertText(digit);
        return;
    }
    bool name = isLetter((*leaf.text)[0]);
    if (name && (decimal || m_cursor.place.position == 0)) {
        refuse(decimal ? kLetterInNumber : kNameStart);
        return;
    }
    if (name && leaf.textLength() >= 4) {
        refuse(kNameTooLong);
        return;
    }
    if (!name && decimal && m_cursor.place.position == 0) {
        refuse(kNoText);
        return;
    }
    if (leaf.textLength() >= kMaxTextLength) {
        refuse(kTextTooLong);
        return;
    }
    insertText(digit);
}

void ExpressionEditor::insertOperation(char sign)
{
    if (!checkEditing())
        return;
    if (inExponent()) {
        refuse(kOperationInExponent);
        return;
    }
    splitForOperation(sign);
}

// The leaf (or fraction) at the caret is split in two: what stands before
// the caret becomes the left operand, what stands after it the right
// operand (an empty slot when nothing does), and the caret goes there.
void ExpressionEditor::splitForOperation(char sign)
{
    FractNode& node = cursorNode();
    CaretPlace place = m_cursor.place;
    std::unique_ptr<FractNode>& holder = holderOf(node, m_root);
    FractNode* parent = node.parent;
    char last = lastSign(node);
    std::unique_ptr<FractNode> owned = std::move(holder);
    std::unique_ptr<FractNode> left;
    std::unique_ptr<FractNode> right;
    if (place.area == CursorArea::Text) {
        std::string before = "";
        std::string after = "";
        if (node.hasText() && !node.isSlot()) {
            before = node.text->substr(0, static_cast<std::size_t>(place.position));
            after = node.text->substr(static_cast<std::size_t>(place.position));
        }
        right = after.empty() ? FractNode::makeSlot() : FractNode::makeLeaf(after);
        right->symbol = !after.empty() && node.symbol;
        right->closeRow = std::move(node.closeRow);
        if (!after.empty())
            right->exponent = std::move(node.exponent);
        node.text = before.empty() ? std::string(1, kPlaceholderChar) : before;
        node.symbol = !before.empty() && node.symbol;
        left = std::move(owned);
    } else if (place.area == CursorArea::Opening) {
        left = FractNode::makeSlot();
        MarkRow& row = left->ensureOpenRow();
        for (int k = 0; k < place.position; ++k)
            row.append(node.openRow->remove(0));
        dropEmptyRows(*left);
        // A minus in front stays in front.
        if (place.position == 0 && node.hasOpenMarks() &&
            node.openRow->items.front()->signBefore == '-' && !inRightOperandContext(node)) {
            node.openRow->items.front()->signBefore = '+';
            left->numberSign.sign = '-';
        }
        right = std::move(owned);
    } else {
        right = FractNode::makeSlot();
        moveMarks(node.closeRow, place.position, right->ensureCloseRow());
        dropEmptyRows(*right);
        left = std::move(owned);
    }
    dropEmptyRows(*left);
    dropEmptyRows(*right);
    FractNode* rightNode = right.get();
    setLastSign(*right, last);
    holder = FractNode::makeOperation(sign, std::move(left), std::move(right));
    holder->parent = parent;
    regroupOperations(*rightNode, m_root);
    m_cursor.place = {rightNode, CursorArea::Text, 0};
    layout();
    m_cursor.place = normalized(homePlace(*rightNode));
    placeCaret();
}

void ExpressionEditor::toggleSign()
{
    if (!checkEditing())
        return;
    if (inExponent()) {
        refuse(kOperationInExponent);
        return;
    }
    FractNode& node = cursorNode();
    CaretPlace place = m_cursor.place;
    if (place.area == CursorArea::Closing) {
        refuse(kClosingSign);
        return;
    }
    bool beforeFraction = place.area == CursorArea::Opening &&
                          place.position >= (node.openRow ? node.openRow->count() : 0);
    if (place.area == CursorArea::Opening && !beforeFraction) {
        if (place.position == 0 && inRightOperandContext(node)) {
            refuse(kSignHere);
            return;
        }
        char& sign = node.openRow->items[static_cast<std::size_t>(place.position)]->signBefore;
        sign = sign == '-' ? '+' : '-';
        afterEdit(place);
        return;
    }
    if (node.hasText() && node.hasOpenMarks()) {
        flipNumberSign(node);
    } else {
        const FractNode& context = signContext(node);
        if (context.role == NodeRole::RightOperand) {
            refuse(kSignHere);
            return;
        }
        flipNumberSign(leftmostLeaf(const_cast<FractNode&>(context)));
    }
    afterEdit(place);
}

void ExpressionEditor::insertRoot()
{
    if (!checkEditing())
        return;
    if (inExponent()) {
        refuse(kRootInExponent);
        return;
    }
    if (!m_parenthesesOn)
        return;
    insertMarkPair(MarkItem::makeRoot(true), MarkItem::makeRoot(false));
}

void ExpressionEditor::insertFunction(int code)
{
    if (!checkEditing() || !m_parenthesesOn || functionName(code).empty())
        return;
    insertMarkPair(MarkItem::makeFunction(true, code), MarkItem::makeFunction(false, code));
}

void ExpressionEditor::insertMarkPair(std::unique_ptr<MarkItem> opening,
                                      std::unique_ptr<MarkItem> closing)
{
    FractNode& node = cursorNode();
    if ((node.openRow && node.openRow->count() >= kMaxRowMarks) ||
        (node.closeRow && node.closeRow->count() >= kMaxRowMarks)) {
        refuse(kTooManyMarks);
        return;
    }
    char last = lastSign(node);
    bool wasEmpty = !node.hasOpenMarks();
    node.ensureOpenRow().append(std::move(opening));
    node.ensureCloseRow().insert(0, std::move(closing));
    if (wasEmpty && node.hasText()) {
        node.openRow->items.front()->signBefore = node.numberSign.sign;
        node.numberSign.sign = '+';
        node.numberSign.flag = 0;
    }
    setLastSign(node, last);
    CaretPlace place = m_cursor.place;
    if (place.area == CursorArea::Closing)
        ++place.position;
    afterEdit(place);
}

bool ExpressionEditor::fillSlot(const std::string& text, bool symbol)
{
    if (!checkEditing())
        return true;
    FractNode& node = cursorNode();
    if (!node.isSlot())
        return false;
    node.text = text;
    node.symbol = symbol ? 1 : 0;
    afterEdit({&node, CursorArea::Text, static_cast<int>(text.size())});
    return true;
}

bool ExpressionEditor::insertTree(std::unique_ptr<FractNode> tree)
{
    if (!checkEditing())
        return true;
    FractNode& slot = cursorNode();
    if (!slot.isSlot() || slot.hasOpenMarks() || slot.hasCloseMarks() || slot.exponent)
        return false;
    FractNode* parent = slot.parent;
    std::unique_ptr<FractNode>* owner = &m_root;
    if (parent) {
        for (std::unique_ptr<FractNode>* child : {&parent->left, &parent->right, &parent->numerator,
                                                  &parent->denominator, &parent->exponent})
            if (child->get() == &slot)
                owner = child;
    }
    // The slot's operator sign belongs to the place, not to the slot.
    char sign = lastSign(slot);
    std::swap(tree->opSign, slot.opSign);
    *owner = std::move(tree);
    FractNode& inserted = **owner;
    inserted.parent = parent;
    setLastSign(inserted, sign);
    fixUp(*m_root);
    matchMarks(*m_root);
    FractNode& last = rightmostLeaf(inserted);
    afterEdit({&last, CursorArea::Text, last.textLength()});
    return true;
}

bool ExpressionEditor::caretInNumberWithPoint() const
{
    const FractNode& node = cursorNode();
    return node.hasText() && !node.isSlot() && node.text->find('.') != std::string::npos &&
           m_cursor.place.area == CursorArea::Text;
}

void ExpressionEditor::insertParenthesis(bool opening)
{
    if (!checkEditing())
        return;
    if (!m_parenthesesOn) {
        refuse(kParenthesesOff);
        return;
    }
    FractNode& node = cursorNode();
    CaretPlace place = m_cursor.place;
    if ((opening && place.area == CursorArea::Closing) ||
        (!opening && place.area == CursorArea::Opening)) {
        refuse(kMarkArea);
        return;
    }
    MarkRow& row = opening ? node.ensureOpenRow() : node.ensureCloseRow();
    if (row.count() >= kMaxRowMarks) {
        dropEmptyRows(node);
        refuse(kTooManyMarks);
        return;
    }
    char last = lastSign(node);
    int index = opening ? (place.area == CursorArea::Text ? row.count() : place.position)
                        : (place.area == CursorArea::Text ? 0 : place.position);
    if (opening) {
        bool front = index == 0 && !row.empty();
        char lead = front ? row.items.front()->signBefore : '+';
        row.insert(index, MarkItem::makeParen(true));
        if (front && !inRightOperandContext(node)) {
            row.items[0]->signBefore = lead;
            row.items[1]->signBefore = '+';
        }
    } else {
        row.insert(index, MarkItem::makeParen(false));
        for (auto& item : row.items)
            item->signAfter = '+';
    }
    setLastSign(node, last);
    regroupOperations(node, m_root);
    layout();
    m_cursor.place =
        normalized({&node, opening ? CursorArea::Opening : CursorArea::Closing, index + 1});
    placeCaret();
}

void ExpressionEditor::insertPower()
{
    if (!checkEditing())
        return;
    if (inExponent()) {
        refuse(kPowerInExponent);
        return;
    }
    FractNode& node = cursorNode();
    CaretPlace place = m_cursor.place;
    std::unique_ptr<FractNode>* exponent = nullptr;
    if (place.area == CursorArea::Text && node.hasText()) {
        exponent = &node.exponent;
    } else if (place.area == CursorArea::Closing && place.position > 0) {
        MarkItem& item = *node.closeRow->items[static_cast<std::size_t>(place.position - 1)];
        if (item.paren)
            exponent = &item.paren->exponent;
    }
    if (!exponent) {
        refuse(kPowerBesideRoot);
        return;
    }
    if (!*exponent) {
        *exponent = FractNode::makeSlot();
        (*exponent)->parent = &node;
    }
    FractNode& target = **exponent;
    layout();
    m_cursor.place = normalized(homePlace(target));
    placeCaret();
}

void ExpressionEditor::insertFraction()
{
    if (!checkEditing())
        return;
    if (inExponent()) {
        refuse(kFractionInExponent);
        return;
    }
    FractNode& node = cursorNode();
    if (node.isSlot()) {
        if (node.exponent) {
            // A fraction takes a power on brackets around it.
            char last = lastSign(node);
            auto closing = MarkItem::makeParen(false);
            closing->paren->exponent = std::move(node.exponent);
            node.ensureOpenRow().append(MarkItem::makeParen(true));
            node.ensureCloseRow().insert(0, std::move(closing));
            setLastSign(node, last);
        }
        node.text.reset();
        node.numerator = FractNode::makeSlot();
        node.denominator = FractNode::makeSlot();
        node.numerator->parent = &node;
        node.denominator->parent = &node;
        node.numberSign.sign = '+';
        layout();
        m_cursor.place = {node.numerator.get(), CursorArea::Text, 0};
        placeCaret();
        return;
    }
    CaretPlace place = m_cursor.place;
    std::unique_ptr<FractNode>& holder = holderOf(node, m_root);
    FractNode* parent = node.parent;
    char last = lastSign(node);
    auto fraction = FractNode::makeFraction(FractNode::makeSlot(), FractNode::makeSlot());
    int first = place.area == CursorArea::Closing ? place.position : 0;
    moveMarks(node.closeRow, first, fraction->ensureCloseRow());
    dropEmptyRows(*fraction);
    setLastSign(*fraction, last);
    FractNode* numerator = fraction->numerator.get();
    holder = FractNode::makeOperation('*', std::move(holder), std::move(fraction));
    holder->parent = parent;
    regroupOperations(*numerator->parent, m_root);
    layout();
    m_cursor.place = {numerator, CursorArea::Text, 0};
    placeCaret();
}

void ExpressionEditor::deleteBackward()
{
    if (!checkEditing())
        return;
    CaretPlace before = m_cursor.place;
    moveLeft();
    if (m_cursor.place == before)
        return;
    int refusals = m_refusals;
    deleteForward();
    // A refused delete leaves the caret where it was too.
    if (m_refusals != refusals) {
        m_cursor.place = before;
        placeCaret();
    }
}

void ExpressionEditor::deleteForward()
{
    if (!checkEditing())
        return;
    FractNode& node = cursorNode();
    CaretPlace place = m_cursor.place;
    if (place.area == CursorArea::Opening) {
        if (node.openRow && place.position < node.openRow->count())
            deleteMark(node, CursorArea::Opening, place.position);
        return;
    }
    if (place.area == CursorArea::Closing) {
        if (node.closeRow && place.position < node.closeRow->count())
            deleteMark(node, CursorArea::Closing, place.position);
        return;
    }
    if (node.hasText() && !node.isSlot() && place.position < node.textLength()) {
        // What is left must still be a number or a name.
        std::string rest = *node.text;
        rest.erase(static_cast<std::size_t>(place.position), 1);
        if (!rest.empty() && !isDigit(rest[0]) && !isName(rest) && !node.symbol) {
            refuse(kNumberStart);
            return;
        }
        if (!rest.empty() && isDigit(rest[0]) && isLetter((*node.text)[0])) {
            refuse(kNameStart);
            return;
        }
        node.text->erase(static_cast<std::size_t>(place.position), 1);
        if (node.text->empty()) {
            node.text = std::string(1, kPlaceholderChar);
            node.symbol = 0;
        }
        afterEdit({&node, CursorArea::Text, place.position});
        return;
    }
    if (!node.isSlot()) {
        // At the end of a text: the first closing mark follows, if any.
        if (!node.exponent && node.hasCloseMarks())
            deleteMark(node, CursorArea::Closing, 0);
        return;
    }
    FractNode* parent = node.parent;
    bool bare = !node.hasOpenMarks() && !node.hasCloseMarks() && !node.exponent;
    if (bare && parent && (node.role == NodeRole::Exponent)) {
        parent->exponent.reset();
        afterEdit({parent, CursorArea::Text, parent->isSlot() ? 0 : parent->textLength()});
        return;
    }
    if (bare && parent && node.role == NodeRole::ParenExponent) {
        for (int k = 0; k < parent->closeRow->count(); ++k) {
            MarkItem& item = *parent->closeRow->items[static_cast<std::size_t>(k)];
            if (item.paren && item.paren->exponent.get() == &node) {
                item.paren->exponent.reset();
                afterEdit({parent, CursorArea::Closing, k + 1});
                return;
            }
        }
    }
    if (bare && parent && parent->isFraction()) {
        FractNode& other =
            node.role == NodeRole::Numerator ? *parent->denominator : *parent->numerator;
        if (other.isSlot() && !other.hasOpenMarks() && !other.hasCloseMarks() && !other.exponent) {
            parent->numerator.reset();
            parent->denominator.reset();
            parent->text = std::string(1, kPlaceholderChar);
            afterEdit({parent, CursorArea::Text, 0});
        }
        return;
    }
    if (parent && parent->isOperation())
        removeOperand(node);
}

// An empty operand goes with its operation; the other operand takes the
// operation's place and the marks of the removed one.
void ExpressionEditor::removeOperand(FractNode& operand)
{
    FractNode& operation = *operand.parent;
    bool wasLeft = operation.left.get() == &operand;
    std::unique_ptr<FractNode> other = std::move(wasLeft ? operation.right : operation.left);
    char last = lastSign(operation);
    FractNode& lead = leftmostLeaf(*other);
    if (wasLeft) {
        // The other operand now comes first: its sign no longer mirrors an
        // operator.
        lead.leadSign.sign = '+';
        if (lead.hasOpenMarks())
            lead.openRow->items.front()->signBefore = '+';
    }
    if (operand.openRow) {
        MarkRow& row = lead.ensureOpenRow();
        while (operand.openRow->count() > 0)
            row.insert(0, operand.openRow->remove(operand.openRow->count() - 1));
    }
    if (operand.closeRow)
        moveMarks(operand.closeRow, 0, rightmostLeaf(*other).ensureCloseRow());
    if (wasLeft && operand.numberSign.sign == '-')
        putMinusInFront(lead);
    setLastSign(*other, last);
    // The caret's place is found before regrouping, which makes the
    // operation nodes anew; leaves and fractions stay.
    CaretPlace place = wasLeft ? homePlace(*other) : endPlace(*other);
    FractNode* otherNode = other.get();
    std::unique_ptr<FractNode>& holder = holderOf(operation, m_root);
    FractNode* parent = operation.parent;
    holder = std::move(other);
    holder->parent = parent;
    regroupOperations(*otherNode, m_root);
    layout();
    m_cursor.place = normalized(place);
    placeCaret();
}

void ExpressionEditor::deleteMark(FractNode& node, CursorArea area, int index)
{
    MarkRow& row = area == CursorArea::Opening ? *node.openRow : *node.closeRow;
    MarkItem& item = *row.items[static_cast<std::size_t>(index)];
    if (area == CursorArea::Closing && !item.isParen()) {
        refuse(kRootFromClosing);
        return;
    }
    MarkItem* partner = item.matched ? item.partnerItem : nullptr;
    MarkItem* opening = area == CursorArea::Opening ? &item : partner;
    MarkItem* closing = area == CursorArea::Closing ? &item : partner;
    FractNode* closingOwner = closing ? closing->owner : nullptr;
    char last = closingOwner ? lastSign(*closingOwner) : '+';
    auto removeFrom = [](FractNode& owner, MarkItem* mark) {
        for (auto* row : {&owner.openRow, &owner.closeRow}) {
            if (!*row)
                continue;
            for (int k = 0; k < (*row)->count(); ++k) {
                if ((*row)->items[static_cast<std::size_t>(k)].get() == mark) {
                    (*row)->remove(k);
                    return;
                }
            }
        }
    };
    if (opening) {
        FractNode& owner = *opening->owner;
        bool front = owner.openRow->items.front().get() == opening;
        char lead = opening->signBefore;
        removeFrom(owner, opening);
        if (front && lead == '-' && !inRightOperandContext(owner)) {
            if (owner.hasOpenMarks())
                owner.openRow->items.front()->signBefore = '-';
            else if (owner.hasText())
                owner.numberSign.sign = owner.numberSign.sign == '-' ? '+' : '-';
        }
        dropEmptyRows(owner);
    }
    if (closing) {
        removeFrom(*closingOwner, closing);
        dropEmptyRows(*closingOwner);
        setLastSign(*closingOwner, last);
    }
    regroupOperations(node, m_root);
    layout();
    CaretPlace place = m_cursor.place;
    if (place.area != CursorArea::Text) {
        MarkRow* now = place.area == CursorArea::Opening ? node.openRow.get() : node.closeRow.get();
        int count = now ? now->count() : 0;
        if (place.area == CursorArea::Closing && place.position > count)
            place.position = count;
        if (!now)
            place = {&node, CursorArea::Text,
                     place.area == CursorArea::Opening ? 0 : node.textLength()};
    }
    m_cursor.place = normalized(place);
    placeCaret();
}

} // namespace kestrane
