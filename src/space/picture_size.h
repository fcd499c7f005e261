// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestrane {

// The six picture sizes of the picture show, by the width of the kept
// rectangle: class 0 to 5, pictures 100, 125, 150, 200, 250 and 300 pixels
// wide.
inline constexpr int kPictureSizeClasses = 6;

// The class of a rectangle `width` pixels wide: a width of a class's own
// picture width takes that class; any other width takes the class of the
// next larger picture width (below 100 class 0, 101 to 124 class 1, ...),
// and everything past 250 class 5.
int pictureSizeClass(int width);

// The picture width of class 0..5 (100 to 300); other classes are clamped.
int pictureClassWidth(int sizeClass);

} // namespace kestrane
