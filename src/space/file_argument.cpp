// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/file_argument.h"

#include "platform/files.h"
#include "runtime/construction_state.h"
#include "runtime/general_statements.h"
#include "runtime/module_executor.h"

namespace kestrane {

std::optional<FileArgument> fileArgument(const std::string& argument, CommandContext& context)
{
    std::optional<std::string> text = textArgument(argument, context);
    if (!text || text->empty())
        return {};
    const std::string& directory = context.state.scriptDirectory();
    bool absolute = text->front() == '/' || text->front() == '\\';
    std::filesystem::path path =
        absolute || directory.empty() ? nativePath(*text) : nativePath(joinPath(directory, *text));
    return FileArgument{*text, std::move(path)};
}

std::optional<FileArgument> writableFileArgument(const std::string& argument,
                                                 CommandContext& context)
{
    std::optional<FileArgument> file = fileArgument(argument, context);
    if (!file)
        return {};
    std::optional<std::filesystem::path> place = context.state.writeTarget(file->path, file->name);
    if (!place)
        return {};
    file->path = std::move(*place);
    return file;
}

} // namespace kestrane
