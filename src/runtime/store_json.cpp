#include "runtime/store_json.h"

#include "runtime/construction_window.h"
#include "runtime/module_scene.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace kestrane {

namespace {

class JsonWriter {
public:
    std::string take() { return std::move(m_text); }

    void open(char bracket)
    {
        m_text += bracket;
        m_first = true;
    }
    void close(char bracket)
    {
        m_text += bracket;
        m_first = false;
    }
    // Starts the next element of an array or object, on its own line at the
    // outer levels so that diffs of expected files stay readable.
    void next()
    {
        if (!m_first)
            m_text += ", ";
        m_first = false;
    }
    // Starts the next element on a new line with the indent.
    void item(std::string_view indent)
    {
        if (!m_first)
            m_text += ',';
        m_text += indent;
        m_first = false;
    }
    void key(std::string_view name)
    {
        next();
        m_text += jsonString(name);
        m_text += ": ";
    }
    void raw(std::string_view text) { m_text += text; }
    void string(std::string_view text) { m_text += jsonString(text); }
    void number(const LongNum& value) { string(LongToDecimal(value)); }

private:
    std::string m_text;
    bool m_first = true;
};

void writeHeader(JsonWriter& json, const GeoObject& object)
{
    json.key("label");
    json.string(object.label);
    json.key("names");
    json.open('[');
    for (const NameBinding& binding : object.names) {
        json.next();
        json.open('[');
        json.next();
        json.string(binding.name);
        json.next();
        json.string(binding.scope);
        json.close(']');
    }
    json.close(']');
    json.key("visible");
    json.raw(object.visible ? "true" : "false");
    json.key("outOfView");
    json.raw(object.outOfView ? "true" : "false");
    json.key("showLabel");
    json.raw(object.showLabel ? "true" : "false");
    json.key("colour");
    json.raw(std::to_string(object.colour));
}

void writeNumbers(JsonWriter& json,
                  std::initializer_list<std::pair<std::string_view, const LongNum*>> numbers)
{
    for (const auto& [name, value] : numbers) {
        json.key(name);
        json.number(*value);
    }
}

template<class List, class Body>
void writeArray(JsonWriter& json, std::string_view name, const List& list, Body body)
{
    json.item("\n  ");
    json.string(name);
    json.raw(": ");
    json.open('[');
    for (const auto& record : list) {
        json.item("\n    ");
        json.open('{');
        body(json, *record);
        json.close('}');
    }
    json.close(']');
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
    json.key("vertices");
    json.open('[');
    for (const PolygonVertex& vertex : polygon.vertices) {
        json.next();
        json.open('[');
        for (const LongNum* value : {&vertex.x, &vertex.y, &vertex.z}) {
            json.next();
            json.number(*value);
        }
        json.close(']');
    }
    json.close(']');
    json.key("coloured");
    json.raw(polygon.coloured ? "true" : "false");
    json.key("baseColour");
    json.raw(std::to_string(polygon.baseColour));
    json.key("shadedColour");
    json.raw(std::to_string(polygon.shadedColour));
}

void writeTexts(JsonWriter& json, std::string_view name, const std::vector<TextLabel>& texts)
{
    json.item("\n  ");
    json.string(name);
    json.raw(": ");
    json.open('[');
    for (const TextLabel& text : texts) {
        json.item("\n    ");
        json.open('{');
        json.key("text");
        json.string(text.text);
        json.key("x");
        json.raw(std::to_string(text.x));
        json.key("y");
        json.raw(std::to_string(text.y));
        json.close('}');
    }
    json.close(']');
}

void writeMessages(JsonWriter& json, const std::vector<MessageRequest>& messages)
{
    json.item("\n  ");
    json.string("messages");
    json.raw(": ");
    json.open('[');
    for (const MessageRequest& message : messages) {
        json.item("\n    ");
        json.open('{');
        json.key("caption");
        json.string(message.caption);
        json.key("text");
        json.string(message.text);
        json.close('}');
    }
    json.close(']');
}

} // namespace

std::string jsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (char character : text) {
        auto byte = static_cast<unsigned char>(character);
        if (character == '"' || character == '\\') {
            quoted += '\\';
            quoted += character;
        } else if (character == '\n') {
            quoted += "\\n";
        } else if (character == '\r') {
            quoted += "\\r";
        } else if (character == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += character;
        }
    }
    return quoted + "\"";
}

std::string storeJson(const ConstructionWindow& window, const std::vector<MessageRequest>& messages)
{
    const ObjectStore& store = window.store();
    const PlaneFigures& figures = window.figures();
    JsonWriter json;
    json.open('{');
    json.item("\n  ");
    json.raw("\"module\": " + std::to_string(window.programModule()));
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
        out.key("text");
        out.string(text.text);
    });
    writeTexts(json, "labels", store.texts(TextArray::Labels));
    writeTexts(json, "titles", store.texts(TextArray::Titles));
    if (const ModuleScene* scene = window.state().scene()) {
        std::string sceneJson;
        scene->writeJson(sceneJson);
        json.raw(sceneJson);
    }
    writeMessages(json, messages);
    json.raw("\n");
    json.close('}');
    json.raw("\n");
    return json.take();
}

} // namespace kestrane
