// One measured fault (plane, striation, sense of slip) and the data set
// loaded from one file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace orniva {

// The five checks of a datum, as bits of TFaultData::failedChecks.
enum FaultCheck : std::uint8_t {
  kFazCheck = 1 << 0,
  kFplCheck = 1 << 1,
  kSazCheck = 1 << 2,
  kSplCheck = 1 << 3,
  kSenseCheck = 1 << 4,
};

struct TFaultData {
  float faz = 0;       // dip direction of the plane [deg], valid in [0, 360]
  float fpl = 0;       // dip of the plane [deg], valid in [0, 90]
  float saz = 0;       // trend of the striation [deg], valid in [0, 360]
  float spl = 0;       // plunge of the striation [deg], valid in [0, 90]
  std::string sense;   // first character of the sense field, upper-cased; N, R, S or D when valid
  TColor colour = 0;   // set by AssignColours
  std::string status;  // empty, or the message of the last failed check ("faz invalid", ...)
  // Every check that failed (FaultCheck bits). `status` names only the last
  // one; the diagrams decide from this record.
  std::uint8_t failedChecks = 0;
};

// What the diagrams may draw of a datum.
inline bool PlaneDrawable(const TFaultData& d) {
  return !(d.failedChecks & (kFazCheck | kFplCheck));
}
inline bool StriationDrawable(const TFaultData& d) {
  return PlaneDrawable(d) && !(d.failedChecks & (kSazCheck | kSplCheck));
}
inline bool SlipDrawable(const TFaultData& d) {
  return StriationDrawable(d) && !(d.failedChecks & kSenseCheck);
}

// The data set: datum i (1 to count) is line i of the data file; element 0
// is never used. Before the first load it holds 10 cleared elements and
// count 0; every load re-creates it with count + 1 cleared elements.
class FaultSet {
 public:
  static constexpr std::int16_t kMaxCount = 32760;

  FaultSet() : data_(10) {}

  // Replaces the whole set by count + 1 cleared elements. 0 <= count <= kMaxCount.
  void Recreate(std::int16_t count);

  // Tells one content of the set from the next: different for every set
  // and every Recreate, so that what is computed from the data can be kept
  // until they are re-created. The data are filled right after Recreate.
  std::uint64_t generation() const { return generation_; }
  // The data were changed in place: what was computed from them is stale.
  void Touch() { generation_ = NextGeneration(); }

  std::int16_t count() const { return count_; }
  std::size_t size() const { return data_.size(); }  // elements, element 0 included

  // Element `index`, 0 to size() - 1; data are 1 to count().
  TFaultData& operator[](std::size_t index) { return data_[index]; }
  const TFaultData& operator[](std::size_t index) const { return data_[index]; }

 private:
  static std::uint64_t NextGeneration();

  std::vector<TFaultData> data_;
  std::int16_t count_ = 0;
  std::uint64_t generation_ = NextGeneration();
};

// Colours data 1 to count from their sense: N blue, R red; S blue when
// AzimuthAngle(faz, saz) < 0, else red; D red when it is < 0, else blue;
// anything else silver. `status` is not looked at.
void AssignColours(FaultSet& data);

}  // namespace orniva
