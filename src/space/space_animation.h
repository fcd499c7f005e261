// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/picture_writer.h"
#include "space/control_panel.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace kestrane {

class Canvas;
class ConstructionState;
class FrameFileWriter;
struct PolyhedronRec;

// The rectangle and count that Pictures keeps for the picture show.
struct PictureSettings {
    PictureArea area;
    int count = 0;
    int sizeClass = 0;
};

// Pictures(x1, y1, x2, y2, n): the corners ordered, the size class of the
// width.
PictureSettings pictureSettings(int x1, int y1, int x2, int y2, int count);

// One animation step: each angle becomes (angle + step) mod 360, kept in
// 0..359, and the view is made again.
void stepAnimation(PolyhedronRec& polyhedron);

// What moves on the space view besides the solid: the control panel, the
// outlined face, the picture show. The first polyhedron carries its own
// angles, steps and animation flag.
class SpaceShow {
public:
    // The steps that "Animate" gives a polyhedron that Play never set.
    static constexpr std::array<int, 3> kDefaultSteps{3, 5, 0};
    // The pictures of a show when Pictures never ran: 0 to 15.
    static constexpr int kDefaultLastPicture = 15;

    void clear() { *this = SpaceShow(); }

    bool controlPanel() const { return m_controlPanel; }
    void showControlPanel() { m_controlPanel = true; }
    std::optional<std::size_t> highlightedFace() const { return m_highlightedFace; }
    const std::optional<PictureSettings>& pictures() const { return m_pictures; }
    void setPictures(const PictureSettings& settings) { m_pictures = settings; }
    bool pictureShowRunning() const { return m_nextPicture.has_value(); }

    // The 130 ms timer: the first polyhedron turns one step when animated;
    // a running picture show writes its next picture. Returns whether to
    // repaint.
    bool tick(PolyhedronRec* first, ConstructionState& state,
              const std::function<void(Canvas&)>& paintDrawing);
    // A click on the drawing area: the control panel's buttons.
    bool click(PolyhedronRec* first, ConstructionState& state, double x, double y);
    // Key Q stops and restarts the animation and stops a picture show.
    bool key(PolyhedronRec* first, int keyCode);
    // Dragging turns the first polyhedron: horizontal movement the y angle,
    // vertical the x angle, a degree a pixel.
    bool drag(PolyhedronRec* first, double dx, double dy);

    // Over the solid: the outlined face in red, the face count while the
    // animation runs, the control panel.
    void paint(Canvas& canvas, const PolyhedronRec* first) const;

    void startPictureShow() { m_nextPicture = 0; }

private:
    void toggleAnimation(PolyhedronRec& first);
    void nextFace(const PolyhedronRec& first, ConstructionState& state);
    bool writeNextPicture(ConstructionState& state,
                          const std::function<void(Canvas&)>& paintDrawing);

    bool m_controlPanel = false;
    std::optional<std::size_t> m_highlightedFace;
    std::optional<PictureSettings> m_pictures;
    std::optional<int> m_nextPicture;
    double m_dragX = 0;
    double m_dragY = 0;
};

// The turns of the frames SavePolyhedron writes: after each frame the x
// angle grows by stepX, the y angle by stepY and the z angle becomes angleZ.
struct FrameTurns {
    long long stepX = 0;
    long long angleZ = 0;
    long long stepY = 0;
    long long frames = 0;
};

// One frame of the view as it stands: the front faces in face order, each
// in its shaded colour. False when the writer refuses it (too many points).
bool addViewFrame(FrameFileWriter& writer, const PolyhedronRec& polyhedron);

// Adds one frame of the view per turn, from the polyhedron's present angles;
// stops at a frame with too many points (the writer then writes nothing).
// The view is left at the angles after the last turn.
void recordFrames(PolyhedronRec& polyhedron, FrameFileWriter& writer, const FrameTurns& turns);

// "picture000.png" and on.
std::string pictureFileName(int number);

} // namespace kestrane
