// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/statement_trace.h"

#include "platform/json_writer.h"
#include "runtime/construction_state.h"

namespace kestrane {

StatementTrace::StatementTrace(ConstructionState& state, TraceFileName fileName, Sink sink)
    : m_state(state)
    , m_fileName(std::move(fileName))
    , m_sink(std::move(sink))
{
}

void StatementTrace::beforeStatement(const ExecutedStatement& statement)
{
    m_changes.begin(m_state);
    m_changes.watchScene(m_state, statement.procedure);
}

void StatementTrace::afterStatement(const ExecutedStatement& statement)
{
    JsonWriter json;
    json.beginObject();
    json.key("file").string(m_fileName(statement.place.file));
    json.key("line").number(statement.place.line + 1);
    json.key("procedure").string(statement.procedure);
    json.key("depth").number(statement.depth);
    json.key("statement").string(statement.line);
    json.key("names").beginArray();
    for (const WatchValue& value : m_changes.namedValues(m_state, statement.procedure,
                                                         statement.target, statement.targetScope))
        writeWatchValue(json, value);
    json.endArray();
    if (statement.condition)
        json.key("condition").boolean(*statement.condition);
    json.endObject();
    m_sink(json.text());
}

void writeWatchValue(JsonWriter& json, const WatchValue& value)
{
    json.beginObject();
    json.key("name").string(value.name);
    json.key("kind").string(value.kindName);
    if (!value.scope.empty())
        json.key("scope").string(value.scope);
    json.key("shown").string(value.text);
    for (const WatchField& field : value.fields)
        json.key(field.key).string(field.value);
    json.endObject();
}

std::string pausedJsonMembers(const Interpreter& interpreter, const ConstructionState& state,
                              const TraceFileName& fileName)
{
    JsonWriter json;
    json.beginObject();
    json.key("paused").beginObject();
    std::vector<StackEntry> stack = interpreter.callStack();
    if (!stack.empty()) {
        json.key("file").string(fileName(stack.front().place.file));
        json.key("line").number(stack.front().place.line + 1);
        json.key("procedure").string(stack.front().procedure);
    }
    json.key("stack").beginArray();
    for (const StackEntry& entry : stack) {
        json.beginObject();
        json.key("procedure").string(entry.procedure);
        json.key("file").string(fileName(entry.place.file));
        json.key("line").number(entry.place.line + 1);
        json.endObject();
    }
    json.endArray();
    json.key("names").beginArray();
    if (!stack.empty()) {
        for (const WatchValue& value : watchScope(state, stack.front().procedure))
            writeWatchValue(json, value);
    }
    json.endArray();
    if (!stack.empty() && stack.front().condition) {
        const ConditionOutcome& condition = *stack.front().condition;
        json.key("condition").beginObject();
        json.key("text").string(condition.text).key("holds").boolean(condition.holds);
        json.key("line").number(condition.line + 1).endObject();
    }
    json.endObject();
    json.endObject();
    // The members alone, to go into another object.
    std::string text = json.take();
    return text.substr(1, text.size() - 2);
}

} // namespace kestrane
