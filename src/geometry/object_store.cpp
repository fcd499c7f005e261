// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/object_store.h"

#include <algorithm>

namespace kestrane {

ObjectStore::ObjectStore() = default;

void ObjectStore::stamp(GeoObject& object, std::string label) const
{
    object.label = std::move(label);
    object.showLabel = m_settings.labels == LabelDisplay::Shown;
    object.viewX = m_settings.viewX;
    object.viewY = m_settings.viewY;
}

PointRec& ObjectStore::makePoint(const LongNum& x, const LongNum& y, const LongNum& z)
{
    auto point = std::make_unique<PointRec>();
    stamp(*point, m_pools.points.take());
    setPosition(*point, x, y, z);
    if (m_settings.moduleCode == kPlaneModuleCode) {
        if (PointRec* existing = m_pointIndex.lastCoinciding(point->floats))
            return *existing;
    }
    m_pointIndex.insert(point.get(), point->floats);
    m_points.push_back(std::move(point));
    return *m_points.back();
}

PointRec& ObjectStore::makePoint(const LongNum& x, const LongNum& y)
{
    return makePoint(x, y, LongNum());
}

void ObjectStore::stampAsPoint(GeoObject& object)
{
    stamp(object, m_pools.points.take());
}

template<class Record>
Record& ObjectStore::makeStraight(LabelPool& pool, RecordList<Record>& list, const LongNum& x1,
                                  const LongNum& y1, const LongNum& x2, const LongNum& y2)
{
    auto straight = std::make_unique<Record>();
    stamp(*straight, pool.take());
    setDefiningPoints(*straight, x1, y1, x2, y2);
    Record& record = *straight;
    list.push_back(std::move(straight));
    makePoint(record.x1, record.y1);
    makePoint(record.x2, record.y2);
    return record;
}

LineRec& ObjectStore::makeLine(const LongNum& x1, const LongNum& y1, const LongNum& x2,
                               const LongNum& y2)
{
    return makeStraight(m_pools.lines, m_lines, x1, y1, x2, y2);
}

SegmentRec& ObjectStore::makeSegment(const LongNum& x1, const LongNum& y1, const LongNum& x2,
                                     const LongNum& y2)
{
    return makeStraight(m_pools.segments, m_segments, x1, y1, x2, y2);
}

HalfLineRec& ObjectStore::makeHalfLine(const LongNum& x1, const LongNum& y1, const LongNum& x2,
                                       const LongNum& y2)
{
    // Lines and half-lines share one pool.
    return makeStraight(m_pools.lines, m_halfLines, x1, y1, x2, y2);
}

CircleRec& ObjectStore::appendCircle(std::unique_ptr<CircleRec> circle)
{
    m_circles.push_back(std::move(circle));
    return *m_circles.back();
}

CircleRec& ObjectStore::makeCircle(const PointRec& centre, const PointRec& onCircle)
{
    return makeCircle(centre.x, centre.y, centre.z, onCircle.x, onCircle.y, onCircle.z);
}

CircleRec& ObjectStore::makeCircle(const LongNum& cx, const LongNum& cy, const LongNum& cz,
                                   const LongNum& px, const LongNum& py, const LongNum& pz)
{
    auto circle = std::make_unique<CircleRec>();
    stamp(*circle, m_pools.circles.take());
    setCircle(*circle, cx, cy, cz, px, py, pz, distanceBetween(cx, cy, cz, px, py, pz));
    CircleRec& record = appendCircle(std::move(circle));
    makePoint(record.centreX, record.centreY, record.centreZ);
    makePoint(record.pointX, record.pointY, record.pointZ);
    return record;
}

CircleRec& ObjectStore::makeCircleWithRadius(const LongNum& cx, const LongNum& cy,
                                             const LongNum& cz, const LongNum& radius,
                                             CentrePoint centrePoint)
{
    auto circle = std::make_unique<CircleRec>();
    stamp(*circle, m_pools.circles.take());
    LongNum pointX;
    LongAdd(cx, radius, pointX);
    setCircle(*circle, cx, cy, cz, pointX, cy, cz, radius);
    CircleRec& record = appendCircle(std::move(circle));
    if (centrePoint == CentrePoint::Make)
        makePoint(record.centreX, record.centreY, record.centreZ);
    return record;
}

DistanceRec& ObjectStore::appendDistance(const LongNum& value)
{
    auto distance = std::make_unique<DistanceRec>();
    // Counter labels run "1" ... "9", "10", ... rather than past '9' into
    // punctuation.
    ++m_distanceCounter;
    stamp(*distance, std::to_string(m_distanceCounter));
    setValue(*distance, value);
    m_distances.push_back(std::move(distance));
    return *m_distances.back();
}

DistanceRec& ObjectStore::makeDistance(const PointRec& first, const PointRec& second)
{
    return appendDistance(distanceBetween(first.x, first.y, first.z, second.x, second.y, second.z));
}

DistanceRec& ObjectStore::makeDistance(const LongNum& value)
{
    return appendDistance(value);
}

void ObjectStore::addText(TextArray array, TextLabel text)
{
    (array == TextArray::Labels ? m_labels : m_titles).push_back(std::move(text));
}

void ObjectStore::clearTexts(TextArray array)
{
    (array == TextArray::Labels ? m_labels : m_titles).clear();
}

const std::vector<TextLabel>& ObjectStore::texts(TextArray array) const
{
    return array == TextArray::Labels ? m_labels : m_titles;
}

GeoObject* ObjectStore::find(ObjectKind kind, std::string_view name, std::string_view scope) const
{
    switch (kind) {
    case ObjectKind::Point:
        return find<PointRec>(name, scope);
    case ObjectKind::Line:
        return find<LineRec>(name, scope);
    case ObjectKind::Segment:
        return find<SegmentRec>(name, scope);
    case ObjectKind::HalfLine:
        return find<HalfLineRec>(name, scope);
    case ObjectKind::Circle:
        return find<CircleRec>(name, scope);
    case ObjectKind::Distance:
        return find<DistanceRec>(name, scope);
    }
    return nullptr;
}

RemoveOutcome ObjectStore::removeByName(ObjectKind kind, std::string_view name,
                                        std::string_view scope)
{
    GeoObject* object = find(kind, name, scope);
    if (!object)
        return RemoveOutcome::NotFound;
    if (object->names.size() >= 2) {
        object->unbind(name, scope);
        return RemoveOutcome::NameDropped;
    }
    remove(*object);
    return RemoveOutcome::ObjectRemoved;
}

template<class Record>
bool ObjectStore::eraseFrom(RecordList<Record>& list, const GeoObject& object)
{
    const auto found = std::find_if(list.begin(), list.end(), [&](const auto& record) {
        return static_cast<const GeoObject*>(record.get()) == &object;
    });
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

bool ObjectStore::remove(const GeoObject& object)
{
    const auto point = std::find_if(m_points.begin(), m_points.end(), [&](const auto& record) {
        return static_cast<const GeoObject*>(record.get()) == &object;
    });
    if (point != m_points.end()) {
        m_pointIndex.erase(point->get(), (*point)->floats);
        m_points.erase(point);
        return true;
    }
    return eraseFrom(m_lines, object) || eraseFrom(m_segments, object) ||
           eraseFrom(m_halfLines, object) || eraseFrom(m_circles, object) ||
           eraseFrom(m_distances, object);
}

template<class Function>
void ObjectStore::forEachObject(Function function)
{
    for (auto& record : m_points)
        function(*record);
    for (auto& record : m_lines)
        function(*record);
    for (auto& record : m_segments)
        function(*record);
    for (auto& record : m_halfLines)
        function(*record);
    for (auto& record : m_circles)
        function(*record);
    for (auto& record : m_distances)
        function(*record);
}

void ObjectStore::dropScope(std::string_view scope)
{
    forEachObject([&](GeoObject& object) { object.unbindScope(scope); });
}

void ObjectStore::clear()
{
    m_pointIndex.clear();
    m_points.clear();
    m_lines.clear();
    m_segments.clear();
    m_halfLines.clear();
    m_circles.clear();
    m_distances.clear();
    m_labels.clear();
    m_titles.clear();
    m_pools = Pools();
    m_distanceCounter = 0;
}

namespace {

template<class Record>
void copyList(const RecordList<Record>& source, RecordList<Record>& destination)
{
    destination.clear();
    destination.reserve(source.size());
    for (const auto& record : source)
        destination.push_back(std::make_unique<Record>(*record));
}

} // namespace

void ObjectStore::copyFrom(const ObjectStore& other)
{
    if (&other == this)
        return;
    m_settings = other.m_settings;
    m_pools = other.m_pools;
    m_distanceCounter = other.m_distanceCounter;
    copyList(other.m_points, m_points);
    copyList(other.m_lines, m_lines);
    copyList(other.m_segments, m_segments);
    copyList(other.m_halfLines, m_halfLines);
    copyList(other.m_circles, m_circles);
    copyList(other.m_distances, m_distances);
    m_labels = other.m_labels;
    m_titles = other.m_titles;
    // The index holds addresses, so it is rebuilt over the copies in list
    // order, which keeps "the last coinciding point" the same.
    m_pointIndex.clear();
    for (const auto& point : m_points)
        m_pointIndex.insert(point.get(), point->floats);
}

void ObjectStore::swap(ObjectStore& other) noexcept
{
    using std::swap;
    swap(m_settings, other.m_settings);
    swap(m_pools, other.m_pools);
    swap(m_distanceCounter, other.m_distanceCounter);
    swap(m_pointIndex, other.m_pointIndex);
    swap(m_points, other.m_points);
    swap(m_lines, other.m_lines);
    swap(m_segments, other.m_segments);
    swap(m_halfLines, other.m_halfLines);
    swap(m_circles, other.m_circles);
    swap(m_distances, other.m_distances);
    swap(m_labels, other.m_labels);
    swap(m_titles, other.m_titles);
}

} // namespace kestrane
