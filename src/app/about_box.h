// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <string_view>

namespace kestrane {

// The "About" box: the program's title, what it is and its version.
class AboutBox final : public ModalDialog {
public:
    static constexpr std::string_view kCaption = N_("About");
    static constexpr std::string_view kTitle = "KESTRANE";
    static constexpr std::string_view kSubtitle = N_("Computer Program");
    static constexpr std::string_view kVersion = N_("version 1.8");

    void paint(Canvas& canvas, int width, int height) const;
};

} // namespace kestrane
