// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/figure_program.h"

#include "geometry/plane_algorithms.h"
#include "numbers/long_num.h"
#include "runtime/colour_value.h"
#include "runtime/plane_figures.h"
#include "script/words.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <unordered_set>

namespace kestrane {

namespace {

constexpr std::string_view kNewLine = "\r\n";
// How far, in pixels, an object may pass from a point for its intersections
// to be tried as the point's construction; the exact test follows.
constexpr double kNearby = 0.05;
constexpr int kKestraneModule = 501;

class QuietLongNumbers {
public:
    QuietLongNumbers() : m_host(longNumHost()) { setLongNumHost(nullptr); }
    ~QuietLongNumbers() { setLongNumHost(m_host); }
    QuietLongNumbers(const QuietLongNumbers&) = delete;
    QuietLongNumbers& operator=(const QuietLongNumbers&) = delete;

private:
    Host* m_host;
};

bool isWhole(const LongNum& number)
{
    return !LongHasFraction(number);
}

// The number as the shortest decimal text that reads back to every digit:
// "-12" for a whole number, "12.625" otherwise. A negative zero keeps its
// sign ("-0.0"), as the store does.
std::string numberText(const LongNum& number)
{
    std::string text = LongToDecimal(number);
    std::size_t point = text.find('.');
    if (point == std::string::npos)
        return text;
    std::size_t last = text.find_last_not_of('0');
    text.erase(last == point ? point : last + 1);
    return text == "-0" ? "-0.0" : text;
}

bool samePosition(const LongNum& x, const LongNum& y, const LongNum& otherX, const LongNum& otherY)
{
    // Zero may carry either sign; the digits decide.
    auto same = [](const LongNum& a, const LongNum& b) {
        if (LongIsZero(a) && LongIsZero(b))
            return true;
        return a == b;
    };
    return same(x, otherX) && same(y, otherY);
}

// A label that can serve as the variable: a name of letters and digits that
// is no word of the language.
bool isIdentifier(std::string_view text)
{
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])) ||
        lookUpWord(text, kKestraneModule) != 0)
        return false;
    for (char character : text) {
        if (!std::isalnum(static_cast<unsigned char>(character)))
            return false;
    }
    return true;
}

// The texts the language can write as `$` constants: letters, digits,
// spaces, a point and a few signs. The blanks at either end would be lost
// between the arguments, so such texts are not writable.
bool isWritableText(std::string_view text)
{
    return !text.empty() && text.front() != ' ' && text.back() != ' ' &&
           std::all_of(text.begin(), text.end(), [](char character) {
               return std::isalnum(static_cast<unsigned char>(character)) ||
                      std::string_view(" #%=+-*.").find(character) != std::string_view::npos;
           });
}

// The number of a line or half-line label ("L7"): both kinds share one pool,
// so the numbers give the order they were made in.
int labelNumber(const GeoObject& object)
{
    if (object.label.size() < 2 || object.label[0] != 'L')
        return 0;
    int number = 0;
    for (char character : std::string_view(object.label).substr(1)) {
        if (!std::isdigit(static_cast<unsigned char>(character)))
            return 0;
        number = number * 10 + (character - '0');
    }
    return number;
}

double distanceToLine(const StraightRec& line, const PointRec& point)
{
    double dx = line.floats.second.x - line.floats.first.x;
    double dy = line.floats.second.y - line.floats.first.y;
    double length = std::hypot(dx, dy);
    if (length == 0)
        return INFINITY;
    return std::fabs((point.floats.x - line.floats.first.x) * dy -
                     (point.floats.y - line.floats.first.y) * dx) /
           length;
}

double distanceToCircle(const CircleRec& circle, const PointRec& point)
{
    return std::fabs(std::hypot(point.floats.x - circle.floats.centre.x,
                                point.floats.y - circle.floats.centre.y) -
                     circle.floats.radius);
}

class ProgramWriter {
public:
    ProgramWriter(const ObjectStore& store, const PlaneFigures& figures)
        : m_store(store)
        , m_figures(figures)
    {
        const auto& lines = store.lines();
        const auto& halfLines = store.halfLines();
        std::size_t line = 0;
        std::size_t halfLine = 0;
        while (line < lines.size() || halfLine < halfLines.size()) {
            bool takeLine = halfLine == halfLines.size() ||
                            (line < lines.size() &&
                             labelNumber(*lines[line]) <= labelNumber(*halfLines[halfLine]));
            m_lineOrder.push_back(takeLine ? static_cast<const StraightRec*>(lines[line++].get())
                                           : halfLines[halfLine++].get());
        }
        for (const auto& segment : store.segments())
            m_segmentOrder.push_back(segment.get());
    }

    std::string write();

private:
    // One construction of an intersection point: the command and its
    // arguments.
    struct Construction {
        std::string command;
        const GeoObject* first = nullptr;
        const GeoObject* second = nullptr;
        int solution = 0;
    };

    bool ensurePoint(std::size_t index);
    // Straight objects in the order they are made: lines and half-lines
    // merged by label number, then segments.
    bool ensureStraight(const std::vector<const StraightRec*>& list, std::size_t& done,
                        std::size_t index);
    bool ensureCircle(std::size_t index);
    void emitAll();

    std::optional<Construction> intersectionOf(const PointRec& point);
    std::string pointAt(const LongNum& x, const LongNum& y);
    bool ensureParent(const GeoObject* parent);
    std::string variableFor(const GeoObject& object, std::string_view prefix, std::size_t index);
    void line(std::string text) { m_body += text + std::string(kNewLine); }
    void labelSettings(const GeoObject& object, const std::string& variable);
    void removeHelpers();
    void writeDistances();
    void writeFigures();
    void writeTexts();
    void writeUnsaved();

    const ObjectStore& m_store;
    const PlaneFigures& m_figures;
    std::string m_body;
    std::map<const GeoObject*, std::string> m_names;
    std::unordered_set<std::string> m_usedNames;
    std::set<const GeoObject*> m_inProgress;
    std::set<const GeoObject*> m_unsaved;
    std::vector<std::string> m_helpers;
    std::size_t m_helperCount = 0;
    std::size_t m_points = 0;
    std::vector<const StraightRec*> m_lineOrder;
    std::vector<const StraightRec*> m_segmentOrder;
    std::size_t m_lines = 0;
    std::size_t m_segments = 0;
    std::size_t m_circles = 0;
};

std::string ProgramWriter::variableFor(const GeoObject& object, std::string_view prefix,
                                       std::size_t index)
{
    std::string name = isIdentifier(object.label) && !m_usedNames.contains(object.label)
                           ? object.label
                           : std::string(prefix) + std::to_string(index + 1);
    while (m_usedNames.contains(name))
        name += "x";
    m_usedNames.insert(name);
    m_names[&object] = name;
    return name;
}

// The label is set whatever the object would be given: the pools count
// differently in a program (its points are made before the objects through
// them), and a label freed by a deletion is not given again.
void ProgramWriter::labelSettings(const GeoObject& object, const std::string& variable)
{
    if (isWritableText(object.label))
        line("SetName(" + variable + ",$" + object.label + ")");
    if (!object.showLabel)
        line("name(" + variable + ")=no");
    if (object.colour == kButtonFaceColour) {
        line("Color(" + variable + ")=silver");
    } else if (object.colour != 0) {
        line("Color(" + variable + ")=RGB(" + std::to_string(redOf(object.colour)) + "," +
             std::to_string(greenOf(object.colour)) + "," + std::to_string(blueOf(object.colour)) +
             ")");
    }
}

// The intersection of two straight objects, of a circle and a straight
// object, or of two circles whose exact result is the point; the earliest
// objects first.
std::optional<ProgramWriter::Construction> ProgramWriter::intersectionOf(const PointRec& point)
{
    QuietLongNumbers quiet;
    auto usable = [this](const GeoObject& object) {
        return !m_inProgress.contains(&object) && !m_unsaved.contains(&object);
    };
    std::vector<const StraightRec*> straights;
    for (const std::vector<const StraightRec*>* list : {&m_lineOrder, &m_segmentOrder}) {
        for (const StraightRec* candidate : *list) {
            if (usable(*candidate) && distanceToLine(*candidate, point) < kNearby)
                straights.push_back(candidate);
        }
    }
    std::vector<const CircleRec*> circles;
    for (const auto& candidate : m_store.circles()) {
        if (usable(*candidate) && distanceToCircle(*candidate, point) < kNearby)
            circles.push_back(candidate.get());
    }
    auto matches = [&point](const std::optional<LongPlanePoint>& found) {
        return found && samePosition(found->x, found->y, point.x, point.y);
    };
    // The mouse intersects the new object with the older ones, so both
    // orders are tried: the last digits depend on the order. The command
    // takes every straight object as its whole line, which gives the same
    // digits as the mouse's test of segments and half-lines.
    for (std::size_t first = 0; first < straights.size(); ++first) {
        for (std::size_t second = 0; second < straights.size(); ++second) {
            if (first != second &&
                matches(intersectStraight(*straights[first], StraightKind::Line,
                                          *straights[second], StraightKind::Line)))
                return Construction{"Inters2Lin", straights[first], straights[second], 0};
        }
    }
    for (const CircleRec* circle : circles) {
        for (const StraightRec* straight : straights) {
            for (Solution solution : {Solution::First, Solution::Second}) {
                if (matches(intersectCircleLine(*circle, *straight, solution)))
                    return Construction{"IntersCircLin", circle, straight,
                                        static_cast<int>(solution)};
            }
        }
    }
    for (std::size_t first = 0; first < circles.size(); ++first) {
        for (std::size_t second = 0; second < circles.size(); ++second) {
            for (Solution solution : {Solution::First, Solution::Second}) {
                if (first != second &&
                    matches(intersectCircles(*circles[first], *circles[second], solution)))
                    return Construction{"Inters2Circ", circles[first], circles[second],
                                        static_cast<int>(solution)};
            }
        }
    }
    return {};
}

bool ProgramWriter::ensureParent(const GeoObject* parent)
{
    for (std::size_t at = 0; at < m_lineOrder.size(); ++at) {
        if (m_lineOrder[at] == parent)
            return ensureStraight(m_lineOrder, m_lines, at);
    }
    for (std::size_t at = 0; at < m_segmentOrder.size(); ++at) {
        if (m_segmentOrder[at] == parent)
            return ensureStraight(m_segmentOrder, m_segments, at);
    }
    for (std::size_t at = 0; at < m_store.circles().size(); ++at) {
        if (m_store.circles()[at].get() == parent)
            return ensureCircle(at);
    }
    return false;
}

// Points with whole coordinates as the mouse makes them, intersections by
// the command that gives their digits, any other point (one a program
// made) as a free point with its full coordinates.
bool ProgramWriter::ensurePoint(std::size_t index)
{
    while (m_points <= index) {
        const PointRec& point = *m_store.points()[m_points];
        std::size_t position = m_points++;
        if (!LongIsZero(point.z)) {
            m_unsaved.insert(&point);
            continue;
        }
        std::optional<Construction> construction;
        if (!isWhole(point.x) || !isWhole(point.y)) {
            m_inProgress.insert(&point);
            construction = intersectionOf(point);
            if (construction &&
                !(ensureParent(construction->first) && ensureParent(construction->second)))
                construction.reset();
            m_inProgress.erase(&point);
        }
        std::string variable = variableFor(point, "P", position);
        if (construction) {
            std::string call = construction->command + "(" + m_names[construction->first] + "," +
                               m_names[construction->second];
            if (construction->solution != 0)
                call += ',' + std::to_string(construction->solution);
            line("// point " + point.label + ", an intersection");
            line(variable + "=" + call + ")");
        } else {
            line("// point " + point.label);
            line(variable + "=point(" + numberText(point.x) + "," + numberText(point.y) + ")");
        }
        labelSettings(point, variable);
    }
    return !m_unsaved.contains(m_store.points()[index].get());
}

// A variable for a point with these coordinates: a saved point, else a
// helper point that is removed again once the object through it is made.
std::string ProgramWriter::pointAt(const LongNum& x, const LongNum& y)
{
    // Only points before the one being made: an object never stands on a
    // point made after it.
    const auto& points = m_store.points();
    for (std::size_t index = 0; index < m_points; ++index) {
        const PointRec& point = *points[index];
        auto name = m_names.find(&point);
        if (name != m_names.end() && samePosition(point.x, point.y, x, y))
            return name->second;
    }
    std::string helper = "help" + std::to_string(++m_helperCount);
    while (m_usedNames.contains(helper))
        helper += "x";
    m_usedNames.insert(helper);
    m_helpers.push_back(helper);
    line(helper + "=point(" + numberText(x) + "," + numberText(y) + ")");
    return helper;
}

void ProgramWriter::removeHelpers()
{
    for (const std::string& helper : m_helpers)
        line("RemovePoint(" + helper + ")");
    m_helpers.clear();
}

bool ProgramWriter::ensureStraight(const std::vector<const StraightRec*>& list, std::size_t& done,
                                   std::size_t index)
{
    while (done <= index) {
        const StraightRec& straight = *list[done];
        std::size_t position = done++;
        std::string_view command = straight.kind == StraightKind::Line      ? "line"
                                   : straight.kind == StraightKind::Segment ? "segment"
                                                                            : "HalfLine";
        line(std::string("// ").append(command) + " " + straight.label);
        std::string first = pointAt(straight.x1, straight.y1);
        std::string second = pointAt(straight.x2, straight.y2);
        // A segment orders its ends by x; on equal x the second given end
        // comes first, so the ends are given the other way round.
        if (straight.kind == StraightKind::Segment && straight.x1 == straight.x2)
            std::swap(first, second);
        std::string variable =
            variableFor(straight, straight.kind == StraightKind::Segment ? "s" : "L", position);
        line(variable + "=" + std::string(command) + "(" + first + "," + second + ")");
        removeHelpers();
        labelSettings(straight, variable);
    }
    return !m_unsaved.contains(list[index]);
}

// The x of a point level with the centre at which the circle's radius comes
// out exactly: its own point first, then a few neighbours in the last digit
// (a radius given as a distance need not be the root of its own square).
std::optional<LongNum> pointGivingRadius(const CircleRec& circle)
{
    QuietLongNumbers quiet;
    auto exact = [&circle](const LongNum& x) {
        return distanceBetween(circle.centreX, circle.centreY, circle.centreZ, x, circle.pointY,
                               circle.pointZ) == circle.radius;
    };
    if (!(circle.pointY == circle.centreY))
        return exact(circle.pointX) ? std::optional<LongNum>(circle.pointX) : std::nullopt;
    std::string text = LongToDecimal(circle.pointX);
    std::size_t point = text.find('.');
    std::string unitText = "0.";
    if (point != std::string::npos)
        unitText.append(text.size() - point - 2, '0');
    unitText += '1';
    std::optional<LongNum> unit = LongParse(unitText);
    LongNum candidate = circle.pointX;
    for (int step = 0; step < 6; ++step) {
        LongNum tried = candidate;
        if (unit && step > 0) {
            LongNum shift = *unit;
            for (int times = 1; times < (step + 1) / 2; ++times)
                LongAdd(shift, *unit, shift);
            if (step % 2)
                LongAdd(candidate, shift, tried);
            else
                LongSub(candidate, shift, tried);
        }
        if (exact(tried))
            return tried;
    }
    return std::nullopt;
}

bool ProgramWriter::ensureCircle(std::size_t index)
{
    while (m_circles <= index) {
        const CircleRec& circle = *m_store.circles()[m_circles];
        std::size_t position = m_circles++;
        if (!LongIsZero(circle.centreZ) || !LongIsZero(circle.pointZ)) {
            m_unsaved.insert(&circle);
            continue;
        }
        std::optional<LongNum> onX = pointGivingRadius(circle);
        if (!onX) {
            m_unsaved.insert(&circle);
            continue;
        }
        line("// circle " + circle.label);
        std::string centre = pointAt(circle.centreX, circle.centreY);
        std::string onCircle = pointAt(*onX, circle.pointY);
        std::string variable = variableFor(circle, "C", position);
        line(variable + "=circle(" + centre + "," + onCircle + ")");
        removeHelpers();
        labelSettings(circle, variable);
    }
    return !m_unsaved.contains(m_store.circles()[index].get());
}

void ProgramWriter::emitAll()
{
    for (std::size_t index = 0; index < m_store.points().size(); ++index)
        ensurePoint(index);
    for (std::size_t index = 0; index < m_lineOrder.size(); ++index)
        ensureStraight(m_lineOrder, m_lines, index);
    for (std::size_t index = 0; index < m_segmentOrder.size(); ++index)
        ensureStraight(m_segmentOrder, m_segments, index);
    for (std::size_t index = 0; index < m_store.circles().size(); ++index)
        ensureCircle(index);
    writeDistances();
    writeFigures();
}

// A distance by its value, every digit kept; the distance counter labels
// it as before when none was removed in between.
void ProgramWriter::writeDistances()
{
    QuietLongNumbers quiet;
    const auto& distances = m_store.distances();
    for (std::size_t index = 0; index < distances.size(); ++index) {
        const DistanceRec& distance = *distances[index];
        if (distance.label != std::to_string(index + 1) || distance.value.isNegative()) {
            m_unsaved.insert(&distance);
            continue;
        }
        // A decimal alone makes a distance of exactly its digits; a whole
        // number would read as an integer.
        std::string value = numberText(distance.value);
        if (value.find('.') == std::string::npos)
            value += ".0";
        line("// distance " + distance.label);
        line(variableFor(distance, "d", index) + "=" + value);
    }
}

// The colour as the word that gave it, else as RGB.
std::string colourText(ColorRef colour, int code)
{
    for (std::string_view word :
         {"white", "yellow", "blue", "red", "gray", "purple", "green", "silver", "aqua"}) {
        if (colourCode(word) == code && colourValue(word) == colour)
            return std::string(word);
    }
    return "RGB(" + std::to_string(redOf(colour)) + "," + std::to_string(greenOf(colour)) + "," +
           std::to_string(blueOf(colour)) + ")";
}

// Polygons by their corners and vectors from the origin, both through
// helper points; a polygon keeps its fill.
void ProgramWriter::writeFigures()
{
    const auto& polygons = m_figures.polygons();
    bool namesHidden = false;
    for (std::size_t index = 0; index < polygons.size(); ++index) {
        const PolygonRec& polygon = *polygons[index];
        const auto& vertices = polygon.vertices;
        bool flat = vertices.size() >= 2 &&
                    std::all_of(vertices.begin(), vertices.end(),
                                [](const PolygonVertex& vertex) { return LongIsZero(vertex.z); });
        // A polygon takes its label display from NoNames, which cannot be
        // taken back: once a hidden one is written, shown ones cannot be.
        if (!flat || polygon.baseColour != polygon.shadedColour ||
            (!polygon.coloured && polygon.baseColour != kWhite) || polygon.colour != 0 ||
            (namesHidden && polygon.showLabel)) {
            m_unsaved.insert(&polygon);
            continue;
        }
        if (!polygon.showLabel && !namesHidden) {
            line("NoNames");
            namesHidden = true;
        }
        line("// polygon " + std::to_string(index + 1));
        std::string corners;
        for (std::size_t corner = 0; corner + 1 < vertices.size(); ++corner)
            corners += (corner ? "," : "") + pointAt(vertices[corner].x, vertices[corner].y);
        std::string variable = variableFor(polygon, "p", index);
        line(variable + "=polygon(" + corners + ")");
        removeHelpers();
        if (polygon.coloured)
            line("fill(" + variable + ")=" + colourText(polygon.baseColour, polygon.colourCode));
    }
    const auto& vectors = m_figures.vectors();
    for (std::size_t index = 0; index < vectors.size(); ++index) {
        const VectorRec& vector = *vectors[index];
        if (!LongIsZero(vector.dz)) {
            m_unsaved.insert(&vector);
            continue;
        }
        LongNum zero;
        line("// vector " + std::to_string(index + 1));
        std::string start = pointAt(zero, zero);
        std::string end = pointAt(vector.dx, vector.dy);
        line(variableFor(vector, "v", index) + "=vector(" + start + "," + end + ")");
        removeHelpers();
    }
}

void ProgramWriter::writeTexts()
{
    for (TextArray array : {TextArray::Labels, TextArray::Titles}) {
        std::string command = array == TextArray::Labels ? "Text" : "Title";
        for (const TextLabel& text : m_store.texts(array)) {
            if (isWritableText(text.text)) {
                line(command + "(" + std::to_string(text.x) + "," + std::to_string(text.y) + ",$" +
                     text.text + ")");
            } else {
                line("// not saved: the " + command + " at " + std::to_string(text.x) + "," +
                     std::to_string(text.y));
            }
        }
    }
}

void ProgramWriter::writeUnsaved()
{
    auto note = [this](std::string_view kind, const GeoObject& object) {
        line(std::string("// not saved: ").append(kind) + " " + object.label);
    };
    for (const auto& point : m_store.points()) {
        if (m_unsaved.contains(point.get()))
            note("point", *point);
    }
    for (const auto& straight : m_store.lines()) {
        if (m_unsaved.contains(straight.get()))
            note("line", *straight);
    }
    for (const auto& straight : m_store.segments()) {
        if (m_unsaved.contains(straight.get()))
            note("segment", *straight);
    }
    for (const auto& straight : m_store.halfLines()) {
        if (m_unsaved.contains(straight.get()))
            note("half-line", *straight);
    }
    for (const auto& circle : m_store.circles()) {
        if (m_unsaved.contains(circle.get()))
            note("circle", *circle);
    }
    for (const auto& distance : m_store.distances()) {
        if (m_unsaved.contains(distance.get()))
            note("distance", *distance);
    }
    for (std::size_t index = 0; index < m_figures.polygons().size(); ++index) {
        if (m_unsaved.contains(m_figures.polygons()[index].get()))
            line("// not saved: polygon " + std::to_string(index + 1));
    }
    for (std::size_t index = 0; index < m_figures.vectors().size(); ++index) {
        if (m_unsaved.contains(m_figures.vectors()[index].get()))
            line("// not saved: vector " + std::to_string(index + 1));
    }
}

std::string ProgramWriter::write()
{
    // Vectors exist in the Dimension 2 module only.
    char module = m_figures.vectors().empty() ? '1' : '2';
    m_body = module + std::string("// The figure, rebuilt step by step.") + std::string(kNewLine);
    line("void start()");
    emitAll();
    writeTexts();
    writeUnsaved();
    line("END");
    return m_body;
}

} // namespace

std::string figureProgram(const ObjectStore& store, const PlaneFigures& figures)
{
    return ProgramWriter(store, figures).write();
}

} // namespace kestrane
