#include "platform/console_host.h"

#include <ostream>

namespace kestrane {

ConsoleHost::ConsoleHost(std::ostream& errors) : m_errors(errors) {}

MessageAnswer ConsoleHost::message(const MessageRequest& request)
{
    m_messages.push_back(request);
    m_errors << request.caption << ": " << request.text << '\n';
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
