// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/host.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <vector>

namespace kestrane {

// The host of kestrane-cli: every message box becomes a "Caption: text" line
// on the error stream and is answered with its default button; questions get
// no answer (the same as Cancel), and a modal dialog is cancelled unless the
// command queued the user's part for it. The boxes are kept for JSON output.
class ConsoleHost final : public Host {
public:
    explicit ConsoleHost(std::ostream& errors);

    using Host::message;
    MessageAnswer message(const MessageRequest& request) override;
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> chooseFileToSave(const FileDialogRequest&) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return {}; }
    std::optional<ColorRef> chooseColour(ColorRef) override { return {}; }
    DialogResult runModal(ModalDialog& dialog) override;
    void showHelp(const std::string&) override {}

    const std::vector<MessageRequest>& messages() const { return m_messages; }
    // The next modal dialog is handed to the function, which plays the
    // user's part (a window driver choosing a font, ...).
    void answerDialog(std::function<DialogResult(ModalDialog&)> answer)
    {
        m_dialogAnswers.push_back(std::move(answer));
    }

private:
    std::ostream& m_errors;
    std::vector<MessageRequest> m_messages;
    std::deque<std::function<DialogResult(ModalDialog&)>> m_dialogAnswers;
};

} // namespace kestrane
