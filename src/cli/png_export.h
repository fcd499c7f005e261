#pragma once

#include <functional>
#include <string>

namespace kestrane {
class ConstructionWindow;
}

namespace kestrane::cli {

// Writes the drawing area of a window as a PNG file; returns an error text,
// empty on success. Only kestrane-cli built with the Qt host has one.
using PngWriter = std::function<std::string(const ConstructionWindow&, const std::string& path)>;

void setPngWriter(PngWriter writer);
// Empty when this build cannot write PNG files.
const PngWriter& pngWriter();

} // namespace kestrane::cli
