#include "fractions/calculator_results.h"

#include "platform/canvas.h"
#include "platform/colour.h"

namespace kestrane {

namespace {

constexpr ColorRef kOlive = rgb(128, 128, 0);
constexpr int kTextX = 150;
constexpr int kSignX = 138;

// The first line's top and the imaginary part's base for n real lines.
int imaginaryBase(std::size_t realLines)
{
    return CalculatorResults::kLineStep * static_cast<int>(realLines) + 70;
}

void paintPart(Canvas& canvas, const CalculatorPart& part, const char* label, int labelY,
               int linesY)
{
    canvas.text(kTextX, labelY, label);
    if (part.sign == '-')
        canvas.text(kSignX, linesY, "-");
    for (std::size_t index = 0; index < part.lines.size(); ++index)
        canvas.text(kTextX, linesY + CalculatorResults::kLineStep * static_cast<int>(index),
                    part.lines[index]);
}

} // namespace

int CalculatorResults::contentHeight() const
{
    int base = imaginaryBase(m_output.real.lines.size());
    if (!m_output.imaginary)
        return base + kLineStep;
    return base + 100 + kLineStep * static_cast<int>(m_output.imaginary->lines.size()) + kLineStep;
}

void CalculatorResults::paint(Canvas& canvas) const
{
    canvas.fillRect(0, 0, kWidth, kHeight, kOlive);
    canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20});
    canvas.setTextColour(kBlack);
    int top = -m_scroll;
    paintPart(canvas, m_output.real, "Real part:", top + 50, top + 80);
    if (!m_output.imaginary)
        return;
    int base = top + imaginaryBase(m_output.real.lines.size());
    paintPart(canvas, *m_output.imaginary, "Imaginary part:", base + 50, base + 100);
}

} // namespace kestrane
