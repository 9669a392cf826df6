#include "analysis/given_stress.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "analysis/report_format.h"
#include "analysis/stress_summary.h"

namespace orniva::analysis {

using math::Vector3d;

namespace {

// The principal directions of `given`: sigma1, sigma2 and sigma3 made
// exactly perpendicular to sigma1.
std::array<Vector3d, 3> PrincipalDirections(const GivenStress& given) {
  const Vector3d s1 = math::LineVector(given.sigma1.trend, given.sigma1.plunge);
  const Vector3d s3raw = math::LineVector(given.sigma3.trend, given.sigma3.plunge);
  const Vector3d s3 = math::Normalise(s3raw - math::Dot(s3raw, s1) * s1);
  return {s1, math::Cross(s3, s1), s3};
}

StressTensor TensorOf(const std::array<Vector3d, 3>& v, double phi) {
  double values[3] = {-1, 1 - 2 * phi, 1};
  const double mean = (values[0] + values[1] + values[2]) / 3;
  for (double& value : values) value -= mean;
  auto element = [&](double Vector3d::*i, double Vector3d::*j) {
    double sum = 0;
    for (std::size_t k = 0; k < 3; ++k) sum += values[k] * (v[k].*i) * (v[k].*j);
    return sum;
  };
  const StressTensor x = {element(&Vector3d::x, &Vector3d::x), element(&Vector3d::x, &Vector3d::y),
                          element(&Vector3d::x, &Vector3d::z), element(&Vector3d::y, &Vector3d::y),
                          element(&Vector3d::y, &Vector3d::z)};
  return ReducedTensor(x);
}

bool LineInRange(math::TrendPlunge line) {
  return line.trend >= 0 && line.trend <= 360 && line.plunge >= 0 && line.plunge <= 90;
}

}  // namespace

std::string GivenStressRefusal(const GivenStress& given) {
  if (!LineInRange(given.sigma1) || !LineInRange(given.sigma3))
    return "a given axis needs a trend in [0, 360] and a plunge in [0, 90]";
  if (!(given.phi >= 0 && given.phi <= 1)) return "Phi must lie in [0, 1]";
  const Vector3d s1 = math::LineVector(given.sigma1.trend, given.sigma1.plunge);
  const Vector3d s3 = math::LineVector(given.sigma3.trend, given.sigma3.plunge);
  const double off = std::fabs(90 - math::AngleBetween(s1, s3));
  if (off > kGivenAxesTolerance)
    return "sigma1 and sigma3 are " + FormatAngle(off) + " degrees off perpendicular (at most 1)";
  return "";
}

std::optional<GivenStress> GivenStressNamed(std::string_view text) {
  double values[5];
  for (std::size_t k = 0; k < 5; ++k) {
    const std::size_t comma = std::min(text.find(','), text.size());
    const bool last = k == 4;
    if ((comma == text.size()) != last) return std::nullopt;
    const char* end = text.data() + comma;
    const auto [at, error] = std::from_chars(text.data(), end, values[k]);
    if (comma == 0 || error != std::errc() || at != end) return std::nullopt;
    if (!last) text.remove_prefix(comma + 1);
  }
  return GivenStress{{values[0], values[1]}, {values[2], values[3]}, values[4]};
}

StressResult GivenStressResult(const FaultSet& data, const GivenStress& given,
                               const std::vector<bool>* use) {
  StressResult result;
  const InversionInput input = StartInversion(data, use, result);
  result.error = GivenStressRefusal(given);
  if (!result.error.empty() || result.used == 0) return result;
  const std::array<Vector3d, 3> axes = PrincipalDirections(given);
  DescribeStress(TensorOf(axes, given.phi), input.all, result);
  // The given axes and Phi exactly, where equal principal values leave the
  // eigenvectors free.
  for (std::size_t k = 0; k < 3; ++k) result.axes[k] = math::LowerHemisphereLine(axes[k]);
  result.phi = given.phi;
  result.r = 1 - given.phi;
  return result;
}

}  // namespace orniva::analysis
