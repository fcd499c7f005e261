// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/frame_file_paint.h"

#include "platform/canvas.h"
#include "space/frame_file.h"

#include <vector>

namespace kestrane {

void paintFrame(const Frame& frame, Canvas& canvas)
{
    canvas.fillRect(0, 0, kFramePictureWidth, kFramePictureHeight, kWhite);
    canvas.setPen(kBlack);
    std::vector<CanvasPoint> corners;
    for (const FrameFace& face : frame.frontFaces) {
        corners.clear();
        for (int index : face.points) {
            const FramePoint& point = frame.points[static_cast<std::size_t>(index)];
            corners.push_back({static_cast<double>(point.x), static_cast<double>(point.y)});
        }
        canvas.setBrush(face.colour);
        canvas.polygon(corners);
    }
}

} // namespace kestrane
