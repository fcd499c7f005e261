// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/geo_object.h"
#include "geometry/plane_records.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// A corner of a polygon: a copy of a point, kept outside the point list.
struct PolygonVertex {
    LongNum x;
    LongNum y;
    LongNum z;
    FloatPoint floats;
};

// A vertex from long coordinates, with its float copy.
PolygonVertex makeVertex(const LongNum& x, const LongNum& y, const LongNum& z);

// A polygon of the plane. The vertex array repeats the first vertex at its
// end, so a triangle holds four entries.
struct PolygonRec : GeoObject {
    std::vector<PolygonVertex> vertices;
    int moduleCode = 502;
    // Set by fill; the brush then takes the shaded colour.
    bool coloured = false;
    // The constant code of the colour word given to fill (RGB: 317).
    int colourCode = 0;
    // White means "not filled": the polygon is drawn as an outline.
    ColorRef baseColour = kWhite;
    ColorRef shadedColour = kWhite;
    // Set by Symmetric: the solid builders complete such faces by mirroring.
    bool built = false;
};

// The difference Q − P of two points, kept exactly and truncated to
// integers (the integers move the copies of Collection).
struct VectorRec : GeoObject {
    LongNum dx;
    LongNum dy;
    LongNum dz;
    long long integerX = 0;
    long long integerY = 0;
    long long integerZ = 0;
};

// A string variable of a script (String(...)).
struct StringRec : GeoObject {
    std::string text;
};

// The rectangle that Collection fills, in model coordinates, as given.
struct Region {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;

    // Whether (x, y) lies in the rectangle, edges included, whichever corner
    // was given first.
    bool contains(double x, double y) const;
};

// The plane objects that the geometry store does not keep: polygons,
// vectors and string variables, in creation order, and the region. Lookups
// follow the store's rule: the last object carrying (name, scope) wins.
class PlaneFigures {
public:
    PolygonRec& addPolygon(std::unique_ptr<PolygonRec> polygon);
    VectorRec& addVector(std::unique_ptr<VectorRec> vector);
    StringRec& addString(std::unique_ptr<StringRec> text);

    PolygonRec* findPolygon(std::string_view name, std::string_view scope) const;
    VectorRec* findVector(std::string_view name, std::string_view scope) const;
    StringRec* findString(std::string_view name, std::string_view scope) const;

    // Unlinks and destroys the polygon; false when it is not in the list.
    bool removePolygon(const PolygonRec& polygon);
    // The name rule of the store: an object with two or more bindings only
    // loses (name, scope), one with a single binding is destroyed.
    bool removePolygonName(std::string_view name, std::string_view scope);

    void dropScope(std::string_view scope);
    void clear();

    const std::vector<std::unique_ptr<PolygonRec>>& polygons() const { return m_polygons; }
    std::vector<std::unique_ptr<PolygonRec>>& polygons() { return m_polygons; }
    const std::vector<std::unique_ptr<VectorRec>>& vectors() const { return m_vectors; }
    const std::vector<std::unique_ptr<StringRec>>& strings() const { return m_strings; }

    const std::optional<Region>& region() const { return m_region; }
    void setRegion(Region region) { m_region = region; }

private:
    std::vector<std::unique_ptr<PolygonRec>> m_polygons;
    std::vector<std::unique_ptr<VectorRec>> m_vectors;
    std::vector<std::unique_ptr<StringRec>> m_strings;
    std::optional<Region> m_region;
};

} // namespace kestrane
