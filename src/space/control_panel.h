// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"

#include <array>
#include <optional>
#include <string_view>

namespace kestrane {

class Canvas;

// The column of buttons the space view shows once a stellation has been
// made: six buttons 70 × 25 pixels on yellow, from (50, 50) down.
enum class ControlButton { Animate, Rotation, NextFace, NextCell, InsertCell, Picture };

namespace control_panel {
inline constexpr int kLeft = 50;
inline constexpr int kTop = 50;
inline constexpr int kButtonWidth = 70;
inline constexpr int kButtonHeight = 25;
inline constexpr std::array<std::string_view, 6> kLabels{N_("Animate"),     N_("Rotation"),
                                                         N_("Next face"),   N_("Next cell"),
                                                         N_("Insert cell"), N_("Picture")};
} // namespace control_panel

// The button of a click: row r takes 50 < x < 120 and 50 + 25 r <= y < 75 + 25 r.
std::optional<ControlButton> controlButtonAt(double x, double y);

// The buttons with their labels 5 pixels inside, at (55, 55 + 25 r).
void paintControlPanel(Canvas& canvas);

} // namespace kestrane
