// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/interpreter.h"

#include "geometry/plane_algorithms.h"
#include "platform/host.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "runtime/general_statements.h"
#include "runtime/module_scene.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"
#include "script/lexical.h"
#include "script/script_file.h"
#include "script/words.h"

#include <algorithm>

namespace kestrane {

namespace {

constexpr std::string_view kMainProcedure = "start";
constexpr std::size_t kStepLineLength = 78;
constexpr std::string_view kPressSpace = N_("Press space bar to continue.");

struct ChoicePrompt {
    int typeCode;
    std::string_view line1;
    std::string_view line2;
};

constexpr ChoicePrompt kChoicePrompts[] = {
    {type::kPoint, N_("choose point"), N_("click on a chosen point on screen")},
    {type::kLine, N_("choose line"), N_("Click on a point of chosen line")},
    {type::kSegment, N_("segment choice"), N_("Click on point of chosen segment")},
    {type::kCircle, N_("choose a circle"), N_("click on a point of chosen circle")},
    {type::kSphere, N_("choose a sphere"), N_("click on the outline of the chosen sphere")},
};

const ChoicePrompt* promptFor(int typeCode)
{
    for (const ChoicePrompt& prompt : kChoicePrompts) {
        if (prompt.typeCode == typeCode)
            return &prompt;
    }
    return nullptr;
}

std::string_view nameInside(std::string_view text)
{
    text = trimBlanks(text);
    while (!text.empty() && (text.front() == '(' || isBlank(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ')' || isBlank(text.back())))
        text.remove_suffix(1);
    return text;
}

} // namespace

Interpreter::Interpreter(ConstructionState& state, const ExecutorTable& executors)
    : m_state(state)
    , m_executors(executors)
{
}

// --- Procedures and frames -------------------------------------------------------

void Interpreter::indexProcedures(const ScriptFile& file)
{
    for (const auto& include : file.includes)
        indexProcedures(*include);
    // A procedure of the including file wins over one of the same name in
    // its includes.
    for (const ProcedureRecord& record : file.procedures)
        m_procedures[record.name] = ProcedureEntry{&file, &record};
}

std::optional<ProcFrame> Interpreter::makeFrame(const std::string& name,
                                                std::string returnTarget) const
{
    auto found = m_procedures.find(name);
    if (found == m_procedures.end())
        return {};
    const ProcedureRecord& record = *found->second.record;
    ProcFrame frame;
    frame.scope = name;
    frame.returnTarget = std::move(returnTarget);
    frame.text = found->second.file->normalisedText;
    frame.file = found->second.file;
    frame.procedure = &record;
    std::size_t open = frame.text.find('(', record.bodyStart);
    frame.parameterStart = open == std::string_view::npos ? record.bodyStart : open + 1;
    std::size_t close = frame.text.find(')', frame.parameterStart);
    frame.parameterEnd = close == std::string_view::npos ? frame.parameterStart : close;
    frame.bodyEnd = record.bodyEnd >= 3 ? record.bodyEnd - 3 : record.bodyEnd;
    frame.cursor = bodyStartOf(frame);
    return frame;
}

// The body is entered at the line after the header.
std::size_t Interpreter::bodyStartOf(const ProcFrame& frame) const
{
    return readLine(frame.text, frame.parameterEnd).next;
}

std::vector<FormalParameter> Interpreter::formalsOf(const ProcFrame& frame) const
{
    std::vector<FormalParameter> formals;
    std::string_view list =
        frame.text.substr(frame.parameterStart, frame.parameterEnd - frame.parameterStart);
    std::vector<std::string> parameters = splitArguments(list);
    for (std::size_t index = 0; index < parameters.size(); ++index) {
        std::string_view parameter = parameters[index];
        std::size_t blank = parameter.find_last_of(' ');
        FormalParameter formal;
        formal.name = std::string(
            trimBlanks(blank == std::string_view::npos ? parameter : parameter.substr(blank + 1)));
        const std::vector<int>& types = frame.procedure->parameterTypes;
        formal.typeCode = index < types.size()
                              ? types[index]
                              : lookUpWord(parameter.substr(0, blank), m_executorCode);
        formals.push_back(std::move(formal));
    }
    return formals;
}

// --- Starting and choosing -------------------------------------------------------

void Interpreter::start(const ScriptFile& main, int executorCode, RunMode mode)
{
    m_frames.clear();
    m_procedures.clear();
    m_lineIndexes.clear();
    m_passBreakpoint = false;
    m_pausedAtBreakpoint = false;
    m_pending.reset();
    m_breakDisplay = false;
    m_completed = false;
    m_mode = mode;
    m_executorCode = executorCode;
    indexProcedures(main);
    std::optional<ProcFrame> frame = makeFrame(std::string(kMainProcedure), {});
    if (!frame) {
        runTimeError(N_("There is no main procedure start()."));
        return;
    }
    m_frames.push_back(std::move(*frame));
    m_startFormals = formalsOf(m_frames.back());
    m_nextStartFormal = 0;
    askNextChoice();
}

// Binds the parameters of start one by one through choices on the screen.
void Interpreter::askNextChoice()
{
    if (m_nextStartFormal >= m_startFormals.size()) {
        afterStartBound();
        return;
    }
    const FormalParameter& formal = m_startFormals[m_nextStartFormal];
    if (const ChoicePrompt* prompt = promptFor(formal.typeCode)) {
        m_pending = PendingChoice{formal.typeCode, formal.name};
        m_state.showMessage(std::string(prompt->line1), std::string(prompt->line2));
        return;
    }
    std::string unchoosable =
        m_state.scene() ? m_state.scene()->unchoosableParameter(formal.typeCode) : std::string();
    if (!unchoosable.empty())
        runTimeError(std::move(unchoosable));
    else if (formal.typeCode == type::kPolygon)
        m_state.host().message(N_("Error"), std::string(runtime_message::kPolygonParameter));
    else if (formal.typeCode == type::kVector)
        m_state.host().message(N_("Blad"), std::string(runtime_message::kVectorParameter));
    else
        runTimeError(
            translate("Parameter '") + formal.name +
            translate("' of start(...) cannot be chosen on the screen. The program is stopped."));
    stop();
}

void Interpreter::promptPendingChoice()
{
    if (!m_pending)
        return;
    if (const ChoicePrompt* prompt = promptFor(m_pending->typeCode))
        m_state.showMessage(std::string(prompt->line1), std::string(prompt->line2));
}

void Interpreter::choose(GeoObject& object)
{
    if (!m_pending || m_frames.empty())
        return;
    object.bind(m_pending->name, m_frames.front().scope);
    m_pending.reset();
    ++m_nextStartFormal;
    askNextChoice();
}

void Interpreter::afterStartBound()
{
    m_pending.reset();
    switch (m_mode) {
    case RunMode::StepByStep:
        m_state.showMessage(std::string(kPressSpace), std::string(kPressSpace));
        break;
    case RunMode::Run:
        runWhileRunMode();
        break;
    default:
        m_state.showMessage(N_("press keyboard key 'space'"),
                            N_("Press space, to go to the next program line"));
        step();
        break;
    }
}

// --- Modes -------------------------------------------------------------------------

void Interpreter::runWhileRunMode()
{
    while (m_mode == RunMode::Run && running() && !m_pending) {
        // Only a run with breakpoints pays for finding its lines.
        if ((!m_breakpoints.empty() || m_runTo) && !m_passBreakpoint && stopsHere()) {
            pauseAtBreakpoint();
            return;
        }
        step();
    }
}

void Interpreter::showStepLine()
{
    const ProcFrame& frame = m_frames.back();
    LineSpan line = readLine(frame.text, skipBlanks(frame.text, frame.cursor));
    std::string text(
        frame.text.substr(line.line.start, std::min(line.line.length, kStepLineLength)));
    // The panel alternates the statement with what the run waits for next.
    m_state.showMessage(std::move(text), std::string(kPressSpace), message_code::kStep);
}

void Interpreter::pressSpace()
{
    if (m_pending) {
        m_state.host().message(std::string(runtime_message::kRunTimeCaption),
                               std::string(runtime_message::kChooseFirst), MessageButtons::Ok,
                               MessageIcon::Error);
        return;
    }
    if (!running()) {
        m_state.showMessage(N_("end of file"), N_("Press 'Text'"));
        m_mode = RunMode::Run;
        return;
    }
    switch (m_mode) {
    case RunMode::StepByStep:
        showStepLine();
        step();
        break;
    case RunMode::StepOver:
        // A call is run through: statements go on until start is current.
        showStepLine();
        step();
        while (running() && m_frames.size() > 1 && !m_pending && m_mode == RunMode::StepOver) {
            showStepLine();
            step();
        }
        break;
    case RunMode::Paused:
    case RunMode::Run:
        showStepLine();
        m_mode = RunMode::Run;
        runWhileRunMode();
        break;
    }
}

void Interpreter::stop()
{
    // As at a normal end, only the main procedure's names stay.
    for (std::size_t index = 1; index < m_frames.size(); ++index)
        dropScope(m_frames[index].scope);
    m_frames.clear();
    m_pending.reset();
}

// --- One statement ---------------------------------------------------------------

StepResult Interpreter::step()
{
    m_passBreakpoint = false;
    m_pausedAtBreakpoint = false;
    if (!m_observer)
        return executeStatement();
    return observedStep();
}

StepResult Interpreter::executeStatement()
{
    if (m_frames.empty())
        return StepResult::ProgramEnded;
    ProcFrame& frame = m_frames.back();
    if (frame.cursor + 1 >= frame.bodyEnd)
        return endProcedure();
    Statement statement = readStatement(frame.text, frame.cursor);
    frame.cursor = statement.next;
    CommandContext context{m_state, frame.scope, &frame.cursor, frame.text};
    if (m_executors.execute(m_executorCode, statement, context))
        return StepResult::Done;
    if (executeGeneralStatement(statement, context))
        return StepResult::Done;
    if (executeControl(statement))
        return StepResult::Done;
    executeUnhandled(statement);
    return StepResult::Done;
}

void Interpreter::dropScope(const std::string& scope)
{
    m_state.store().dropScope(scope);
    m_state.figures().dropScope(scope);
    if (ModuleScene* scene = m_state.scene())
        scene->dropScope(scope);
}

StepResult Interpreter::endProcedure()
{
    std::string scope = std::move(m_frames.back().scope);
    m_frames.pop_back();
    // The names of the main procedure stay on its objects when the program
    // ends, so that the finished construction can still be read by name.
    if (!m_frames.empty())
        dropScope(scope);
    m_pending.reset();
    if (!m_frames.empty())
        return StepResult::ProcedureEnded;
    m_completed = true;
    m_state.showMessage(std::string(runtime_message::kRunEnded),
                        std::string(runtime_message::kRunEnded));
    return StepResult::ProgramEnded;
}

bool Interpreter::executeControl(const Statement& statement)
{
    const std::string& word = statement.word;
    if (word == "if")
        executeIf(statement);
    else if (word == "return")
        executeReturn(statement);
    else if (word == "Break")
        executeBreak(statement);
    else if (word != "EndOfIf" && word != "StartIf")
        return false;
    return true;
}

namespace {

bool conditionHolds(std::string_view condition, const CommandContext& context)
{
    TextSpan word = readWord(condition, 0);
    std::string_view name = condition.substr(word.start, word.length);
    if (name == "TwoSides" || name == "OneSide" || name == "Between" || name == "NotBetween") {
        std::vector<std::string> arguments =
            splitArguments(nameInside(condition.substr(word.end())));
        if (arguments.size() < 3)
            return false;
        PointRec* second = findPoint(context, arguments[1]);
        PointRec* third = findPoint(context, arguments[2]);
        if (!second || !third)
            return false;
        if (name == "TwoSides" || name == "OneSide") {
            StraightRec* line = findStraight(context, arguments[0]);
            return line && (name == "TwoSides" ? twoSides(*line, *second, *third)
                                               : oneSide(*line, *second, *third));
        }
        PointRec* first = findPoint(context, arguments[0]);
        return first && (name == "Between" ? between(*first, *second, *third)
                                           : notBetween(*first, *second, *third));
    }
    std::size_t equals = condition.find("==");
    if (equals == std::string_view::npos)
        return false;
    PointRec* first = findPoint(context, trimBlanks(condition.substr(0, equals)));
    PointRec* second = findPoint(context, trimBlanks(condition.substr(equals + 2)));
    return first && second && pointsEqual(*first, *second);
}

} // namespace

// if CONDITION then [StartIf]: a failing condition with StartIf jumps past
// the next EndOfIf (blocks do not nest).
void Interpreter::executeIf(const Statement& statement)
{
    ProcFrame& frame = m_frames.back();
    std::string_view line = statement.line;
    std::size_t ifAt = findWord(line, "if", 0, line.size());
    std::size_t thenAt = findWord(line, "then", ifAt + 2, line.size());
    if (ifAt == std::string_view::npos || thenAt == std::string_view::npos)
        return;
    CommandContext context{m_state, frame.scope};
    std::string_view condition = trimBlanks(line.substr(ifAt + 2, thenAt - ifAt - 2));
    bool holds = conditionHolds(condition, context);
    m_lastCondition = holds;
    frame.lastCondition = ConditionOutcome{std::string(condition), holds, statement.start, 0};
    // StartIf may follow on the same line or, as the compiler admits, after
    // line ends.
    std::size_t afterThen = statement.start + thenAt + 4;
    std::size_t next = afterThen;
    while (next < frame.text.size() && (isBlank(frame.text[next]) || isLineBreak(frame.text[next])))
        ++next;
    bool startsBlock = frame.text.substr(next).starts_with("StartIf") &&
                       findWord(frame.text, "StartIf", next, next + 1) == next;
    if (holds || !startsBlock)
        return;
    std::size_t end = findWord(frame.text, "EndOfIf", next + 7, frame.text.size());
    if (end == std::string_view::npos) {
        frame.cursor = frame.bodyEnd;
        return;
    }
    std::size_t after = end + 7;
    while (after < frame.text.size() &&
           (isBlank(frame.text[after]) || isLineBreak(frame.text[after])))
        ++after;
    frame.cursor = after;
}

// return x binds x to the caller's target in the caller's scope; the
// procedure goes on to its END.
void Interpreter::executeReturn(const Statement& statement)
{
    const ProcFrame& frame = m_frames.back();
    if (frame.returnTarget.empty() || m_frames.size() < 2)
        return;
    CommandContext context{m_state, frame.scope};
    std::string_view name = nameInside(statement.rest);
    int typeCode = frame.procedure->typeCode;
    GeoObject* object = findByType(context, typeCode, name);
    if (!object && (typeCode == type::kNone || typeCode == type::kVoid))
        object = findAny(context, name);
    if (object)
        object->bind(frame.returnTarget, m_frames[m_frames.size() - 2].scope);
}

void Interpreter::executeBreak(const Statement& statement)
{
    if (m_mode != RunMode::Run)
        return;
    m_mode = RunMode::Paused;
    std::vector<std::string> arguments = statement.arguments();
    m_breakDisplay = arguments.empty() || integerArgument(arguments[0]) != 0;
    // The panel says what the paused program waits for.
    m_state.showMessage(std::string(kPressSpace), std::string(kPressSpace));
}

// --- Words no executor handled -------------------------------------------------

void Interpreter::executeUnhandled(const Statement& statement)
{
    if (isDecimalLiteral(statement.word) && trimBlanks(statement.rest).empty()) {
        makeDecimalDistance(statement);
        return;
    }
    if (executeDistanceArithmetic(statement))
        return;
    call(statement);
}

// d = 1234.5678: every digit that fits the number is kept.
void Interpreter::makeDecimalDistance(const Statement& statement)
{
    const std::string& word = statement.word;
    std::size_t point = word.find('.');
    std::size_t integerDigits = point == std::string::npos ? word.size() : point;
    std::size_t firstDigit = word.find_first_not_of('0');
    std::size_t significant = firstDigit == std::string::npos || firstDigit >= integerDigits
                                  ? 0
                                  : integerDigits - firstDigit;
    if (significant > static_cast<std::size_t>(3 * longIntegerWords())) {
        runTimeError(translate("The number ") + word + translate(" is too large for a distance."));
        return;
    }
    CommandContext context{m_state, m_frames.back().scope};
    bindTarget(m_state.store().makeDistance(LongFromText(word)), statement.target, context);
}

// e = a+b, a-b, a*b or a/b with two distances of the scope. When a is no
// distance the statement is taken as a procedure call.
bool Interpreter::executeDistanceArithmetic(const Statement& statement)
{
    CommandContext context{m_state, m_frames.back().scope};
    std::string_view rest = trimBlanks(statement.rest);
    if (rest.empty() || std::string_view("+-*/").find(rest.front()) == std::string_view::npos)
        return false;
    DistanceRec* first = findDistance(context, statement.word);
    if (!first)
        return false;
    DistanceRec* second = findDistance(context, trimBlanks(rest.substr(1)));
    if (!second)
        return true;
    LongNum value;
    switch (rest.front()) {
    case '+':
        LongAdd(first->value, second->value, value);
        break;
    case '-':
        LongSub(first->value, second->value, value);
        break;
    case '*':
        LongMul(first->value, second->value, value);
        break;
    default:
        LongDiv(first->value, second->value, value);
        break;
    }
    bindTarget(m_state.store().makeDistance(value), statement.target, context);
    return true;
}

// A call binds each formal parameter to the object of its type that the
// actual argument names in the caller's scope.
void Interpreter::call(const Statement& statement)
{
    if (m_frames.size() >= kMaxCallDepth) {
        runTimeError(std::string(runtime_message::kTooManyCalls));
        stop();
        return;
    }
    std::string name = statement.word;
    if (!trimBlanks(statement.rest).empty() && !trimBlanks(statement.rest).starts_with('('))
        name += std::string(trimBlanks(statement.rest));
    std::optional<ProcFrame> frame = makeFrame(name, statement.target);
    if (!frame) {
        runTimeError(translate("There is no procedure '") + name + "'.");
        return;
    }
    std::string callerScope = m_frames.back().scope;
    std::vector<FormalParameter> formals = formalsOf(*frame);
    std::vector<std::string> actuals = statement.arguments();
    CommandContext callerContext{m_state, callerScope};
    for (std::size_t index = 0; index < formals.size() && index < actuals.size(); ++index) {
        if (GeoObject* object = findByType(callerContext, formals[index].typeCode, actuals[index]))
            object->bind(formals[index].name, frame->scope);
    }
    m_frames.push_back(std::move(*frame));
}

void Interpreter::runTimeError(std::string text)
{
    m_state.host().message(std::string(runtime_message::kRunTimeCaption), std::move(text),
                           MessageButtons::OkCancel, MessageIcon::Error);
}

// --- Places, breakpoints and stepping commands -----------------------------

// The editor hands a program over without its normalised lines, so they are
// found again from the source lines, as the compiler found them.
const Interpreter::LineIndex& Interpreter::lineIndex(const ScriptFile& file) const
{
    auto [entry, made] = m_lineIndexes.try_emplace(&file);
    LineIndex& index = entry->second;
    if (!made)
        return index;
    std::size_t offset = 0;
    auto add = [&](int sourceLine, std::size_t length) {
        index.starts.push_back(offset);
        index.sourceLines.push_back(sourceLine);
        offset += length + 2; // the CR LF between lines
    };
    if (!file.normalisedLines.empty()) {
        for (const NormalisedLine& line : file.normalisedLines)
            add(line.sourceLine, line.text.size());
        return index;
    }
    for (const SourceLine& line : file.lines) {
        std::string normalised = normaliseLine(line.text());
        if (!normalised.empty())
            add(line.number, normalised.size());
    }
    return index;
}

SourcePlace Interpreter::placeAt(const ProcFrame& frame, std::size_t offset) const
{
    SourcePlace place{frame.file, 0};
    if (!frame.file)
        return place;
    const LineIndex& index = lineIndex(*frame.file);
    if (index.starts.empty())
        return place;
    auto after = std::upper_bound(index.starts.begin(), index.starts.end(), offset);
    std::size_t line = static_cast<std::size_t>(after - index.starts.begin()) - 1;
    place.line = index.sourceLines[line];
    return place;
}

SourcePlace Interpreter::placeOf(const ProcFrame& frame) const
{
    // A body that is done stands at its END.
    if (frame.cursor + 1 >= frame.bodyEnd)
        return placeAt(frame, frame.bodyEnd);
    return placeAt(frame, skipBlanks(frame.text, frame.cursor));
}

std::vector<StackEntry> Interpreter::callStack() const
{
    std::vector<StackEntry> stack;
    for (std::size_t index = m_frames.size(); index-- > 0;) {
        const ProcFrame& frame = m_frames[index];
        bool innermost = index + 1 == m_frames.size();
        // A caller's cursor is already past its call: one back is the call.
        SourcePlace place =
            innermost || frame.cursor == 0 ? placeOf(frame) : placeAt(frame, frame.cursor - 1);
        stack.push_back({frame.scope, place, frame.lastCondition});
        if (stack.back().condition)
            stack.back().condition->line = placeAt(frame, frame.lastCondition->offset).line;
    }
    return stack;
}

std::optional<SourcePlace> Interpreter::nextPlace() const
{
    if (m_frames.empty())
        return {};
    return placeOf(m_frames.back());
}

bool Interpreter::stopsHere() const
{
    std::optional<SourcePlace> place = nextPlace();
    return place && (m_breakpoints.contains(*place) || place == m_runTo);
}

void Interpreter::pauseAtBreakpoint()
{
    if (nextPlace() == m_runTo)
        m_runTo.reset();
    m_mode = RunMode::Paused;
    m_breakDisplay = true;
    m_passBreakpoint = true;
    m_pausedAtBreakpoint = true;
    m_state.showMessage(std::string(kPressSpace), std::string(kPressSpace));
}

template<class Done>
void Interpreter::runUntil(Done done)
{
    if (!paused())
        return;
    showStepLine();
    m_mode = RunMode::Run;
    step();
    while (running() && !m_pending && m_mode == RunMode::Run) {
        if (done()) {
            m_mode = RunMode::StepByStep;
            return;
        }
        if ((!m_breakpoints.empty() || m_runTo) && stopsHere()) {
            pauseAtBreakpoint();
            return;
        }
        step();
    }
}

void Interpreter::stepInto()
{
    runUntil([] { return true; });
}

void Interpreter::stepOver()
{
    std::size_t depth = m_frames.size();
    runUntil([this, depth] { return m_frames.size() <= depth; });
}

void Interpreter::stepOut()
{
    std::size_t depth = m_frames.size();
    runUntil([this, depth] { return m_frames.size() < depth; });
}

void Interpreter::resume()
{
    runUntil([] { return false; });
}

// The statement is read twice only while a trace watches.
StepResult Interpreter::observedStep()
{
    if (m_frames.empty())
        return StepResult::ProgramEnded;
    const ProcFrame& frame = m_frames.back();
    if (frame.cursor + 1 >= frame.bodyEnd)
        return executeStatement();
    ExecutedStatement executed;
    executed.place = placeOf(frame);
    executed.procedure = frame.scope;
    executed.depth = m_frames.size();
    Statement statement = readStatement(frame.text, frame.cursor);
    executed.line = statement.line;
    if (statement.word == "return") {
        if (m_frames.size() > 1 && !frame.returnTarget.empty()) {
            executed.target = frame.returnTarget;
            executed.targetScope = m_frames[m_frames.size() - 2].scope;
        }
    } else {
        executed.target = statement.target;
        executed.targetScope = frame.scope;
    }
    m_lastCondition.reset();
    m_observer->beforeStatement(executed);
    StepResult result = executeStatement();
    // A call binds its target only when the procedure returns.
    if (m_frames.size() > executed.depth)
        executed.target.clear();
    executed.condition = m_lastCondition;
    if (m_observer)
        m_observer->afterStatement(executed);
    return result;
}

} // namespace kestrane
