// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_output.h"

#include "platform/files.h"
#include "platform/translation.h"

#include <ostream>

namespace kestrane::cli {

void reportProblem(Host& host, std::string_view command, std::string text)
{
    host.message(MessageRequest{"kestrane-cli " + std::string(command), std::move(text)});
}

void writeMessages(JsonWriter& json, const std::vector<MessageRequest>& messages)
{
    json.key("messages").beginArray();
    for (const MessageRequest& message : messages)
        json.beginObject()
            .key("caption")
            .string(translate(message.caption))
            .key("text")
            .string(translate(message.text))
            .endObject();
    json.endArray();
}

std::string refusalJson(const std::vector<MessageRequest>& messages)
{
    JsonWriter json;
    json.beginObject().key("result").null();
    writeMessages(json, messages);
    json.endObject();
    return json.take();
}

bool writeOutputFile(const std::string& path, const std::string& text, std::ostream& out,
                     std::ostream& err, std::string_view command)
{
    if (path == "-") {
        out << text;
        return true;
    }
    if (replaceFile(nativePath(path), text))
        return true;
    err << "kestrane-cli " << command << ": " << translateFilled("cannot write %1", {path}) << '\n';
    return false;
}

std::optional<std::string> jsonOutputPath(const ParsedArguments& arguments)
{
    if (!arguments.has("--json"))
        return std::nullopt;
    std::optional<std::string> path = arguments.value("--json");
    return path && !path->empty() ? path : std::string("-");
}

} // namespace kestrane::cli
