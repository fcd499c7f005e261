// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/png_export.h"
#include "platform/picture_writer.h"

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kestrane {
class Canvas;
}

namespace kestrane::cli {

// The pictures only the desktop's painter makes (PNG and PDF files). They
// live in a module of their own, loaded the first time a command writes
// one, so that kestrane-cli starts without loading the toolkit's libraries.
// Each function returns an error text, empty on success, unless it says
// otherwise.
struct PictureModule {
    // A PNG of the given size, white at first, that paint draws on.
    std::string (*writePng)(int width, int height, const std::function<void(Canvas&)>& paint,
                            const std::string& path);
    // Pictures of one size, in order, stopping at the first that fails.
    std::string (*writePngs)(int width, int height, std::span<const PngPicture> pictures);
    // A part of the drawing scaled to a width (the picture show); false when
    // it cannot be written.
    bool (*writeAreaPng)(const std::filesystem::path& path, const PictureArea& area, int width,
                         const std::function<void(Canvas&)>& paint);
    // A one-page vector PDF of a drawing of the given size.
    std::string (*writePdf)(int width, int height, const std::function<void(Canvas&)>& paint,
                            const std::string& path);
};

// The module's one exported function.
constexpr const char* kPictureModuleEntry = "kestrane_picture_module";
using PictureModuleEntry = const PictureModule* (*)();

// The file name of the module: beside kestrane-cli in the build tree, in
// the library folder of the installation.
constexpr const char* kPictureModuleName = "kestrane-cli-pictures.so";

// Sets the PNG and PDF writers of kestrane-cli to ones that load the module
// from `directories` (the first that has it) when first asked for a picture.
void usePictureModule(std::vector<std::filesystem::path> directories);

} // namespace kestrane::cli
