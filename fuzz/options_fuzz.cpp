// SPDX-License-Identifier: GPL-3.0-or-later
// The options file, MainOpt and the window option files are read at every
// start from files anybody can edit: no bytes may crash the readers.
#include "app/options.h"
#include "platform/window_options.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    kestrane::Directories directories = kestrane::parseOptions(text);
    // What is read and written again must read back the same.
    kestrane::Directories again = kestrane::parseOptions(kestrane::formatOptions(directories));
    if (directories.main.find_first_of("\r\n") == std::string::npos &&
        again.main != directories.main)
        __builtin_trap();
    kestrane::WindowOptions options = kestrane::parseWindowOptions(text);
    if (options.fontHeight % 2 != 0)
        __builtin_trap();
    kestrane::parseWindowOptions(kestrane::formatWindowOptions(options));
    return 0;
}
