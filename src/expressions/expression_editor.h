// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expressions/editor_messages.h"
#include "expressions/expression_cursor.h"
#include "expressions/fract_layout.h"
#include "platform/host.h"
#include "platform/keys.h"

#include <memory>
#include <optional>
#include <string>

namespace kestrane {

class Canvas;
struct FractNode;
struct MarkItem;

// Key codes the editor reads beyond the named keys of platform/keys.h.
namespace editor_keys {
inline constexpr std::uint16_t kNumpad0 = 0x60;
inline constexpr std::uint16_t kNumpad9 = 0x69;
inline constexpr std::uint16_t kNumpadMultiply = 0x6A;
inline constexpr std::uint16_t kNumpadAdd = 0x6B;
inline constexpr std::uint16_t kNumpadSubtract = 0x6D;
inline constexpr std::uint16_t kNumpadDecimal = 0x6E;
inline constexpr std::uint16_t kSemicolon = 0xBA;
inline constexpr std::uint16_t kEquals = 0xBB;
inline constexpr std::uint16_t kComma = 0xBC;
inline constexpr std::uint16_t kMinus = 0xBD;
inline constexpr std::uint16_t kPeriod = 0xBE;
inline constexpr std::uint16_t kSlash = 0xBF;
} // namespace editor_keys

// The edit character of a key, as the editor translates it: '.', ',' (as
// the decimal character), digits, '*', '+', '-', '/', '_', '(', ')', lower
// case letters without Shift; 0 for a key without a character.
char translateKey(std::uint16_t key, Modifiers modifiers, char decimalCharacter = '.');

// What a key asks of the window that hosts the editor, beyond editing.
// Escape starts a new expression, or after Simplify restores the expression
// as it was; the window decides which.
enum class EditorRequest { None, Simplify, New, Escape };

// The cursor editor of exact expressions: the model that the Fractions and
// Roots window, the variable editor and the calculator host. Keys, commands
// and mouse drags change the tree in place; after each change the tree is
// fixed up, its marks matched and laid out, and the cursor placed. A refused
// edit shows its message box on the host and changes nothing.
class ExpressionEditor {
public:
    ExpressionEditor(Host& host, Canvas& metrics, int fontHeight = 20);
    ~ExpressionEditor();

    // A fresh expression: one empty slot, the cursor on it; editing allowed.
    void newExpression();
    // Takes a tree; the cursor goes to its end.
    void setExpression(std::unique_ptr<FractNode> tree);
    const FractNode& expression() const { return *m_root; }
    std::unique_ptr<FractNode> takeExpression();
    const Cursor& cursor() const { return m_cursor; }
    // Places the caret (normalised); false when the place is not in the tree.
    bool setCaret(CaretPlace place);

    // The size of the expression area (its height is the page of Page Up and
    // Page Down) and of the window (the degree control stands near its
    // bottom-right corner). The tree starts at kLeftMargin, kTopMargin less
    // the view offset.
    void setArea(int width, int height);
    void setWindowSize(int width, int height);
    int viewOffset() const { return m_viewOffset; }
    // Where the tree's top-left corner stands (kLeftMargin, kTopMargin unless
    // the window sets it).
    void setOrigin(int left, int top);
    // The tree's centre stands at x = centre and its top at top (less the
    // view offset); a tree too wide for that keeps its left edge at
    // kLeftMargin. The main expression of the windows stands so.
    void setCentredOrigin(int centre, int top);

    // Key down, in the window's order: the selection goes, Ctrl shortcuts,
    // letters typed into a text, then translation and the edit keys.
    EditorRequest keyDown(std::uint16_t key, Modifiers modifiers);

    // Commands of menus and buttons.
    void insertPower();
    void insertRoot();
    // A function of code 200-210 as a pair of marks around the caret's node.
    void insertFunction(int code);
    // Puts a text (or a symbol's letter) into the empty slot under the caret;
    // false, with nothing changed, when the caret is not in an empty slot.
    bool fillSlot(const std::string& text, bool symbol);
    // Puts a tree in place of the empty slot under the caret (a memory's
    // content); false, with nothing changed, when the caret is not in an
    // empty slot without marks.
    bool insertTree(std::unique_ptr<FractNode> tree);
    // Whether the caret stands in a number that already has its point.
    bool caretInNumberWithPoint() const;
    void insertFraction();
    void insertParenthesis(bool opening);
    void insertOperation(char sign);
    void toggleSign();
    void deleteForward();
    void deleteBackward();
    void moveLeft();
    void moveRight();
    void moveUp();
    void moveDown();
    void moveHome();
    void moveEnd();
    void pageUp();
    void pageDown();
    // Recomputes the whole layout.
    void relayout();
    // A new font height or family for the whole expression, which is
    // measured again.
    void setFontHeight(int height);
    int fontHeight() const { return m_fontHeight; }
    void setFontName(const std::string& name);
    const std::string& fontName() const { return m_fontName; }

    // The root-degree control: shown while the caret is on an opening root.
    bool degreeControlShown() const;
    int degreeControlX() const { return m_windowWidth - 330; }
    int degreeControlY() const { return m_windowHeight - 125; }
    // A click in the window; inside the control's degree box it sets the
    // degree 2 + c + 4r of the root under the caret. Returns whether it did.
    bool clickDegreeControl(int x, int y);

    // A click at (x, y) near the expression puts the caret at the nearest
    // place, on the line under the click first; false, with nothing changed,
    // for a click away from the expression.
    bool clickCaret(int x, int y);

    // A mouse drag over the expression area selects the lowest node that
    // covers every leaf lying wholly inside the rectangle.
    void drag(int x1, int y1, int x2, int y2);
    const FractNode* selection() const { return m_selection; }
    // A copy of the selection for memories: the marks around it that lie
    // inside the rectangle come along; marks whose partner is not in it do not.
    std::unique_ptr<FractNode> copySelection() const;

    // Blink: one tick every 250 ms; the caret shows at phase 0.
    static constexpr int kBlinkPhases = 2;
    void tick();
    bool caretShown() const { return m_cursor.blinkPhase == 0; }

    void paint(Canvas& canvas) const;

    // Settings of the window.
    void setEditingAllowed(bool allowed) { m_editingAllowed = allowed; }
    bool editingAllowed() const { return m_editingAllowed; }
    void setParenthesesOn(bool on) { m_parenthesesOn = on; }
    bool parenthesesOn() const { return m_parenthesesOn; }
    // The calculator takes decimal numbers; the Fractions window refuses them.
    void setDecimalsAllowed(bool allowed) { m_decimalsAllowed = allowed; }
    void setDecimalCharacter(char character) { m_decimalCharacter = character; }

    static constexpr int kLeftMargin = 20;
    static constexpr int kTopMargin = 20;

private:
    bool refuse(const editor_messages::Message& message);
    bool checkEditing();
    bool inExponent() const;
    FractNode& cursorNode() const { return *m_cursor.place.node; }
    // Lays the tree out again and puts the caret at place.
    void afterEdit(CaretPlace place);
    void layout();
    void placeCaret();
    // Where the caret of a place is drawn: x, top and height.
    struct CaretBox {
        int x;
        int y;
        int height;
    };
    CaretBox caretBox(const CaretPlace& place) const;
    void dispatch(std::uint16_t key, Modifiers modifiers, char character);
    void typeLetter(char letter);
    void typeDigit(char digit);
    void insertText(char character);
    void splitForOperation(char sign);
    void removeOperand(FractNode& operand);
    void insertMarkPair(std::unique_ptr<MarkItem> opening, std::unique_ptr<MarkItem> closing);
    void deleteMark(FractNode& node, CursorArea area, int index);
    MarkItem* caretMark() const;
    void dropMarksOutside(FractNode& copy) const;

    Host& m_host;
    int m_refusals = 0;
    Canvas& m_metrics;
    int m_fontHeight;
    std::string m_fontName = kExpressionFont;
    std::unique_ptr<FractNode> m_root;
    Cursor m_cursor;
    const FractNode* m_selection = nullptr;
    bool m_selectionShown = false;
    int m_selectionRect[4] = {};
    int m_areaWidth = 700;
    int m_areaHeight = 400;
    int m_windowWidth = 800;
    int m_windowHeight = 600;
    int m_viewOffset = 0;
    int m_left = kLeftMargin;
    int m_top = kTopMargin;
    std::optional<int> m_centre;
    bool m_editingAllowed = true;
    bool m_parenthesesOn = true;
    bool m_decimalsAllowed = false;
    char m_decimalCharacter = '.';
};

} // namespace kestrane
