// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/vertex_index.h"
#include "space_test_support.h"

#include <cmath>

namespace kestrane::testing {
namespace {

using PolyhedronNet = SpaceRunFixture;

// A cube's net is a cross of six squares with 14 corners, flat at z = 0.
TEST_F(PolyhedronNet, UnfoldsACubeIntoAFlatCross)
{
    run(cubeThen({"N=Net(cube)"}));
    ASSERT_FALSE(scene->polyhedra().empty());
    const PolyhedronRec& net = *scene->polyhedra().front();
    EXPECT_TRUE(net.isNamed("N", "start"));
    SolidCounts counts = countSolid(net.faces);
    EXPECT_EQ(counts.faces, 6u);
    EXPECT_EQ(counts.vertices, 14u);
    EXPECT_EQ(counts.edges, 19u);
    for (const Face& face : net.faces) {
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner) {
            EXPECT_EQ(toDouble(face.vertices[corner].z), 0);
            EXPECT_NEAR(toDouble(distance(face.vertices[corner], face.vertices[corner + 1])), 200,
                        1e-9);
        }
    }
    // The cube itself is kept after the net.
    EXPECT_EQ(scene->polyhedra().size(), 2u);
}

} // namespace
} // namespace kestrane::testing
