// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/recording_canvas.h"
#include "space/space_view.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kestrane::testing {

// Pictures of the drawing area made from recorded drawing calls, to compare
// the painter's order with a depth-correct picture of the same view faces.
// Colours are taken at pixel centres; strokes are left out, so comparisons
// leave out a band along every edge (where antialiasing differs anyway).
class DepthPictures {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 550;
    static constexpr double kBand = 3;

    // The filled polygons of the calls painted in order on white.
    static std::vector<ColorRef> painted(const RecordingCanvas& canvas)
    {
        std::vector<ColorRef> pixels(kWidth * kHeight, kWhite);
        for (const RecordingCanvas::Call& call : canvas.calls()) {
            if (call.shape != RecordingCanvas::Shape::Polygon || call.brushClear)
                continue;
            forEachPixelIn(call.points, [&](int x, int y) { pixels[y * kWidth + x] = call.brush; });
        }
        return pixels;
    }

    // At each pixel the colour of the nearest filled face that covers it
    // (the greatest depth on the face's plane): what a depth buffer shows.
    static std::vector<ColorRef> nearest(const PolyhedronRec& polyhedron)
    {
        std::vector<ColorRef> pixels(kWidth * kHeight, kWhite);
        std::vector<double> depth(kWidth * kHeight, -HUGE_VAL);
        FloatPoint centre = viewCentre(polyhedron);
        for (const Face& view : polyhedron.viewFaces) {
            if (!filled(view) || visibility(view, centre) == 0)
                continue;
            forEachPixelIn(corners(view), [&](int x, int y) {
                double at = depthOf(view, x + 0.5, y + 0.5);
                if (at > depth[y * kWidth + x]) {
                    depth[y * kWidth + x] = at;
                    pixels[y * kWidth + x] = view.shadedColour;
                }
            });
        }
        return pixels;
    }

    // Pixels where the painted picture and the depth-correct one differ,
    // away from the faces' edges and the edges of the painted polygons (where
    // faces were cut); `compared` counts the covered pixels looked at.
    static std::size_t differences(const PolyhedronRec& polyhedron, const RecordingCanvas& canvas,
                                   std::size_t* compared = nullptr)
    {
        std::vector<ColorRef> first = painted(canvas);
        std::vector<ColorRef> second = nearest(polyhedron);
        std::vector<bool> band(kWidth * kHeight, false);
        auto markOutline = [&](const std::vector<CanvasPoint>& outline) {
            for (std::size_t index = 0; index < outline.size(); ++index)
                markBand(band, outline[index], outline[(index + 1) % outline.size()]);
        };
        for (const Face& view : polyhedron.viewFaces)
            markOutline(corners(view));
        for (const RecordingCanvas::Call& call : canvas.calls()) {
            if (call.shape == RecordingCanvas::Shape::Polygon)
                markOutline(call.points);
        }
        std::size_t count = 0;
        std::size_t covered = 0;
        for (std::size_t index = 0; index < band.size(); ++index) {
            if (band[index])
                continue;
            covered += first[index] != kWhite || second[index] != kWhite ? 1 : 0;
            count += first[index] != second[index] ? 1 : 0;
        }
        if (compared)
            *compared = covered;
        return count;
    }

private:
    static bool filled(const Face& view)
    {
        return view.visible && view.coloured && view.colour != kWhite && view.cornerCount() >= 3;
    }

    static std::vector<CanvasPoint> corners(const Face& view)
    {
        std::vector<CanvasPoint> result;
        for (std::size_t corner = 0; corner < view.cornerCount(); ++corner)
            result.push_back(
                {std::trunc(view.points[corner].x), std::trunc(view.points[corner].y)});
        return result;
    }

    static double depthOf(const Face& view, double x, double y)
    {
        const FloatPoint& n = view.normal;
        return (view.offset - n.x * x - n.y * y) / n.z;
    }

    template<class Visit>
    static void forEachPixelIn(const std::vector<CanvasPoint>& polygon, Visit visit)
    {
        if (polygon.size() < 3)
            return;
        double top = HUGE_VAL;
        double bottom = -HUGE_VAL;
        for (const CanvasPoint& point : polygon) {
            top = std::min(top, point.y);
            bottom = std::max(bottom, point.y);
        }
        int firstRow = std::max(0, static_cast<int>(std::floor(top)));
        int lastRow = std::min(kHeight - 1, static_cast<int>(std::ceil(bottom)));
        for (int y = firstRow; y <= lastRow; ++y) {
            // Even-odd crossings of the row through the pixel centres.
            double row = y + 0.5;
            std::vector<double> crossings;
            for (std::size_t index = 0; index < polygon.size(); ++index) {
                const CanvasPoint& a = polygon[index];
                const CanvasPoint& b = polygon[(index + 1) % polygon.size()];
                if ((a.y <= row) != (b.y <= row))
                    crossings.push_back(a.x + (row - a.y) * (b.x - a.x) / (b.y - a.y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t pair = 0; pair + 1 < crossings.size(); pair += 2) {
                int from = std::max(0, static_cast<int>(std::ceil(crossings[pair] - 0.5)));
                int to =
                    std::min(kWidth - 1, static_cast<int>(std::floor(crossings[pair + 1] - 0.5)));
                for (int x = from; x <= to; ++x)
                    visit(x, y);
            }
        }
    }

    static void markBand(std::vector<bool>& band, const CanvasPoint& a, const CanvasPoint& b)
    {
        int left = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - kBand)));
        int right = std::min(kWidth - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + kBand)));
        int top = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - kBand)));
        int bottom = std::min(kHeight - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + kBand)));
        double dx = b.x - a.x;
        double dy = b.y - a.y;
        double length = dx * dx + dy * dy;
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                double px = x + 0.5 - a.x;
                double py = y + 0.5 - a.y;
                double t = length > 0 ? std::clamp((px * dx + py * dy) / length, 0.0, 1.0) : 0;
                if (std::hypot(px - t * dx, py - t * dy) <= kBand)
                    band[y * kWidth + x] = true;
            }
        }
    }
};

} // namespace kestrane::testing
