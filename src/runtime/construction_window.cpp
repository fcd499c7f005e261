#include "runtime/construction_window.h"

#include "platform/host.h"
#include "runtime/construction_painter.h"
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
    m_interpreter.stop();
    m_tools.reset();
    m_state.setScene(m_executors.scene(executorCode));
    m_state.clear();
    // Plane programs merge coinciding points; the other modules keep each.
    m_state.store().settings().moduleCode = std::max(executorCode, kPlaneModuleCode);
    if (!m_executors.has(executorCode)) {
        m_state.host().message(std::string(runtime_message::kRunTimeCaption),
                               "Programs of module " + std::to_string(executorCode) +
                                   " cannot be run.",
                               MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    m_interpreter.start(main, executorCode, mode);
    return true;
}

void ConstructionWindow::pressSpace()
{
    LongNumHostScope longNumHost(m_state.host());
    m_interpreter.pressSpace();
}

bool ConstructionWindow::click(double x, double y)
{
    if (m_interpreter.pendingChoice())
        return chooseParameter(x, y);
    if (running())
        return false;
    m_tools.mouseMove(x, y);
    ToolResult result = m_tools.click(x, y);
    showPrompt(result);
    return result.finished;
}

// The mouse is where it clicks: the window hovers there first, so a click
// with no mouse move before it (the command line's clicks) finds the same
// object.
bool ConstructionWindow::chooseParameter(double x, double y)
{
    LongNumHostScope longNumHost(m_state.host());
    m_tools.mouseMove(x, y);
    HoverKind wanted = hoverKindFor(m_interpreter.pendingChoice()->typeCode);
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

void ConstructionWindow::showPrompt(const ToolResult& result)
{
    if (result.prompt) {
        m_state.showMessage(result.prompt->line1, result.prompt->line2);
    } else if (result.finished && m_tools.measuredDistance()) {
        std::string text =
            "distance " + InteractiveTools::measuredText(*m_tools.measuredDistance());
        m_state.showMessage(text, text);
    }
}

void ConstructionWindow::chooseTool(Tool tool)
{
    showPrompt(m_tools.chooseTool(tool));
}

bool ConstructionWindow::mouseMove(double x, double y)
{
    HoverResult result = m_tools.mouseMove(x, y);
    if (!result.message.empty() && result.changed)
        m_state.showMessage(result.message, result.message);
    return result.changed;
}

bool ConstructionWindow::deleteHighlighted()
{
    return m_tools.deleteHighlighted();
}

std::string_view ConstructionWindow::distancePanelText() const
{
    return m_tools.measuredDistance() ? std::string_view("Remove dist.") : kStatusPanels[6].text;
}

void ConstructionWindow::choose(GeoObject& object)
{
    LongNumHostScope longNumHost(m_state.host());
    m_interpreter.choose(object);
}

void ConstructionWindow::removeAll()
{
    m_interpreter.stop();
    m_tools.reset();
    m_state.clear();
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
        return "Break of program. Press space bar to continue.";
    if (pendingChoice() != 0)
        return "Choose a point. Click mouse on this point.";
    if (running() && runMode() == RunMode::StepByStep)
        return "Press space bar to continue.";
    return {};
}

void ConstructionWindow::paint(Canvas& canvas, int width, int height) const
{
    canvas.fillRect(0, 0, width, height, kWhite);
    paintConstruction(canvas, m_state, canvasMessage());
    m_tools.paint(canvas);
}

} // namespace kestrane
