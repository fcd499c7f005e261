// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_box.h"

#include "platform/translation.h"

namespace kestrane {

namespace {

void centredText(Canvas& canvas, int width, double y, std::string_view text)
{
    std::string shown = translate(text);
    canvas.text((width - canvas.textWidth(shown)) / 2.0, y, shown);
}

} // namespace

void AboutBox::paint(Canvas& canvas, int width, int height) const
{
    canvas.fillRect(0, 0, width, height, kWhite);
    canvas.setTextColour(rgb(0, 0, 160));
    canvas.setFont(CanvasFont{"Arial", 28, true});
    centredText(canvas, width, height * 0.12, kTitle);
    canvas.setTextColour(kBlack);
    canvas.setFont(CanvasFont{"Arial", 14});
    centredText(canvas, width, height * 0.42, kSubtitle);
    canvas.setFont(CanvasFont{"Arial", 11});
    centredText(canvas, width, height * 0.62, kVersion);
}

} // namespace kestrane
