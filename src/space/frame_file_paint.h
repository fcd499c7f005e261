// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestrane {

class Canvas;
struct Frame;

// The size of a frame's picture: the drawing area of the window.
inline constexpr int kFramePictureWidth = 800;
inline constexpr int kFramePictureHeight = 550;

// Paints a frame on a white ground: its front faces in order, each filled in
// its colour with a black outline.
void paintFrame(const Frame& frame, Canvas& canvas);

} // namespace kestrane
