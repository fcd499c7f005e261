// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"
#include "platform/host.h"
#include "platform/translation.h"
#include "platform/window_options.h"

#include <string_view>

namespace kestrane {

class Canvas;

// The "Colors" dialog of the Fractions and Roots window and the Calculator:
// the background of the expression and of the window, each chosen by its
// "Browse" panel in the desktop's colour dialog, shown on an example. The
// caller takes the two colours after OK; Cancel changes nothing.
class ColorsDialog final : public ModalDialog {
public:
    static constexpr std::string_view kCaption = N_("Colors");
    static constexpr std::string_view kExpressionLabel =
        N_("Background of Mathematical Expression");
    static constexpr std::string_view kWindowLabel = N_("Background of Window");
    static constexpr std::string_view kExampleLabel = N_("Example");
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 330;

    ColorsDialog(ColorRef expressionBackground, ColorRef window);

    ColorRef expressionBackground() const { return m_expression; }
    ColorRef window() const { return m_window; }

    // The two "Browse" panels; each returns whether a colour was chosen.
    bool browseExpression(Host& host);
    bool browseWindow(Host& host);

    // A small expression on the chosen colours, in an area of that size.
    void paintExample(Canvas& canvas, int width, int height) const;

private:
    ColorRef m_expression;
    ColorRef m_window;
};

// The Options menu of both windows, on the window's slot of options.

// Font: the "Font" window (font_window.h); true after OK.
bool chooseWindowFont(Host& host, WindowOptions& options);
// Colors: the dialog above; true after OK.
bool chooseWindowColours(Host& host, WindowOptions& options);
// Save options: the slot's file ("FractOpt", "CalcOpt") in the current
// directory; a file that cannot be written is reported.
bool saveWindowOptions(Host& host, WindowOptionsKind kind, const WindowOptions& options);

} // namespace kestrane
