// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/interpreter.h"
#include "runtime/step_changes.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrane {

class ConstructionState;
class JsonWriter;

// How a trace names a script file: the main file as the user gave it, an
// include as its #include line names it.
using TraceFileName = std::function<std::string(const ScriptFile*)>;

// Writes a trace of a run, one JSON object a line per executed statement:
// {"file", "line" (from 1), "procedure", "depth" (1 in start), "statement",
// "names" (the names it made or changed with their values), and "condition"
// (true or false) for an `if`}.
class StatementTrace final : public StepObserver {
public:
    using Sink = std::function<void(const std::string& line)>;

    StatementTrace(ConstructionState& state, TraceFileName fileName, Sink sink);

    void beforeStatement(const ExecutedStatement& statement) override;
    void afterStatement(const ExecutedStatement& statement) override;

private:
    ConstructionState& m_state;
    TraceFileName m_fileName;
    Sink m_sink;
    StepChanges m_changes;
};

// A value as {"name", "kind", "scope" (only when the name is the caller's),
// "shown" (the text people read), then its fields under the keys of the
// run's JSON}.
void writeWatchValue(JsonWriter& json, const WatchValue& value);

// Where a paused program stands, as the members of a JSON object (no
// braces): "paused": {"file", "line", "procedure", "stack" ([{"procedure",
// "file", "line"}], the innermost first), "names" (every name of the
// innermost procedure with its value), "condition" ({"text", "holds",
// "line"}: the innermost procedure's last `if`, when it ran one)}.
std::string pausedJsonMembers(const Interpreter& interpreter, const ConstructionState& state,
                              const TraceFileName& fileName);

} // namespace kestrane
