// Rotation of fault-slip data, the back-tilt by a bedding and the tilt test.
//
// A rotation turns by an angle about an axis, right-handed about the axis
// pointing down its trend and plunge (Rodrigues' formula). It turns a
// datum's normal n, striation l and slip s (analysis/fault_vectors.h)
// alike. When the turned normal points down the plane is overturned: the
// blocks swap roles, so the normal is -n and the hanging wall's slip -s.
// The datum is then written back: the plane's dip direction and dip from n,
// the striation as its lower-hemisphere line, and the sense recomputed from
// the turned vectors: S or D by the sign of s . h of the turned plane
// (h its right-hand strike), N or R by whether s points down the stored
// striation (N) or up it (R).
//
// Back-tilt by a bedding (dip direction dd, dip b) with fraction f: the
// rotation about the bedding's strike line (trend dd - 90, plunge 0) by
// -f b, which makes the bedding horizontal at f = 1.
//
// Tilt test: at f = 0, 0.05, ..., 1.25 the data are back-tilted by f and
// inverted; the test reads the plunge of the steepest principal axis,
// nearest vertical where the stress of the faulting had a vertical axis
// (Anderson). The mean misfit stays the same, as every datum turns alike.
#pragma once

#include <functional>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"
#include "data/fault_data.h"
#include "math/vector3d.h"

namespace orniva::analysis {

// The matrix of the rotation by `degrees` about `axis`.
math::Matrix3d RotationMatrix(math::TrendPlunge axis, double degrees);
math::Vector3d Rotate(const math::Matrix3d& rotation, math::Vector3d v);
// A trend of -360 to 360 degrees as stored, in [0, 360): one a rounding
// below 0 or 360 is 0.
float StoredTrend(double degrees);

// A new data set: every datum that passed its checks turned by `rotation`
// and coloured again; the others as they were.
FaultSet RotateData(const FaultSet& data, const math::Matrix3d& rotation);

struct Bedding {
  double dipDirection = 0;  // [deg]
  double dip = 0;           // [deg]
};
// The rotation of the back-tilt by `fraction` of the bedding's dip.
math::Matrix3d BackTiltRotation(const Bedding& bedding, double fraction);

// One step of the tilt test.
struct TiltStep {
  double fraction = 0;
  StressResult stress;
  double steepestPlunge = 0;  // the largest plunge of sigma1, sigma2, sigma3 [deg]
};
// The number of steps of the tilt test.
inline constexpr int kTiltSteps = 26;
// The steps f = 0, 0.05, ..., 1.25, each inverted by `method` (with
// `iterate` and `use` as InvertStress takes them). `carryOn`, when given,
// is asked after each step with the number of steps done; false stops the
// test, which then returns no step.
std::vector<TiltStep> TiltTest(const FaultSet& data, const Bedding& bedding, StressMethod method,
                               bool iterate, const std::vector<bool>* use,
                               const std::function<bool(int done)>& carryOn = {});

// The reports of the command line: `back-tilt` (line,faz,fpl,saz,spl,sense,
// one row per datum in use of the turned data) and `tilt-test`
// (fraction,mean_misfit,steepest_plunge,s1_trend,s1_plunge,s3_trend,
// s3_plunge,phi, one row per step). A refusal sets `error`: no datum in
// use, or the first step's inversion refusing the data.
CsvReport BackTiltCsv(const FaultSet& turned, const std::vector<bool>* use);
CsvReport TiltTestCsv(const std::vector<TiltStep>& steps);

}  // namespace orniva::analysis
