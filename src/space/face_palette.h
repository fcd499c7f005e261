// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"

namespace kestrane {

// The face colours by colour code (0x00BBGGRR): 303 yellow, 304 blue, 305
// orange, 306 red, 307 silver, 308 pink, 309 green, 310 olive, 311 white,
// 312 purple, 313 navy, 314 teal, 315 maroon, 316 lime, 317 fuchsia, 318
// aqua; from 319 on the codes repeat 303 to 318. Codes below 303 are white.
inline constexpr int kFirstFaceColour = 303;
ColorRef faceColour(int colourCode);

} // namespace kestrane
