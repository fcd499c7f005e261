// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/calculator_results.h"

#include "platform/colour.h"

#include <algorithm>

namespace kestrane {

namespace {

constexpr ColorRef kOlive = rgb(128, 128, 0);
CanvasFont labelFont()
{
    return CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20};
}

} // namespace

CalculatorResults::CalculatorResults(CalculatorOutput output, CanvasFont font)
    : m_output(std::move(output))
    , m_font(std::move(font))
{
}

int CalculatorResults::lineStep(int fontHeight)
{
    return std::max(30, fontHeight * 3 / 2);
}

int CalculatorResults::contentHeight() const
{
    int step = lineStep(m_font.pixelHeight);
    // With n real lines the imaginary part starts at base = step * n + 70.
    int base = step * static_cast<int>(m_output.real.lines.size()) + 70;
    if (!m_output.imaginary)
        return base + step;
    return base + 100 + step * static_cast<int>(m_output.imaginary->lines.size()) + step;
}

std::vector<PlacedText> CalculatorResults::texts(Canvas& metrics) const
{
    std::vector<PlacedText> placed;
    int step = lineStep(m_font.pixelHeight);
    auto addPart = [&](const CalculatorPart& part, const char* label, int labelY, int linesY) {
        label = translate(label);
        metrics.setFont(labelFont());
        placed.push_back(
            {PlacedText::Kind::Label, label, kTextX, labelY, metrics.textWidth(label)});
        metrics.setFont(m_font);
        if (part.sign == '-') {
            int width = metrics.textWidth("-");
            placed.push_back(
                {PlacedText::Kind::Sign, "-", kTextX - std::max(12, width + 2), linesY, width});
        }
        for (std::size_t index = 0; index < part.lines.size(); ++index)
            placed.push_back({PlacedText::Kind::Line, part.lines[index], kTextX,
                              linesY + step * static_cast<int>(index),
                              metrics.textWidth(part.lines[index])});
    };
    int top = -m_scroll;
    addPart(m_output.real, N_("Real part:"), top + 50, top + 80);
    if (m_output.imaginary) {
        int base = top + step * static_cast<int>(m_output.real.lines.size()) + 70;
        addPart(*m_output.imaginary, N_("Imaginary part:"), base + 50, base + 100);
    }
    return placed;
}

void CalculatorResults::paint(Canvas& canvas) const
{
    canvas.fillRect(0, 0, kWidth, kHeight, kOlive);
    canvas.setTextColour(kBlack);
    for (const PlacedText& text : texts(canvas)) {
        canvas.setFont(text.kind == PlacedText::Kind::Label ? labelFont() : m_font);
        canvas.text(text.x, text.y, text.text);
    }
}

std::string CalculatorResults::spokenText() const
{
    auto part = [](const char* label, const CalculatorPart& shown) {
        std::string text = translate(label);
        text += ' ';
        if (shown.sign == '-')
            text += '-';
        return text + shown.text;
    };
    std::string spoken = part(N_("Real part:"), m_output.real);
    if (m_output.imaginary)
        spoken += "; " + part(N_("Imaginary part:"), *m_output.imaginary);
    return spoken;
}

} // namespace kestrane
