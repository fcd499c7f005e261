// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/control_panel.h"

#include "platform/canvas.h"
#include "platform/translation.h"

namespace kestrane {

using namespace control_panel;

namespace {

constexpr ColorRef kPanelYellow = rgb(255, 255, 0);
constexpr int kLabelInset = 5;

} // namespace

std::optional<ControlButton> controlButtonAt(double x, double y)
{
    if (!(x > kLeft && x < kLeft + kButtonWidth) || y < kTop)
        return {};
    int row = static_cast<int>((y - kTop) / kButtonHeight);
    if (row >= static_cast<int>(kLabels.size()))
        return {};
    return static_cast<ControlButton>(row);
}

void paintControlPanel(Canvas& canvas)
{
    int bottom = kTop + kButtonHeight * static_cast<int>(kLabels.size());
    canvas.fillRect(kLeft, kTop, kLeft + kButtonWidth, bottom, kPanelYellow);
    canvas.setPen(kBlack);
    canvas.clearBrush();
    canvas.setFont(CanvasFont{"Arial", 9, false, false});
    canvas.setTextColour(kBlack);
    for (std::size_t row = 0; row < kLabels.size(); ++row) {
        int top = kTop + kButtonHeight * static_cast<int>(row);
        canvas.rectangle(kLeft, top, kLeft + kButtonWidth, top + kButtonHeight);
        canvas.text(kLeft + kLabelInset, top + kLabelInset, translate(kLabels[row]));
    }
}

} // namespace kestrane
