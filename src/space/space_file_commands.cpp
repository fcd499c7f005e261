// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "runtime/general_statements.h"
#include "space/file_argument.h"
#include "space/frame_file.h"
#include "space/solid_file_io.h"
#include "space/space_animation.h"
#include "space/space_command.h"
#include "space/space_view.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace kestrane {

namespace {

using Handler = void (*)(SpaceCommand&);

// SavePolyhedron writes at most this many frames: ten full turns by one
// degree a frame, and a file far from its four-thousand-point limit per frame.
constexpr long long kMostFrames = 3600;

std::optional<FileArgument> fileAt(SpaceCommand& command, std::size_t index)
{
    return fileArgument(command.argument(index), command.context);
}

std::optional<FileArgument> writableFileAt(SpaceCommand& command, std::size_t index)
{
    return writableFileArgument(command.argument(index), command.context);
}

SolidPolyhedron solidOf(const PolyhedronRec& polyhedron)
{
    SolidPolyhedron solid;
    solid.faces.reserve(polyhedron.faces.size());
    for (const Face& face : polyhedron.faces) {
        SolidFace& entries = solid.faces.emplace_back();
        for (const LongTriple& vertex : face.vertices)
            entries.vertices.push_back({vertex.x, vertex.y, vertex.z});
    }
    return solid;
}

void writePolyhedronCommand(SpaceCommand& command)
{
    const PolyhedronRec* polyhedron = command.polyhedron(0);
    if (!polyhedron)
        return;
    std::optional<FileArgument> file = writableFileAt(command, 1);
    if (file)
        writePolyhedronFile(file->path, file->name, solidOf(*polyhedron),
                            command.context.state.host());
}

// The faces read become the faces of a new polyhedron with the declared
// name; the file's vertices are face vertices, not points of the list.
void readPolyhedronCommand(SpaceCommand& command)
{
    std::optional<FileArgument> file = fileAt(command, 0);
    if (!file)
        return;
    std::optional<SolidPolyhedron> solid =
        readPolyhedronFile(file->path, file->name, command.context.state.host());
    if (!solid)
        return;
    auto polyhedron = std::make_unique<PolyhedronRec>();
    for (const SolidFace& entries : solid->faces) {
        Face face;
        for (const SolidVertex& vertex : entries.vertices)
            face.vertices.push_back({vertex[0], vertex[1], vertex[2]});
        polyhedron->addFace(std::move(face));
    }
    polyhedron->makeCentre();
    command.bind(command.scene.add(std::move(polyhedron)));
}

struct Box {
    DoubleTriple low;
    DoubleTriple high;
};

Box boxOf(const Face& face)
{
    Box box{{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}};
    for (const LongTriple& vertex : face.vertices) {
        DoubleTriple point = toDoubles(vertex);
        box.low = {std::min(box.low.x, point.x), std::min(box.low.y, point.y),
                   std::min(box.low.z, point.z)};
        box.high = {std::max(box.high.x, point.x), std::max(box.high.y, point.y),
                    std::max(box.high.z, point.z)};
    }
    return box;
}

// Whether the box fits in the other, widened by the tolerance (a cheap
// first test before the vertices are compared).
bool fitsIn(const Box& inner, const Box& outer)
{
    constexpr double kSlack = kSpaceTolerance * 2;
    return inner.low.x >= outer.low.x - kSlack && inner.low.y >= outer.low.y - kSlack &&
           inner.low.z >= outer.low.z - kSlack && inner.high.x <= outer.high.x + kSlack &&
           inner.high.y <= outer.high.y + kSlack && inner.high.z <= outer.high.z + kSlack;
}

// Every vertex of `earlier` coincides with some vertex of `face`.
bool coveredBy(const Face& earlier, const Face& face)
{
    return std::all_of(
        earlier.vertices.begin(), earlier.vertices.end(), [&](const LongTriple& vertex) {
            return std::any_of(face.vertices.begin(), face.vertices.end(),
                               [&](const LongTriple& other) { return spaceEqual(vertex, other); });
        });
}

// Drops each face whose vertices include all vertices of an earlier face
// (a face repeated), model face and view copy together.
void dropRepeatedFaces(PolyhedronRec& polyhedron)
{
    std::vector<Box> boxes;
    std::vector<Face> faces;
    for (Face& face : polyhedron.faces) {
        Box box = boxOf(face);
        bool repeated = false;
        for (std::size_t earlier = 0; earlier < faces.size() && !repeated; ++earlier)
            repeated = fitsIn(boxes[earlier], box) && coveredBy(faces[earlier], face);
        if (!repeated) {
            boxes.push_back(box);
            faces.push_back(std::move(face));
        }
    }
    polyhedron.faces = std::move(faces);
    updateView(polyhedron);
}

// SavePolyhedron(P, S, a, b, c, n): n frames from the angles 0, 0, 0; after
// each the x angle grows by a, the y angle by c, and the z angle becomes b.
void savePolyhedronCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    if (!polyhedron)
        return;
    std::optional<FileArgument> file = writableFileAt(command, 1);
    if (!file)
        return;
    long long stepX = command.integer(2);
    long long angleZ = command.integer(3);
    long long stepY = command.integer(4);
    long long frames = command.integer(5);
    if (frames > kMostFrames) {
        showFileError(command.context.state.host(), translate("Too many frames. File '") +
                                                        file->name +
                                                        translate("' is not written."));
        return;
    }
    polyhedron->makeCentre();
    polyhedron->angles = {0, 0, 0};
    dropRepeatedFaces(*polyhedron);
    FrameFileWriter writer;
    recordFrames(*polyhedron, writer, {stepX, angleZ, stepY, frames});
    writer.finish(file->path, file->name, command.context.state.host());
}

int pictureCoordinate(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, -1000000, 1000000));
}

void picturesCommand(SpaceCommand& command)
{
    command.scene.show().setPictures(pictureSettings(
        pictureCoordinate(command.integer(0)), pictureCoordinate(command.integer(1)),
        pictureCoordinate(command.integer(2)), pictureCoordinate(command.integer(3)),
        pictureCoordinate(command.integer(4))));
}

struct Entry {
    std::string_view word;
    Handler handler;
};

constexpr Entry kCommands[] = {
    {"WritePolyhedron", writePolyhedronCommand},
    {"Read3DPolyhedron", readPolyhedronCommand},
    {"SavePolyhedron", savePolyhedronCommand},
    {"Pictures", picturesCommand},
};

} // namespace

bool executeFileCommand(SpaceCommand& command)
{
    for (const Entry& entry : kCommands) {
        if (entry.word == command.statement.word) {
            entry.handler(command);
            return true;
        }
    }
    return false;
}

} // namespace kestrane
