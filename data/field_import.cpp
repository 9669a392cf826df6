#include "data/field_import.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <queue>
#include <set>
#include <tuple>
#include <utility>

#include "math/numeric.h"
#include "math/vector3d.h"

namespace orniva {

namespace {

using numeric::kDegToRad;
using numeric::kRadToDeg;
constexpr std::size_t kNone = std::size_t(-1);

std::string Degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// The direction of the striation of `line` on `plane`: its trend and
// plunge, or its rake from the plane's right-hand-rule strike.
math::TrendPlunge StriationOn(const FieldRecord& plane, const FieldRecord& line) {
  if (std::isfinite(line.trend) && std::isfinite(line.plunge)) return {line.trend, line.plunge};
  const math::Vector3d h = math::LineVector(plane.dipDirection - 90, 0);
  const math::Vector3d d = math::LineVector(plane.dipDirection, plane.dip);
  const double r = line.rake * kDegToRad;
  return math::LowerHemisphereLine(std::cos(r) * h + std::sin(r) * d);
}

// The plane's attributes, with what only the line says added.
LineAttributes Merged(const LineAttributes& plane, const LineAttributes& line) {
  LineAttributes a = plane;
  auto fill = [](std::string& mine, const std::string& theirs) {
    if (mine.empty()) mine = theirs;
  };
  auto fillNumber = [](std::optional<double>& mine, const std::optional<double>& theirs) {
    if (!mine) mine = theirs;
  };
  auto join = [](std::string& mine, const std::string& theirs) {
    if (!theirs.empty() && theirs != mine) mine += (mine.empty() ? "" : "; ") + theirs;
  };
  fill(a.site, line.site);
  fill(a.quality, line.quality);
  fill(a.time, line.time);
  fillNumber(a.longitude, line.longitude);
  fillNumber(a.latitude, line.latitude);
  fillNumber(a.elevation, line.elevation);
  fillNumber(a.accuracy, line.accuracy);
  join(a.label, line.label);
  join(a.notes, line.notes);
  return a;
}

class Pairing {
 public:
  Pairing(std::vector<FieldRecord>& records, const SenseMap& senses, double limit, bool keep)
      : records_(records), senses_(senses), limit_(limit), keepMisfits_(keep) {}

  FieldConversion Run();

 private:
  void Sort();
  void PairByLink();
  void PairBySite();
  void PairGroup(const std::vector<std::size_t>& items);
  void AddFault(std::size_t plane, std::size_t line);
  void LeaveOut(std::size_t record, LeftOutReason reason, std::string detail);

  std::vector<FieldRecord>& records_;
  const SenseMap& senses_;
  double limit_;
  bool keepMisfits_;
  std::vector<bool> done_;  // paired or left out
  std::vector<std::size_t> planes_, lines_;
  std::vector<std::tuple<std::size_t, std::size_t, FieldFault>> faults_;  // plane, line, fault
  FieldConversion result_;
};

void Pairing::LeaveOut(std::size_t record, LeftOutReason reason, std::string detail) {
  result_.leftOut.push_back({records_[record].where, reason, std::move(detail)});
  done_[record] = true;
}

void Pairing::AddFault(std::size_t plane, std::size_t line) {
  const FieldRecord& p = records_[plane];
  const FieldRecord& l = line == kNone ? p : records_[line];
  const math::TrendPlunge striation =
      line == kNone ? math::TrendPlunge{p.trend, p.plunge} : StriationOn(p, l);
  FieldFault fault;
  fault.records = {plane};
  fault.where = p.where;
  if (line != kNone) {
    fault.records.push_back(line);
    fault.where = p.where + " and " + l.where;
  }
  if (p.kind == FieldRecord::Kind::Fault) {
    fault.row.faz = p.dipDirection, fault.row.fpl = p.dip;
    fault.row.saz = p.trend, fault.row.spl = p.plunge, fault.row.sense = p.letter;
  } else {
    fault.row = ConvertFault(p.dipDirection, p.dip, striation.trend, striation.plunge,
                             p.sense.empty() ? l.sense : p.sense, senses_);
  }
  for (const std::string& w : fault.row.warnings)
    result_.warnings.push_back(fault.where + ": " + w);
  for (const std::size_t r : fault.records) done_[r] = true;
  if (!fault.row.error.empty()) {
    for (const std::size_t r : fault.records)
      result_.leftOut.push_back({records_[r].where, LeftOutReason::MissingValue, fault.row.error});
    return;
  }
  fault.misfit = MisfitAngle(p.dipDirection, p.dip, striation.trend, striation.plunge);
  fault.overLimit = fault.misfit > limit_;
  fault.keep = !fault.overLimit || keepMisfits_;
  fault.attributes = line == kNone ? p.attributes : Merged(p.attributes, l.attributes);
  faults_.emplace_back(plane, line == kNone ? plane : line, std::move(fault));
}

// Records that cannot take part are left out; the others wait as planes,
// lines or whole faults.
void Pairing::Sort() {
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const FieldRecord& r = records_[i];
    for (const std::string& w : r.warnings) result_.warnings.push_back(r.where + ": " + w);
    if (!r.wanted)
      LeaveOut(i, LeftOutReason::NotAFault, r.feature.empty() ? "not a fault" : r.feature);
    else if (!r.problem.empty())
      LeaveOut(i, LeftOutReason::MissingValue, r.problem);
    else if (r.kind == FieldRecord::Kind::Fault)
      AddFault(i, kNone);
    else
      (r.kind == FieldRecord::Kind::Plane ? planes_ : lines_).push_back(i);
  }
}

// A line recorded on a plane goes with that plane; a plane may carry
// several striations, each a fault of its own.
void Pairing::PairByLink() {
  std::map<std::string, std::size_t> byId;
  for (std::size_t i = 0; i < records_.size(); ++i)
    if (records_[i].kind == FieldRecord::Kind::Plane && !records_[i].id.empty())
      byId.emplace(records_[i].id, i);
  std::set<std::size_t> linked;
  for (const std::size_t line : lines_) {
    const auto plane = records_[line].link.empty() ? byId.end() : byId.find(records_[line].link);
    if (plane == byId.end()) continue;
    const FieldRecord& p = records_[plane->second];
    if (!p.wanted)
      LeaveOut(line, LeftOutReason::NotAFault, "on a plane that is no fault (" + p.feature + ")");
    else if (!p.problem.empty())
      LeaveOut(line, LeftOutReason::Unpaired, "its plane has no usable values");
    else
      AddFault(plane->second, line), linked.insert(plane->second);
  }
  // A plane that got a striation by its link takes no other.
  planes_.erase(std::remove_if(planes_.begin(), planes_.end(),
                               [&](std::size_t p) { return linked.count(p) > 0; }),
                planes_.end());
  lines_.erase(
      std::remove_if(lines_.begin(), lines_.end(), [&](std::size_t l) { return done_[l]; }),
      lines_.end());
}

void Pairing::PairBySite() {
  std::map<std::string, std::vector<std::size_t>> groups;
  for (const std::size_t i : planes_) groups[records_[i].group].push_back(i);
  for (const std::size_t i : lines_) groups[records_[i].group].push_back(i);
  for (auto& [group, items] : groups) {
    std::sort(items.begin(), items.end());
    PairGroup(items);
  }
  for (const std::size_t i : planes_)
    if (!done_[i]) LeaveOut(i, LeftOutReason::Unpaired, "no striation at its site");
  for (const std::size_t i : lines_)
    if (!done_[i]) LeaveOut(i, LeftOutReason::Unpaired, "no fault plane at its site");
}

// Within one site: the plane and line nearest in time (where every record
// has a time, else in the order of the records) pair first, then the next
// nearest of the rest. In one dimension the nearest pair left is always
// next to each other in that order, so a queue of neighbours finds them.
void Pairing::PairGroup(const std::vector<std::size_t>& items) {
  const bool timed = std::all_of(items.begin(), items.end(),
                                 [&](std::size_t i) { return std::isfinite(records_[i].seconds); });
  auto key = [&](std::size_t i) { return timed ? records_[i].seconds : double(i); };
  std::vector<std::size_t> order = items;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  const std::size_t n = order.size();
  std::vector<std::size_t> previous(n), next(n);
  for (std::size_t k = 0; k < n; ++k) previous[k] = k - 1, next[k] = k + 1;  // wraps to kNone
  using Candidate = std::tuple<double, std::size_t, std::size_t>;  // distance, left, right
  std::priority_queue<Candidate, std::vector<Candidate>, std::greater<>> queue;
  auto isPlane = [&](std::size_t k) { return records_[order[k]].kind == FieldRecord::Kind::Plane; };
  auto offer = [&](std::size_t a, std::size_t b) {
    if (a != kNone && b < n && isPlane(a) != isPlane(b))
      queue.emplace(key(order[b]) - key(order[a]), a, b);
  };
  for (std::size_t k = 0; k + 1 < n; ++k) offer(k, k + 1);
  std::vector<bool> taken(n);
  while (!queue.empty()) {
    const auto [distance, a, b] = queue.top();
    queue.pop();
    if (taken[a] || taken[b] || next[a] != b) continue;
    taken[a] = taken[b] = true;
    AddFault(order[isPlane(a) ? a : b], order[isPlane(a) ? b : a]);
    const std::size_t before = previous[a], after = next[b];
    if (before != kNone) next[before] = after;
    if (after < n) previous[after] = before;
    offer(before, after);
  }
}

FieldConversion Pairing::Run() {
  done_.assign(records_.size(), false);
  result_.records = records_.size();
  Sort();
  PairByLink();
  PairBySite();
  std::vector<std::size_t> order(faults_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto recordsOf = [this](std::size_t i) {
    return std::tie(std::get<0>(faults_[i]), std::get<1>(faults_[i]));
  };
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return recordsOf(a) < recordsOf(b); });
  result_.faults.reserve(order.size());
  for (const std::size_t i : order) result_.faults.push_back(std::move(std::get<2>(faults_[i])));
  return std::move(result_);
}

}  // namespace

double MisfitAngle(double dipDirection, double dip, double trend, double plunge) {
  const double s = std::sin(dip * kDegToRad);
  const math::Vector3d normal{s * std::sin(dipDirection * kDegToRad),
                              s * std::cos(dipDirection * kDegToRad), std::cos(dip * kDegToRad)};
  const double along = std::fabs(math::Dot(normal, math::LineVector(trend, plunge)));
  return std::asin(std::min(1.0, along)) * kRadToDeg;
}

FieldConversion ConvertRecords(std::vector<FieldRecord> records, const SenseMap& senses,
                               double misfitLimit, bool keepMisfits) {
  return Pairing(records, senses, misfitLimit, keepMisfits).Run();
}

ConversionReport Summarise(const FieldConversion& conversion) {
  ConversionReport report;
  report.records = conversion.records;
  std::set<std::size_t> converted, misfit;
  bool first = true;
  for (const FieldFault& fault : conversion.faults) {
    (fault.keep ? converted : misfit).insert(fault.records.begin(), fault.records.end());
    if (!fault.keep) continue;
    ++report.faults;
    report.smallestMisfit = first ? fault.misfit : std::min(report.smallestMisfit, fault.misfit);
    report.largestMisfit = std::max(report.largestMisfit, fault.misfit);
    first = false;
  }
  report.converted = converted.size();
  for (const std::size_t r : converted) misfit.erase(r);  // a shared plane is converted
  report.misfit = misfit.size();
  for (const LeftOutRecord& r : conversion.leftOut)
    ++(r.reason == LeftOutReason::NotAFault  ? report.notAFault
       : r.reason == LeftOutReason::Unpaired ? report.unpaired
                                             : report.missingValue);
  return report;
}

std::vector<std::string> ReportLines(const FieldConversion& conversion, double misfitLimit) {
  const ConversionReport r = Summarise(conversion);
  std::vector<std::string> lines;
  std::string counts = std::to_string(r.records) + " records read, " + std::to_string(r.faults) +
                       (r.faults == 1 ? " fault" : " faults") + " made";
  if (r.faults > 0)
    counts += " (striation to plane " + Degrees(r.smallestMisfit) + " to " +
              Degrees(r.largestMisfit) + " degrees)";
  lines.push_back(counts + "; left out: " + std::to_string(r.notAFault) + " not a fault, " +
                  std::to_string(r.unpaired) + " unpaired, " + std::to_string(r.misfit) +
                  " misfit over the limit, " + std::to_string(r.missingValue) + " missing value");
  static const char* const kReasons[] = {"not a fault", "unpaired", "missing value"};
  for (const LeftOutRecord& out : conversion.leftOut)
    lines.push_back(out.where + ": " + kReasons[int(out.reason)] + ": " + out.detail);
  for (const FieldFault& fault : conversion.faults)
    if (fault.overLimit)
      lines.push_back(fault.where + ": striation " + Degrees(fault.misfit) +
                      " degrees off its plane, over the " + Degrees(misfitLimit) + "-degree limit" +
                      (fault.keep ? ", kept as measured" : ", left out"));
  lines.insert(lines.end(), conversion.warnings.begin(), conversion.warnings.end());
  lines.push_back(std::to_string(r.converted) + " of " + std::to_string(r.records) +
                  " rows converted");
  return lines;
}

std::string DataText(const FieldConversion& conversion, int decimals) {
  std::string text;
  for (const FieldFault& fault : conversion.faults)
    if (fault.keep) text += DataLine(fault.row, decimals);
  return text;
}

std::vector<LineAttributes> AttributesOf(const FieldConversion& conversion) {
  std::vector<LineAttributes> all;
  int line = 0;
  for (const FieldFault& fault : conversion.faults) {
    if (!fault.keep) continue;
    ++line;
    if (fault.attributes.empty()) continue;
    all.push_back(fault.attributes);
    all.back().line = line;
  }
  return all;
}

}  // namespace orniva
