// SPDX-License-Identifier: GPL-3.0-or-later
// Frame files are played from anywhere: no bytes may crash the reader or the
// painter, and the frames it accepts must write and read back unchanged.
#include "platform/recording_canvas.h"
#include "space/frame_file.h"
#include "space/frame_file_paint.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kestrane::DecodedFrames decoded = kestrane::decodeFrameFile(bytes);
    if (decoded.malformed && (decoded.badFrame < 1 || decoded.badByte > size))
        __builtin_trap();
    std::string written;
    for (const kestrane::Frame& frame : decoded.frames) {
        kestrane::RecordingCanvas canvas;
        kestrane::paintFrame(frame, canvas);
        kestrane::appendFrame(written, frame);
    }
    if (written != bytes.substr(0, written.size()))
        __builtin_trap();
    kestrane::DecodedFrames again = kestrane::decodeFrameFile(written);
    if (again.malformed || again.frames != decoded.frames)
        __builtin_trap();
    return 0;
}
