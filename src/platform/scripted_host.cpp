// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted_host.h"

namespace kestrane {

namespace {

template<typename T, typename Fallback>
T takeFront(std::deque<T>& queue, Fallback fallback)
{
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

MessageAnswer ScriptedHost::message(const MessageRequest& request)
{
    m_messages.push_back(request);
    return takeFront(m_messageAnswers, defaultAnswer(request.buttons));
}

std::optional<std::string> ScriptedHost::nextFile(const FileDialogRequest& request)
{
    m_fileRequests.push_back(request);
    return takeFront(m_fileAnswers, std::optional<std::string>{});
}

std::optional<std::string> ScriptedHost::chooseFileToOpen(const FileDialogRequest& request)
{
    return nextFile(request);
}

std::optional<std::string> ScriptedHost::chooseFileToSave(const FileDialogRequest& request)
{
    return nextFile(request);
}

std::optional<FontChoice> ScriptedHost::chooseFont(const FontChoice&)
{
    return takeFront(m_fontAnswers, std::optional<FontChoice>{});
}

std::optional<ColorRef> ScriptedHost::chooseColour(ColorRef)
{
    return takeFront(m_colourAnswers, std::optional<ColorRef>{});
}

DialogResult ScriptedHost::runModal(ModalDialog& dialog)
{
    ++m_dialogsShown;
    auto answer = takeFront(m_dialogAnswers, std::function<DialogResult(ModalDialog&)>{});
    return answer ? answer(dialog) : DialogResult::Rejected;
}

} // namespace kestrane
