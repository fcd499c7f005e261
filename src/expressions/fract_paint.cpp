// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/fract_paint.h"

#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "platform/canvas.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kestrane {

namespace {

struct Painter {
    Canvas& canvas;
    const PaintOptions& options;
    const FractNode* top = nullptr;

    void useFont(int height) { useFontNamed(height, options.fontName); }

    void useFontNamed(int height, const std::string& name)
    {
        CanvasFont font;
        font.name = name;
        font.pixelHeight = std::max(1, height);
        canvas.setFont(font);
    }

    bool inSelection(const FractNode* node) const
    {
        for (; node; node = node->parent) {
            if (node == options.selection)
                return true;
        }
        return false;
    }

    void root(const MarkItem& item, const RootMark& root)
    {
        ColorRef colour = kRootColour;
        if (&item == options.caretMark)
            colour = kRootCaretColour;
        else if (options.selection && inSelection(item.owner))
            colour = kRootSelectedColour;
        canvas.setPen(colour);
        int x = root.x;
        int y = root.y;
        int h = root.height;
        int k = root.hookWidth2 * 3 / 4;
        CanvasPoint first[] = {{double(x + k / 8), double(y + h / 2)},
                               {double(x + k / 2), double(y + h)},
                               {double(x + k), double(y)},
                               {double(x + root.barLength), double(y)}};
        CanvasPoint second[] = {{double(x + k / 8 + 1), double(y + h / 2)},
                                {double(x + k / 2 + 1), double(y + h)},
                                {double(x + k + 1), double(y - 1)},
                                {double(x + root.barLength), double(y - 1)}};
        canvas.polyline(first);
        canvas.polyline(second);
        canvas.setPen(kBlack);
        if (root.degree != 2) {
            int current = item.owner ? item.owner->fontHeight : h;
            useFont(std::min((h / 3) * 2, current));
            canvas.text(x + k / 10, y - 4, std::string(1, char('0' + root.degree)));
            useFont(current);
        }
    }

    void row(const FractNode& node, const MarkRow* row, int signWidth)
    {
        if (!row)
            return;
        for (int index = 0; index < row->count(); ++index) {
            const MarkItem& item = *row->items[static_cast<std::size_t>(index)];
            bool minus =
                row->isOpening && (index == 0 ? row->leadingMinus != 0 : item.signBefore == '-');
            if (minus)
                canvas.text(item.x - signWidth, node.y2, "-");
            if (item.root) {
                if (item.isOpening)
                    root(item, *item.root);
            } else if (item.function) {
                if (item.isOpening) {
                    canvas.text(item.x, node.y2,
                                std::string(functionName(item.function->code)) + "(");
                } else {
                    canvas.text(item.x, node.y2, ")");
                }
            } else if (item.paren) {
                int x = item.paren->x;
                if (item.paren->sign2 == '-') {
                    canvas.text(x, node.y2, "-");
                    x += signWidth;
                }
                canvas.text(x, node.y2, item.isOpening ? "(" : ")");
                if (item.paren->exponent) {
                    node_(*item.paren->exponent);
                    useFont(node.fontHeight);
                }
            }
        }
    }

    void text(const FractNode& node)
    {
        const std::string& text = *node.text;
        int h = node.fontHeight;
        if (node.isSlot()) {
            int width = canvas.textWidth("w");
            canvas.rectangle(node.textX, node.y2 + 2, node.textX + width, node.y2 + h - 2);
            return;
        }
        if (node.symbol) {
            useFontNamed(h, "Symbol");
            canvas.text(node.textX, node.y2, displayText(node));
            useFont(h);
            return;
        }
        std::size_t letters = 0;
        while (letters < text.size() && std::isalpha(static_cast<unsigned char>(text[letters])))
            ++letters;
        bool subscript =
            letters > 0 && letters < text.size() &&
            std::all_of(text.begin() + static_cast<long>(letters), text.end(),
                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        if (!subscript) {
            canvas.text(node.textX, node.y2, text);
            return;
        }
        std::string name = text.substr(0, letters);
        canvas.text(node.textX, node.y2, name);
        int lettersWidth = canvas.textWidth(name);
        useFont(h * 3 / 4);
        canvas.text(node.textX + lettersWidth + 3, node.y2 + h / 2, text.substr(letters));
        useFont(h);
    }

    void operatorSign(const SignBox& box)
    {
        int x = box.x;
        int y = box.y;
        int s = box.width * 3 / 5;
        int h = s / 2;
        switch (box.sign) {
        case '+':
        case '-':
            canvas.line(x - h, y, x + h, y);
            canvas.line(x - h, y + 1, x + h, y + 1);
            if (box.sign == '+') {
                canvas.line(x, y - h, x, y + h + 1);
                canvas.line(x - 1, y - h, x - 1, y + h + 1);
            }
            break;
        case '=':
            for (int offset : {-2, -3, 2, 1})
                canvas.line(x - h, y + offset, x + h, y + offset);
            break;
        case '/': {
            int q = s * 3 / 4;
            canvas.line(x - h, y + q, x + h - 1, y - q);
            canvas.line(x - h + 1, y + q, x + h, y - q);
            break;
        }
        case '*':
            for (int k = 0; k < 12; ++k) {
                double angle = k * 6.2831 / 12;
                canvas.line(x, y, x + std::trunc(std::sin(angle) * s / 2),
                            y + std::trunc(std::cos(angle) * s / 2));
            }
            break;
        default:
            break;
        }
    }

    void node_(const FractNode& node)
    {
        // 1. Font and sign width of this node.
        useFont(node.fontHeight);
        int signWidth = canvas.textWidth("+");
        int h = node.fontHeight;
        // 2. Background.
        if (options.withBackground && &node == top) {
            canvas.fillRect(node.x - node.width / 2 - h, node.y - node.aboveTotal - h / 5,
                            node.x + node.width / 2 + h / 2, node.y + node.below + h,
                            options.background);
            canvas.setPen(kBlack);
            canvas.clearBrush();
        }
        // 3-6. Exponent, opening marks, a minus, closing marks.
        if (node.exponent) {
            node_(*node.exponent);
            useFont(h);
        }
        row(node, node.openRow.get(), signWidth);
        if (node.numberSign.sign == '-' && node.hasText() && drawsLeadingSign(node))
            canvas.text(node.textX - signWidth - 1, node.y2, "-");
        row(node, node.closeRow.get(), signWidth);
        // 7. Text.
        if (node.hasText())
            text(node);
        // 8. Operands with the operator between them.
        if (node.isOperation()) {
            node_(*node.left);
            useFont(h);
            canvas.setPen(kBlack);
            operatorSign(node.left->opSign);
            node_(*node.right);
        }
        // 9. Fraction: denominator, bar, numerator.
        if (node.isFraction()) {
            node_(*node.denominator);
            canvas.setPen(kBlack);
            int end = node.x + node.width / 2 - (node.closeRow ? node.closeRow->width : 0);
            for (int k = 0; k < node.barThickness; ++k) {
                int y = node.y - node.barThickness / 2 + k;
                canvas.line(node.textX, y, end, y);
            }
            node_(*node.numerator);
        }
    }
};

} // namespace

void paintExpression(const FractNode& node, Canvas& canvas, const PaintOptions& options)
{
    Painter painter{canvas, options, &node};
    canvas.setPen(kBlack);
    canvas.clearBrush();
    canvas.setTextColour(kBlack);
    painter.node_(node);
}

} // namespace kestrane
