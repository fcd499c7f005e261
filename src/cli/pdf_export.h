// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace kestrane {
class ConstructionWindow;
} // namespace kestrane

namespace kestrane::cli {

// Writes the drawing area of a window as a vector PDF page (A4 landscape,
// fitted with its aspect kept); returns an error text, empty on success.
// Only kestrane-cli built with the Qt host has one.
using PdfWriter = std::function<std::string(const ConstructionWindow&, const std::string& path)>;

void setPdfWriter(PdfWriter writer);
// Empty when this build cannot write PDF files.
const PdfWriter& pdfWriter();

} // namespace kestrane::cli
