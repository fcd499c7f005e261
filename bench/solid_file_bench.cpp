// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a polytope file of about 5 MB (target: under 50 ms), writing it,
// and making and writing 100 frames of 250 front faces each.
#include "numbers/long_num.h"
#include "space/frame_file.h"
#include "space/solid_file.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using kestrane::LongNum;

LongNum randomNumber(std::mt19937& random)
{
    LongNum number;
    std::uniform_int_distribution<int> word(0, 999);
    for (int index = 3; index < number.wordCount(); ++index)
        number[index] = word(random);
    if (random() % 2)
        number.setSign(kestrane::kLongMinus);
    return number;
}

// 620 cells of six quadrilaterals: about 5 MB at 10 words.
kestrane::SolidPolytope largePolytope()
{
    std::mt19937 random(11);
    kestrane::SolidPolytope polytope;
    polytope.cells.resize(620);
    for (kestrane::SolidCell& cell : polytope.cells) {
        cell.faces.resize(6);
        for (kestrane::SolidFace4& face : cell.faces) {
            for (int corner = 0; corner < 4; ++corner)
                face.vertices.push_back({randomNumber(random), randomNumber(random),
                                         randomNumber(random), randomNumber(random)});
            face.vertices.push_back(face.vertices.front());
        }
    }
    return polytope;
}

void ReadPolytopeFile(benchmark::State& state)
{
    const std::string bytes = *kestrane::encodePolytopeFile(largePolytope());
    for (auto _ : state) {
        kestrane::SolidDecoded<kestrane::SolidPolytope> decoded =
            kestrane::decodePolytopeFile(bytes);
        benchmark::DoNotOptimize(decoded);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["megabytes"] = static_cast<double>(bytes.size()) / 1.0e6;
}
BENCHMARK(ReadPolytopeFile)->Unit(benchmark::kMillisecond);

void WritePolytopeFile(benchmark::State& state)
{
    const kestrane::SolidPolytope polytope = largePolytope();
    for (auto _ : state)
        benchmark::DoNotOptimize(kestrane::encodePolytopeFile(polytope));
}
BENCHMARK(WritePolytopeFile)->Unit(benchmark::kMillisecond);

// 100 frames of a 500-face polyhedron whose 250 front faces are pentagons.
void WriteFrames(benchmark::State& state)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> x(0, 800);
    std::uniform_real_distribution<float> y(0, 550);
    std::vector<kestrane::ProjectedFace> faces(250);
    for (kestrane::ProjectedFace& face : faces) {
        face.colour = random() & 0xFFFFFF;
        for (int corner = 0; corner < 5; ++corner)
            face.vertices.push_back({x(random), y(random)});
    }
    for (auto _ : state) {
        kestrane::FrameFileWriter writer;
        for (int frame = 0; frame < 100; ++frame)
            writer.add(500, faces);
        benchmark::DoNotOptimize(writer.bytes().data());
    }
}
BENCHMARK(WriteFrames)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
