// Stress inversion by every method on offer: Michael's (1984, see
// stress_inversion.h, the default) and four more, each giving a
// StressResult of the same shape so that every view can show any of them.
//
// Per fault in use: n the normal into the hanging wall, s the slip made
// exactly parallel to the plane (unit), t = normalise(s x n) and b = n x s
// (both in the plane, across the slip: b = -t). T is the trace-free stress
// tensor, tension positive; tau(T, n) = T n - (n . T n) n.
//
// Shan, Li and Lin (2003). x = (Txx, Tyy, Txy, Txz, Tyz), Tzz = -Txx - Tyy;
//   o = (nx tx - nz tz, ny ty - nz tz, nx ty + ny tx, nx tz + nz tx, ny tz + nz ty),
//   so that o . x = t . T n; x is the eigenvector of the smallest eigenvalue
//   of sum o o^T, |x| = 1.
// Fry (1999). o = -(nx tx, ny ty, nz tz, tx ny + ty nx, ty nz + tz ny,
//   tz nx + tx nz), normalised; M = sum o o^T (6 x 6). The isotropic tensor
//   (1, 1, 1, 0, 0, 0) is in M's null space (o . (1, 1, 1, 0, 0, 0) = -t . n
//   = 0), so the eigenvector of M's second-smallest eigenvalue,
//   (Txx, Tyy, Tzz, Txy, Tyz, Tzx) with its trace removed, is the eigenvector
//   of the smallest eigenvalue of M on the trace-free tensors: computed so.
// Yamaji and Sato (2006). e = (sqrt2 bx nx, sqrt2 by ny, sqrt2 bz nz,
//   by nz + bz ny, bx nz + bz nx, bx ny + by nx) and
//   y = (Txx, Tyy, Tzz, sqrt2 Tyz, sqrt2 Tzx, sqrt2 Txy) / sqrt2, so that
//   e . y = b . T n and |y| = |T|_F / sqrt2; y minimises sum (e . y)^2 over
//   unit y orthogonal to (1, 1, 1, 0, 0, 0). Reported as the reduced tensor.
// Angelier (1990), the S4 minimum. S4 = sum |lambda s_i - tau_i|^2 with
//   lambda = sqrt(3) / 2, minimised over the tensors in Angelier's
//   normalisation: principal values cos psi, cos(psi + 120), cos(psi + 240)
//   [deg] (sum 0, sum of squares 3/2), that is |T|_F^2 = 3/2 in any frame,
//   whose largest shear stress is lambda at Phi = 1/2 (the paper's section 4
//   and appendix IV). The paper's own direct method (INVD, its equation 14)
//   puts those cosines on the diagonal of T in the geographic frame instead
//   and adjusts lambda by repeated determinations, since this form had no
//   analytical solution then; that form does not turn with the data. Here
//   the minimum of the normalised form is found exactly. In an orthonormal
//   basis E_k of the trace-free tensors, T = sum c_k E_k, tau_i = A_i c and
//     S4 = N lambda^2 - 2 lambda g . c + c^T H c,  H = sum A_i^T A_i,
//     g = sum A_i^T s_i,  |c|^2 = 3/2:
//   a quadratic on a sphere. Its minimum is c = lambda (H - mu I)^-1 g with
//   mu below the smallest eigenvalue h1 of H and |c|^2 = 3/2 (the secular
//   equation, one root below h1, solved by safeguarded Newton steps in
//   h1 - mu); in the hard case (g without a component along h1's
//   eigenvectors and too short to reach the sphere) mu = h1 and the rest of
//   the length lies along h1's eigenvector. Either way H - mu I is positive
//   semidefinite, and for any c' on the sphere S4(c') - S4(c) =
//   (c' - c)^T (H - mu I) (c' - c) >= 0: no tensor in the normalisation has
//   a smaller S4.
//
// The four need at least 5 faults and the planes to fix the stress (the
// shear tractions' normal matrix H of rank 5), and each fixes the overall
// sign of its tensor: the eigenvector methods take the sign of the smaller
// mean beta; the S4 minimum's sign is its own (S4(-T) - S4(T) =
// 4 lambda sum s_i . tau_i, so the minimum already drives the slips), the
// mean beta choosing only between the two minima of the hard case.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "analysis/stress_inversion.h"
#include "data/fault_data.h"

namespace orniva::analysis {

enum class StressMethod { Michael, Shan, Fry, YamajiSato, Angelier };

// Every method, in the order of the reports.
inline constexpr std::array<StressMethod, 5> kStressMethods = {
    StressMethod::Michael, StressMethod::Shan, StressMethod::Fry, StressMethod::YamajiSato,
    StressMethod::Angelier};

// The names on the command line: "michael", "shan", "fry", "yamaji-sato",
// "angelier".
const char* StressMethodName(StressMethod method);
std::optional<StressMethod> StressMethodNamed(std::string_view name);

// Inverts the data that passed every check by `method`; `iterate` applies
// to Michael's method and `use` is as for InvertStress(data, iterate, use).
// A refusal names the method, e.g. "Shan's method needs at least 5 faults;
// 3 given".
StressResult InvertStress(const FaultSet& data, StressMethod method, bool iterate,
                          const std::vector<bool>* use = nullptr);
// The result of every method, in the order of kStressMethods, from the
// data read once; each as InvertStress gives it.
std::array<StressResult, 5> InvertByEveryMethod(const FaultSet& data, bool iterate,
                                                const std::vector<bool>* use = nullptr);
// InvertStress of faults given as vectors (each slip in its plane, unit),
// numbered 1 to N in the result, all used.
StressResult InvertStress(const std::vector<FaultSlip>& faults, StressMethod method, bool iterate);

}  // namespace orniva::analysis
