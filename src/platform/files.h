// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// The whole file as bytes, or nothing when it cannot be opened or read.
// A name not found as written is also looked up case-insensitively.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// Replaces (or creates) the file with the bytes. The bytes go to a temporary
// file in the same directory that is renamed over the old one, so a failed
// write leaves the old file as it was. Returns false on any failure.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes);

// Joins a directory and a file name written with '\' or '/' separators:
// each leading "..\" (or "../") of the name removes one trailing component of
// the directory (never the root), a trailing separator of the directory is
// dropped, and a separator is put between them unless the name starts with
// one. The result uses '/'.
std::string joinPath(std::string_view directory, std::string_view name);

// The path as written when it exists; otherwise each component that is
// missing is looked up case-insensitively in its directory, so scripts
// written on other systems still find their files. Nothing when no match.
std::optional<std::filesystem::path> findExisting(const std::filesystem::path& path);

// A path written with '\' separators as a path of this system.
std::filesystem::path nativePath(std::string_view path);

} // namespace kestrane
