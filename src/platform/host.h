// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrane {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The default answer of a box: the first button, which Enter presses.
MessageAnswer defaultAnswer(MessageButtons buttons);

struct MessageRequest {
    std::string caption;
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

struct FileDialogRequest {
    std::string title;
    std::string directory;
    std::string fileName;
    // Filters as "Description (*.kst *.ksu)"; the first is selected.
    std::vector<std::string> filters;
};

struct FontChoice {
    std::string name;
    int height = 0; // pixels, positive
};

// A window model shown modally by the host (module dialog, directories
// dialog, font window, ...). The host knows the concrete models and how to
// show each; the core only asks for it to be shown and reads the result.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
};

enum class DialogResult { Accepted, Rejected };

// What the core needs from a desktop beyond painting: message boxes and the
// modal questions. The Qt host shows real dialogs; the scripted host of tests
// and the console host of kestrane-cli answer as told.
class Host {
public:
    virtual ~Host() = default;

    virtual MessageAnswer message(const MessageRequest& request) = 0;
    virtual std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& current) = 0;
    virtual std::optional<ColorRef> chooseColour(ColorRef current) = 0;
    virtual DialogResult runModal(ModalDialog& dialog) = 0;
    // Opens the in-program help at a page under help/ ("index.html").
    virtual void showHelp(const std::string& page) = 0;

    MessageAnswer message(std::string caption, std::string text,
                          MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::None)
    {
        return message(MessageRequest{std::move(caption), std::move(text), buttons, icon});
    }
};

} // namespace kestrane
