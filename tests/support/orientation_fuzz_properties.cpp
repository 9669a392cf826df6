// The properties of the orientation table's reader and of the field
// presets' readers for any bytes (tests/support/fuzz_properties.h).
#include <string_view>
#include <vector>

#include "data/fault_reader.h"
#include "data/field_import.h"
#include "data/field_presets.h"
#include "data/orientation_table.h"
#include "tests/support/fuzz_properties.h"

namespace orniva::fuzz {

namespace {

std::string_view Text(const std::uint8_t* bytes, std::size_t size) {
  return size == 0 ? std::string_view()
                   : std::string_view(reinterpret_cast<const char*>(bytes), size);
}

// A record's values within their ranges, its position both or neither.
std::string CheckRecord(const OrientationRecord& r) {
  if (!(r.azimuth >= 0 && r.azimuth <= 360) || !(r.angle >= 0 && r.angle <= 90))
    return "a record's azimuth or angle is out of range";
  if (r.lon.has_value() != r.lat.has_value()) return "a record has one coordinate";
  if (r.lon && !(*r.lon >= -180 && *r.lon <= 180 && *r.lat >= -90 && *r.lat <= 90))
    return "a record's position is out of range";
  return {};
}

bool SameRecord(const OrientationRecord& a, const OrientationRecord& b) {
  return a.kind == b.kind && a.azimuth == b.azimuth && a.angle == b.angle && a.set == b.set &&
         a.site == b.site && a.label == b.label && a.quality == b.quality && a.time == b.time &&
         a.notes == b.notes && a.lon == b.lon && a.lat == b.lat && a.elevation == b.elevation;
}

// The records' text reads back to the same records, and writes the same text.
std::string CheckRoundTrip(const std::vector<OrientationRecord>& records) {
  const std::string text = OrientationTableText(records);
  const OrientationTable again = ParseOrientationTable(text);
  if (!again.refusal.empty() || again.badRows != 0 || again.records.size() != records.size())
    return "the written table does not read back whole";
  for (std::size_t k = 0; k < records.size(); ++k)
    if (!SameRecord(records[k], again.records[k])) return "a record reads back changed";
  return OrientationTableText(again.records) == text ? "" : "writing again changes the text";
}

}  // namespace

std::string CheckOrientationProperties(const std::uint8_t* bytes, std::size_t size) {
  const OrientationTable table = ParseOrientationTable(Text(bytes, size));
  if (!table.refusal.empty()) return table.records.empty() ? "" : "a refusal with records";
  if (table.records.size() + table.badRows != table.rows)
    return "good and bad rows do not add up to the rows";
  if (table.log.size() > kMaxOrientationLogLines + 1) return "the log passes its limit";
  for (std::size_t k = 0; k < table.records.size(); ++k) {
    if (table.records[k].line < 2 || (k > 0 && table.records[k].line <= table.records[k - 1].line))
      return "the records' lines are not ascending after the header";
    if (std::string fault = CheckRecord(table.records[k]); !fault.empty()) return fault;
  }
  return CheckRoundTrip(table.records);
}

std::string CheckFieldPresetProperties(const std::uint8_t* bytes, std::size_t size) {
  const std::vector<std::string_view> names = FieldPresetNames();
  if (size == 0 || names.empty()) return {};
  const std::optional<FieldSettings> settings = FieldPreset(names[bytes[0] % names.size()]);
  if (!settings || settings->format == FieldFormat::FieldMoveFolder) return {};
  std::string error;
  std::vector<FieldRecord> records =
      FieldRecordsOfText(Text(bytes + 1, size - 1), *settings, error);
  if (!error.empty()) return records.empty() ? "" : "a refusal with records";
  if (records.size() > kMaxFieldRecords) return "more records than a source may hold";
  const std::size_t read = records.size();
  const FieldConversion conversion =
      ConvertRecords(std::move(records), settings->senses, settings->misfitLimit, false);
  if (conversion.records != read) return "the conversion counts other records than were read";
  const std::string data = DataText(conversion, -1);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < data.size();) {
    const std::size_t end = data.find("\r\n", at);
    lines.push_back(data.substr(at, end - at));
    at = end == std::string::npos ? data.size() : end + 2;
  }
  FaultSet checked;
  CheckFaultLines(lines, checked);
  for (int k = 1; k <= checked.count(); ++k) {
    const bool unknownSense = checked[std::size_t(k)].sense == "X";
    if ((checked[std::size_t(k)].failedChecks & ~(unknownSense ? kSenseCheck : 0)) != 0)
      return "the fault '" + lines[std::size_t(k - 1)] + "' fails a check of the reader";
  }
  return {};
}

}  // namespace orniva::fuzz
