#pragma once

#include "platform/host.h"

#include <iosfwd>
#include <vector>

namespace kestrane {

// The host of kestrane-cli: every message box becomes a "Caption: text" line
// on the error stream and is answered with its default button; questions get
// no answer (the same as Cancel). The boxes are kept for JSON output.
class ConsoleHost final : public Host {
public:
    explicit ConsoleHost(std::ostream& errors);

    using Host::message;
    MessageAnswer message(const MessageRequest& request) override;
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> chooseFileToSave(const FileDialogRequest&) override { return {}; }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return {}; }
    std::optional<ColorRef> chooseColour(ColorRef) override { return {}; }
    DialogResult runModal(ModalDialog&) override { return DialogResult::Rejected; }
    void showHelp(const std::string&) override {}

    const std::vector<MessageRequest>& messages() const { return m_messages; }

private:
    std::ostream& m_errors;
    std::vector<MessageRequest> m_messages;
};

} // namespace kestrane
