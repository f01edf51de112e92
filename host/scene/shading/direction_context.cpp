#include "direction_context.h"

DirectionContext::DirectionContext(ShadeContext& base, Point3 point, Point3 uvw)
    : base_(base), point_(point), uvw_(uvw) {
  mode = base.mode;
  doMaps = base.doMaps;
  filterMaps = base.filterMaps;
  shadow = base.shadow;
  backFace = base.backFace;
  mtlNum = base.mtlNum;
  ambientLight = base.ambientLight;
  nLights = base.nLights;
  rayLevel = base.rayLevel;
  globContext = base.globContext;
}

void DirectionContext::DPdUVW(Point3 dP[3], int) {
  dP[0] = Point3(1, 0, 0);
  dP[1] = Point3(0, 1, 0);
  dP[2] = Point3(0, 0, 1);
}
