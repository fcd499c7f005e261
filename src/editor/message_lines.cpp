// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/message_lines.h"

namespace kestrane {

namespace {

// The longest prefix of the text that fits, at least one character.
std::size_t fittingLength(std::string_view text, const MessageFits& fits)
{
    std::size_t length = std::min(text.size(), kMessageLineLength);
    while (length > 1 && !fits(text.substr(0, length)))
        --length;
    return length;
}

// Where a line of the message ends: the whole rest when it fits, else the
// last blank whose prefix fits, else as many characters as fit.
std::size_t breakAt(std::string_view message, const MessageFits& fits)
{
    std::size_t fitting = fittingLength(message, fits);
    if (fitting == message.size())
        return fitting;
    std::size_t cut = message.substr(0, fitting + 1).rfind(' ');
    if (cut == std::string_view::npos || cut == 0)
        return fitting;
    return cut;
}

} // namespace

MessageLines errorMessageLines(std::string_view message, std::string_view sourceLine)
{
    return errorMessageLines(message, sourceLine, [](std::string_view) { return true; });
}

MessageLines errorMessageLines(std::string_view message, std::string_view sourceLine,
                               const MessageFits& fits)
{
    MessageLines lines;
    std::size_t index = 0;
    while (!message.empty() && index < 4) {
        std::size_t cut = index == 3 ? fittingLength(message, fits) : breakAt(message, fits);
        lines[index++] = std::string(message.substr(0, cut));
        message.remove_prefix(cut);
        if (!message.empty() && message.front() == ' ')
            message.remove_prefix(1);
    }
    lines[4] = std::string(sourceLine.substr(0, fittingLength(sourceLine, fits)));
    return lines;
}

} // namespace kestrane
