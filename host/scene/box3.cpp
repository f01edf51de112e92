#include "host/box3.h"

Box3 Box3::operator*(const Matrix3& tm) const {
  Box3 out;
  if (IsEmpty()) return out;
  for (int i = 0; i < 8; ++i) out += (*this)[i] * tm;
  return out;
}
