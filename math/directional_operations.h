// Orientation and vector math.
//
// Frame: x east, y north, z up (right-handed). A line's trend is its azimuth
// clockwise from north [deg]; its plunge is the angle below the horizontal
// [deg], positive downward. Every angle at this interface is in degrees and
// every stored value is a 32-bit float; intermediates are computed in
// numeric::Real (double, see numeric.h) and rounded to float where a value is
// stored. No operation keeps
// state or rejects an input: angles outside their usual ranges are used as
// they are.
#pragma once

#include "math/numeric.h"

namespace orniva::directional_operations {

// A line (a direction with a sense): trend and plunge [deg].
struct Orientation {
  float trend = 0;
  float plunge = 0;
};

// Spherical angles of a line [deg]: theta from the upward vertical (+z),
// [0, 180]; phi of the horizontal projection, counterclockwise from east.
struct SphericalAngles {
  float theta = 0;
  float phi = 0;
};

struct Vec3 {
  float x = 0;
  float y = 0;
  float z = 0;
};

// A 3 x 3 matrix stored row by row (mRC: row R, column C).
struct Mat3 {
  float m11 = 0, m12 = 0, m13 = 0;
  float m21 = 0, m22 = 0, m23 = 0;
  float m31 = 0, m32 = 0, m33 = 0;
};

Orientation MakeOrientation(float trend, float plunge);

// theta = plunge + 90, phi = 90 - trend; no angle is reduced into a range.
SphericalAngles LineToSpherical(Orientation line);
// trend = 90 - phi, plunge = theta - 90: the inverse up to 32-bit rounding
// (a plunge of 0.1 comes back as 0.09999847).
Orientation SphericalToLine(SphericalAngles angles);

// Unit vector (cos p sin t, cos p cos t, -sin p); theta and phi are turned
// into radians and held as floats before their sines and cosines.
Vec3 LineToVector(Orientation line);
Vec3 TrendPlungeToVector(float trend, float plunge);

// theta = acos(z / |v|), phi = atan2(y, x). |v| is the float square root of
// the float dot product; when it is exactly 0, (0, 0) is returned and
// `zeroDivide` set, for the caller to tell the user "Zero divide" (it is
// left as it is otherwise). An acos argument carried a hair past +-1 by
// rounding is held at the bound.
SphericalAngles VectorToSpherical(Vec3 v, bool& zeroDivide);
// SphericalToLine(VectorToSpherical(v)): trend in (-90, 270], plunge in
// [-90, 90], negative for an upward vector. The zero vector gives (90, -90).
Orientation VectorToLine(Vec3 v, bool& zeroDivide);

// The message of a zero vector met by VectorToSpherical.
inline constexpr const char* kZeroDivideMessage = "Zero divide";

Vec3 MakeVector(float x, float y, float z);
Vec3 NegateVector(Vec3 v);
Vec3 ScaleVector(Vec3 v, float factor);
Vec3 AddVectors(Vec3 a, Vec3 b);
float DotProduct(Vec3 a, Vec3 b);
// Right-handed: CrossProduct((1,0,0), (0,1,0)) = (0,0,1).
Vec3 CrossProduct(Vec3 a, Vec3 b);

// Rz(b) . Rx(a) . Rz(c) [deg]: applied to a vector it turns it by c about
// the vertical, tilts it by a about the east axis (north towards up), then
// turns it by b about the vertical (east towards north). The six sines and
// cosines are taken of the unrounded radians and held as floats.
Mat3 EulerMatrix(float a, float b, float c);
// The cosine and sine of an angle given in degrees, taken of the unrounded
// radians and held as floats: the six values EulerMatrix builds from.
struct AngleTrig {
  float cos = 1;
  float sin = 0;
};
AngleTrig StoredTrig(float degrees);
// EulerMatrix(a, b, c) from StoredTrig of its three angles, for callers
// that turn by many angles about one axis.
inline Mat3 EulerMatrix(AngleTrig a, AngleTrig b, AngleTrig c) {
  using numeric::Store;
  const numeric::Real ca = a.cos, sa = a.sin, cb = b.cos, sb = b.sin, cc = c.cos, sc = c.sin;
  Mat3 m;
  m.m11 = Store(cc * cb - ca * sb * sc);
  m.m12 = Store(-sc * cb - ca * sb * cc);
  m.m13 = Store(sa * sb);
  m.m21 = Store(cc * sb + ca * cb * sc);
  m.m22 = Store(-sc * sb + ca * cb * cc);
  m.m23 = Store(-sa * cb);
  m.m31 = Store(sa * sc);
  m.m32 = Store(sa * cc);
  m.m33 = Store(ca);
  return m;
}

// m . v
inline Vec3 RotateVector(const Mat3& m, Vec3 v) {
  using numeric::Real;
  using numeric::Store;
  return {Store(Real(m.m11) * v.x + Real(m.m12) * v.y + Real(m.m13) * v.z),
          Store(Real(m.m21) * v.x + Real(m.m22) * v.y + Real(m.m23) * v.z),
          Store(Real(m.m31) * v.x + Real(m.m32) * v.y + Real(m.m33) * v.z)};
}

// Signed acute angle from azimuth1 to azimuth2 [deg], in [-90, 90]:
// asin(z of CrossProduct(u2, u1)) for the horizontal unit vectors u1, u2,
// the arcsine held as a float in radians before conversion. Positive when
// azimuth2 lies clockwise of azimuth1 by less than 180. Held at +-90 when
// rounding carries the sine a hair past +-1.
float AzimuthAngle(float azimuth1, float azimuth2);

}  // namespace orniva::directional_operations
