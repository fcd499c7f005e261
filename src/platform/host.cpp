// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/host.h"

namespace kestrane {

MessageAnswer defaultAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    }
    return MessageAnswer::Ok;
}

} // namespace kestrane
