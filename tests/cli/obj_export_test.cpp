// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_outcome.h"
#include "platform/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

namespace fs = std::filesystem;

// One object of an OBJ file: its vertices and its faces as indices into them.
struct ObjObject {
    std::string name;
    std::vector<std::array<double, 3>> vertices;
    std::vector<std::vector<std::size_t>> faces;
};

std::vector<ObjObject> parseObj(const std::string& text)
{
    std::vector<ObjObject> objects;
    std::vector<std::array<double, 3>> all;
    std::size_t first = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "o") {
            objects.push_back({line.substr(2), {}, {}});
            first = all.size();
        } else if (kind == "v") {
            std::array<double, 3> vertex{};
            words >> vertex[0] >> vertex[1] >> vertex[2];
            all.push_back(vertex);
            objects.back().vertices.push_back(vertex);
        } else if (kind == "f") {
            std::vector<std::size_t> face;
            for (std::size_t index; words >> index;) {
                EXPECT_GT(index, first) << "a face uses a vertex of an earlier object";
                face.push_back(index - 1 - first);
            }
            objects.back().faces.push_back(face);
        }
    }
    return objects;
}

// Each edge is used once in each direction: the mesh is closed and its
// faces wind one way.
bool closedAndConsistent(const ObjObject& object, std::string& problem)
{
    std::map<std::pair<std::size_t, std::size_t>, int> directed;
    for (const auto& face : object.faces) {
        for (std::size_t corner = 0; corner < face.size(); ++corner)
            ++directed[{face[corner], face[(corner + 1) % face.size()]}];
    }
    for (const auto& [edge, count] : directed) {
        auto reverse = directed.find({edge.second, edge.first});
        if (count != 1 || reverse == directed.end() || reverse->second != 1) {
            problem = "edge " + std::to_string(edge.first) + "-" + std::to_string(edge.second) +
                      " used " + std::to_string(count) + " times, back " +
                      std::to_string(reverse == directed.end() ? 0 : reverse->second);
            return false;
        }
    }
    return true;
}

// Six times the volume enclosed, positive when the right-hand normals point
// outward.
double windingVolume(const ObjObject& object)
{
    double volume = 0;
    for (const auto& face : object.faces) {
        const auto& a = object.vertices[face[0]];
        for (std::size_t corner = 1; corner + 1 < face.size(); ++corner) {
            const auto& b = object.vertices[face[corner]];
            const auto& c = object.vertices[face[corner + 1]];
            volume += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                      a[2] * (b[0] * c[1] - b[1] * c[0]);
        }
    }
    return volume;
}

bool distinctVertices(const ObjObject& object)
{
    std::map<std::array<double, 3>, int> seen;
    for (const auto& vertex : object.vertices) {
        if (++seen[vertex] > 1)
            return false;
    }
    return true;
}

class ObjExport : public ::testing::Test {
protected:
    std::vector<ObjObject> objectsOf(const fs::path& script)
    {
        fs::path obj = m_dir.path() / (script.stem().string() + ".obj");
        Outcome outcome = runCaptured({"run", script.string(), "--obj", obj.string()});
        EXPECT_NE(outcome.status, 2) << outcome.err;
        std::optional<std::string> text = readWholeFile(obj);
        EXPECT_TRUE(text.has_value()) << script;
        return text ? parseObj(*text) : std::vector<ObjObject>{};
    }

    static fs::path example(const char* name)
    {
        return fs::path(KESTRANE_SOURCE_DIR) / "examples" / name;
    }

    kestrane::testing::TempDir m_dir;
};

TEST_F(ObjExport, EverySolidOfTheExamplesIsClosedAndWoundOutward)
{
    std::size_t solids = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(KESTRANE_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".kst")
            continue;
        for (const ObjObject& object : objectsOf(entry.path())) {
            SCOPED_TRACE(entry.path().filename().string() + " " + object.name);
            ++solids;
            std::string problem;
            EXPECT_TRUE(closedAndConsistent(object, problem)) << problem;
            EXPECT_GT(windingVolume(object), 0);
            EXPECT_TRUE(distinctVertices(object));
        }
    }
    EXPECT_GE(solids, 12u);
}

TEST_F(ObjExport, AFaceBuiltCubeHasEightCornersAndSixFaces)
{
    std::vector<ObjObject> objects = objectsOf(example("build_cube.kst"));
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects.front().vertices.size(), 8u);
    EXPECT_EQ(objects.front().faces.size(), 6u);
}

TEST_F(ObjExport, FourDimensionalRunsWriteTheirSectionsAndNets)
{
    // The tesseract's two sections (a cube, an octahedron) and its net of
    // eight cubes, whose glued walls are inside the solid: 6 + 8 + 34 faces.
    std::vector<ObjObject> objects = objectsOf(example("tesseract.kst"));
    ASSERT_EQ(objects.size(), 3u);
    std::vector<std::size_t> faces;
    for (const ObjObject& object : objects)
        faces.push_back(object.faces.size());
    std::sort(faces.begin(), faces.end());
    EXPECT_EQ(faces, (std::vector<std::size_t>{6, 8, 34}));
}

TEST_F(ObjExport, ASectionWithoutFacesIsLeftOut)
{
    // The pyramid over a cube, cut where it is and far past its apex.
    std::optional<std::string> pyramid = readWholeFile(example("pyramid4d.kst"));
    ASSERT_TRUE(pyramid.has_value());
    std::string text = *pyramid;
    text.insert(text.rfind("END"), "far=plane(0,0,0,1,5000)\r\nmissed=CrossSect3D(P,far)\r\n");
    fs::path script = m_dir.write("missed.kst", text);
    std::vector<ObjObject> objects = objectsOf(script);
    std::vector<std::string> names;
    for (const ObjObject& object : objects)
        names.push_back(object.name);
    EXPECT_EQ(std::count(names.begin(), names.end(), "missed"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "S"), 1);
}

} // namespace
} // namespace kestrane::cli
