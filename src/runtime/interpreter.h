// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"
#include "script/procedure_record.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class ConstructionState;
struct GeoObject;
struct ScriptFile;
struct Statement;

// How statements are executed: in run mode a call runs the program to its
// end; in the stepping modes each press of the space bar executes one
// statement (step over runs a called procedure through); Break pauses a run
// until space is pressed.
enum class RunMode : std::uint8_t { Run = 0, StepByStep = 1, StepOver = 2, Paused = 3 };

// What one statement did: go on, a procedure ended and its caller is
// current again, or the main procedure ended (no frame is left).
enum class StepResult : std::uint8_t { Done = 1, ProcedureEnded = 2, ProgramEnded = 3 };

// The condition of the last `if` a procedure ran, and whether it held.
struct ConditionOutcome {
    std::string text; // as written between `if` and `then`
    bool holds = false;
    std::size_t offset = 0; // of the `if` in the procedure's text
    int line = 0;           // its source line, from 0 (in the call stack)
};

// One procedure activation. Offsets are into the normalised text of the file
// that declares the procedure.
struct ProcFrame {
    // The procedure's name: every name given while the frame is current
    // carries it.
    std::string scope;
    // The caller's target of the call (`x=f(...)`), which `return` binds;
    // empty when the call had none.
    std::string returnTarget;
    std::string_view text;
    const ScriptFile* file = nullptr; // the file that declares the procedure
    const ProcedureRecord* procedure = nullptr;
    std::size_t parameterStart = 0; // just after the '(' of the header
    std::size_t parameterEnd = 0;   // at the ')' of the header
    std::size_t bodyEnd = 0;        // at the closing END
    std::size_t cursor = 0;         // the next statement
    std::optional<ConditionOutcome> lastCondition;
};

// A formal parameter of a procedure header.
struct FormalParameter {
    int typeCode = 0;
    std::string name;
};

// The parameter of start(...) that waits for a choice on the screen.
struct PendingChoice {
    int typeCode = 0;
    std::string name;
};

// Where a statement stands: the file that holds it and its source line,
// counted from 0.
struct SourcePlace {
    const ScriptFile* file = nullptr;
    int line = 0;
    friend auto operator<=>(const SourcePlace&, const SourcePlace&) = default;
};

// One procedure of the call stack and where it stands: the statement it runs
// next (the innermost), or the call it waits in (its callers).
struct StackEntry {
    std::string procedure;
    SourcePlace place;
    std::optional<ConditionOutcome> condition; // of the procedure's last `if`
};

// One statement as it was executed, for a trace.
struct ExecutedStatement {
    SourcePlace place;
    std::string procedure; // the scope it ran in
    std::size_t depth = 0; // frames while it ran: 1 in start
    std::string line;      // its text
    // The name the statement gave (its target, or the caller's target of
    // `return`) and the scope it was given in; empty when none.
    std::string target;
    std::string targetScope;
    // The outcome of the condition of an `if`.
    std::optional<bool> condition;
};

// Told about every statement while it is set (a trace, the highlight of a
// stepped statement's objects). Procedure ENDs are not statements. Before a
// statement runs, its place, procedure, depth and text are known.
class StepObserver {
public:
    virtual ~StepObserver() = default;
    virtual void beforeStatement(const ExecutedStatement& statement) = 0;
    virtual void afterStatement(const ExecutedStatement& statement) = 0;
};

// Executes a compiled program statement by statement on its normalised
// text. Module commands go to the executor table by the program's executor
// code; the interpreter executes the general statements, conditions,
// decimal distances, distance arithmetic and procedure calls itself.
class Interpreter {
public:
    // Calls nested deeper than this stop the program with a message box
    // instead of exhausting memory.
    static constexpr std::size_t kMaxCallDepth = 1000;

    Interpreter(ConstructionState& state, const ExecutorTable& executors);

    // Starts `start` of the main file as a call without actual arguments:
    // its parameters wait for choices on the screen (see choose), then the
    // body runs or waits for the space bar as the mode says. The main file
    // must outlive the run.
    void start(const ScriptFile& main, int executorCode, RunMode mode);

    // Executes one statement of the current frame.
    StepResult step();
    // The space bar: steps, resumes a paused run, or reports why it cannot.
    void pressSpace();
    // Binds the object chosen on the screen to the pending parameter of
    // start(...) and goes on binding (or starts the body).
    void choose(GeoObject& object);
    // Shows the prompt of the pending choice again (after a tool drew
    // something meanwhile).
    void promptPendingChoice();
    // Ends the program at once; names of the called procedures are dropped.
    void stop();

    // --- Stepping a paused program -------------------------------------------
    // A program is paused while it runs and waits for the space bar (a
    // stepping mode, a Break or a breakpoint) and no choice is pending.
    bool paused() const { return running() && !m_pending && m_mode != RunMode::Run; }
    // Executes one statement, entering a called procedure; stays stepping.
    void stepInto();
    // Executes one statement; a call runs through to its return.
    void stepOver();
    // Runs to the end of the current procedure: stops at the statement after
    // the call in the caller (in start, runs to the end).
    void stepOut();
    // Runs to the next breakpoint, Break or the end.
    void resume();
    // Runs stop before a statement on one of these lines (breakpoints), as
    // at Break. The run-to line is such a stop used once.
    void setBreakpoints(std::set<SourcePlace> places) { m_breakpoints = std::move(places); }
    const std::set<SourcePlace>& breakpoints() const { return m_breakpoints; }
    void setRunToPlace(std::optional<SourcePlace> place) { m_runTo = place; }
    // Whether the pause is at a breakpoint (or the run-to line).
    bool atBreakpointPause() const { return m_pausedAtBreakpoint && paused(); }
    // The statement the current frame runs next: its END once the body is
    // done; none when no program runs.
    std::optional<SourcePlace> nextPlace() const;
    // The place of the statement a frame runs next (for a caller: the
    // statement after its call).
    SourcePlace placeOf(const ProcFrame& frame) const;
    // The procedures, the innermost first.
    std::vector<StackEntry> callStack() const;
    // The frames, start first.
    const std::vector<ProcFrame>& frames() const { return m_frames; }
    // Told about every statement while set; nullptr stops it.
    void setObserver(StepObserver* observer) { m_observer = observer; }

    bool running() const { return !m_frames.empty(); }
    // Whether the last program started ran start(...) to its END (not
    // stopped, refused or still running).
    bool completed() const { return m_completed; }
    RunMode mode() const { return m_mode; }
    const std::optional<PendingChoice>& pendingChoice() const { return m_pending; }
    // Whether the pause of Break shows its canvas message.
    bool breakDisplay() const { return m_breakDisplay; }
    std::size_t depth() const { return m_frames.size(); }
    const ProcFrame* currentFrame() const { return m_frames.empty() ? nullptr : &m_frames.back(); }
    int executorCode() const { return m_executorCode; }

private:
    struct ProcedureEntry {
        const ScriptFile* file = nullptr;
        const ProcedureRecord* record = nullptr;
    };

    void indexProcedures(const ScriptFile& file);
    std::optional<ProcFrame> makeFrame(const std::string& name, std::string returnTarget) const;
    std::vector<FormalParameter> formalsOf(const ProcFrame& frame) const;
    std::size_t bodyStartOf(const ProcFrame& frame) const;

    // Where each normalised line of the file starts, with its source line;
    // found when first asked for, so that a plain run never pays for it.
    struct LineIndex {
        std::vector<std::size_t> starts;
        std::vector<int> sourceLines;
    };
    const LineIndex& lineIndex(const ScriptFile& file) const;
    SourcePlace placeAt(const ProcFrame& frame, std::size_t offset) const;
    StepResult executeStatement();
    StepResult observedStep();
    bool stopsHere() const;
    void pauseAtBreakpoint();
    // Runs from a pause until `done` holds after a statement (then steps on),
    // or a breakpoint, Break or the end stops it first.
    template<class Done>
    void runUntil(Done done);

    void askNextChoice();
    void afterStartBound();
    void runWhileRunMode();
    void showStepLine();

    StepResult endProcedure();
    // Drops the names a procedure gave, from every kind of object.
    void dropScope(const std::string& scope);
    bool executeControl(const Statement& statement);
    void executeIf(const Statement& statement);
    void executeReturn(const Statement& statement);
    void executeBreak(const Statement& statement);
    void executeUnhandled(const Statement& statement);
    void makeDecimalDistance(const Statement& statement);
    bool executeDistanceArithmetic(const Statement& statement);
    void call(const Statement& statement);
    void runTimeError(std::string text);

    ConstructionState& m_state;
    const ExecutorTable& m_executors;
    std::map<std::string, ProcedureEntry, std::less<>> m_procedures;
    std::vector<ProcFrame> m_frames;
    RunMode m_mode = RunMode::Run;
    int m_executorCode = 502;
    bool m_breakDisplay = false;
    bool m_completed = false;
    std::optional<PendingChoice> m_pending;
    std::vector<FormalParameter> m_startFormals;
    std::size_t m_nextStartFormal = 0;

    mutable std::map<const ScriptFile*, LineIndex> m_lineIndexes;
    std::set<SourcePlace> m_breakpoints;
    std::optional<SourcePlace> m_runTo;
    // Set at a breakpoint's pause, so that going on runs its statement.
    bool m_passBreakpoint = false;
    bool m_pausedAtBreakpoint = false;
    StepObserver* m_observer = nullptr;
    std::optional<bool> m_lastCondition;
};

} // namespace kestrane
