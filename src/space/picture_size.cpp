// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/picture_size.h"

#include <algorithm>
#include <array>

namespace kestrane {

namespace {

constexpr std::array<int, kPictureSizeClasses> kClassWidths = {100, 125, 150, 200, 250, 300};

} // namespace

int pictureSizeClass(int width)
{
    for (int sizeClass = 0; sizeClass + 1 < kPictureSizeClasses; ++sizeClass) {
        if (width <= kClassWidths[static_cast<std::size_t>(sizeClass)])
            return sizeClass;
    }
    return kPictureSizeClasses - 1;
}

int pictureClassWidth(int sizeClass)
{
    return kClassWidths[static_cast<std::size_t>(std::clamp(sizeClass, 0, kPictureSizeClasses - 1))];
}

} // namespace kestrane
