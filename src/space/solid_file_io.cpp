// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/solid_file_io.h"

#include "platform/files.h"
#include "platform/host.h"
#include "platform/translation.h"

namespace kestrane {

namespace {

template <typename Content>
std::optional<Content> readSolidFile(const std::filesystem::path& path, std::string_view name,
                                     Host& host,
                                     SolidDecoded<Content> (*decode)(std::string_view))
{
    std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        showFileError(host, couldNotOpenMessage(name));
        return {};
    }
    SolidDecoded<Content> decoded = decode(*bytes);
    if (!decoded.content)
        showFileError(host, wrongFormatMessage(name));
    return std::move(decoded.content);
}

} // namespace

std::string couldNotOpenMessage(std::string_view name)
{
    return translate("Could not open file '") + std::string(name) + "'.";
}

std::string couldNotWriteMessage(std::string_view name)
{
    return translate("Could not write file '") + std::string(name) + "'.";
}

std::string wrongFormatMessage(std::string_view name)
{
    return translate("Wrong format of file '") + std::string(name) + "'.";
}

void showFileError(Host& host, std::string text)
{
    host.message(N_("Error."), std::move(text), MessageButtons::OkCancel, MessageIcon::Error);
}

bool replaceSolidFile(const std::filesystem::path& path, std::string_view name,
                      const std::optional<std::string>& bytes, Host& host)
{
    if (bytes && replaceFile(path, *bytes))
        return true;
    showFileError(host, couldNotWriteMessage(name));
    return false;
}

std::optional<SolidPolyhedron> readPolyhedronFile(const std::filesystem::path& path,
                                                  std::string_view name, Host& host)
{
    return readSolidFile(path, name, host, decodePolyhedronFile);
}

std::optional<SolidCell> readCellFile(const std::filesystem::path& path, std::string_view name,
                                      Host& host)
{
    return readSolidFile(path, name, host, decodeCellFile);
}

std::optional<SolidPolytope> readPolytopeFile(const std::filesystem::path& path,
                                              std::string_view name, Host& host)
{
    return readSolidFile(path, name, host, decodePolytopeFile);
}

bool writePolyhedronFile(const std::filesystem::path& path, std::string_view name,
                         const SolidPolyhedron& polyhedron, Host& host)
{
    return replaceSolidFile(path, name, encodePolyhedronFile(polyhedron), host);
}

bool writeCellFile(const std::filesystem::path& path, std::string_view name, const SolidCell& cell,
                   Host& host)
{
    return replaceSolidFile(path, name, encodeCellFile(cell), host);
}

bool writePolytopeFile(const std::filesystem::path& path, std::string_view name,
                       const SolidPolytope& polytope, Host& host)
{
    return replaceSolidFile(path, name, encodePolytopeFile(polytope), host);
}

} // namespace kestrane
