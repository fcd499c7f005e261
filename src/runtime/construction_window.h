#pragma once

#include "platform/canvas.h"

#include <array>
#include <string>
#include <string_view>

namespace kestrane {

// One panel of the construction window's status bar.
struct StatusPanel {
    std::string_view text;
    int width;
};

// The main construction window: it shows the construction and its messages,
// and closing it ends the program.
class ConstructionWindow {
public:
    static constexpr std::string_view kCaption = "Kestrane v. 1.8";
    static constexpr int kWidth = 1102;
    static constexpr int kHeight = 776;
    // The drawing area, in model coordinates (pixels).
    static constexpr int kDrawingWidth = 800;
    static constexpr int kDrawingHeight = 550;
    static constexpr int kScrollSmallStep = 50;
    static constexpr int kScrollLargeStep = 100;

    // The nine panels, all centred; the last is the owner-drawn message panel.
    static constexpr std::array<StatusPanel, 9> kStatusPanels{{
        {"Choose element", 160},
        {"point", 50},
        {"segment", 50},
        {"line", 50},
        {"circle", 50},
        {"half-line", 70},
        {"distance", 50},
        {"Text", 50},
        {"Click", 50},
    }};
    static constexpr size_t kMessagePanel = kStatusPanels.size() - 1;

    // Whether run messages are drawn on the canvas ("Show &messages").
    bool showMessages() const { return m_showMessages; }
    void setShowMessages(bool show) { m_showMessages = show; }
    void toggleShowMessages() { m_showMessages = !m_showMessages; }

    // The text of the red message panel.
    const std::string& messagePanelText() const { return m_messagePanel; }

    void paint(Canvas& canvas, int width, int height) const;

private:
    bool m_showMessages = true;
    std::string m_messagePanel{kStatusPanels[kMessagePanel].text};
};

} // namespace kestrane
