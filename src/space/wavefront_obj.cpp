#include "space/wavefront_obj.h"

#include "space/space_scene.h"

#include <cstdio>
#include <map>

namespace kestrane {

namespace {

std::string coordinate(const LongNum& value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.6f", toDouble(value));
    return buffer;
}

std::string objectName(const PolyhedronRec& polyhedron, std::size_t number)
{
    if (!polyhedron.names.empty() && !polyhedron.names.front().name.empty())
        return polyhedron.names.front().name;
    return "polyhedron" + std::to_string(number);
}

} // namespace

std::string wavefrontObj(const SpaceScene& scene)
{
    std::string text = "# Kestrane polyhedra\n";
    std::size_t written = 0;
    std::size_t number = 0;
    for (const auto& polyhedron : scene.polyhedra()) {
        ++number;
        text += "o " + objectName(*polyhedron, number) + '\n';
        std::map<std::string, std::size_t> indices;
        std::string faces;
        for (const Face& face : polyhedron->faces) {
            if (face.cornerCount() < 3)
                continue;
            std::string line = "f";
            for (std::size_t corner = 0; corner < face.cornerCount(); ++corner) {
                const LongTriple& vertex = face.vertices[corner];
                std::string position =
                    coordinate(vertex.x) + ' ' + coordinate(vertex.y) + ' ' + coordinate(vertex.z);
                auto [found, added] = indices.try_emplace(position, written + 1);
                if (added) {
                    text += "v " + position + '\n';
                    ++written;
                }
                line += ' ' + std::to_string(found->second);
            }
            faces += line + '\n';
        }
        text += faces;
    }
    return text;
}

} // namespace kestrane
