// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrane {

// Which window a font-and-colour option file belongs to.
enum class WindowOptionsKind { Fractions = 0, Graph = 1, Calculator = 2 };

// The font and colours of the Fractions and Roots window, the graph window
// and the Calculator ("FractOpt", "FunOpt", "CalcOpt").
struct WindowOptions {
    std::string fontName = "Arial";
    int fontHeight = 20;
    ColorRef expressionBackground = rgb(128, 255, 255);
    ColorRef window = rgb(208, 208, 208);
};

std::string_view windowOptionsFileName(WindowOptionsKind kind);

// Reads what the text holds over the defaults given: the line after "font" is
// the font name and the digits after it the height, raised to the next even
// number; the three numbers after "Fraction" and after "Window" are colours.
WindowOptions parseWindowOptions(std::string_view text, WindowOptions defaults = {});
std::string formatWindowOptions(const WindowOptions& options);

// Defaults when the file does not open.
WindowOptions readWindowOptions(const std::filesystem::path& path);
bool writeWindowOptions(const std::filesystem::path& path, const WindowOptions& options);

} // namespace kestrane
