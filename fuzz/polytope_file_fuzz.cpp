// SPDX-License-Identifier: GPL-3.0-or-later
// Polytope files are read from wherever a script names them: no bytes may crash
// the reader, and what it accepts must write and read back unchanged.
#include "solid_file_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkSolidReader(data, size, kestrane::decodePolytopeFile, kestrane::encodePolytopeFile);
    return 0;
}
