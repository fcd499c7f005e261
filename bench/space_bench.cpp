// SPDX-License-Identifier: GPL-3.0-or-later
// Times the space builders and a Dimension 3 script: growing an icosahedron
// from seed triangles and one template triangle, the hull of 2,000 points
// on a sphere, the cross-section of a 2,000-face solid, and a generated
// 2,000-statement script compiled and run as kestrane-cli run does.
#include "app/module_executors.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "script/compiler.h"
#include "script/script_loader.h"
#include "space/convex_hull.h"
#include "space/polyhedron_builder.h"
#include "space/polyhedron_operations.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

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

// The icosahedron of edge 200 and six of its faces from which the template
// triangle grows the rest (a triangle fills only corners of 60 degrees).
kestrane::PolyhedronRec icosahedronSeeds()
{
    const double phi = (1 + std::sqrt(5.0)) / 2;
    std::vector<LongTriple> vertices;
    for (int s1 : {1, -1}) {
        for (int s2 : {1, -1}) {
            vertices.push_back(decimalPoint(0, 100 * s1, 100 * s2 * phi));
            vertices.push_back(decimalPoint(100 * s1, 100 * s2 * phi, 0));
            vertices.push_back(decimalPoint(100 * s2 * phi, 0, 100 * s1));
        }
    }
    const int seeds[6][3] = {{0, 1, 2}, {0, 1, 7}, {0, 5, 6}, {1, 3, 8}, {3, 9, 11}, {4, 6, 10}};
    kestrane::PolyhedronRec solid;
    for (const auto& seed : seeds)
        solid.addFace(kestrane::faceOf({vertices[seed[0]], vertices[seed[1]], vertices[seed[2]]}));
    return solid;
}

void BuildIcosahedron(benchmark::State& state)
{
    const kestrane::PolyhedronRec seeds = icosahedronSeeds();
    kestrane::Face triangle =
        kestrane::faceOf({LongTriple::ofIntegers(0, 0, 0), LongTriple::ofIntegers(200, 0, 0),
                          decimalPoint(100, 100 * std::sqrt(3.0), 0)});
    for (auto _ : state) {
        kestrane::PolyhedronRec solid = seeds;
        kestrane::PolyhedronBuilder builder;
        builder.faceTemplate().emplace(1);
        builder.faceTemplate()->add(triangle);
        builder.build(solid, 100);
        if (solid.faces.size() != 20)
            state.SkipWithError("the icosahedron did not close");
        benchmark::DoNotOptimize(solid.faces.size());
    }
}
BENCHMARK(BuildIcosahedron)->Unit(benchmark::kMillisecond);

// Points spread evenly over a sphere of radius 250.
std::vector<LongTriple> spherePoints(int count)
{
    std::vector<LongTriple> points;
    const double golden = std::numbers::pi * (3 - std::sqrt(5.0));
    for (int k = 0; k < count; ++k) {
        double z = 1 - 2 * (k + 0.5) / count;
        double radius = std::sqrt(1 - z * z);
        points.push_back(decimalPoint(400 + 250 * radius * std::cos(golden * k),
                                      300 + 250 * radius * std::sin(golden * k), 250 * z));
    }
    return points;
}

// The whole of BuildFromSet: hull, centre and colouring.
void BuildFromSet(benchmark::State& state)
{
    const std::vector<LongTriple> points = spherePoints(2000);
    for (auto _ : state) {
        auto faces = kestrane::convexHull(points);
        kestrane::PolyhedronRec solid;
        for (kestrane::Face& face : *faces)
            solid.addFace(std::move(face));
        solid.centre = kestrane::centreOfFaces(solid.faces);
        kestrane::colourByAdjacency(solid);
        benchmark::DoNotOptimize(solid.faces.size());
    }
}
BENCHMARK(BuildFromSet)->Unit(benchmark::kMillisecond);

void CrossSectionOf2000Faces(benchmark::State& state)
{
    // The hull of 1,002 points on a sphere: about 2,000 triangles.
    std::vector<kestrane::Face> faces = *kestrane::convexHull(spherePoints(1002));
    state.counters["faces"] = static_cast<double>(faces.size());
    kestrane::PlaneFrame plane =
        kestrane::planeThrough(LongTriple::ofIntegers(0, 0, 30), LongTriple::ofIntegers(800, 0, 70),
                               LongTriple::ofIntegers(0, 600, 10));
    for (auto _ : state)
        benchmark::DoNotOptimize(kestrane::crossSection(faces, plane));
}
BENCHMARK(CrossSectionOf2000Faces)->Unit(benchmark::kMillisecond);

// Groups of ten statements: points, planes, a line, intersections, a
// sphere and a polygon added to a polyhedron.
std::string generatedScript(int statements)
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(0, 500);
    auto point = [&] {
        return "point(" + std::to_string(coordinate(random)) + "," +
               std::to_string(coordinate(random)) + "," + std::to_string(coordinate(random)) +
               ")\r\n";
    };
    std::string text = "void start()\r\nO=point(250,250,250)\r\nsolid=polyhedron(O)\r\n";
    for (int group = 0; group * 10 + 2 < statements; ++group) {
        std::string n = std::to_string(group);
        text += "A" + n + "=" + point() + "B" + n + "=" + point() + "C" + n + "=" + point();
        text += "e" + n + "=plane(A" + n + ",B" + n + ",C" + n + ")\r\n";
        text += "l" + n + "=line3D(A" + n + ",O)\r\n";
        text += "X" + n + "=IntersPlaneLine(e" + n + ",l" + n + ")\r\n";
        text += "s" + n + "=sphere(O,A" + n + ")\r\n";
        text += "Y" + n + "=IntersSphereLine(s" + n + ",l" + n + ",2)\r\n";
        text += "p" + n + "=polygon(A" + n + ",B" + n + ",C" + n + ")\r\n";
        text += "AddFaces(solid,p" + n + ")\r\n";
    }
    return text + "END\r\n";
}

void RunDimension3Script(benchmark::State& state)
{
    const std::string text = generatedScript(2000);
    kestrane::ScriptedHost host;
    kestrane::ConstructionWindow window(host);
    kestrane::registerModuleExecutors(window.executors());
    for (auto _ : state) {
        kestrane::Directories directories;
        kestrane::ScriptLoader loader(host, directories);
        auto main = loader.build(text, 503, "NoName", "", "");
        kestrane::ModuleState modules;
        modules.set(503);
        if (!kestrane::Compiler(modules, host).compile(*main).ok()) {
            state.SkipWithError("the generated script does not compile");
            return;
        }
        window.startProgram(*main, 503, kestrane::RunMode::Run);
        benchmark::DoNotOptimize(window.store().points().size());
    }
}
BENCHMARK(RunDimension3Script)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
