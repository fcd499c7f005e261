// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/graph_messages.h"

#include "platform/host.h"

#include <string>

namespace kestrane {

void showRuntimeError(Host& host, std::string_view text)
{
    host.message(std::string(graph_message::kRuntimeCaption), std::string(text), MessageButtons::Ok,
                 MessageIcon::Error);
}

} // namespace kestrane
