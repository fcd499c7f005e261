// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/store_json.h"

#include "runtime/construction_window.h"
#include "runtime/module_scene.h"

#include <initializer_list>
#include <utility>

namespace kestrane {

namespace {

void writeHeader(JsonWriter& json, const GeoObject& object)
{
    json.key("label").string(object.label);
    json.key("names").beginArray();
    for (const NameBinding& binding : object.names)
        json.beginArray().string(binding.name).string(binding.scope).endArray();
    json.endArray();
    json.key("visible").boolean(object.visible);
    json.key("outOfView").boolean(object.outOfView);
    json.key("showLabel").boolean(object.showLabel);
    json.key("colour").number(object.colour);
}

void writeNumbers(JsonWriter& json,
                  std::initializer_list<std::pair<std::string_view, const LongNum*>> numbers)
{
    for (const auto& [name, value] : numbers)
        json.key(name).string(LongToDecimal(*value));
}

template<class List, class Body>
void writeArray(JsonWriter& json, std::string_view name, const List& list, Body body)
{
    json.key(name).beginArray();
    for (const auto& record : list) {
        json.beginObject();
        body(json, *record);
        json.endObject();
    }
    json.endArray();
}

void writeStraight(JsonWriter& json, const StraightRec& straight)
{
    writeHeader(json, straight);
    writeNumbers(json, {{"x1", &straight.x1},
                        {"y1", &straight.y1},
                        {"x2", &straight.x2},
                        {"y2", &straight.y2},
                        {"ux", &straight.ux},
                        {"uy", &straight.uy}});
}

void writePolygon(JsonWriter& json, const PolygonRec& polygon)
{
    writeHeader(json, polygon);
    json.key("vertices").beginArray();
    for (const PolygonVertex& vertex : polygon.vertices) {
        json.beginArray();
        for (const LongNum* value : {&vertex.x, &vertex.y, &vertex.z})
            json.string(LongToDecimal(*value));
        json.endArray();
    }
    json.endArray();
    json.key("coloured").boolean(polygon.coloured);
    json.key("baseColour").number(polygon.baseColour);
    json.key("shadedColour").number(polygon.shadedColour);
}

void writeTexts(JsonWriter& json, std::string_view name, const std::vector<TextLabel>& texts)
{
    json.key(name).beginArray();
    for (const TextLabel& text : texts) {
        json.beginObject();
        json.key("text").string(text.text).key("x").number(text.x).key("y").number(text.y);
        json.endObject();
    }
    json.endArray();
}

void writeMessages(JsonWriter& json, const std::vector<MessageRequest>& messages)
{
    json.key("messages").beginArray();
    for (const MessageRequest& message : messages) {
        json.beginObject();
        json.key("caption").string(message.caption).key("text").string(message.text);
        json.endObject();
    }
    json.endArray();
}

} // namespace

std::string storeJson(const ConstructionWindow& window, const std::vector<MessageRequest>& messages,
                      RunOutcome outcome, std::string_view extraMembers)
{
    const ObjectStore& store = window.store();
    const PlaneFigures& figures = window.figures();
    JsonWriter json;
    json.beginObject();
    if (outcome == RunOutcome::Stopped)
        json.key("result").null();
    json.key("module").number(window.programModule());
    writeArray(json, "points", store.points(), [](JsonWriter& out, const PointRec& point) {
        writeHeader(out, point);
        writeNumbers(out, {{"x", &point.x}, {"y", &point.y}, {"z", &point.z}});
    });
    writeArray(json, "lines", store.lines(), writeStraight);
    writeArray(json, "segments", store.segments(), writeStraight);
    writeArray(json, "halfLines", store.halfLines(), writeStraight);
    writeArray(json, "circles", store.circles(), [](JsonWriter& out, const CircleRec& circle) {
        writeHeader(out, circle);
        writeNumbers(out,
                     {{"cx", &circle.centreX}, {"cy", &circle.centreY}, {"r", &circle.radius}});
    });
    writeArray(json, "distances", store.distances(),
               [](JsonWriter& out, const DistanceRec& distance) {
                   writeHeader(out, distance);
                   writeNumbers(out, {{"value", &distance.value}});
               });
    writeArray(json, "polygons", figures.polygons(), writePolygon);
    writeArray(json, "vectors", figures.vectors(), [](JsonWriter& out, const VectorRec& vector) {
        writeHeader(out, vector);
        writeNumbers(out, {{"dx", &vector.dx}, {"dy", &vector.dy}, {"dz", &vector.dz}});
    });
    writeArray(json, "strings", figures.strings(), [](JsonWriter& out, const StringRec& text) {
        writeHeader(out, text);
        out.key("text").string(text.text);
    });
    writeTexts(json, "labels", store.texts(TextArray::Labels));
    writeTexts(json, "titles", store.texts(TextArray::Titles));
    if (const ModuleScene* scene = window.state().scene())
        scene->writeJson(json);
    if (!extraMembers.empty())
        json.raw(extraMembers);
    writeMessages(json, messages);
    return json.endObject().take() + '\n';
}

} // namespace kestrane
