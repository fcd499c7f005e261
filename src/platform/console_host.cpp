// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/console_host.h"

#include "platform/translation.h"

#include <ostream>
#include <string>
#include <string_view>

namespace kestrane {

namespace {

// A message is one line on the error stream: its line breaks become " / "
// (the JSON keeps the text as it is).
std::string oneLine(std::string_view text)
{
    std::string line;
    for (std::size_t index = 0; index < text.size(); ++index) {
        char character = text[index];
        if (character == '\r' || character == '\n') {
            if (character == '\r' && index + 1 < text.size() && text[index + 1] == '\n')
                ++index;
            line += " / ";
        } else {
            line += character;
        }
    }
    return line;
}

} // namespace

ConsoleHost::ConsoleHost(std::ostream& errors) : m_errors(errors) {}

MessageAnswer ConsoleHost::message(const MessageRequest& request)
{
    m_messages.push_back(request);
    m_errors << translate(request.caption) << ": " << oneLine(translate(request.text)) << '\n';
    return defaultAnswer(request.buttons);
}

DialogResult ConsoleHost::runModal(ModalDialog& dialog)
{
    if (m_dialogAnswers.empty())
        return DialogResult::Rejected;
    auto answer = std::move(m_dialogAnswers.front());
    m_dialogAnswers.pop_front();
    return answer(dialog);
}

} // namespace kestrane
