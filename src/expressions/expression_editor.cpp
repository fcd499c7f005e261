// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_editor.h"

#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/fract_paint.h"
#include "expressions/mark_matching.h"
#include "expressions/tree_regrouping.h"
#include "platform/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kestrane {

using namespace editor_keys;

namespace {

constexpr std::uint16_t code(Key key)
{
    return static_cast<std::uint16_t>(key);
}

bool isLetterKey(std::uint16_t key)
{
    return key >= 'A' && key <= 'Z';
}

bool isDigitKey(std::uint16_t key)
{
    return key >= '0' && key <= '9';
}

constexpr ColorRef kDegreeTitleColour = rgb(200, 200, 255);
constexpr ColorRef kDegreeBoxColour = rgb(200, 255, 200);

} // namespace

char translateKey(std::uint16_t key, Modifiers modifiers, char decimalCharacter)
{
    char character = 0;
    bool shift = modifiers.shift();
    if (key == kPeriod || key == kComma || key == kNumpadDecimal)
        character = '.';
    else if (key >= kNumpad0 && key <= kNumpad9)
        character = static_cast<char>('0' + (key - kNumpad0));
    else if (key == kNumpadMultiply)
        character = '*';
    else if (key == kNumpadAdd)
        character = '+';
    else if (key == kNumpadSubtract)
        character = '-';
    else if (key == kSemicolon)
        character = '/';
    else if (!shift && isLetterKey(key))
        character = static_cast<char>(key - 'A' + 'a');
    else if (shift && isLetterKey(key))
        character = static_cast<char>(key);
    else if (!shift && key == kSlash)
        character = '/';
    else if (!shift && key == kMinus)
        character = '-';
    else if (shift && key == kEquals)
        character = '+';
    else if (shift && key == kMinus)
        character = '_';
    else if (shift && key == '8')
        character = '*';
    else if (shift && key == '9')
        character = '(';
    else if (shift && key == '0')
        character = ')';
    else if (!shift && isDigitKey(key))
        character = static_cast<char>(key);
    if (character == '.' || character == ',')
        character = decimalCharacter;
    return character;
}

ExpressionEditor::ExpressionEditor(Host& host, Canvas& metrics, int fontHeight)
    : m_host(host)
    , m_metrics(metrics)
    , m_fontHeight(fontHeight)
{
    newExpression();
}

ExpressionEditor::~ExpressionEditor() = default;

void ExpressionEditor::newExpression()
{
    m_root = FractNode::makeSlot();
    m_root->fontHeight = m_fontHeight;
    m_editingAllowed = true;
    m_viewOffset = 0;
    m_selection = nullptr;
    m_selectionShown = false;
    m_cursor = Cursor{};
    m_cursor.place = {m_root.get(), CursorArea::Text, 0};
    m_cursor.blinkPhase = kBlinkPhases - 1;
    layout();
    placeCaret();
}

void ExpressionEditor::setExpression(std::unique_ptr<FractNode> tree)
{
    if (!tree) {
        newExpression();
        return;
    }
    m_root = std::move(tree);
    m_root->parent = nullptr;
    m_root->fontHeight = m_fontHeight;
    m_selection = nullptr;
    m_selectionShown = false;
    m_viewOffset = 0;
    layout();
    m_cursor = Cursor{};
    m_cursor.blinkPhase = kBlinkPhases - 1;
    m_cursor.place = normalized(endPlace(*m_root));
    placeCaret();
}

std::unique_ptr<FractNode> ExpressionEditor::takeExpression()
{
    std::unique_ptr<FractNode> tree = std::move(m_root);
    newExpression();
    return tree;
}

bool ExpressionEditor::setCaret(CaretPlace place)
{
    std::vector<CaretPlace> places = caretPlaces(*m_root);
    CaretPlace wanted = place.node ? normalized(place) : place;
    if (std::find(places.begin(), places.end(), wanted) == places.end())
        return false;
    m_cursor.place = wanted;
    placeCaret();
    return true;
}

void ExpressionEditor::setArea(int width, int height)
{
    m_areaWidth = width;
    m_areaHeight = height;
}

void ExpressionEditor::setOrigin(int left, int top)
{
    m_left = left;
    m_top = top;
    relayout();
}

void ExpressionEditor::setCentredOrigin(int centre, int top)
{
    m_centre = centre;
    m_left = kLeftMargin;
    m_top = top;
    relayout();
}

void ExpressionEditor::setWindowSize(int width, int height)
{
    m_windowWidth = width;
    m_windowHeight = height;
}

bool ExpressionEditor::refuse(const editor_messages::Message& message)
{
    std::string caption = message.caption;
    MessageIcon icon = caption == "Info" || caption == "Not allowed operation."
                           ? MessageIcon::Information
                       : caption == "Keyboard error" ? MessageIcon::Warning
                                                     : MessageIcon::Error;
    m_host.message(message.caption, message.text, MessageButtons::Ok, icon);
    ++m_refusals;
    return false;
}

bool ExpressionEditor::checkEditing()
{
    if (m_editingAllowed)
        return true;
    return refuse(editor_messages::kEditingLocked);
}

bool ExpressionEditor::inExponent() const
{
    return cursorNode().sizeClass != kNormalSize;
}

void ExpressionEditor::layout()
{
    m_root->fontHeight = m_fontHeight;
    fixUp(*m_root);
    foldHiddenSigns(*m_root);
    fixUp(*m_root);
    clearStaleSigns(*m_root);
    if (m_centre)
        layoutExpressionCentred(*m_root, m_metrics, *m_centre, m_left, m_top - m_viewOffset,
                                m_fontName);
    else
        layoutExpression(*m_root, m_metrics, m_left, m_top - m_viewOffset, m_fontName);
}

void ExpressionEditor::relayout()
{
    layout();
    placeCaret();
}

void ExpressionEditor::setFontHeight(int height)
{
    m_fontHeight = height;
    relayout();
}

void ExpressionEditor::setFontName(const std::string& name)
{
    m_fontName = name;
    relayout();
}

MarkItem* ExpressionEditor::caretMark() const
{
    const CaretPlace& place = m_cursor.place;
    FractNode& node = *place.node;
    if (place.area == CursorArea::Opening && node.openRow && place.position < node.openRow->count())
        return node.openRow->items[static_cast<std::size_t>(place.position)].get();
    return nullptr;
}

void ExpressionEditor::placeCaret()
{
    // After an edit the caret's place may have gone (a row emptied): it
    // falls back to the start of its node, else of the expression.
    std::vector<CaretPlace> places = caretPlaces(*m_root);
    if (std::find(places.begin(), places.end(), m_cursor.place) == places.end()) {
        CaretPlace fallback = normalized(homePlace(*m_cursor.place.node));
        bool found = std::find(places.begin(), places.end(), fallback) != places.end();
        m_cursor.place = found ? fallback : places.front();
    }
    CaretBox box = caretBox(m_cursor.place);
    m_cursor.x = box.x;
    m_cursor.y = box.y;
    m_cursor.height = box.height;
}

ExpressionEditor::CaretBox ExpressionEditor::caretBox(const CaretPlace& place) const
{
    const FractNode& node = *place.node;
    int x = node.textX;
    if (place.area == CursorArea::Text && node.hasText() && !node.isSlot()) {
        CanvasFont font;
        font.name = m_fontName;
        font.pixelHeight = std::max(1, node.fontHeight);
        m_metrics.setFont(font);
        x = node.textX +
            m_metrics.textWidth(
                std::string_view(*node.text).substr(0, static_cast<std::size_t>(place.position)));
    } else if (place.area == CursorArea::Opening && node.openRow &&
               place.position < node.openRow->count()) {
        x = node.openRow->items[static_cast<std::size_t>(place.position)]->x;
    } else if (place.area == CursorArea::Closing) {
        const MarkRow* row = node.closeRow.get();
        if (row && place.position < row->count())
            x = row->items[static_cast<std::size_t>(place.position)]->x;
        else
            x = row && place.position > 0 ? row->x + row->width
                                          : node.x + node.width / 2 - (row ? row->width : 0);
    }
    return {x, node.y - node.above, node.heightNoTop};
}

bool ExpressionEditor::clickCaret(int x, int y)
{
    const FractNode& root = *m_root;
    int margin = std::max(4, m_fontHeight / 2);
    if (x < root.x - root.width / 2 - margin || x > root.x + root.width / 2 + margin ||
        y < root.y - root.aboveTotal - margin || y > root.y + root.below + margin)
        return false;
    // A place on the line under the click wins over a nearer one above or
    // below it: vertical distance counts three times. Places at one x (inside
    // and outside a root's end) go to the later one for a click right of
    // them.
    std::optional<CaretPlace> best;
    int bestScore = 0;
    for (const CaretPlace& place : caretPlaces(*m_root)) {
        CaretBox box = caretBox(place);
        int dy = y < box.y ? box.y - y : y > box.y + box.height ? y - box.y - box.height : 0;
        int score = std::abs(x - box.x) + 3 * dy;
        if (!best || score < bestScore || (score == bestScore && x > box.x)) {
            best = place;
            bestScore = score;
        }
    }
    if (!best)
        return false;
    m_cursor.place = normalized(*best);
    m_cursor.blinkPhase = 0;
    placeCaret();
    return true;
}

void ExpressionEditor::afterEdit(CaretPlace place)
{
    m_cursor.place = place;
    layout();
    m_cursor.place = normalized(place);
    placeCaret();
}

EditorRequest ExpressionEditor::keyDown(std::uint16_t key, Modifiers modifiers)
{
    // 1. Any key erases the selection rectangle.
    if (m_selectionShown) {
        m_selectionShown = false;
        m_selection = nullptr;
    }
    // 2. Shortcuts with Ctrl.
    if (modifiers.control()) {
        switch (key) {
        case 'M':
            return EditorRequest::Simplify;
        case 'P':
            insertPower();
            break;
        case 'R':
            insertRoot();
            break;
        case 'N':
            insertFraction();
            break;
        case 'W':
            newExpression();
            return EditorRequest::New;
        default:
            break;
        }
        return EditorRequest::None;
    }
    // 3. Letters typed into a text.
    if (isLetterKey(key) && cursorNode().hasText() && m_cursor.place.area == CursorArea::Text) {
        typeLetter(modifiers.shift() ? static_cast<char>(key) : static_cast<char>(key - 'A' + 'a'));
        return EditorRequest::None;
    }
    // 4. Everything else through the translation and the edit keys.
    if (key == kEquals && !modifiers.shift())
        return EditorRequest::Simplify;
    if (key == code(Key::Escape))
        return EditorRequest::Escape;
    dispatch(key, modifiers, translateKey(key, modifiers, m_decimalCharacter));
    return EditorRequest::None;
}

void ExpressionEditor::dispatch(std::uint16_t key, Modifiers modifiers, char character)
{
    using namespace editor_messages;
    if (key == kPeriod || key == kComma || key == kNumpadDecimal) {
        if (m_decimalsAllowed)
            typeDigit(character);
        else
            refuse(kCommas);
        return;
    }
    bool shift = modifiers.shift();
    switch (static_cast<Key>(key)) {
    case Key::Left:
        if (!shift)
            moveLeft();
        return;
    case Key::Right:
        if (!shift)
            moveRight();
        return;
    case Key::Up:
        if (!shift)
            moveUp();
        return;
    case Key::Down:
        if (!shift)
            moveDown();
        return;
    case Key::PageUp:
        pageUp();
        return;
    case Key::PageDown:
        pageDown();
        return;
    case Key::Home:
        moveHome();
        return;
    case Key::End:
        moveEnd();
        return;
    case Key::F5:
        relayout();
        return;
    case Key::Shift:
        return;
    case Key::Backspace:
        deleteBackward();
        return;
    case Key::Delete:
        deleteForward();
        return;
    default:
        break;
    }
    if (character == '(' || character == ')') {
        insertParenthesis(character == '(');
        return;
    }
    if (key == 'P') {
        insertPower();
        return;
    }
    if (key == 'A' || key == 'N' || key == 'W' || key == 'X') {
        if (checkEditing())
            refuse(kMarkArea);
        return;
    }
    if (character == '+' || character == '-' || character == '*' || character == '/' ||
        character == '_') {
        if (!checkEditing())
            return;
        if (inExponent()) {
            refuse(kOperationInExponent);
            return;
        }
        if (character == '/')
            refuse(kDivision);
        else if (character == '_')
            toggleSign();
        else
            insertOperation(character);
        return;
    }
    if (character >= '0' && character <= '9') {
        typeDigit(character);
        return;
    }
    refuse(kNotEditKey);
}

void ExpressionEditor::moveLeft()
{
    std::vector<CaretPlace> places = caretPlaces(*m_root);
    auto found = std::find(places.begin(), places.end(), m_cursor.place);
    if (found == places.end())
        m_cursor.place = places.front();
    else if (found != places.begin())
        m_cursor.place = *(found - 1);
    placeCaret();
}

void ExpressionEditor::moveRight()
{
    std::vector<CaretPlace> places = caretPlaces(*m_root);
    auto found = std::find(places.begin(), places.end(), m_cursor.place);
    if (found == places.end())
        m_cursor.place = places.front();
    else if (found + 1 != places.end())
        m_cursor.place = *(found + 1);
    placeCaret();
}

void ExpressionEditor::moveUp()
{
    if (!checkEditing())
        return;
    FractNode& node = cursorNode();
    if (node.exponent && m_cursor.place.area == CursorArea::Text) {
        m_cursor.place = normalized(homePlace(*node.exponent));
        placeCaret();
        return;
    }
    for (FractNode* child = &node; child->parent; child = child->parent) {
        FractNode& parent = *child->parent;
        if (parent.denominator.get() == child) {
            m_cursor.place = normalized(homePlace(*parent.numerator));
            placeCaret();
            return;
        }
        if (child->role == NodeRole::Exponent || child->role == NodeRole::ParenExponent)
            return;
    }
}

void ExpressionEditor::moveDown()
{
    if (!checkEditing())
        return;
    for (FractNode* child = &cursorNode(); child->parent; child = child->parent) {
        FractNode& parent = *child->parent;
        if (parent.numerator.get() == child) {
            m_cursor.place = normalized(homePlace(*parent.denominator));
            placeCaret();
            return;
        }
        if (child->role == NodeRole::Exponent) {
            m_cursor.place = {&parent, CursorArea::Text, parent.isSlot() ? 0 : parent.textLength()};
            m_cursor.place = normalized(m_cursor.place);
            placeCaret();
            return;
        }
        if (child->role == NodeRole::ParenExponent) {
            for (int k = 0; parent.closeRow && k < parent.closeRow->count(); ++k) {
                const MarkItem& item = *parent.closeRow->items[static_cast<std::size_t>(k)];
                if (item.paren && item.paren->exponent.get() == child)
                    m_cursor.place = {&parent, CursorArea::Closing, k + 1};
            }
            placeCaret();
            return;
        }
    }
}

void ExpressionEditor::moveHome()
{
    m_cursor.place = normalized(homePlace(*m_root));
    placeCaret();
}

void ExpressionEditor::moveEnd()
{
    m_cursor.place = normalized(endPlace(*m_root));
    placeCaret();
}

void ExpressionEditor::pageUp()
{
    m_viewOffset = std::max(0, m_viewOffset - m_areaHeight / 2);
    relayout();
}

void ExpressionEditor::pageDown()
{
    int extent = m_root->height + m_top;
    if (m_viewOffset + m_areaHeight * 3 / 4 < extent)
        m_viewOffset += m_areaHeight / 2;
    else
        m_viewOffset = std::max(0, extent - m_areaHeight / 4);
    relayout();
}

void ExpressionEditor::tick()
{
    m_cursor.blinkPhase = (m_cursor.blinkPhase + 1) % kBlinkPhases;
}

bool ExpressionEditor::degreeControlShown() const
{
    MarkItem* mark = caretMark();
    return mark && mark->isRoot();
}

bool ExpressionEditor::clickDegreeControl(int x, int y)
{
    int left = degreeControlX();
    int top = degreeControlY();
    if (!degreeControlShown() || x < left || x > left + 90 || y < top + 23 || y > top + 69)
        return false;
    if (!checkEditing())
        return false;
    int column = std::clamp((x - left) / 22, 0, 3);
    int row = y > top + 46 ? 1 : 0;
    caretMark()->root->degree = static_cast<std::uint8_t>(2 + column + 4 * row);
    afterEdit(m_cursor.place);
    return true;
}

void ExpressionEditor::drag(int x1, int y1, int x2, int y2)
{
    int left = std::min(x1, x2);
    int right = std::max(x1, x2);
    int top = std::min(y1, y2);
    int bottom = std::max(y1, y2);
    m_selectionRect[0] = left;
    m_selectionRect[1] = top;
    m_selectionRect[2] = right;
    m_selectionRect[3] = bottom;
    m_selectionShown = true;
    std::vector<const FractNode*> inside;
    std::vector<const FractNode*> pending{m_root.get()};
    while (!pending.empty()) {
        const FractNode* node = pending.back();
        pending.pop_back();
        if (node->hasText() && node->x - node->width / 2 >= left &&
            node->x + node->width / 2 <= right && node->y - node->aboveTotal >= top &&
            node->y + node->below <= bottom)
            inside.push_back(node);
        for (const auto* child :
             {&node->left, &node->right, &node->numerator, &node->denominator, &node->exponent}) {
            if (*child)
                pending.push_back(child->get());
        }
        if (node->closeRow) {
            for (const auto& item : node->closeRow->items) {
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
    }
    m_selection = nullptr;
    if (inside.empty())
        return;
    // The lowest common ancestor of the leaves inside.
    auto pathOf = [](const FractNode* node) {
        std::vector<const FractNode*> path;
        for (; node; node = node->parent)
            path.push_back(node);
        std::reverse(path.begin(), path.end());
        return path;
    };
    std::vector<const FractNode*> common = pathOf(inside.front());
    for (const FractNode* node : inside) {
        std::vector<const FractNode*> path = pathOf(node);
        std::size_t shared = 0;
        while (shared < common.size() && shared < path.size() && common[shared] == path[shared])
            ++shared;
        common.resize(shared);
    }
    m_selection = common.empty() ? nullptr : common.back();
}

// The marks that enclose the selected node but stand outside the dragged
// rectangle are not part of the selection.
void ExpressionEditor::dropMarksOutside(FractNode& copy) const
{
    computeMarkSpans(copy);
    FractNode& first = leftmostLeaf(copy);
    FractNode& last = rightmostLeaf(copy);
    std::vector<MarkItem*> outside;
    for (int k = 0; k < copy.markSpan; ++k) {
        MarkItem* opening =
            first.openRow->items[static_cast<std::size_t>(copy.openIndex + k)].get();
        MarkItem* closing = opening->partnerItem;
        if (closing && (opening->x < m_selectionRect[0] || closing->x > m_selectionRect[2])) {
            outside.push_back(opening);
            outside.push_back(closing);
        }
    }
    for (MarkItem* mark : outside) {
        for (FractNode* owner : {&first, &last}) {
            for (auto* row : {&owner->openRow, &owner->closeRow}) {
                if (!*row)
                    continue;
                auto& items = (*row)->items;
                items.erase(std::remove_if(items.begin(), items.end(),
                                           [mark](const auto& item) { return item.get() == mark; }),
                            items.end());
                if (items.empty())
                    row->reset();
            }
        }
    }
}

std::unique_ptr<FractNode> ExpressionEditor::copySelection() const
{
    if (!m_selection)
        return nullptr;
    std::unique_ptr<FractNode> copy = copyTree(*m_selection);
    copy->role = NodeRole::Root;
    fixUp(*copy);
    matchMarks(*copy);
    // Marks whose partners lie outside the selection are dropped.
    std::vector<FractNode*> pending{copy.get()};
    while (!pending.empty()) {
        FractNode* node = pending.back();
        pending.pop_back();
        for (auto* row : {&node->openRow, &node->closeRow}) {
            if (!*row)
                continue;
            auto& items = (*row)->items;
            items.erase(std::remove_if(items.begin(), items.end(),
                                       [](const auto& item) { return !item->matched; }),
                        items.end());
            for (auto& item : items) {
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
        for (auto* child :
             {&node->left, &node->right, &node->numerator, &node->denominator, &node->exponent}) {
            if (*child)
                pending.push_back(child->get());
        }
    }
    dropMarksOutside(*copy);
    FractNode& first = leftmostLeaf(*copy);
    if (first.hasOpenMarks())
        first.openRow->items.front()->signBefore = '+';
    setLastSign(*copy, '+');
    fixUp(*copy);
    matchMarks(*copy);
    return copy;
}

void ExpressionEditor::paint(Canvas& canvas) const
{
    PaintOptions options;
    options.caretMark = caretMark();
    options.selection = m_selection;
    options.fontName = m_fontName;
    paintExpression(*m_root, canvas, options);
    canvas.setPen(kBlack);
    if (caretShown()) {
        canvas.line(m_cursor.x, m_cursor.y, m_cursor.x, m_cursor.y + m_cursor.height);
        canvas.line(m_cursor.x + 1, m_cursor.y, m_cursor.x + 1, m_cursor.y + m_cursor.height);
    }
    if (m_selectionShown) {
        canvas.clearBrush();
        canvas.rectangle(m_selectionRect[0], m_selectionRect[1], m_selectionRect[2],
                         m_selectionRect[3]);
    }
    if (!degreeControlShown())
        return;
    int x = degreeControlX();
    int y = degreeControlY();
    canvas.fillRect(x, y, x + 90, y + 23, kDegreeTitleColour);
    CanvasFont font;
    font.pixelHeight = 12;
    canvas.setFont(font);
    const char* title = "root's degree";
    canvas.text(x + 45 - canvas.textWidth(title) / 2, y + 5, title);
    canvas.fillRect(x, y + 23, x + 90, y + 69, kDegreeBoxColour);
    canvas.line(x, y + 46, x + 90, y + 46);
    for (int column = 1; column < 4; ++column)
        canvas.line(x + 22 * column, y + 23, x + 22 * column, y + 69);
    for (int degree = 2; degree <= 9; ++degree) {
        int column = (degree - 2) % 4;
        int row = (degree - 2) / 4;
        canvas.text(x + 22 * column + 8, y + 28 + 23 * row, std::string(1, char('0' + degree)));
    }
}

} // namespace kestrane
