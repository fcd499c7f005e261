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

} // namespace kestrane
