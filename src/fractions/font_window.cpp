// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/font_window.h"

#include "expressions/expression_text.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/fract_paint.h"

#include <algorithm>
#include <cstdlib>

namespace kestrane {

FontWindow::FontWindow(std::string name, int height) : m_name(std::move(name)), m_height(height) {}

std::vector<int> FontWindow::heights()
{
    std::vector<int> offered;
    for (int height = kMinimumHeight; height <= kMaximumHeight; height += kHeightStep)
        offered.push_back(height);
    return offered;
}

bool FontWindow::offersHeight(int height)
{
    return height >= kMinimumHeight && height <= kMaximumHeight &&
           (height - kMinimumHeight) % kHeightStep == 0;
}

int FontWindow::nearestHeight(int height)
{
    int even = (height + 1) / 2 * 2;
    return std::clamp(even, kMinimumHeight, kMaximumHeight);
}

void FontWindow::choose(const FontChoice& font)
{
    if (!font.name.empty())
        m_name = font.name;
    setHeight(std::abs(font.height));
}

bool FontWindow::browse(Host& host)
{
    auto choice = host.chooseFont(FontChoice{m_name, m_height});
    if (!choice || choice->name.empty() || choice->height == 0)
        return false;
    choose(*choice);
    return true;
}

void FontWindow::paintExample(Canvas& canvas, int width, int height) const
{
    canvas.fillRect(0, 0, width, height, kWhite);
    TextParseResult parsed = parseExpressionText(kExample, m_height);
    if (!parsed.tree)
        return;
    FractNode& example = *parsed.tree;
    layoutExpression(example, canvas, 0, 0, m_name);
    int top = std::max(0, (height - example.height) / 2);
    layoutExpressionCentred(example, canvas, width / 2, 0, top, m_name);
    PaintOptions options;
    options.fontName = m_name;
    paintExpression(example, canvas, options);
}

} // namespace kestrane
