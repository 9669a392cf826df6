#include "analysis/tendency.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "analysis/density.h"
#include "analysis/fault_vectors.h"

namespace orniva::analysis {

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// The whole of `text` as a finite decimal number.
std::optional<double> NumberOf(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
    return std::nullopt;
  return value;
}

math::Vector3d Times(const math::Matrix3d& c, math::Vector3d n) {
  return {c[0][0] * n.x + c[0][1] * n.y + c[0][2] * n.z,
          c[1][0] * n.x + c[1][1] * n.y + c[1][2] * n.z,
          c[2][0] * n.x + c[2][1] * n.y + c[2][2] * n.z};
}

}  // namespace

std::string MagnitudesProblem(const StressMagnitudes& m) {
  if (!std::isfinite(m.sigma1) || !std::isfinite(m.sigma2) || !std::isfinite(m.sigma3) ||
      !std::isfinite(m.porePressure))
    return "the stress magnitudes and the pore pressure must be finite numbers";
  if (!(m.sigma1 >= m.sigma2 && m.sigma2 >= m.sigma3))
    return "the stress magnitudes must be ordered sigma1 >= sigma2 >= sigma3 (compression "
           "positive); " +
           Number(m.sigma1) + ", " + Number(m.sigma2) + ", " + Number(m.sigma3) + " given";
  if (m.sigma3 - m.porePressure <= 0)
    return "the effective sigma3 (sigma3 - pore pressure) must be positive; " + Number(m.sigma3) +
           " - " + Number(m.porePressure) + " given";
  if (m.sigma1 == m.sigma3)
    return "sigma1 must exceed sigma3: the tendencies need a differential stress";
  const double largest =
      std::max({std::fabs(m.sigma1), std::fabs(m.sigma3), std::fabs(m.porePressure)});
  if (largest > kLargestMagnitude)
    return "the stress magnitudes and the pore pressure must lie within +-1e12";
  const double effective = std::max(std::fabs(m.sigma3), std::fabs(m.porePressure));
  if (m.sigma1 - m.sigma3 < 1e-9 * largest || m.sigma3 - m.porePressure < 1e-9 * effective)
    return "sigma1 - sigma3 and sigma3 - pore pressure are too small beside the magnitudes (" +
           Number(largest) + ") to be told from 0";
  return {};
}

std::optional<TendencyOf> TendencyOfNamed(std::string_view name) {
  if (name == "slip") return TendencyOf::Slip;
  if (name == "dilation") return TendencyOf::Dilation;
  return std::nullopt;
}

TendencyStress MakeTendencyStress(const StressMagnitudes& m,
                                  const std::array<math::TrendPlunge, 3>& axes) {
  TendencyStress stress;
  stress.error = MagnitudesProblem(m);
  if (!stress.error.empty()) return stress;
  const double sigma[3] = {m.sigma1, m.sigma2, m.sigma3};
  for (std::size_t k = 0; k < 3; ++k) {
    const math::Vector3d e = math::LineVector(axes[k].trend, axes[k].plunge);
    const double v[3] = {e.x, e.y, e.z};
    for (std::size_t i = 0; i < 3; ++i)
      for (std::size_t j = 0; j < 3; ++j) stress.c[i][j] += sigma[k] * v[i] * v[j];
  }
  stress.magnitudes = m;
  const double s1 = m.sigma1 - m.porePressure, s3 = m.sigma3 - m.porePressure;
  stress.tsMax = (s1 - s3) / (2 * std::sqrt(s1 * s3));
  return stress;
}

PlaneTendency TendencyOnPlane(const TendencyStress& stress, math::Vector3d n) {
  const StressMagnitudes& m = stress.magnitudes;
  const math::Vector3d traction = Times(stress.c, n);
  PlaneTendency t;
  t.sigmaN = math::Dot(n, traction);
  t.tau = math::Norm(traction - t.sigmaN * n);
  t.ts = t.tau / (t.sigmaN - m.porePressure);
  t.tsNormalised = t.ts / stress.tsMax;
  t.td = (m.sigma1 - t.sigmaN) / (m.sigma1 - m.sigma3);
  return t;
}

std::vector<double> TendencyValues(const TendencyStress& stress, TendencyOf of,
                                   const std::vector<math::Vector3d>& normals) {
  std::vector<double> values;
  values.reserve(normals.size());
  for (const math::Vector3d& n : normals) {
    const PlaneTendency t = TendencyOnPlane(stress, n);
    values.push_back(of == TendencyOf::Slip ? t.tsNormalised : t.td);
  }
  return values;
}

TendencyResult FaultTendencies(const FaultSet& data, const std::vector<bool>* use,
                               const StressResult& stress, const StressMagnitudes& m) {
  TendencyResult result;
  if (!stress.error.empty()) {
    result.error = stress.error;
    return result;
  }
  const TendencyStress tendency = MakeTendencyStress(m, stress.axes);
  if (!tendency.error.empty()) {
    result.error = tendency.error;
    return result;
  }
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    if (data[i].failedChecks != 0 || (use && !(*use)[i])) continue;
    result.faults.push_back({int(i), TendencyOnPlane(tendency, NormalOf(data[i]))});
  }
  return result;
}

ParsedMagnitudes ParseMagnitudes(std::string_view magnitudes, std::string_view porePressure) {
  ParsedMagnitudes parsed;
  double sigma[3] = {0, 0, 0};
  std::string_view rest = magnitudes;
  for (int k = 0; k < 3; ++k) {
    const std::size_t comma = k < 2 ? rest.find(',') : rest.size();
    const std::optional<double> value =
        comma == std::string_view::npos ? std::nullopt : NumberOf(rest.substr(0, comma));
    if (!value) {
      parsed.error =
          "--magnitudes needs three numbers S1,S2,S3, not '" + std::string(magnitudes) + "'";
      return parsed;
    }
    sigma[k] = *value;
    rest = rest.substr(std::min(rest.size(), comma + 1));
  }
  const std::optional<double> pore = porePressure.empty() ? 0.0 : NumberOf(porePressure);
  if (!pore) {
    parsed.error = "--pore-pressure needs a number, not '" + std::string(porePressure) + "'";
    return parsed;
  }
  parsed.magnitudes = {sigma[0], sigma[1], sigma[2], *pore};
  parsed.error = MagnitudesProblem(parsed.magnitudes);
  return parsed;
}

}  // namespace orniva::analysis
