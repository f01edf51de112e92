// Gradient noise in three dimensions: smooth, between -1 and 1, zero at
// every whole-numbered point, the same for the same point on every run.
#pragma once

#include "host/geometry.h"

float perlin_noise(const Point3& p);
