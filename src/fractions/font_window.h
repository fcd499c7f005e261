// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The "Font" window of the Fractions and Roots window and the Calculator: the
// chosen font's name ("Font's name", shown but not typed), its height in
// pixels from the heights it offers, an "Example:" expression drawn in the
// chosen font, and "Browse", which opens the desktop's font dialog. The
// caller reads the choice after OK; OK without a change gives back exactly
// the name and height the window opened with.
class FontWindow final : public ModalDialog {
public:
    static constexpr std::string_view kCaption = N_("Font");
    static constexpr std::string_view kNameLabel = N_("Font's name");
    static constexpr std::string_view kHeightLabel = N_("Height (pixels)");
    static constexpr std::string_view kExampleLabel = N_("Example:");
    static constexpr std::string_view kBrowse = N_("Browse");
    // The example, in the notation of the expressions.
    static constexpr std::string_view kExample = "(1+sqrt(2))/3";
    // Even heights, as the option files keep them.
    static constexpr int kMinimumHeight = 8;
    static constexpr int kMaximumHeight = 96;
    static constexpr int kHeightStep = 2;

    FontWindow(std::string name, int height);

    const std::string& fontName() const { return m_name; }
    int fontHeight() const { return m_height; }

    // The heights the window offers, smallest first.
    static std::vector<int> heights();
    static bool offersHeight(int height);
    // The offered height nearest to a height (an odd one goes up).
    static int nearestHeight(int height);

    void setHeight(int height) { m_height = nearestHeight(height); }
    // What the desktop's font dialog chose: the name, and its height in
    // pixels brought to the nearest offered one.
    void choose(const FontChoice& font);
    // "Browse": the desktop's font dialog; returns whether a font was chosen.
    bool browse(Host& host);

    // The example area: the example expression laid out and drawn in the
    // chosen font, centred in an area of that size.
    void paintExample(Canvas& canvas, int width, int height) const;

private:
    std::string m_name;
    int m_height;
};

} // namespace kestrane
