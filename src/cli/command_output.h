// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"
#include "platform/host.h"
#include "platform/json_writer.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::cli {

// A message of the command itself, not of a window: "kestrane-cli NAME: text"
// on standard error like a message box captioned "kestrane-cli NAME", and kept
// with the boxes for the JSON.
void reportProblem(Host& host, std::string_view command, std::string text);

// "messages": [{"caption", "text"}, ...] as the next member of an object.
void writeMessages(JsonWriter& json, const std::vector<MessageRequest>& messages);

// The JSON of a command that has no result: {"result": null, "messages"}.
std::string refusalJson(const std::vector<MessageRequest>& messages);

// Writes `text` to the file `path`, or to `out` when the path is "-";
// false after saying why on err.
bool writeOutputFile(const std::string& path, const std::string& text, std::ostream& out,
                     std::ostream& err, std::string_view command);

// A --json whose value may be left out: "-" (standard output) then.
std::optional<std::string> jsonOutputPath(const ParsedArguments& arguments);

} // namespace kestrane::cli
