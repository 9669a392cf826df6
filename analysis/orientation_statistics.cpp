#include "analysis/orientation_statistics.h"

#include <algorithm>
#include <cmath>

#include "analysis/fault_vectors.h"
#include "math/numeric.h"
#include "platform/names.h"

namespace orniva::analysis {

using math::Vector3d;

namespace {

constexpr double kZeroEigenvalue = 1e-12;
constexpr Named<OrientationOf> kOfNames[] = {{"poles", OrientationOf::Poles},
                                             {"lines", OrientationOf::Lines}};

bool InUse(const std::vector<bool>* use, std::size_t i) {
  return !use || i >= use->size() || (*use)[i];
}

// The axes turned to the side of `towards`.
Vector3d Resultant(const std::vector<Vector3d>& axes, const Vector3d& towards) {
  Vector3d sum;
  for (const Vector3d& x : axes) sum = sum + (Dot(x, towards) < 0 ? -x : x);
  return sum;
}

// An axis as a lower-hemisphere line; a horizontal one at its end with
// trend in [0, 180), so that the sign an eigenvector comes with does not show.
math::TrendPlunge AxisLine(const Vector3d& v) {
  math::TrendPlunge line = math::LowerHemisphereLine(v);
  if (line.plunge == 0 && line.trend >= 180) line.trend -= 180;
  return line;
}

// A result that says why it was not made.
template <typename Result>
Result Refused(const char* reason, std::size_t n = 0) {
  Result result;
  result.error = reason;
  result.n = n;
  return result;
}

}  // namespace

std::optional<OrientationOf> OrientationOfNamed(std::string_view name) {
  return ValueNamed(kOfNames, name);
}

Vector3d PoleVector(double dipDirection, double dip) {
  return math::LineVector(dipDirection + 180, 90 - dip);
}

std::vector<Vector3d> OrientationDirections(const std::vector<OrientationRecord>& records,
                                            OrientationOf of, const std::vector<bool>* use) {
  const OrientationKind kind =
      of == OrientationOf::Poles ? OrientationKind::Plane : OrientationKind::Line;
  std::vector<Vector3d> directions;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const OrientationRecord& r = records[i];
    if (r.kind != kind || !InUse(use, i)) continue;
    directions.push_back(kind == OrientationKind::Plane ? PoleVector(r.azimuth, r.angle)
                                                        : math::LineVector(r.azimuth, r.angle));
  }
  return directions;
}

std::vector<Vector3d> FaultDirections(const FaultSet& data, OrientationOf of,
                                      const std::vector<bool>* use) {
  std::vector<Vector3d> directions;
  for (const FaultVectors& fault : CollectUsedFaults(data, use).faults)
    directions.push_back(of == OrientationOf::Poles ? -fault.n : fault.l);
  return directions;
}

std::vector<bool> InSet(const std::vector<OrientationRecord>& records, std::string_view set) {
  std::vector<bool> in(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) in[i] = records[i].set == set;
  return in;
}

OrientationTensor TensorOf(const std::vector<Vector3d>& axes) {
  math::Matrix3d t{};
  for (const Vector3d& x : axes) {
    const double c[3] = {x.x, x.y, x.z};
    for (std::size_t i = 0; i < 3; ++i)
      for (std::size_t j = i; j < 3; ++j) t[i][j] += c[i] * c[j];
  }
  const double n = axes.empty() ? 1 : double(axes.size());
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = i; j < 3; ++j) t[j][i] = t[i][j] = t[i][j] / n;
  const math::SymmetricEigen eigen = math::EigenSymmetric(t);
  OrientationTensor tensor;
  for (std::size_t k = 0; k < 3; ++k) {  // descending
    const double value = eigen.values[2 - k];
    tensor.values[k] = value < kZeroEigenvalue ? 0 : value;
    tensor.vectors[k] = eigen.vectors[2 - k];
  }
  return tensor;
}

FisherResult FisherStatistics(const std::vector<Vector3d>& axes, double confidence) {
  if (axes.empty()) return Refused<FisherResult>(kNoOrientations);
  if (!(confidence > 0 && confidence < 1))
    return Refused<FisherResult>("the confidence must lie between 0 and 1");
  FisherResult result;
  const Vector3d sum = Resultant(axes, TensorOf(axes).vectors[0]);
  const double n = double(axes.size());
  result.n = axes.size();
  result.r = math::Norm(sum);
  result.mean = AxisLine(sum);
  if (axes.size() < 2) return result;
  const double spread = n - result.r;
  if (spread <= 1e-12 * n) {  // the axes coincide: k infinite
    result.alpha = 0;
    result.csd = 0;
    return result;
  }
  result.k = (n - 1) / spread;
  result.csd = 81 / std::sqrt(*result.k);
  const double cosine = 1 - spread / result.r * (std::pow(1 / (1 - confidence), 1 / (n - 1)) - 1);
  if (cosine >= -1) result.alpha = std::acos(std::min(1.0, cosine)) * numeric::kRadToDeg;
  return result;
}

FabricResult Fabric(const std::vector<Vector3d>& axes) {
  if (axes.empty()) return Refused<FabricResult>(kNoOrientations);
  FabricResult result;
  const OrientationTensor tensor = TensorOf(axes);
  result.n = axes.size();
  result.s = tensor.values;
  for (std::size_t k = 0; k < 3; ++k) result.e[k] = AxisLine(tensor.vectors[k]);
  const auto [s1, s2, s3] = result.s;
  if (s3 > 0) {
    result.C = std::log(s1 / s3);
    const double girdle = std::log(s2 / s3);
    if (std::fabs(girdle) > 1e-12) result.K = std::log(s1 / s2) / girdle;
  }
  result.P = s1 - s2;
  result.G = 2 * (s2 - s3);
  result.R = 3 * s3;
  result.B = result.P + result.G;
  for (const double s : result.s) result.I += 7.5 * (s - 1.0 / 3) * (s - 1.0 / 3);
  return result;
}

FoldAxisResult FoldAxis(const std::vector<Vector3d>& poles) {
  if (poles.size() < 2)
    return Refused<FoldAxisResult>("a fold axis needs at least two planes", poles.size());
  const OrientationTensor tensor = TensorOf(poles);
  if (tensor.values[1] < 1e-9)
    return Refused<FoldAxisResult>("the planes are all parallel: they define no fold axis",
                                   poles.size());
  FoldAxisResult result;
  result.n = poles.size();
  result.axis = AxisLine(tensor.vectors[2]);
  result.s3 = tensor.values[2];
  result.G = 2 * (tensor.values[1] - tensor.values[2]);
  return result;
}

OrientationRecord RotateOrientation(const OrientationRecord& record,
                                    const math::Matrix3d& rotation) {
  OrientationRecord turned = record;
  if (record.kind == OrientationKind::Line) {
    const math::TrendPlunge line =
        math::LowerHemisphereLine(Rotate(rotation, math::LineVector(record.azimuth, record.angle)));
    turned.azimuth = StoredTrend(line.trend);
    turned.angle = numeric::Store(line.plunge);
  } else {
    const math::TrendPlunge pole =
        math::LowerHemisphereLine(Rotate(rotation, PoleVector(record.azimuth, record.angle)));
    turned.azimuth = StoredTrend(pole.trend < 180 ? pole.trend + 180 : pole.trend - 180);
    turned.angle = numeric::Store(90 - pole.plunge);
  }
  return turned;
}

std::vector<OrientationRecord> RotateOrientations(const std::vector<OrientationRecord>& records,
                                                  const math::Matrix3d& rotation) {
  std::vector<OrientationRecord> turned;
  turned.reserve(records.size());
  for (const OrientationRecord& r : records) turned.push_back(RotateOrientation(r, rotation));
  return turned;
}

MeanBedding MeanBeddingOf(const std::vector<Vector3d>& poles) {
  MeanBedding result;
  result.fisher = FisherStatistics(poles);
  result.error = result.fisher.error;
  if (!result.error.empty()) return result;
  const double dipDirection = std::fmod(result.fisher.mean.trend + 180, 360);
  result.bedding = {dipDirection, 90 - result.fisher.mean.plunge};
  return result;
}

}  // namespace orniva::analysis
