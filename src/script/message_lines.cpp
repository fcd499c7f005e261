#include "script/message_lines.h"

namespace kestrane {

MessageLines errorMessageLines(std::string_view message, std::string_view sourceLine)
{
    MessageLines lines;
    std::size_t index = 0;
    while (!message.empty() && index < 4) {
        if (message.size() <= kMessageLineLength || index == 3) {
            lines[index++] = std::string(message.substr(0, kMessageLineLength));
            break;
        }
        std::size_t cut = message.substr(0, kMessageLineLength + 1).rfind(' ');
        if (cut == std::string_view::npos || cut == 0)
            cut = kMessageLineLength;
        lines[index++] = std::string(message.substr(0, cut));
        message.remove_prefix(cut);
        if (!message.empty() && message.front() == ' ')
            message.remove_prefix(1);
    }
    lines[4] = std::string(sourceLine.substr(0, kMessageLineLength));
    return lines;
}

} // namespace kestrane
