// Bounding boxes: empty until a point comes, points without a place left out,
// and transformed by their corners.
#include <gtest/gtest.h>

#include <limits>

#include "host/box3.h"

namespace {

TEST(Box3, GrowsFromEmptyByItsPoints) {
  Box3 box;
  EXPECT_TRUE(box.IsEmpty());
  EXPECT_EQ(box.Center(), Point3());
  EXPECT_EQ(box.Width(), Point3());
  EXPECT_FALSE(box.Contains(Point3()));

  // Far points too: the first one sets both corners.
  box += Point3(2e30f, -3, 4);
  EXPECT_FALSE(box.IsEmpty());
  EXPECT_EQ(box.pmin, Point3(2e30f, -3, 4));
  EXPECT_EQ(box.pmax, Point3(2e30f, -3, 4));

  Box3 small;
  small += Point3(1, 2, 3);
  small += Point3(-1, 6, 0);
  EXPECT_EQ(small.pmin, Point3(-1, 2, 0));
  EXPECT_EQ(small.pmax, Point3(1, 6, 3));
  EXPECT_EQ(small.Center(), Point3(0, 4, 1.5f));
  EXPECT_EQ(small.Width(), Point3(2, 4, 3));
  EXPECT_TRUE(small.Contains(Point3(0, 2, 3)));
  EXPECT_FALSE(small.Contains(Point3(0, 1.9f, 3)));
  EXPECT_EQ(small[0], Point3(-1, 2, 0));
  EXPECT_EQ(small[5], Point3(1, 2, 3));
  EXPECT_EQ(small[6], Point3(-1, 6, 3));

  const float nan = std::numeric_limits<float>::quiet_NaN();
  small += Point3(nan, 100, 100);
  EXPECT_EQ(small.pmax, Point3(1, 6, 3));
  Box3 still_empty;
  still_empty += Point3(0, 0, nan);
  EXPECT_TRUE(still_empty.IsEmpty());

  Box3 joined;
  joined += Box3();
  EXPECT_TRUE(joined.IsEmpty());
  joined += small;
  joined += Point3(5, 5, 5);
  EXPECT_EQ(joined.pmin, Point3(-1, 2, 0));
  EXPECT_EQ(joined.pmax, Point3(5, 6, 5));
  joined.Init();
  EXPECT_TRUE(joined.IsEmpty());
}

TEST(Box3, TransformsByItsCorners) {
  Box3 box(Point3(0, 0, 0), Point3(2, 1, 1));
  // A quarter turn about z takes x to y and y to -x.
  Box3 turned = box * (RotateZMatrix(3.14159265f / 2) * TransMatrix(Point3(10, 0, 0)));
  EXPECT_NEAR(turned.pmin.x, 9, 1e-5f);
  EXPECT_NEAR(turned.pmax.x, 10, 1e-5f);
  EXPECT_NEAR(turned.pmin.y, 0, 1e-5f);
  EXPECT_NEAR(turned.pmax.y, 2, 1e-5f);
  EXPECT_NEAR(turned.pmax.z, 1, 1e-5f);
  EXPECT_TRUE((Box3() * TransMatrix(Point3(1, 1, 1))).IsEmpty());
}

}  // namespace
