// SPDX-License-Identifier: GPL-3.0-or-later
// Times the space view: one animation tick of a 2,000-face solid (the view
// made again and painted), the same for a 2,000-face stellation (painted in
// depth order, its spikes cut where they overlap in a cycle), and
// SavePolyhedron's 100 frames of a 500-face solid written to a frame file.
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "space/convex_hull.h"
#include "space/frame_file.h"
#include "space/polyhedron_operations.h"
#include "space/space_animation.h"
#include "space/space_view.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>

namespace {

using kestrane::LongTriple;

LongTriple decimalPoint(double x, double y, double z)
{
    auto text = [](double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6f", value);
        return kestrane::LongFromText(buffer);
    };
    return {text(x), text(y), text(z)};
}

// A hull of points spread on a sphere of radius 200 about (400, 300, 0):
// about twice as many triangles as points.
kestrane::PolyhedronRec sphereSolid(int points)
{
    std::vector<LongTriple> set;
    const double golden = std::numbers::pi * (3 - std::sqrt(5.0));
    for (int index = 0; index < points; ++index) {
        double y = 1 - 2 * (index + 0.5) / points;
        double radius = std::sqrt(1 - y * y);
        double angle = golden * index;
        set.push_back(decimalPoint(400 + 200 * radius * std::cos(angle), 300 + 200 * y,
                                   200 * radius * std::sin(angle)));
    }
    kestrane::PolyhedronRec solid;
    std::optional<std::vector<kestrane::Face>> faces = kestrane::convexHull(set);
    for (kestrane::Face& face : *faces)
        solid.addFace(std::move(face));
    solid.makeCentre();
    kestrane::colourByAdjacency(solid);
    return solid;
}

void ViewTickOf2000Faces(benchmark::State& state)
{
    kestrane::PolyhedronRec solid = sphereSolid(1002);
    solid.steps = {3, 5, 0};
    kestrane::RecordingCanvas canvas;
    for (auto _ : state) {
        kestrane::stepAnimation(solid);
        canvas.clear();
        kestrane::paintPolyhedron(canvas, solid);
        benchmark::DoNotOptimize(canvas.calls().size());
    }
    state.counters["faces"] = static_cast<double>(solid.faces.size());
}
BENCHMARK(ViewTickOf2000Faces)->Unit(benchmark::kMillisecond);

// A pyramid on each of 666 triangles: 1,998 faces whose spikes overlap one
// another on the window at every angle.
void ViewTickOf2000FaceStellation(benchmark::State& state)
{
    kestrane::PolyhedronRec hull = sphereSolid(335);
    kestrane::PolyhedronRec solid = kestrane::stellate(hull);
    solid.steps = {3, 5, 0};
    kestrane::RecordingCanvas canvas;
    std::size_t pieces = 0;
    for (auto _ : state) {
        kestrane::stepAnimation(solid);
        canvas.clear();
        kestrane::paintPolyhedron(canvas, solid);
        pieces = canvas.calls().size();
        benchmark::DoNotOptimize(pieces);
    }
    state.counters["faces"] = static_cast<double>(solid.faces.size());
    state.counters["calls"] = static_cast<double>(pieces);
}
BENCHMARK(ViewTickOf2000FaceStellation)->Unit(benchmark::kMillisecond);

// The frames SavePolyhedron writes: the view made at each angle, the front
// faces projected, the file replaced at the end.
void SaveHundredFramesOf500Faces(benchmark::State& state)
{
    kestrane::PolyhedronRec solid = sphereSolid(252);
    kestrane::ScriptedHost host;
    std::filesystem::path path = std::filesystem::temp_directory_path() / "kestrane-bench.frm";
    for (auto _ : state) {
        kestrane::FrameFileWriter writer;
        solid.angles = {0, 0, 0};
        kestrane::recordFrames(solid, writer, {5, 0, 3, 100});
        benchmark::DoNotOptimize(writer.finish(path, "bench.frm", host));
    }
    std::filesystem::remove(path);
    state.counters["faces"] = static_cast<double>(solid.faces.size());
}
BENCHMARK(SaveHundredFramesOf500Faces)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
