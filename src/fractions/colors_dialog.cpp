// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/colors_dialog.h"

#include "fractions/font_window.h"
#include "platform/canvas.h"
#include "platform/translation.h"

#include <string>

namespace kestrane {

ColorsDialog::ColorsDialog(ColorRef expressionBackground, ColorRef window)
    : m_expression(expressionBackground)
    , m_window(window)
{
}

bool ColorsDialog::browseExpression(Host& host)
{
    auto chosen = host.chooseColour(m_expression);
    if (chosen)
        m_expression = *chosen;
    return chosen.has_value();
}

bool ColorsDialog::browseWindow(Host& host)
{
    auto chosen = host.chooseColour(m_window);
    if (chosen)
        m_window = *chosen;
    return chosen.has_value();
}

void ColorsDialog::paintExample(Canvas& canvas, int width, int height) const
{
    canvas.fillRect(0, 0, width, height, m_window);
    int left = width / 4;
    int top = height / 4;
    canvas.fillRect(left, top, width - left, height - top, m_expression);
    canvas.setFont(CanvasFont{.name = "Arial", .pixelHeight = 18});
    canvas.setTextColour(kBlack);
    canvas.setPen(kBlack);
    // One half plus three quarters, written as two fractions.
    int middle = height / 2;
    int x = left + 14;
    canvas.text(x + 2, middle - 22, "1");
    canvas.line(x, middle, x + 14, middle);
    canvas.text(x + 2, middle + 2, "2");
    canvas.text(x + 22, middle - 10, "+");
    canvas.text(x + 42, middle - 22, "3");
    canvas.line(x + 40, middle, x + 54, middle);
    canvas.text(x + 42, middle + 2, "4");
}

bool chooseWindowFont(Host& host, WindowOptions& options)
{
    FontWindow window(options.fontName, options.fontHeight);
    if (host.runModal(window) != DialogResult::Accepted)
        return false;
    options.fontName = window.fontName();
    options.fontHeight = window.fontHeight();
    return true;
}

bool chooseWindowColours(Host& host, WindowOptions& options)
{
    ColorsDialog dialog(options.expressionBackground, options.window);
    if (host.runModal(dialog) != DialogResult::Accepted)
        return false;
    options.expressionBackground = dialog.expressionBackground();
    options.window = dialog.window();
    return true;
}

bool saveWindowOptions(Host& host, WindowOptionsKind kind, const WindowOptions& options)
{
    std::string name(windowOptionsFileName(kind));
    if (writeWindowOptions(name, options))
        return true;
    host.message(N_("Error"), translate("Cannot write the file ") + name + ".", MessageButtons::Ok,
                 MessageIcon::Error);
    return false;
}

} // namespace kestrane
