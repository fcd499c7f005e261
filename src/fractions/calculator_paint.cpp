// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/calculator.h"

#include "platform/canvas.h"
#include "platform/colour.h"
#include "platform/translation.h"

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
    {Calculator::kKeyboardX, Calculator::kTitleY, N_("Keyboard.")},
    {Calculator::kTrigonometricX, Calculator::kTitleY, N_("Trigonometric functions.")},
    {Calculator::kInverseX, Calculator::kTitleY, N_("Inverse trigonometric.")},
    {Calculator::kOtherX, Calculator::kTitleY, N_("Other.")},
    {Calculator::kTrigonometricX, Calculator::kGreekTitleY, N_("Greek letters.")},
};
// Beside the buttons New variable, substitute and List of variables.
constexpr Label kHints[] = {
    {Calculator::kHintX, Calculator::kHintTop, "Ctrl-V"},
    {Calculator::kHintX, Calculator::kHintTop + Calculator::kHintStep, "Ctrl-S"},
    {Calculator::kHintX, Calculator::kHintTop + 2 * Calculator::kHintStep, "Ctrl-L"},
};

} // namespace

void Calculator::paint(Canvas& canvas) const
{
    m_window.paint(canvas);
    // The panel and the variable buttons belong to the main view.
    if (m_window.mode() != FractionsWindow::Mode::Main)
        return;
    canvas.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 16});
    canvas.setTextColour(kTitleColour);
    for (const Label& title : kTitles)
        canvas.text(title.x, title.y, translate(title.text));
    canvas.setTextColour(kHintColour);
    for (const Label& hint : kHints)
        canvas.text(hint.x, hint.y, hint.text);
    canvas.setTextColour(kBlack);
    CanvasFont labelFont{.name = "Arial", .size = 10, .pixelHeight = 20};
    CanvasFont digitFont = resultFont();
    for (const PlacedText& text : resultTexts(canvas)) {
        canvas.setFont(text.kind == PlacedText::Kind::Label ? labelFont : digitFont);
        canvas.text(text.x, text.y, text.text);
    }
}

} // namespace kestrane
