// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <span>
#include <string>

namespace kestrane {
class Canvas;
class ConstructionWindow;
class PictureWriter;
} // namespace kestrane

namespace kestrane::cli {

// Writes the drawing area of a window as a PNG file; returns an error text,
// empty on success. Only kestrane-cli built with the Qt host has one.
using PngWriter = std::function<std::string(const ConstructionWindow&, const std::string& path)>;

void setPngWriter(PngWriter writer);
// Empty when this build cannot write PNG files.
const PngWriter& pngWriter();

// One picture to write: where, and what paints it on a white ground.
struct PngPicture {
    std::string path;
    std::function<void(Canvas&)> paint;
};

// Writes pictures of one size, in order, stopping at the first that fails;
// returns its error text, empty on success.
using PngPicturesWriter =
    std::function<std::string(int width, int height, std::span<const PngPicture> pictures)>;

void setPngPicturesWriter(PngPicturesWriter writer);

// Writes the pictures of the space view's picture show; nullptr when this
// build cannot write PNG files.
void setPictureWriter(PictureWriter* writer);
PictureWriter* pictureWriter();
// Empty when this build cannot write PNG files.
const PngPicturesWriter& pngPicturesWriter();
// Writes a picture of the given size, white at first, that paint draws on.
using PicturePngWriter = std::function<std::string(
    int width, int height, const std::function<void(Canvas&)>& paint, const std::string& path)>;
void setPicturePngWriter(PicturePngWriter writer);
const PicturePngWriter& picturePngWriter();

} // namespace kestrane::cli
