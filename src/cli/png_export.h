#pragma once

#include <functional>
#include <string>

namespace kestrane {
class Canvas;
class ConstructionWindow;
} // namespace kestrane

namespace kestrane::cli {

// Writes the drawing area of a window as a PNG file; returns an error text,
// empty on success. Only kestrane-cli built with the Qt host has one.
using PngWriter = std::function<std::string(const ConstructionWindow&, const std::string& path)>;

void setPngWriter(PngWriter writer);
// Empty when this build cannot write PNG files.
const PngWriter& pngWriter();

// Writes a picture of the given size, white at first, that paint draws on.
using PicturePngWriter = std::function<std::string(
    int width, int height, const std::function<void(Canvas&)>& paint, const std::string& path)>;
void setPicturePngWriter(PicturePngWriter writer);
const PicturePngWriter& picturePngWriter();

} // namespace kestrane::cli
