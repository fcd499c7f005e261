#include "fractions/calculator.h"

#include "platform/canvas.h"
#include "platform/colour.h"

namespace kestrane {

namespace {

constexpr ColorRef kTitleColour = rgb(0, 0, 128);
constexpr ColorRef kHintColour = rgb(128, 0, 0);

struct Label {
    int x;
    int y;
    const char* text;
};

// The button groups stand under their titles in the lower part of the window.
constexpr Label kTitles[] = {
    {20, Calculator::kButtonsTop - 25, "Keyboard."},
    {330, Calculator::kButtonsTop - 25, "Trigonometric functions."},
    {560, Calculator::kButtonsTop - 25, "Inverse trigonometric."},
    {790, Calculator::kButtonsTop - 25, "Other."},
    {790, Calculator::kButtonsTop + 45, "Greek letters."},
};
constexpr Label kHints[] = {
    {900, 30, "Ctrl-V"},
    {900, 60, "Ctrl-S"},
    {900, 90, "Ctrl-L"},
};

void paintPartLines(Canvas& canvas, const CalculatorPart& part, int& y)
{
    for (std::size_t index = 0; index < part.lines.size(); ++index) {
        if (index == 0 && part.sign == '-')
            canvas.text(Calculator::kResultX - 12, y, "-");
        canvas.text(Calculator::kResultX, y, part.lines[index]);
        y += Calculator::kResultLineStep;
    }
}

} // namespace

void Calculator::paint(Canvas& canvas) const
{
    canvas.fillRect(0, 0, kWidth, kHeight, m_options.window);
    canvas.fillRect(0, 0, kWidth, kExpressionHeight, m_options.expressionBackground);
    m_editor.paint(canvas);
    canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 16});
    canvas.setTextColour(kTitleColour);
    for (const Label& title : kTitles)
        canvas.text(title.x, title.y, title.text);
    canvas.setTextColour(kHintColour);
    for (const Label& hint : kHints)
        canvas.text(hint.x, hint.y, hint.text);
    if (!m_result || m_result->inResultsWindow)
        return;
    canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20});
    canvas.setTextColour(kBlack);
    int y = kResultTop;
    canvas.text(kResultX, y, "Result (saved to clipboard):");
    y += kResultLineStep;
    if (m_complex) {
        canvas.text(kResultX, y, "Real part:");
        y += kResultLineStep;
    }
    paintPartLines(canvas, m_result->real, y);
    if (m_result->imaginary) {
        canvas.text(kResultX, y, "Imaginary part:");
        y += kResultLineStep;
        paintPartLines(canvas, *m_result->imaginary, y);
    }
}

} // namespace kestrane
