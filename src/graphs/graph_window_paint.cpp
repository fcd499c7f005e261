// SPDX-License-Identifier: GPL-3.0-or-later
// The painting of the graph window: its colours, the expression, the
// buttons and pictures, the domain, the click areas and the graph.
#include "graphs/graph_window.h"

#include "platform/canvas.h"
#include "platform/translation.h"

namespace kestrane {

namespace {

constexpr ColorRef kGraphFill = kWhite;
constexpr ColorRef kGraphLine = rgb(0, 0, 128);
constexpr ColorRef kCaptionColour = rgb(128, 0, 0);

} // namespace

void GraphWindow::paint(Canvas& canvas) const
{
    canvas.fillRect(0, 0, m_width, m_height, m_windowColour);
    canvas.fillRect(10, 30, m_width - kAreaLeft - 20, 290, m_expressionBackground);
    m_editor.paint(canvas);
    paintControls(canvas);
    paintGraph(canvas);
}

void GraphWindow::paintControls(Canvas& canvas) const
{
    int left = m_width - 150;
    canvas.setFont(CanvasFont{.name = "Arial", .size = 9, .pixelHeight = 13});
    canvas.setTextColour(kCaptionColour);
    canvas.text(left, 50, translate("Trigonometric functions."));
    canvas.text(left, 140, translate("Inverse trigonometric."));
    canvas.text(left, 230, translate("Other."));
    canvas.text(left, 290, translate("Root, fraction, power."));
    canvas.setTextColour(kBlack);
    canvas.setPen(kBlack);
    for (const GraphButton& button : buttons()) {
        canvas.fillRect(button.x1, button.y1, button.x2, button.y2, kWhite);
        canvas.clearBrush();
        canvas.rectangle(button.x1, button.y1, button.x2, button.y2);
        std::string name = button.name;
        int middle = (button.x1 + button.x2) / 2;
        if (button.command == GraphCommand::Function) {
            canvas.text(middle - canvas.textWidth(name) / 2.0, button.y1 + 3, name);
        } else if (name == "root") {
            canvas.line(button.x1 + 5, button.y1 + 20, button.x1 + 9, button.y1 + 28);
            canvas.line(button.x1 + 9, button.y1 + 28, button.x1 + 15, button.y1 + 7);
            canvas.line(button.x1 + 15, button.y1 + 7, button.x2 - 5, button.y1 + 7);
        } else if (name == "fraction") {
            canvas.rectangle(middle - 5, button.y1 + 4, middle + 5, button.y1 + 14);
            canvas.line(button.x1 + 6, button.y1 + 17, button.x2 - 6, button.y1 + 17);
            canvas.rectangle(middle - 5, button.y1 + 21, middle + 5, button.y1 + 31);
        } else if (name == "power") {
            std::string power = translate("pwr");
            canvas.text(middle - canvas.textWidth(power) / 2.0, button.y1 + 11, power);
        } else if (name == "pi") {
            canvas.text(middle - canvas.textWidth("\xCF\x80") / 2.0, button.y1 + 11, "\xCF\x80");
        } else {
            const std::string lines[3] = {
                name == "graph" ? translate("Show graph.") : translate("Change domain."),
                name == "graph" ? "(Ctrl-G)" : "(Ctrl-D)", translate("Click here")};
            for (int index = 0; index < 3; ++index)
                canvas.text(middle - canvas.textWidth(lines[index]) / 2.0,
                            button.y1 + 1 + 13 * index, lines[index]);
        }
    }
    int domainTop = m_height - kGraphArea - 50;
    canvas.text(m_width - kAreaLeft, domainTop, translate("Domain:"));
    canvas.text(m_width - kAreaLeft, domainTop + 18,
                "[" + m_domain.leftText + "," + m_domain.rightText + "]");
}

void GraphWindow::paintGraph(Canvas& canvas) const
{
    const GraphPlot* shown = plot();
    if (!shown)
        return;
    const PixelRect& rect = kGraphRect;
    canvas.fillRect(rect.x1, rect.y1, rect.x2, rect.y2, kGraphFill);
    kestrane::paintGraph(canvas, *shown, rect, kGraphLine);
    if (!m_hoverText.empty()) {
        canvas.setTextColour(kBlack);
        canvas.setFont(CanvasFont{.name = "Arial", .size = 9, .pixelHeight = 13});
        canvas.text(rect.x1, rect.y2 + 25, m_hoverText);
    }
}

} // namespace kestrane
