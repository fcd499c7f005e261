// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "space/convex_hull4.h"
#include "space/four_d_command.h"
#include "space/frame_file.h"
#include "space/polyhedron_operations.h"
#include "space/polytope_algorithms.h"
#include "space/solid_file_io.h"
#include "space/space_animation.h"
#include "space/space_view.h"

#include <algorithm>

namespace kestrane {

namespace {

using Handler = void (*)(FourDCommand&);

constexpr std::string_view kNoDirection = N_("The path of cross-sections needs a direction.");

// The cell count as four digits, as the progress box shows it.
std::string fourDigits(std::size_t count)
{
    std::string digits = std::to_string(count % 10000);
    return std::string(4 - digits.size(), '0') + digits;
}

// Build4D shows its progress: at each pass a box with the cell count, then
// a tick per cell of the pass.
void completeCommand(FourDCommand& command)
{
    PolytopeRec* polytope = command.polytope(0);
    if (!polytope)
        return;
    ProgressMarks& marks = command.context.state.progress();
    ProgressMarks::Scope drawing(marks);
    CompletionProgress progress;
    progress.pass = [&marks](std::size_t count) {
        marks.box(10, 400, 400, 460);
        marks.text(20, 425, fourDigits(count));
        marks.show();
    };
    progress.cellDone = [&marks](std::size_t k) {
        int x = 12 + static_cast<int>(k);
        marks.line(x, 410, x, 420);
        marks.show();
    };
    completePolytope(
        *polytope,
        [&](std::unique_ptr<CellRec> cell) { return &command.scene.add(std::move(cell)); },
        progress);
}

void pyramidCommand(FourDCommand& command)
{
    CellRec* base = command.cell(0);
    if (!base)
        return;
    std::optional<PyramidParts> parts = pyramidOver(*base);
    if (!parts) {
        command.runTimeError(N_("The cell does not span a hyperplane. No pyramid is made."));
        return;
    }
    auto polytope = std::make_unique<PolytopeRec>();
    polytope->centre = parts->centre;
    polytope->cells.push_back(base);
    for (auto& side : parts->sides)
        polytope->cells.push_back(&command.scene.add(std::move(side)));
    command.named(std::move(polytope));
}

void fiveCellCommand(FourDCommand& command)
{
    CellRec* base = command.cell(0);
    if (!base)
        return;
    FifthPoint apex = fifthPoint(*base);
    if (apex.tooLarge) {
        command.runTimeError(
            N_("Number too large. Major error may occur. Command 'Polyh5Pts' is omitted."));
        return;
    }
    if (!apex.point) {
        command.runTimeError(
            N_("The cell must have four vertices. Command 'Polyh5Pts' is omitted."));
        return;
    }
    auto polytope = std::make_unique<PolytopeRec>();
    polytope->cells.push_back(base);
    for (auto& side : sideCells(*base, *apex.point))
        polytope->cells.push_back(&command.scene.add(std::move(side)));
    polytope->makeCentre();
    command.named(std::move(polytope));
}

void antiprismCommand(FourDCommand& command)
{
    PolyhedronRec* solid = command.polyhedron(0);
    if (!solid)
        return;
    auto cells = antiprismCells(solid->faces);
    if (!cells) {
        command.runTimeError(
            N_("The polyhedron has no antiprism. Command 'Antiprism' is omitted."));
        return;
    }
    auto polytope = std::make_unique<PolytopeRec>();
    for (auto& cell : *cells)
        polytope->cells.push_back(&command.scene.add(std::move(cell)));
    polytope->makeCentre();
    command.named(std::move(polytope));
}

void buildFromSetCommand(FourDCommand& command)
{
    auto cells = hullCells(command.scene.pointSet());
    if (!cells) {
        command.runTimeError(
            N_("The points of the set do not span four dimensions. No polytope is made."));
        return;
    }
    auto polytope = std::make_unique<PolytopeRec>();
    for (auto& cell : *cells)
        polytope->cells.push_back(&command.scene.add(std::move(cell)));
    polytope->makeCentre();
    command.named(std::move(polytope));
}

std::unique_ptr<PolyhedronRec> polyhedronOf(std::vector<Face> faces)
{
    auto polyhedron = std::make_unique<PolyhedronRec>();
    for (Face& face : faces)
        polyhedron->addFace(std::move(face));
    colourByAdjacency(*polyhedron);
    if (!polyhedron->faces.empty())
        polyhedron->makeCentre();
    return polyhedron;
}

void crossSectionCommand(FourDCommand& command)
{
    PolytopeRec* polytope = command.polytope(0);
    const Plane4Rec* plane = command.plane(1);
    if (!polytope || !plane)
        return;
    std::vector<Face> faces = sectionFaces(polytope->cells, plane->plane, polytope->makeCentre());
    command.showPolyhedron(polyhedronOf(std::move(faces)));
    command.scene.sectionPolytope() = polytope;
}

void pathCommand(FourDCommand& command)
{
    Long4 normal = Long4::ofIntegers(command.integer(0), command.integer(1), command.integer(2),
                                     command.integer(3));
    if (isZero(normal)) {
        command.runTimeError(std::string(kNoDirection));
        return;
    }
    CrossPath path;
    path.normal = normal;
    path.count = static_cast<int>(std::clamp<long long>(command.integer(4), 1, 1000));
    command.scene.crossPath() = path;
}

void playCommand(FourDCommand& command)
{
    PolytopeRec* polytope = command.polytope(0);
    if (!polytope)
        return;
    CrossPath& path = command.scene.crossPath() ? *command.scene.crossPath()
                                                : command.scene.crossPath().emplace();
    path.step = 0;
    std::vector<Face> faces;
    LongNum e;
    if (!command.scene.crossStep(*polytope, 0, path.count, faces, &e))
        return;
    path.e = e;
    PolyhedronRec& section = command.showPolyhedron(polyhedronOf(std::move(faces)));
    section.animated = true;
    command.scene.crossPlay() = CrossPlay{polytope, &section};
    command.scene.sectionPolytope() = polytope;
}

int wholeDegrees(long long value)
{
    long long wrapped = value % 360;
    return static_cast<int>(wrapped < 0 ? wrapped + 360 : wrapped);
}

// Writes `count` frames of the sections along the path taken with `count`
// steps, each as the space view shows it; after each frame the angles move
// as in SavePolyhedron.
void saveSections(FourDCommand& command, PolytopeRec& polytope, const FileArgument& file,
                  int count, std::array<int, 3> angles, const std::array<long long, 3>& moves)
{
    FrameFileWriter writer;
    for (int step = 0; step < count; ++step) {
        std::vector<Face> faces;
        if (!command.scene.crossStep(polytope, step, count, faces))
            return;
        std::unique_ptr<PolyhedronRec> section = polyhedronOf(std::move(faces));
        section->angles = angles;
        updateView(*section);
        if (!addViewFrame(writer, *section))
            break;
        angles[0] = wholeDegrees(angles[0] + moves[0] % 360);
        angles[1] = wholeDegrees(angles[1] + moves[2] % 360);
        angles[2] = wholeDegrees(moves[1]);
    }
    writer.finish(file.path, file.name, command.context.state.host());
}

int frameCount(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, 0, 1000));
}

void saveCrossCommand(FourDCommand& command)
{
    PolytopeRec* polytope = command.polytope(0);
    if (!polytope)
        return;
    std::optional<FileArgument> file = command.writableFile(1);
    if (!file)
        return;
    saveSections(command, *polytope, *file, frameCount(command.integer(5)), {0, 0, 0},
                 {command.integer(2), command.integer(3), command.integer(4)});
}

void saveParallelCrossCommand(FourDCommand& command)
{
    PolytopeRec* polytope = command.scene.sectionPolytope();
    if (!polytope) {
        command.runTimeError(N_("There is no polytope to cut."));
        return;
    }
    std::optional<FileArgument> file = command.writableFile(0);
    if (!file)
        return;
    const auto& polyhedra = command.scene.space().polyhedra();
    std::array<int, 3> angles = polyhedra.empty() ? std::array<int, 3>{} : polyhedra.front()->angles;
    saveSections(command, *polytope, *file, frameCount(command.integer(1)), angles, {0, 0, 0});
}

// Starts the net with cell 0; the rest waits for "Insert cell", or comes at
// once for Net.
void startNet(FourDCommand& command, bool whole)
{
    PolytopeRec* polytope = command.polytope(0);
    if (!polytope || polytope->cells.empty())
        return;
    NetState net;
    net.cells = unfoldCells(polytope->cells, polytope->makeCentre());
    net.polytopeCells = polytope->cells.size();
    if (net.cells.empty()) {
        command.runTimeError(N_("The first cell does not span a hyperplane. No net is made."));
        return;
    }
    net.polyhedron = &command.showPolyhedron(std::make_unique<PolyhedronRec>());
    command.scene.net() = std::move(net);
    command.scene.insertNextCell();
    if (whole) {
        while (command.scene.insertNextCell()) {
        }
    } else {
        // The panel's cell buttons build the rest of the net by hand.
        command.scene.space().show().showControlPanel();
    }
}

void buildNetCommand(FourDCommand& command)
{
    startNet(command, false);
}

void netCommand(FourDCommand& command)
{
    startNet(command, true);
}

Long4 pointOf(const SolidVertex4& vertex)
{
    return {vertex[0], vertex[1], vertex[2], vertex[3]};
}

std::unique_ptr<CellRec> cellOf(const SolidCell& solid)
{
    auto cell = std::make_unique<CellRec>();
    for (const SolidFace4& face : solid.faces) {
        Face4 copy;
        for (const SolidVertex4& vertex : face.vertices)
            copy.vertices.push_back(pointOf(vertex));
        cell->faces.push_back(std::move(copy));
    }
    cell->makeCentre();
    return cell;
}

SolidCell solidOf(const CellRec& cell)
{
    SolidCell solid;
    for (const Face4& face : cell.faces) {
        SolidFace4 copy;
        for (const Long4& vertex : face.vertices)
            copy.vertices.push_back({vertex.x, vertex.y, vertex.z, vertex.w});
        solid.faces.push_back(std::move(copy));
    }
    return solid;
}

void readCellCommand(FourDCommand& command)
{
    std::optional<FileArgument> file = command.file(0);
    if (!file)
        return;
    if (std::optional<SolidCell> solid =
            readCellFile(file->path, file->name, command.context.state.host()))
        command.named(cellOf(*solid));
}

void readPolytopeCommand(FourDCommand& command)
{
    std::optional<FileArgument> file = command.file(0);
    if (!file)
        return;
    std::optional<SolidPolytope> solid =
        readPolytopeFile(file->path, file->name, command.context.state.host());
    if (!solid)
        return;
    auto polytope = std::make_unique<PolytopeRec>();
    for (const SolidCell& cell : solid->cells)
        polytope->cells.push_back(&command.scene.add(cellOf(cell)));
    polytope->makeCentre();
    command.named(std::move(polytope));
}

void writePolytopeCommand(FourDCommand& command)
{
    PolytopeRec* polytope = command.polytope(0);
    if (!polytope)
        return;
    std::optional<FileArgument> file = command.writableFile(1);
    if (!file)
        return;
    SolidPolytope solid;
    for (const CellRec* cell : polytope->cells)
        solid.cells.push_back(solidOf(*cell));
    writePolytopeFile(file->path, file->name, solid, command.context.state.host());
}

// A polyhedron file read as in Dimension 3, so solids built there can be
// used here.
void openPolyhedronCommand(FourDCommand& command)
{
    std::optional<FileArgument> file = command.file(0);
    if (!file)
        return;
    std::optional<SolidPolyhedron> solid =
        readPolyhedronFile(file->path, file->name, command.context.state.host());
    if (!solid)
        return;
    std::vector<Face> faces;
    for (const SolidFace& face : solid->faces) {
        Face copy;
        for (const SolidVertex& vertex : face.vertices)
            copy.vertices.push_back({vertex[0], vertex[1], vertex[2]});
        faces.push_back(std::move(copy));
    }
    auto polyhedron = std::make_unique<PolyhedronRec>();
    for (Face& face : faces)
        polyhedron->addFace(std::move(face));
    polyhedron->makeCentre();
    PolyhedronRec& added = command.scene.space().add(std::move(polyhedron));
    if (!command.statement.target.empty())
        added.bind(command.statement.target, std::string(command.context.scope));
}

struct Entry {
    std::string_view word;
    Handler handler;
};

constexpr Entry kCommands[] = {
    {"Build4D", completeCommand},
    {"Pyramid", pyramidCommand},
    {"Polyh5Pts", fiveCellCommand},
    {"Antiprism", antiprismCommand},
    {"BuildFromSet", buildFromSetCommand},
    {"SaveCross", saveCrossCommand},
    {"SaveParCross", saveParallelCrossCommand},
    {"CrossSect3D", crossSectionCommand},
    {"PathOfCross", pathCommand},
    {"PlayCross", playCommand},
    {"BuildNet", buildNetCommand},
    {"Net", netCommand},
    {"Read4DPolyhedron", readCellCommand},
    {"ReadPolytope", readPolytopeCommand},
    {"WritePolytope", writePolytopeCommand},
    {"OpenPolyhedron", openPolyhedronCommand},
};

} // namespace

bool executePolytopeCommand(FourDCommand& command)
{
    const std::string& word = command.statement.word;
    for (const Entry& entry : kCommands) {
        if (entry.word == word) {
            entry.handler(command);
            return true;
        }
    }
    return false;
}

} // namespace kestrane
