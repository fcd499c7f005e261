// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/solid_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

class Host;

// Reading and writing the solid files for the space commands. Every refusal
// is a message box with caption "Error.", buttons OK and Cancel, after which
// the run goes on; `name` is the file's name as the user gave it.
//
// A reader makes nothing unless the whole file is right: "Could not open file
// 'NAME'." when it cannot be read, "Wrong format of file 'NAME'." when its
// bytes are not a file of the kind. A writer replaces the file at once (the
// bytes go to a temporary file renamed over the old one), so a failed write
// keeps the old file: "Could not write file 'NAME'.".

std::optional<SolidPolyhedron> readPolyhedronFile(const std::filesystem::path& path,
                                                  std::string_view name, Host& host);
std::optional<SolidCell> readCellFile(const std::filesystem::path& path, std::string_view name,
                                      Host& host);
std::optional<SolidPolytope> readPolytopeFile(const std::filesystem::path& path,
                                              std::string_view name, Host& host);

bool writePolyhedronFile(const std::filesystem::path& path, std::string_view name,
                         const SolidPolyhedron& polyhedron, Host& host);
bool writeCellFile(const std::filesystem::path& path, std::string_view name, const SolidCell& cell,
                   Host& host);
bool writePolytopeFile(const std::filesystem::path& path, std::string_view name,
                       const SolidPolytope& polytope, Host& host);

// The message texts, shared with the frame files.
std::string couldNotOpenMessage(std::string_view name);
std::string couldNotWriteMessage(std::string_view name);
std::string wrongFormatMessage(std::string_view name);
// Shows one of them as the files do.
void showFileError(Host& host, std::string text);

// Writes the bytes in place of the file, or shows "Could not write file
// 'NAME'." when there are none or they cannot be written.
bool replaceSolidFile(const std::filesystem::path& path, std::string_view name,
                      const std::optional<std::string>& bytes, Host& host);

} // namespace kestrane
