// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/host.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kestrane {

// A host for tests: records every message box and question and answers from
// queues filled by the test. An empty queue answers with the default button
// (or no choice), so a test that forgets an answer fails on its assertions
// instead of hanging on a modal box.
class ScriptedHost final : public Host {
public:
    using Host::message;
    MessageAnswer message(const MessageRequest& request) override;
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;
    std::optional<ColorRef> chooseColour(ColorRef current) override;
    DialogResult runModal(ModalDialog& dialog) override;
    void showHelp(const std::string& page) override { m_helpPages.push_back(page); }

    // Answers, used in order.
    void answerMessage(MessageAnswer answer) { m_messageAnswers.push_back(answer); }
    void answerFile(std::optional<std::string> path) { m_fileAnswers.push_back(std::move(path)); }
    void answerFont(std::optional<FontChoice> font) { m_fontAnswers.push_back(std::move(font)); }
    void answerColour(std::optional<ColorRef> colour) { m_colourAnswers.push_back(colour); }
    // A modal dialog is handed to the function, which plays the user's part.
    void answerDialog(std::function<DialogResult(ModalDialog&)> answer)
    {
        m_dialogAnswers.push_back(std::move(answer));
    }

    const std::vector<MessageRequest>& messages() const { return m_messages; }
    const std::vector<FileDialogRequest>& fileRequests() const { return m_fileRequests; }
    const std::vector<std::string>& helpPages() const { return m_helpPages; }
    int dialogsShown() const { return m_dialogsShown; }
    void clearMessages() { m_messages.clear(); }

private:
    std::optional<std::string> nextFile(const FileDialogRequest& request);

    std::vector<MessageRequest> m_messages;
    std::vector<FileDialogRequest> m_fileRequests;
    std::vector<std::string> m_helpPages;
    int m_dialogsShown = 0;
    std::deque<MessageAnswer> m_messageAnswers;
    std::deque<std::optional<std::string>> m_fileAnswers;
    std::deque<std::optional<FontChoice>> m_fontAnswers;
    std::deque<std::optional<ColorRef>> m_colourAnswers;
    std::deque<std::function<DialogResult(ModalDialog&)>> m_dialogAnswers;
};

} // namespace kestrane
