#include "app/font_window.h"

#include <algorithm>
#include <cstdlib>

namespace kestrane {

FontWindow::FontWindow(std::string name, int height) : m_name(std::move(name)), m_height(height) {}

bool FontWindow::browse(Host& host)
{
    auto choice = host.chooseFont(FontChoice{m_name, m_height});
    if (!choice || choice->name.empty())
        return false;
    m_name = choice->name;
    m_height = std::abs(choice->height);
    return true;
}

void FontWindow::paintExample(Canvas& canvas, int width, int height) const
{
    canvas.fillRect(0, 0, width, height, kWhite);
    // Heights are pixels; the canvas takes points at 96 dots per inch.
    canvas.setFont(CanvasFont{m_name, std::max(1, m_height * 3 / 4)});
    canvas.setTextColour(kBlack);
    canvas.text(8, (height - canvas.textHeight()) / 2.0, kExampleText);
}

} // namespace kestrane
