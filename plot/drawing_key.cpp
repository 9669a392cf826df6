#include "plot/drawing_key.h"

#include <cstring>

namespace orniva {
namespace {

class Fnv1a {
 public:
  void Add(const void* bytes, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ p[i]) * 1099511628211ULL;
  }
  template <typename T>
  void Add(const T& value) {
    Add(&value, sizeof value);
  }
  std::uint64_t value() const { return hash_ ? hash_ : 1; }

 private:
  std::uint64_t hash_ = 14695981039346656037ULL;
};

}  // namespace

std::uint64_t DrawingKey(Diagram diagram, const FaultSet& data, const PlotTarget& target) {
  Fnv1a h;
  h.Add(diagram);
  h.Add(target.geometry.symbolUnit);
  h.Add(target.geometry.netRadius);
  h.Add(target.geometry.netCentre.x);
  h.Add(target.geometry.netCentre.y);
  h.Add(target.symbolSize);
  h.Add(data.count());
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    const TFaultData& d = data[i];
    for (float v : {d.faz, d.fpl, d.saz, d.spl}) h.Add(v);
    h.Add(d.sense.size());
    h.Add(d.sense.data(), d.sense.size());
    h.Add(d.colour);
    h.Add(d.failedChecks);
  }
  return h.value();
}

}  // namespace orniva
