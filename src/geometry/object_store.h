// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/label_pool.h"
#include "geometry/plane_records.h"
#include "geometry/point_index.h"

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kestrane {

// Module codes that the store distinguishes: plane constructions merge
// points that coincide, every other module keeps each point it makes.
inline constexpr int kPlaneModuleCode = 502;

enum class ObjectKind { Point, Line, Segment, HalfLine, Circle, Distance };

// The two text arrays: labels (texts of Text and DrawDist, emptied by
// RemoveTexts) and titles (texts of Title).
enum class TextArray { Labels, Titles };

// Whether making a circle from a radius also makes its centre as a point.
enum class CentrePoint { Make, Skip };

enum class RemoveOutcome { NotFound, NameDropped, ObjectRemoved };

// What the owning window stamps on every object it makes.
struct CreationSettings {
    // The effective module code of the window (502 for plane scripts and
    // the interactive tools).
    int moduleCode = kPlaneModuleCode;
    LabelDisplay labels = LabelDisplay::Shown;
    int viewX = 0;
    int viewY = 0;
};

template<class Record>
using RecordList = std::vector<std::unique_ptr<Record>>;

// The objects of one construction: one list per kind in creation order, the
// label pools, the distance counter and the text arrays. Each window model
// owns its own store. Records stay at their address until removed or
// cleared, so callers may hold references between operations.
class ObjectStore {
public:
    ObjectStore();
    ObjectStore(const ObjectStore&) = delete;
    ObjectStore& operator=(const ObjectStore&) = delete;

    CreationSettings& settings() { return m_settings; }
    const CreationSettings& settings() const { return m_settings; }

    // Makes a point with the next point label. In the plane module a point
    // that coincides with stored points (every float coordinate within 0.01)
    // is not added: the last coinciding point is returned instead, and the
    // label is used up all the same.
    PointRec& makePoint(const LongNum& x, const LongNum& y, const LongNum& z);
    PointRec& makePoint(const LongNum& x, const LongNum& y);
    // Stamps an object kept outside the store (a point of four-space) as a
    // new point: the next point label and the creation settings.
    void stampAsPoint(GeoObject& object);

    // Make a straight object through two plane points, append it, then make
    // its two defining points (in the record's order) as points.
    LineRec& makeLine(const LongNum& x1, const LongNum& y1, const LongNum& x2, const LongNum& y2);
    SegmentRec& makeSegment(const LongNum& x1, const LongNum& y1, const LongNum& x2,
                            const LongNum& y2);
    // A half-line from the first point through the second.
    HalfLineRec& makeHalfLine(const LongNum& x1, const LongNum& y1, const LongNum& x2,
                              const LongNum& y2);

    // A circle with the given centre through the given point (radius
    // √(Δx² + Δy² + Δz²)); also makes the centre and then the point as points.
    CircleRec& makeCircle(const PointRec& centre, const PointRec& onCircle);
    CircleRec& makeCircle(const LongNum& cx, const LongNum& cy, const LongNum& cz,
                          const LongNum& px, const LongNum& py, const LongNum& pz);
    // A circle from its centre and radius.
    CircleRec& makeCircleWithRadius(const LongNum& cx, const LongNum& cy, const LongNum& cz,
                                    const LongNum& radius, CentrePoint centrePoint);

    // A distance between two points, labelled by the distance counter
    // ("1", "2", ..., "10", ...).
    DistanceRec& makeDistance(const PointRec& first, const PointRec& second);
    // A distance of a computed value (distance arithmetic), labelled the same.
    DistanceRec& makeDistance(const LongNum& value);

    void addText(TextArray array, TextLabel text);
    void clearTexts(TextArray array);
    const std::vector<TextLabel>& texts(TextArray array) const;

    // Finds the last object of the kind, in list order, that carries the
    // name in the scope (a later object shadows an earlier one).
    template<class Record>
    Record* find(std::string_view name, std::string_view scope) const;
    GeoObject* find(ObjectKind kind, std::string_view name, std::string_view scope) const;

    // Removes a name: an object with two or more bindings only loses the
    // bindings equal to (name, scope); one with a single binding is removed.
    RemoveOutcome removeByName(ObjectKind kind, std::string_view name, std::string_view scope);
    // Unlinks and destroys the object whatever its names; false when it is
    // not in the store.
    bool remove(const GeoObject& object);
    // Drops every binding of the scope from every object; the objects stay.
    void dropScope(std::string_view scope);
    // Empties every list and text array, makes fresh label pools and resets
    // the distance counter.
    void clear();

    // Replaces this store's contents with a deep copy of another store's:
    // records, label pools, distance counter, texts and settings.
    void copyFrom(const ObjectStore& other);
    // Exchanges the whole contents with another store; records keep their
    // addresses, so this is constant-time.
    void swap(ObjectStore& other) noexcept;

    const RecordList<PointRec>& points() const { return m_points; }
    const RecordList<LineRec>& lines() const { return m_lines; }
    const RecordList<SegmentRec>& segments() const { return m_segments; }
    const RecordList<HalfLineRec>& halfLines() const { return m_halfLines; }
    const RecordList<CircleRec>& circles() const { return m_circles; }
    const RecordList<DistanceRec>& distances() const { return m_distances; }
    int distanceCounter() const { return m_distanceCounter; }

private:
    struct Pools {
        LabelPool points = LabelPool::forPoints();
        LabelPool lines = LabelPool::forLines();
        LabelPool segments = LabelPool::forSegments();
        LabelPool circles = LabelPool::forCircles();
    };

    void stamp(GeoObject& object, std::string label) const;
    template<class Record>
    Record& makeStraight(LabelPool& pool, RecordList<Record>& list, const LongNum& x1,
                         const LongNum& y1, const LongNum& x2, const LongNum& y2);
    CircleRec& appendCircle(std::unique_ptr<CircleRec> circle);
    DistanceRec& appendDistance(const LongNum& value);
    template<class Record>
    const RecordList<Record>& listOf() const;
    template<class Function>
    void forEachObject(Function function);
    template<class Record>
    bool eraseFrom(RecordList<Record>& list, const GeoObject& object);

    CreationSettings m_settings;
    Pools m_pools;
    int m_distanceCounter = 0;
    PointIndex m_pointIndex;
    RecordList<PointRec> m_points;
    RecordList<LineRec> m_lines;
    RecordList<SegmentRec> m_segments;
    RecordList<HalfLineRec> m_halfLines;
    RecordList<CircleRec> m_circles;
    RecordList<DistanceRec> m_distances;
    std::vector<TextLabel> m_labels;
    std::vector<TextLabel> m_titles;
};

template<class Record>
const RecordList<Record>& ObjectStore::listOf() const
{
    if constexpr (std::is_same_v<Record, PointRec>)
        return m_points;
    else if constexpr (std::is_same_v<Record, LineRec>)
        return m_lines;
    else if constexpr (std::is_same_v<Record, SegmentRec>)
        return m_segments;
    else if constexpr (std::is_same_v<Record, HalfLineRec>)
        return m_halfLines;
    else if constexpr (std::is_same_v<Record, CircleRec>)
        return m_circles;
    else
        return m_distances;
}

template<class Record>
Record* ObjectStore::find(std::string_view name, std::string_view scope) const
{
    const RecordList<Record>& list = listOf<Record>();
    for (auto record = list.rbegin(); record != list.rend(); ++record) {
        if ((*record)->isNamed(name, scope))
            return record->get();
    }
    return nullptr;
}

} // namespace kestrane
