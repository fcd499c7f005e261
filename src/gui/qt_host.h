// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"
#include "platform/host.h"

#include <filesystem>
#include <memory>

class QWidget;

namespace kestrane {

class HelpViewer;

// The host of the desktop program: real message boxes and dialogs, each
// modal over the active window.
class QtHost final : public Host {
public:
    explicit QtHost(std::filesystem::path helpDirectory);
    ~QtHost() override;

    using Host::message;
    MessageAnswer message(const MessageRequest& request) override;
    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;
    std::optional<ColorRef> chooseColour(ColorRef current) override;
    DialogResult runModal(ModalDialog& dialog) override;
    void showHelp(const std::string& page) override;

    void setHelpDirectory(std::filesystem::path directory)
    {
        m_helpDirectory = std::move(directory);
    }
    HelpViewer* helpViewer() const { return m_helpViewer.get(); }

private:
    std::filesystem::path m_helpDirectory;
    std::unique_ptr<HelpViewer> m_helpViewer;
};

// The desktop clipboard.
class QtClipboard final : public Clipboard {
public:
    std::string text() const override;
    void setText(const std::string& text) override;
};

} // namespace kestrane
