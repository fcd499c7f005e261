// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/construction_window.h"

#include "platform/host.h"
#include "platform/text_encoding.h"
#include "platform/translation.h"
#include "runtime/construction_painter.h"
#include "runtime/module_scene.h"
#include "runtime/step_changes.h"
#include "script/module.h"
#include "script/script_file.h"
#include "script/words.h"

#include <algorithm>

namespace kestrane {

namespace {

// Long-number messages of a run go to the window's host while it executes.
class LongNumHostScope {
public:
    explicit LongNumHostScope(Host& host) : m_previous(longNumHost()) { setLongNumHost(&host); }
    ~LongNumHostScope() { setLongNumHost(m_previous); }
    LongNumHostScope(const LongNumHostScope&) = delete;
    LongNumHostScope& operator=(const LongNumHostScope&) = delete;

private:
    Host* m_previous;
};

constexpr std::string_view kStartScope = "start";
// The band behind the statement about to run in a listing: light yellow.
constexpr ColorRef kCurrentLineColour = 0x99FFFF;

// Remembers the name the last statement gave, for the highlight of a step.
class LastTarget final : public StepObserver {
public:
    void beforeStatement(const ExecutedStatement&) override {}
    void afterStatement(const ExecutedStatement& statement) override
    {
        target = statement.target;
        scope = statement.targetScope;
    }

    std::string target;
    std::string scope;
};

bool startHasParameters(const ScriptFile& main)
{
    for (const ProcedureRecord& procedure : main.procedures) {
        if (procedure.name == kStartScope)
            return procedure.parameterCount > 0;
    }
    return false;
}

// The kinds the drawing tools hover and choose.
bool isToolKind(int typeCode)
{
    return typeCode == type::kPoint || typeCode == type::kLine || typeCode == type::kSegment ||
           typeCode == type::kCircle;
}

HoverKind hoverKindFor(int typeCode)
{
    switch (typeCode) {
    case type::kLine:
        return HoverKind::Line;
    case type::kSegment:
        return HoverKind::Segment;
    case type::kCircle:
        return HoverKind::Circle;
    default:
        return HoverKind::Point;
    }
}

} // namespace

ConstructionWindow::ConstructionWindow(Host& host)
    : m_state(host)
    , m_interpreter(m_state, m_executors)
{
}

const std::string& ConstructionWindow::messagePanelText() const
{
    return m_state.messagePanel().empty() ? m_idlePanel : m_state.messagePanel();
}

bool ConstructionWindow::startProgram(const ScriptFile& main, int executorCode, RunMode mode)
{
    LongNumHostScope longNumHost(m_state.host());
    m_history.record(capture());
    clearStepped();
    m_interpreter.stop();
    m_programFile = &main;
    m_tools.reset();
    m_hoverText.clear();
    m_programModule = executorCode;
    m_hasProgramText = true;
    endListing();
    m_state.setScene(m_executors.scene(executorCode));
    m_state.setScriptDirectory(main.directory);
    m_state.dataFiles().scriptDirectory = main.directory;
    // Plane programs merge coinciding points; the other modules keep each.
    m_state.store().settings().moduleCode = std::max(executorCode, kPlaneModuleCode);
    // A start with parameters is a construction applied to the figure on
    // the screen: its choices pick what was drawn before. Only the names of
    // the earlier program go, so that they cannot stand for new objects.
    if (startHasParameters(main)) {
        m_state.store().dropScope(kStartScope);
        m_state.figures().dropScope(kStartScope);
        if (m_state.scene())
            m_state.scene()->dropScope(kStartScope);
    } else {
        m_state.clear();
    }
    if (!m_executors.has(executorCode)) {
        m_state.host().message(std::string(runtime_message::kRunTimeCaption),
                               moduleCannotRunMessage(executorCode), MessageButtons::Ok,
                               MessageIcon::Error);
        return false;
    }
    m_interpreter.start(main, executorCode, mode);
    return true;
}

void ConstructionWindow::pressSpace()
{
    if (!m_interpreter.paused()) {
        LongNumHostScope longNumHost(m_state.host());
        m_interpreter.pressSpace();
        return;
    }
    stepCommand([this] { m_interpreter.pressSpace(); });
}

void ConstructionWindow::stepInto()
{
    stepCommand([this] { m_interpreter.stepInto(); });
}

void ConstructionWindow::stepOver()
{
    stepCommand([this] { m_interpreter.stepOver(); });
}

void ConstructionWindow::stepOut()
{
    stepCommand([this] { m_interpreter.stepOut(); });
}

void ConstructionWindow::resume()
{
    stepCommand([this] { m_interpreter.resume(); });
}

void ConstructionWindow::runTo(SourcePlace place)
{
    if (!paused())
        return;
    m_interpreter.setRunToPlace(place);
    resume();
}

void ConstructionWindow::setBreakpoints(std::set<SourcePlace> places)
{
    m_interpreter.setBreakpoints(std::move(places));
}

std::optional<SourcePlace> ConstructionWindow::currentPlace() const
{
    if (!paused())
        return {};
    return m_interpreter.nextPlace();
}

template<class Command>
void ConstructionWindow::stepCommand(Command command)
{
    if (!paused())
        return;
    LongNumHostScope longNumHost(m_state.host());
    clearStepped();
    StepChanges changes;
    changes.begin(m_state);
    // A trace already follows every statement; the step needs no more.
    LastTarget last;
    if (!m_observer)
        m_interpreter.setObserver(&last);
    command();
    m_interpreter.setObserver(m_observer);
    // Once the program has ended nothing is being stepped any more.
    if (!paused())
        return;
    m_stepped = changes.madeObjects(m_state);
    if (!last.target.empty()) {
        std::optional<NamedObject> named = findNamed(m_state, last.target, last.scope);
        // The window owns the construction; the lookup only reads it.
        auto* object = named ? const_cast<GeoObject*>(named->object) : nullptr;
        if (object && std::find(m_stepped.begin(), m_stepped.end(), object) == m_stepped.end())
            m_stepped.push_back(object);
    }
    for (GeoObject* object : m_stepped)
        object->highlighted = true;
    followCurrentLine();
}

// Made before any statement runs again, so every object is still there.
void ConstructionWindow::clearStepped()
{
    for (GeoObject* object : m_stepped)
        object->highlighted = false;
    m_stepped.clear();
}

void ConstructionWindow::followCurrentLine()
{
    std::optional<SourcePlace> place = currentPlace();
    if (!listingShown() || !place || place->file != m_programFile)
        return;
    if (place->line < m_listingTop || place->line >= m_listingTop + kListingLines)
        scrollListing(place->line - kListingLines / 2);
}

bool ConstructionWindow::insideDrawing(double x, double y)
{
    return x >= 0 && y >= 0 && x < kDrawingWidth && y < kDrawingHeight;
}

bool ConstructionWindow::click(double x, double y)
{
    // Nothing is made where it could not be seen.
    if (!insideDrawing(x, y) && (m_tools.tool() != Tool::None || m_interpreter.pendingChoice())) {
        m_state.showMessage(std::string(kOutsideDrawing), std::string(kOutsideDrawing));
        return false;
    }
    // While a choice waits, a tool chosen meanwhile draws what is missing.
    if (m_interpreter.pendingChoice() && m_tools.tool() == Tool::None)
        return chooseParameter(x, y);
    if (running() && !m_interpreter.pendingChoice())
        return false;
    // The space modules' view takes the clicks instead of the tools.
    if (ModuleScene* scene = m_state.scene(); scene && scene->takesClicks())
        return scene->click(m_state, x, y);
    m_tools.mouseMove(x, y);
    Tool tool = m_tools.tool();
    // Clicks during a run belong to the run's step.
    std::unique_ptr<ConstructionSnapshot> before;
    if (!running() && tool != Tool::None)
        before = capture();
    ToolResult result = m_tools.click(x, y);
    if (before && result.finished)
        m_history.record(std::move(before));
    showPrompt(result, tool);
    return result.finished;
}

// The mouse is where it clicks: the window hovers there first, so a click
// with no mouse move before it (the command line's clicks) finds the same
// object.
bool ConstructionWindow::chooseParameter(double x, double y)
{
    LongNumHostScope longNumHost(m_state.host());
    int typeCode = m_interpreter.pendingChoice()->typeCode;
    if (!isToolKind(typeCode)) {
        // The scene's own kinds are found by the scene.
        GeoObject* object = m_state.scene() ? m_state.scene()->objectAt(typeCode, x, y) : nullptr;
        if (!object) {
            m_state.host().message("", std::string(runtime_message::kWrongFigure),
                                   MessageButtons::OkCancel, MessageIcon::Warning);
            return false;
        }
        m_interpreter.choose(*object);
        return true;
    }
    m_tools.mouseMove(x, y);
    HoverKind wanted = hoverKindFor(typeCode);
    HoverKind hover = m_tools.hoverKind();
    if (wanted == HoverKind::Point) {
        if (hover == HoverKind::Point) {
            m_interpreter.choose(*m_tools.highlightedPoint());
        } else {
            LongNum longX;
            LongNum longY;
            FloatToLong(static_cast<float>(x), longX);
            FloatToLong(static_cast<float>(y), longY);
            m_interpreter.choose(m_state.store().makePoint(longX, longY));
        }
        return true;
    }
    if (hover != wanted) {
        m_state.host().message("", std::string(runtime_message::kWrongFigure),
                               MessageButtons::OkCancel, MessageIcon::Warning);
        return false;
    }
    GeoObject* object = nullptr;
    if (wanted == HoverKind::Line)
        object = m_tools.highlightedLine();
    else if (wanted == HoverKind::Segment)
        object = m_tools.highlightedSegment();
    else
        object = m_tools.highlightedCircle();
    m_interpreter.choose(*object);
    return true;
}

void ConstructionWindow::showPrompt(const ToolResult& result, Tool tool)
{
    if (result.prompt) {
        m_state.showMessage(result.prompt->line1, result.prompt->line2);
    } else if (result.finished && m_interpreter.pendingChoice()) {
        m_interpreter.promptPendingChoice();
    } else if (result.finished && tool == Tool::Distance && m_tools.measuredDistance()) {
        std::string text =
            "distance " + InteractiveTools::measuredText(*m_tools.measuredDistance());
        m_state.showMessage(text, text);
    } else if (result.finished) {
        // The finished tool's prompt would ask for a click that does nothing.
        std::string invitation(kStatusPanels[0].text);
        m_state.showMessage(invitation, invitation);
    }
}

void ConstructionWindow::chooseTool(Tool tool)
{
    // A running program owns the construction; only a choice of start(...)
    // lets the user draw.
    if (running() && !m_interpreter.pendingChoice()) {
        m_state.showMessage(std::string(kToolsWaitForRun), std::string(kToolsWaitForRun));
        return;
    }
    if (tool == Tool::Distance && m_tools.measuredDistance() && !running())
        m_history.record(capture());
    // Removing a measurement finishes nothing new: the panel invites the
    // next choice.
    showPrompt(m_tools.chooseTool(tool), Tool::None);
}

bool ConstructionWindow::mouseMove(double x, double y)
{
    // Outside the drawing area nothing is under the mouse.
    HoverResult result = insideDrawing(x, y) ? m_tools.mouseMove(x, y) : m_tools.clearHover();
    // Names go to the first panel, so that a prompt or a measurement in the
    // message panel stays readable while the mouse moves.
    m_hoverText = result.message;
    return result.changed;
}

std::string_view ConstructionWindow::hoverPanelText() const
{
    return m_hoverText.empty() ? kStatusPanels[0].text : std::string_view(m_hoverText);
}

bool ConstructionWindow::deleteHighlighted()
{
    std::unique_ptr<ConstructionSnapshot> before = capture();
    if (!m_tools.deleteHighlighted())
        return false;
    if (!running())
        m_history.record(std::move(before));
    m_hoverText.clear();
    return true;
}

std::string_view ConstructionWindow::distancePanelText() const
{
    return m_tools.measuredDistance() ? std::string_view(N_("Remove dist."))
                                      : kStatusPanels[6].text;
}

bool ConstructionWindow::tick()
{
    m_state.tick();
    ModuleScene* scene = m_state.scene();
    if (!scene)
        return false;
    return scene->tick(
        m_state, [this](Canvas& canvas) { paintScene(canvas, kDrawingWidth, kDrawingHeight); });
}

bool ConstructionWindow::pressKey(int keyCode)
{
    ModuleScene* scene = m_state.scene();
    return scene && scene->key(m_state, keyCode);
}

bool ConstructionWindow::drag(double dx, double dy)
{
    ModuleScene* scene = m_state.scene();
    return scene && !running() && scene->drag(dx, dy);
}

void ConstructionWindow::choose(GeoObject& object)
{
    LongNumHostScope longNumHost(m_state.host());
    m_interpreter.choose(object);
}

void ConstructionWindow::removeAll()
{
    m_history.record(capture());
    clearStepped();
    m_interpreter.stop();
    m_tools.reset();
    m_state.clear();
    m_hoverText.clear();
    m_hasProgramText = false;
    endListing();
}

std::unique_ptr<ConstructionSnapshot> ConstructionWindow::capture() const
{
    return captureConstruction(m_state, m_tools.measuredDistance());
}

bool ConstructionWindow::undo()
{
    return restore(&UndoHistory::undo);
}

bool ConstructionWindow::redo()
{
    return restore(&UndoHistory::redo);
}

bool ConstructionWindow::restore(bool (UndoHistory::*step)(ConstructionState&,
                                                           std::optional<float>&))
{
    if (running())
        return false;
    std::optional<float> measured = m_tools.measuredDistance();
    if (!(m_history.*step)(m_state, measured))
        return false;
    // The tools point into the construction that was swapped out.
    m_tools.reset();
    m_tools.setMeasuredDistance(measured);
    m_hoverText.clear();
    return true;
}

int ConstructionWindow::pendingChoice() const
{
    const auto& pending = m_interpreter.pendingChoice();
    return pending ? pending->typeCode : 0;
}

std::string ConstructionWindow::canvasMessage() const
{
    if (!m_showMessages)
        return {};
    if (running() && runMode() == RunMode::Paused && m_interpreter.breakDisplay())
        return N_("Break of program. Press space bar to continue.");
    if (pendingChoice() != 0)
        return N_("Choose a point. Click mouse on this point.");
    if (running() && runMode() == RunMode::StepByStep)
        return N_("Press space bar to continue.");
    return {};
}

void ConstructionWindow::showListing(std::string_view text)
{
    m_listing = splitLines(text);
    m_listingTop = 0;
    m_hasProgramText = true;
    followCurrentLine();
}

void ConstructionWindow::scrollListing(int top)
{
    m_listingTop = std::clamp(top, 0, lastListingTop());
}

int ConstructionWindow::lastListingTop() const
{
    return std::max(0, static_cast<int>(m_listing.size()) - kListingLines);
}

int ConstructionWindow::drawingHeight() const
{
    const ModuleScene* scene = m_state.scene();
    return std::max(kDrawingHeight, scene ? scene->drawingHeight() : 0);
}

void ConstructionWindow::paintScene(Canvas& canvas, int width, int height) const
{
    canvas.fillRect(0, 0, width, height, kWhite);
    paintDrawingFrame(canvas, kDrawingWidth, kDrawingHeight);
    paintConstruction(canvas, m_state);
    m_tools.paint(canvas);
    m_state.progress().paint(canvas);
}

void ConstructionWindow::paintOverlay(Canvas& canvas) const
{
    if (!listingShown()) {
        paintCanvasMessage(canvas, translate(canvasMessage()));
        return;
    }
    canvas.fillRect(0, 0, kDrawingWidth, kDrawingHeight, kWhite);
    paintDrawingFrame(canvas, kDrawingWidth, kDrawingHeight);
    canvas.setFont(CanvasFont{"Courier New", 11, false, false});
    canvas.setTextColour(kBlack);
    int last = std::min(static_cast<int>(m_listing.size()), m_listingTop + kListingLines);
    std::optional<SourcePlace> place = currentPlace();
    if (place && place->file == m_programFile && place->line >= m_listingTop &&
        place->line < last) {
        int top = 5 + (place->line - m_listingTop) * kListingLineHeight;
        canvas.fillRect(1, top, kDrawingWidth - 1, top + kListingLineHeight, kCurrentLineColour);
    }
    for (int line = m_listingTop; line < last; ++line)
        canvas.text(10, 5 + (line - m_listingTop) * kListingLineHeight,
                    displayText(m_listing[static_cast<std::size_t>(line)]));
}

void ConstructionWindow::paint(Canvas& canvas, int width, int height) const
{
    paintScene(canvas, width, height);
    paintOverlay(canvas);
}

} // namespace kestrane
