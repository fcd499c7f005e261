// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "runtime/interactive_tools.h"
#include "runtime/interpreter.h"
#include "runtime/module_executor.h"
#include "runtime/undo_history.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Host;
struct ScriptFile;

// One panel of the construction window's status bar.
struct StatusPanel {
    std::string_view text;
    int width;
};

// The main construction window: it owns the construction (object store,
// plane figures, message lines) and the run of a compiled program, shows
// them, and closing it ends the program. Runs are driven by model calls: a
// program is started, the space bar steps or resumes it, clicks choose the
// parameters of start(...).
class ConstructionWindow {
public:
    static constexpr std::string_view kCaption = "Kestrane v. 1.8";
    static constexpr int kWidth = 1102;
    static constexpr int kHeight = 776;
    // The drawing area, in model coordinates (pixels).
    static constexpr int kDrawingWidth = 800;
    static constexpr int kDrawingHeight = 550;
    static constexpr int kScrollSmallStep = 50;
    static constexpr int kScrollLargeStep = 100;

    // The nine panels, all centred; the last is the owner-drawn message panel.
    static constexpr std::array<StatusPanel, 9> kStatusPanels{{
        {N_("Choose element"), 160},
        {N_("point"), 50},
        {N_("segment"), 50},
        {N_("line"), 50},
        {N_("circle"), 50},
        {N_("half-line"), 70},
        {N_("distance"), 50},
        {N_("Text"), 50},
        {N_("Click"), 50},
    }};
    static constexpr size_t kMessagePanel = kStatusPanels.size() - 1;
    // The panel's answer to a tool chosen while a program runs.
    static constexpr std::string_view kToolsWaitForRun = N_("Program runs: no tools");
    // The panel's answer to a tool click outside the drawing area.
    static constexpr std::string_view kOutsideDrawing = N_("Click inside the drawing area");
    static bool insideDrawing(double x, double y);

    // Message boxes of runs go to the host.
    explicit ConstructionWindow(Host& host);
    ConstructionWindow(const ConstructionWindow&) = delete;
    ConstructionWindow& operator=(const ConstructionWindow&) = delete;

    // Whether run messages are drawn on the canvas ("Show &messages").
    bool showMessages() const { return m_showMessages; }
    void setShowMessages(bool show) { m_showMessages = show; }
    void toggleShowMessages() { m_showMessages = !m_showMessages; }

    // The text of the red message panel.
    const std::string& messagePanelText() const;

    // --- Runs ---------------------------------------------------------------
    // The module executors by executor code; app registers them.
    ExecutorTable& executors() { return m_executors; }

    // Clears the construction and starts start(...) of a compiled program in
    // the given mode. The executor code is the program's module code (501
    // for a Kestrane program). False, with a message box, when no executor
    // is registered for the code. The main file must outlive the run.
    bool startProgram(const ScriptFile& main, int executorCode, RunMode mode);
    // The space bar.
    void pressSpace();

    // --- Watching a paused program ----------------------------------------------
    // A program is paused while it waits for the space bar (stepping, Break,
    // a breakpoint) and no choice is pending.
    bool paused() const { return m_interpreter.paused(); }
    // The stepping commands of a paused program: Step Into, Step Over, Step
    // Out (to the end of the current procedure) and Continue (to the next
    // breakpoint or the end). Each does nothing unless the program is paused.
    void stepInto();
    void stepOver();
    void stepOut();
    void resume();
    // Continues a paused program to the line (Run to cursor).
    void runTo(SourcePlace place);
    // The lines runs stop before, as at Break; kept for later runs.
    void setBreakpoints(std::set<SourcePlace> places);
    // A stop used once by the next run (Run to cursor before the run).
    void setRunToPlace(std::optional<SourcePlace> place) { m_interpreter.setRunToPlace(place); }
    // The statement the paused program runs next; none unless paused.
    std::optional<SourcePlace> currentPlace() const;
    // The main file of the program last started (nullptr before any).
    const ScriptFile* programFile() const { return m_programFile; }
    // Told about every statement (a trace); nullptr stops it.
    void setObserver(StepObserver* observer)
    {
        m_observer = observer;
        m_interpreter.setObserver(observer);
    }
    // The objects the last stepping command made or named, drawn in the
    // highlight colour until the next step.
    const std::vector<GeoObject*>& steppedObjects() const { return m_stepped; }
    // A click on the drawing area at model coordinates. While start(...)
    // waits for a parameter it chooses: a point parameter takes the point
    // under the mouse or a new point there; a line, segment or circle
    // parameter needs such an object under the mouse, else the wrong-figure
    // box is shown. Otherwise it goes to the active drawing tool. Returns
    // whether the construction changed (repaint).
    bool click(double x, double y);
    // Chooses an object directly for the pending parameter.
    void choose(GeoObject& object);
    // Edit > Remove all: ends a run and clears the construction.
    void removeAll();
    // Shows a deferred run-time error box once (the timer's part).
    void showDeferredMessage() { m_state.showDeferredMessage(); }
    // The 130 ms timer: alternates the message lines, shows a deferred box,
    // and lets the program's scene move (the space animation). Returns
    // whether the drawing must be repainted.
    bool tick();
    // A key the window has no use for goes to the program's scene (Q stops
    // and restarts the space animation); returns whether to repaint.
    bool pressKey(int keyCode);
    // The mouse moved by (dx, dy) with the left button held: the scene may
    // turn what it shows.
    bool drag(double dx, double dy);

    // --- Constructing with the mouse ----------------------------------------
    // New menu and status-bar panels; the prompt goes to the message lines.
    // While a measurement is shown, the distance tool removes it instead.
    void chooseTool(Tool tool);
    // Highlights what is under the mouse and names it in the first panel;
    // returns whether anything must be repainted.
    bool mouseMove(double x, double y);
    // The first panel: the name of the object under the mouse ("punkt A"),
    // else "Choose element".
    std::string_view hoverPanelText() const;
    // The Delete key: removes the last highlighted object.
    bool deleteHighlighted();
    const InteractiveTools& tools() const { return m_tools; }
    // The text of the distance panel: "Remove dist." while a measurement is
    // shown.
    std::string_view distancePanelText() const;

    bool running() const { return m_interpreter.running(); }
    RunMode runMode() const { return m_interpreter.mode(); }
    // The type code of the parameter waiting for a choice; 0 when none.
    int pendingChoice() const;
    int executorCode() const { return m_interpreter.executorCode(); }
    // The module code of the last program handed to startProgram, run or
    // refused (502 before any).
    int programModule() const { return m_programModule; }
    // Whether the last program ran start(...) to its END.
    bool programCompleted() const { return m_interpreter.completed(); }
    const Interpreter& interpreter() const { return m_interpreter; }

    // --- Undo and redo -----------------------------------------------------------
    // Steps: a mouse-made object with its intersections, a measurement made
    // or removed, a Delete, Remove all, a whole program run. Neither works
    // while a program runs or a choice waits; a new step drops the redo
    // steps. Both return whether the construction changed.
    bool undo();
    bool redo();
    bool canUndo() const { return !running() && m_history.canUndo(); }
    bool canRedo() const { return !running() && m_history.canRedo(); }
    const UndoHistory& history() const { return m_history; }

    // --- The construction ------------------------------------------------------
    ConstructionState& state() { return m_state; }
    const ConstructionState& state() const { return m_state; }
    const ObjectStore& store() const { return m_state.store(); }
    const PlaneFigures& figures() const { return m_state.figures(); }
    const RunMessages& messages() const { return m_state.messages(); }

    // The text the canvas shows over the drawing (empty when none or when
    // messages are not shown): the Break pause, a pending choice, or the
    // step-by-step prompt.
    std::string canvasMessage() const;

    // Whether a program text was handed over (a run, or a listing), so that
    // Esc goes back to the editor; Remove all drops it.
    bool hasProgramText() const { return m_hasProgramText; }

    // --- The listing of Program > OnScreen ----------------------------------
    // Shows the program's text over the drawing area, for showing it to a
    // class; the next run, Remove all or Esc (endListing) ends it.
    void showListing(std::string_view text);
    void endListing() { m_listing.clear(); }
    bool listingShown() const { return !m_listing.empty(); }
    const std::vector<std::string>& listing() const { return m_listing; }
    // The first line shown, as the scroll bar sets it.
    int listingTop() const { return m_listingTop; }
    void scrollListing(int top);
    // The largest first line: the scroll bar's range while the listing shows.
    int lastListingTop() const;
    // Lines of the listing that fit the drawing area.
    static constexpr int kListingLineHeight = 16;
    static constexpr int kListingLines = (kDrawingHeight - 10) / kListingLineHeight;

    // Paints the construction on a white area of the given size, in model
    // coordinates (the window scrolls it), with the frame of the drawing
    // area.
    void paintScene(Canvas& canvas, int width, int height) const;
    // Paints what stands fixed to the window's top-left, whatever the
    // scrolling: the canvas message, or the listing.
    void paintOverlay(Canvas& canvas) const;
    // Both, unscrolled.
    void paint(Canvas& canvas, int width, int height) const;
    // Paints the drawing area (800 x 550).
    void paint(Canvas& canvas) const { paint(canvas, kDrawingWidth, drawingHeight()); }
    // The drawing's height: kDrawingHeight, or more when the running
    // program's objects reach further down.
    int drawingHeight() const;

private:
    bool chooseParameter(double x, double y);
    // The message lines after a tool step; `tool` is the tool the step
    // belonged to.
    void showPrompt(const ToolResult& result, Tool tool);
    std::unique_ptr<ConstructionSnapshot> capture() const;
    // Runs one stepping command, highlighting what it made or named.
    template<class Command>
    void stepCommand(Command command);
    void clearStepped();
    // Scrolls a shown listing to the statement about to run.
    void followCurrentLine();
    bool restore(bool (UndoHistory::*step)(ConstructionState&, std::optional<float>&));

    ConstructionState m_state;
    InteractiveTools m_tools{m_state.store()};
    ExecutorTable m_executors;
    UndoHistory m_history;
    Interpreter m_interpreter;
    bool m_showMessages = true;
    std::string m_idlePanel{kStatusPanels[kMessagePanel].text};
    std::string m_hoverText;
    int m_programModule = 502;
    bool m_hasProgramText = false;
    std::vector<std::string> m_listing;
    int m_listingTop = 0;
    const ScriptFile* m_programFile = nullptr;
    std::vector<GeoObject*> m_stepped;
    StepObserver* m_observer = nullptr;
};

} // namespace kestrane
