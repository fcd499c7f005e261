// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/space_animation.h"

#include "platform/canvas.h"
#include "platform/keys.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "space/frame_file.h"
#include "space/picture_size.h"
#include "space/solid_file_io.h"
#include "space/space_view.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace kestrane {

namespace {

constexpr ColorRef kHighlightRed = rgb(255, 0, 0);
constexpr int kFaceCountX = 10;
constexpr int kFaceCountY = 10;

int wrappedDegrees(long long degrees)
{
    long long wrapped = degrees % 360;
    return static_cast<int>(wrapped < 0 ? wrapped + 360 : wrapped);
}

bool stepsAreZero(const PolyhedronRec& polyhedron)
{
    return std::all_of(polyhedron.steps.begin(), polyhedron.steps.end(),
                       [](int step) { return step == 0; });
}

std::string threeDigits(std::size_t value)
{
    std::string digits = std::to_string(value % 1000);
    return std::string(3 - digits.size(), '0') + digits;
}

} // namespace

PictureSettings pictureSettings(int x1, int y1, int x2, int y2, int count)
{
    PictureSettings settings;
    settings.area = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    settings.count = count;
    settings.sizeClass = pictureSizeClass(settings.area.x2 - settings.area.x1);
    return settings;
}

void stepAnimation(PolyhedronRec& polyhedron)
{
    for (std::size_t axis = 0; axis < 3; ++axis)
        polyhedron.angles[axis] = wrappedDegrees(static_cast<long long>(polyhedron.angles[axis]) +
                                                 polyhedron.steps[axis]);
    updateView(polyhedron);
}

bool addViewFrame(FrameFileWriter& writer, const PolyhedronRec& polyhedron)
{
    FloatPoint centre = viewCentre(polyhedron);
    std::vector<ProjectedFace> front;
    for (const Face& view : polyhedron.viewFaces) {
        if (visibility(view, centre) != 1)
            continue;
        ProjectedFace& projected = front.emplace_back();
        projected.colour = view.shadedColour;
        for (std::size_t corner = 0; corner < view.cornerCount(); ++corner)
            projected.vertices.emplace_back(view.points[corner].x, view.points[corner].y);
    }
    return writer.add(static_cast<int>(polyhedron.viewFaces.size()), front);
}

void recordFrames(PolyhedronRec& polyhedron, FrameFileWriter& writer, const FrameTurns& turns)
{
    for (long long frame = 0; frame < turns.frames; ++frame) {
        updateView(polyhedron);
        if (!addViewFrame(writer, polyhedron))
            break;
        polyhedron.angles[0] = wrappedDegrees(polyhedron.angles[0] + turns.stepX % 360);
        polyhedron.angles[1] = wrappedDegrees(polyhedron.angles[1] + turns.stepY % 360);
        polyhedron.angles[2] = wrappedDegrees(turns.angleZ % 360);
    }
    updateView(polyhedron);
}

std::string pictureFileName(int number)
{
    return "picture" + threeDigits(static_cast<std::size_t>(number)) + ".png";
}

bool SpaceShow::tick(PolyhedronRec* first, ConstructionState& state,
                     const std::function<void(Canvas&)>& paintDrawing)
{
    bool repaint = false;
    if (first && first->animated) {
        stepAnimation(*first);
        repaint = true;
    }
    if (m_nextPicture)
        repaint |= writeNextPicture(state, paintDrawing);
    return repaint;
}

bool SpaceShow::writeNextPicture(ConstructionState& state,
                                 const std::function<void(Canvas&)>& paintDrawing)
{
    int last = m_pictures ? m_pictures->count : kDefaultLastPicture;
    int number = *m_nextPicture;
    if (number > last) {
        m_nextPicture.reset();
        return false;
    }
    PictureSettings settings = m_pictures.value_or(pictureSettings(0, 0, 800, 550, last));
    std::string name = pictureFileName(number);
    PictureWriter* writer = state.pictureWriter();
    if (!writer) {
        m_nextPicture.reset();
        showFileError(state.host(),
                      translate("Pictures cannot be written: this program has no picture "
                                "painter. File '") +
                          name + translate("' is not written."));
        return false;
    }
    std::filesystem::path directory = state.workingDirectory().empty()
                                          ? std::filesystem::path(".")
                                          : std::filesystem::path(state.workingDirectory());
    // A picture named like a link to elsewhere is not written there.
    std::optional<std::filesystem::path> place = state.writeTarget(directory / name, name);
    if (!place) {
        m_nextPicture.reset();
        return false;
    }
    if (!writer->writePng(*place, settings.area, pictureClassWidth(settings.sizeClass),
                          paintDrawing)) {
        m_nextPicture.reset();
        showFileError(state.host(), couldNotWriteMessage(name));
        return false;
    }
    m_nextPicture = number + 1;
    if (number + 1 > last)
        m_nextPicture.reset();
    return false;
}

void SpaceShow::toggleAnimation(PolyhedronRec& first)
{
    first.animated = !first.animated;
    if (first.animated && stepsAreZero(first))
        first.steps = kDefaultSteps;
}

void SpaceShow::nextFace(const PolyhedronRec& first, ConstructionState& state)
{
    std::size_t count = first.viewFaces.size();
    if (count == 0) {
        m_highlightedFace.reset();
        return;
    }
    m_highlightedFace = m_highlightedFace ? (*m_highlightedFace + 1) % count : 0;
    std::string text =
        "face " + std::to_string(*m_highlightedFace + 1) + " of " + std::to_string(count);
    state.showMessage(text, text);
}

bool SpaceShow::click(PolyhedronRec* first, ConstructionState& state, double x, double y)
{
    if (!m_controlPanel)
        return false;
    std::optional<ControlButton> button = controlButtonAt(x, y);
    if (!button)
        return false;
    switch (*button) {
    case ControlButton::Animate:
        if (first)
            toggleAnimation(*first);
        return first != nullptr;
    case ControlButton::Rotation:
        if (!first)
            return false;
        if (stepsAreZero(*first))
            first->steps = kDefaultSteps;
        stepAnimation(*first);
        return true;
    case ControlButton::NextFace:
        if (!first)
            return false;
        nextFace(*first, state);
        return true;
    case ControlButton::NextCell:
    case ControlButton::InsertCell:
        // The cells belong to the four-dimensional view.
        return false;
    case ControlButton::Picture:
        startPictureShow();
        return false;
    }
    return false;
}

bool SpaceShow::key(PolyhedronRec* first, int keyCode)
{
    if (keyCode != static_cast<int>(Key::Q) && keyCode != 'q')
        return false;
    m_nextPicture.reset();
    if (first)
        toggleAnimation(*first);
    return first != nullptr;
}

bool SpaceShow::drag(PolyhedronRec* first, double dx, double dy)
{
    if (!first)
        return false;
    m_dragX += dx;
    m_dragY += dy;
    double wholeX = std::trunc(m_dragX);
    double wholeY = std::trunc(m_dragY);
    m_dragX -= wholeX;
    m_dragY -= wholeY;
    if (wholeX == 0 && wholeY == 0)
        return false;
    first->angles[0] = wrappedDegrees(first->angles[0] + static_cast<long long>(wholeY) % 360);
    first->angles[1] = wrappedDegrees(first->angles[1] + static_cast<long long>(wholeX) % 360);
    updateView(*first);
    return true;
}

void SpaceShow::paint(Canvas& canvas, const PolyhedronRec* first) const
{
    if (first && m_highlightedFace && *m_highlightedFace < first->viewFaces.size()) {
        Face outline = first->viewFaces[*m_highlightedFace];
        outline.colour = kWhite;
        outline.coloured = false;
        outline.visible = true;
        canvas.setPen(kHighlightRed, 2);
        const std::vector<FloatPoint>& points = outline.points;
        if (points.size() >= 2) {
            canvas.moveTo(std::trunc(points.front().x), std::trunc(points.front().y));
            for (std::size_t index = 1; index < points.size(); ++index)
                canvas.lineTo(std::trunc(points[index].x), std::trunc(points[index].y));
        }
        canvas.setPen(kBlack);
    }
    if (first && first->animated) {
        canvas.setFont(CanvasFont{"Arial", 10, false, false});
        canvas.setTextColour(kBlack);
        canvas.text(kFaceCountX, kFaceCountY,
                    translate("Ilosc scian: ") + threeDigits(first->viewFaces.size()));
    }
    if (m_controlPanel)
        paintControlPanel(canvas);
}

} // namespace kestrane
