#pragma once

#include "platform/canvas.h"
#include "platform/host.h"

#include <string>
#include <string_view>

namespace kestrane {

// The "Font" window: shows the chosen font's name and an example in it;
// "Browse" opens the desktop's font dialog. The caller reads the choice after
// OK.
class FontWindow final : public ModalDialog {
public:
    static constexpr std::string_view kCaption = "Font";
    static constexpr std::string_view kExampleText = "Example: 1/2 + 3/4";

    FontWindow(std::string name, int height);

    const std::string& fontName() const { return m_name; }
    int fontHeight() const { return m_height; }

    // Returns whether a font was chosen.
    bool browse(Host& host);

    // The example area, in the chosen font.
    void paintExample(Canvas& canvas, int width, int height) const;

private:
    std::string m_name;
    int m_height;
};

} // namespace kestrane
