// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/plane_records.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "script/lexical.h"
#include "space/convex_hull.h"
#include "space/polyhedron_operations.h"
#include "space/space_command.h"
#include "space/space_view.h"

#include <algorithm>
#include <limits>

namespace kestrane {

namespace {

using Handler = void (*)(SpaceCommand&);

// A face loop runs at most this many passes.
constexpr std::size_t kMaxLoopPasses = 1000;
// ShowCrossSect centres the section's true shape on this window point.
constexpr int kSectionCentreX = 400;
constexpr int kSectionCentreY = 300;

constexpr std::string_view kNoTemplate = N_("There is no template. Use 'Template' first.");
constexpr std::string_view kTemplateFull = N_("Template is full. The polygon is not added.");
constexpr std::string_view kNoSpan =
    N_("The points of the set do not span space. No polyhedron is made.");

std::string tooManyEdges(std::string_view command)
{
    return translate("Too many edges. Command '") + std::string(command) +
           translate("' is stopped.");
}

void addFacesCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    if (!polyhedron)
        return;
    for (std::size_t index = 1; index < command.arguments.size(); ++index) {
        std::optional<Face> face = command.polygonFace(index);
        if (!face)
            continue;
        if (distinctCornerCount(*face) < 3)
            command.runTimeError(notAFaceMessage(command.argument(index), command.statement.word));
        else
            polyhedron->addFace(std::move(*face));
    }
}

void templateCommand(SpaceCommand& command)
{
    command.scene.builder().faceTemplate().emplace(command.integer(0));
}

void addToTemplateCommand(SpaceCommand& command)
{
    std::optional<FaceTemplate>& faceTemplate = command.scene.builder().faceTemplate();
    if (!faceTemplate) {
        command.runTimeError(std::string(kNoTemplate));
        return;
    }
    // A polygon of fewer than three corners has no corner to place.
    std::optional<Face> face = command.polygonFace(0);
    if (!face)
        return;
    if (distinctCornerCount(*face) < 3) {
        command.runTimeError(notAFaceMessage(command.argument(0), command.statement.word));
        return;
    }
    if (!faceTemplate->add(std::move(*face)))
        command.runTimeError(std::string(kTemplateFull));
}

void addEdgeCommand(SpaceCommand& command)
{
    std::optional<LongTriple> first = command.position(0);
    std::optional<LongTriple> second = command.position(1);
    if (first && second && !command.scene.builder().edges().add(*first, *second))
        command.runTimeError(tooManyEdges("AddEdge"));
}

void buildCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    if (!polyhedron)
        return;
    PolyhedronBuilder& builder = command.scene.builder();
    if (!builder.faceTemplate()) {
        command.runTimeError(std::string(kNoTemplate));
        return;
    }
    // A tick of 10 pixels per placed face, forty to a row.
    ProgressMarks& marks = command.context.state.progress();
    ProgressMarks::Scope drawing(marks);
    auto tick = [&marks](long long k) {
        int x = 200 + 10 * static_cast<int>(k % 40);
        int y = 20 + 20 * static_cast<int>(std::min<long long>(k / 40, 1000000));
        marks.line(x, y, x, y + 10);
        marks.show();
    };
    if (builder.build(*polyhedron, command.integer(1), tick) == BuildOutcome::TooManyEdges)
        command.runTimeError(tooManyEdges("Build"));
}

void truncateCommand(SpaceCommand& command)
{
    if (PolyhedronRec* polyhedron = command.polyhedron(0))
        truncateVertices(*polyhedron);
}

// The stellated solid takes the declared name and is then the only
// polyhedron: the earlier ones are destroyed.
void stellateCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    if (!polyhedron)
        return;
    auto stellated = std::make_unique<PolyhedronRec>(stellate(*polyhedron));
    PolyhedronRec& added = command.bind(command.scene.add(std::move(stellated)));
    command.scene.keepOnlyPolyhedron(added);
    command.scene.show().showControlPanel();
}

void expandCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    const DistanceRec* factor = command.distanceArgument(1);
    if (polyhedron && factor)
        expand(*polyhedron, factor->value);
}

void colouringCommand(SpaceCommand& command)
{
    if (PolyhedronRec* polyhedron = command.polyhedron(0))
        colourByAdjacency(*polyhedron);
}

void colourByShapeCommand(SpaceCommand& command)
{
    if (PolyhedronRec* polyhedron = command.polyhedron(0))
        colourByShape(*polyhedron);
}

int wholeDegrees(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

void rotateCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    if (!polyhedron)
        return;
    for (std::size_t axis = 0; axis < 3; ++axis)
        polyhedron->angles[axis] = wholeDegrees(command.integer(axis + 1));
    updateView(*polyhedron);
}

void playCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    if (!polyhedron)
        return;
    polyhedron->animated = true;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        polyhedron->steps[axis] = wholeDegrees(command.integer(axis + 1));
        polyhedron->angles[axis] = 0;
    }
    updateView(*polyhedron);
}

// Jumps past the line of the EndOfAllFaces that closes the loop.
void skipLoop(SpaceCommand& command)
{
    CommandContext& context = command.context;
    if (!context.cursor)
        return;
    std::size_t end =
        findWord(context.text, "EndOfAllFaces", command.statement.next, context.text.size());
    if (end < context.text.size())
        *context.cursor = readLine(context.text, end).next;
}

// F = ForAllFaces(P) StartAllFaces: the body runs once for each face of P,
// in order, F denoting the face of the pass.
void forAllFacesCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    command.scene.faceLoop().reset();
    if (!polyhedron || polyhedron->faces.empty()) {
        skipLoop(command);
        return;
    }
    command.scene.faceLoop() =
        FaceLoop{polyhedron, command.statement.target, 0, command.statement.next};
}

void endOfAllFacesCommand(SpaceCommand& command)
{
    std::optional<FaceLoop>& loop = command.scene.faceLoop();
    if (!loop)
        return;
    ++loop->counter;
    bool again = loop->polyhedron && loop->counter < loop->polyhedron->faces.size() &&
                 loop->counter < kMaxLoopPasses;
    if (again && command.context.cursor)
        *command.context.cursor = loop->bodyStart;
    else
        loop.reset();
}

void crossSectionCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    const PlaneRec* plane = command.plane(1);
    if (!polyhedron || !plane)
        return;
    std::optional<Face> section = crossSection(polyhedron->faces, plane->frame);
    if (!section)
        return;
    polyhedron->section = *section;
    polyhedron->sectionPlane = plane->frame;
    command.makePolygon(*section);
}

// The section in true shape: in its plane's coordinates, its bounding box
// centred on the window point (400, 300); the polyhedron goes.
void showCrossSectionCommand(SpaceCommand& command)
{
    PolyhedronRec* polyhedron = command.polyhedron(0);
    if (!polyhedron || !polyhedron->section || !polyhedron->sectionPlane)
        return;
    std::vector<LongTriple> flat;
    for (const LongTriple& vertex : polyhedron->section->vertices)
        flat.push_back(polyhedron->sectionPlane->inPlane(vertex));
    LongNum lowS = flat.front().x;
    LongNum highS = flat.front().x;
    LongNum lowT = flat.front().y;
    LongNum highT = flat.front().y;
    for (const LongTriple& vertex : flat) {
        if (!LongGreaterEq(vertex.x, lowS))
            lowS = vertex.x;
        if (LongGreaterEq(vertex.x, highS))
            highS = vertex.x;
        if (!LongGreaterEq(vertex.y, lowT))
            lowT = vertex.y;
        if (LongGreaterEq(vertex.y, highT))
            highT = vertex.y;
    }
    LongNum middleS;
    LongNum middleT;
    LongDivSmall(plus(lowS, highS), 2, middleS);
    LongDivSmall(plus(lowT, highT), 2, middleT);
    LongTriple shift{minus(longOf(kSectionCentreX), middleS),
                     minus(longOf(kSectionCentreY), middleT), LongNum()};
    Face shown = *polyhedron->section;
    shown.vertices.clear();
    for (const LongTriple& vertex : flat)
        shown.vertices.push_back({plus(vertex.x, shift.x), plus(vertex.y, shift.y), LongNum()});
    command.makePolygon(shown);
    command.scene.removePolyhedron(*polyhedron);
}

void removePolyhedronCommand(SpaceCommand& command)
{
    if (PolyhedronRec* polyhedron = command.polyhedron(0))
        command.scene.removePolyhedron(*polyhedron);
}

// The convex hull of the point set; the set is emptied.
void buildFromSetCommand(SpaceCommand& command)
{
    std::vector<LongTriple>& set = command.scene.pointSet();
    std::optional<std::vector<Face>> faces = convexHull(set);
    if (!faces) {
        command.runTimeError(std::string(kNoSpan));
        return;
    }
    auto polyhedron = std::make_unique<PolyhedronRec>();
    for (Face& face : *faces)
        polyhedron->addFace(std::move(face));
    polyhedron->centre = centreOfFaces(polyhedron->faces);
    colourByAdjacency(*polyhedron);
    command.bind(command.scene.add(std::move(polyhedron)));
    set.clear();
}

struct Entry {
    std::string_view word;
    Handler handler;
};

constexpr Entry kCommands[] = {
    {"AddFaces", addFacesCommand},
    {"Template", templateCommand},
    {"AddToTemplate", addToTemplateCommand},
    {"AddEdge", addEdgeCommand},
    {"Build", buildCommand},
    {"TruncateVert", truncateCommand},
    {"Stellated", stellateCommand},
    {"Expand", expandCommand},
    {"Coloring", colouringCommand},
    {"ColorDist", colourByShapeCommand},
    {"rotate", rotateCommand},
    {"Play", playCommand},
    {"ForAllFaces", forAllFacesCommand},
    {"EndOfAllFaces", endOfAllFacesCommand},
    {"CrossSection", crossSectionCommand},
    {"ShowCrossSect", showCrossSectionCommand},
    {"RemovePolyhedron", removePolyhedronCommand},
    {"BuildFromSet", buildFromSetCommand},
};

} // namespace

bool executePolyhedronCommand(SpaceCommand& command)
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
