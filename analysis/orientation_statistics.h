// Statistics of orientations: Fisher's mean and its cone, the orientation
// tensor and the shape of the fabric, the fold axis of bedding, and the
// bedding of a set for the faults' back-tilt.
//
// Directions are unit vectors in the frame x east, y north, z up; a plane
// enters as its pole (the lower-hemisphere normal, trend dd + 180, plunge
// 90 - dip), a line as itself. Poles and lines are axes: x and -x are the
// same. Results are lower-hemisphere lines, trends in [0, 360); a
// horizontal result axis is given at its end with trend in [0, 180).
//
// Fisher (1953), for N axes first turned to the side of the orientation
// tensor's first eigenvector e1 (x_i -> -x_i where x_i . e1 < 0):
//   R = |sum x_i|,  mean = sum x_i / R,
//   k = (N - 1) / (N - R)        (Fisher's estimate of the precision; most
//                                 peers report this one, not N / (N - R)),
//   cos alpha = 1 - (N - R) / R ((1 / (1 - C))^(1 / (N - 1)) - 1)
//                                (the cone holding the true mean with
//                                 confidence C; Fisher 1953, eq. 26),
//   csd = 81 deg / sqrt(k)       (the angular standard deviation; Butler
//                                 1992, eq. 6.21).
// Orientation tensor (Scheidegger 1965; Watson 1966): T = sum x_i x_i^T / N,
// eigenvalues S1 >= S2 >= S3 (their sum 1) with eigenvectors e1, e2, e3.
//   Woodcock (1977): K = ln(S1/S2) / ln(S2/S3), C = ln(S1/S3);
//   Vollmer (1990):  P = S1 - S2, G = 2 (S2 - S3), R = 3 S3, B = P + G
//                    (P + G + R = 1);
//   Lisle (1985):    I = 7.5 sum (S_i - 1/3)^2 (0 uniform, 5 one direction).
// Fold axis: the pi-axis of the bedding poles is e3 of their tensor
// (Ramsay 1967; Charlesworth et al. 1976); S3 near 0 and G near 1 say the
// fold is cylindrical.
//
// Sources: Fisher, R.A. 1953, Dispersion on a sphere, Proc. R. Soc. Lond. A
// 217, 295-305. Butler, R.F. 1992, Paleomagnetism, Blackwell. Scheidegger,
// A.E. 1965, USGS Prof. Paper 525-C, 164-167. Watson, G.S. 1966, J. Geol.
// 74, 786-797. Woodcock, N.H. 1977, Geol. Soc. Am. Bull. 88, 1231-1236.
// Vollmer, F.W. 1990, Geol. Soc. Am. Bull. 102, 786-791. Lisle, R.J. 1985,
// J. Struct. Geol. 7, 115-117. Ramsay, J.G. 1967, Folding and Fracturing of
// Rocks, McGraw-Hill. Charlesworth, H.A.K., Langenberg, C.W., Ramsden, J.
// 1976, Can. J. Earth Sci. 13, 54-65.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/rotation.h"
#include "data/fault_data.h"
#include "data/orientation_table.h"
#include "math/vector3d.h"

namespace orniva::analysis {

// What a statistic reads: the planes' poles or the lines (of an
// orientation table), or the faults' poles or striations (of a data file).
enum class OrientationOf : std::uint8_t { Poles, Lines };
// "poles", "lines"; none for another name.
std::optional<OrientationOf> OrientationOfNamed(std::string_view name);

// The lower-hemisphere pole of the plane (dip direction, dip) [deg].
math::Vector3d PoleVector(double dipDirection, double dip);

// The directions of the records of that kind, in order; `use` (by record,
// 0-based; shorter: the rest in use) leaves records out.
std::vector<math::Vector3d> OrientationDirections(const std::vector<OrientationRecord>& records,
                                                  OrientationOf of,
                                                  const std::vector<bool>* use = nullptr);
// The poles of the fault planes or the striations of the data that passed
// their checks (the striations: those whose striation passed too); `use`
// by line, index 0 unused, as CollectUsedFaults takes it.
std::vector<math::Vector3d> FaultDirections(const FaultSet& data, OrientationOf of,
                                            const std::vector<bool>* use = nullptr);

// Which records are in the set named `set` (records without a set in "").
std::vector<bool> InSet(const std::vector<OrientationRecord>& records, std::string_view set);

// The error of a statistic of no direction.
inline constexpr const char* kNoOrientations = "no plane or line to analyse";

// Fisher's mean. CSV columns `n,trend,plunge,r,k,alpha,csd`; k, alpha and
// csd empty where undefined: all three for N = 1; k where the axes all
// coincide (R = N: then alpha and csd are 0); alpha where its cosine falls
// below -1 (no cone at that confidence).
struct FisherResult {
  std::string error;  // empty when made: no direction, or C outside (0, 1)
  std::size_t n = 0;
  math::TrendPlunge mean;
  double r = 0;
  std::optional<double> k, alpha, csd;  // alpha, csd [deg]
};
FisherResult FisherStatistics(const std::vector<math::Vector3d>& axes, double confidence = 0.95);

// The orientation tensor's eigenvalues S1 >= S2 >= S3 and unit
// eigenvectors e1, e2, e3. An eigenvalue below 1e-12 (the rounding of a
// sum of unit vectors, where the directions lie in a plane or along a
// line) is taken as 0.
struct OrientationTensor {
  std::array<double, 3> values{};
  std::array<math::Vector3d, 3> vectors{};
};
OrientationTensor TensorOf(const std::vector<math::Vector3d>& axes);

// The fabric. CSV columns `s1,s2,s3,e1_trend,e1_plunge,e2_trend,e2_plunge,
// e3_trend,e3_plunge,K,C,P,G,R,B,I`; K empty where S2 or S3 is 0 or S2 = S3
// (to 1e-12 in the logarithm), C where S3 is 0.
struct FabricResult {
  std::string error;  // empty when made: no direction
  std::size_t n = 0;
  std::array<double, 3> s{};
  std::array<math::TrendPlunge, 3> e{};
  std::optional<double> K, C;
  double P = 0, G = 0, R = 0, B = 0, I = 0;
};
FabricResult Fabric(const std::vector<math::Vector3d>& axes);

// The fold axis of bedding poles. CSV columns `trend,plunge,n,s3,G`.
struct FoldAxisResult {
  std::string error;  // empty when made: fewer than two planes, or all parallel
  math::TrendPlunge axis;
  std::size_t n = 0;
  double s3 = 0, G = 0;
};
FoldAxisResult FoldAxis(const std::vector<math::Vector3d>& poles);

// A record turned by `rotation` (analysis/rotation.h), every other field
// kept: a line's direction turned and written as its lower-hemisphere
// trend and plunge; a plane's pole turned, taken at its lower end (a plane
// turned over is the same plane), and the plane written back as the dip
// direction (pole trend + 180) and dip (90 - pole plunge).
OrientationRecord RotateOrientation(const OrientationRecord& record,
                                    const math::Matrix3d& rotation);
// Every record turned, in order.
std::vector<OrientationRecord> RotateOrientations(const std::vector<OrientationRecord>& records,
                                                  const math::Matrix3d& rotation);

// The bedding whose pole is the Fisher mean of `poles` (dip direction =
// mean trend + 180, dip = 90 - mean plunge), for the back-tilt and the
// tilt test of a fault data set; with the Fisher statistics it comes from.
struct MeanBedding {
  std::string error;  // as FisherStatistics's
  Bedding bedding;
  FisherResult fisher;
};
MeanBedding MeanBeddingOf(const std::vector<math::Vector3d>& poles);

}  // namespace orniva::analysis
