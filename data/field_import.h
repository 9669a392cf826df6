// Faults from the measurements of field apps. An app records planes and
// lines apart; a plane and its striation are paired by the app's own link
// (a line recorded on its plane), else by site and the nearest time. Every
// fault reports the angle of its striation to its plane, and a pair further
// apart than a limit is offered to keep or drop, never projected. Every
// record left out says why. What the data file cannot hold about a fault
// (site, position, time ...) goes with it as its LineAttributes.
#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "data/curation.h"
#include "data/import_conventions.h"

namespace orniva {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// One measurement as the app recorded it: a plane, a line, or a whole fault
// (a row holding its plane, striation and sense).
struct FieldRecord {
  enum class Kind { Plane, Line, Fault };
  Kind kind = Kind::Plane;
  std::string where;    // names the record in messages: "line 12", "spot 02, record 3"
  bool wanted = true;   // a fault plane or a striation; else left out as no fault
  std::string feature;  // what the app calls it ("bedding", "slickenlines")
  std::string problem;  // why a value is missing or out of range; empty when fine
  double dipDirection = kNoValue, dip = kNoValue;  // planes and faults
  // Lines and faults: trend and plunge (either end), or for a line a rake
  // on its plane: from the strike by the right-hand rule, 0-180, down the dip.
  double trend = kNoValue, plunge = kNoValue, rake = kNoValue;
  std::string sense;          // the app's words
  char letter = 0;            // a fault's sense letter, already resolved
  std::string id, link;       // link: the id of the plane the line was recorded on
  std::string group;          // the site the record belongs to
  double seconds = kNoValue;  // the time it was taken, for pairing
  LineAttributes attributes;  // `line` not yet set
  std::vector<std::string> warnings;
};

// One fault made from one or two records.
struct FieldFault {
  ConvertedRow row;                  // the data line's values
  double misfit = 0;                 // angle of the striation to its plane [deg]
  bool overLimit = false;            // misfit beyond the limit: offered to keep or drop
  bool keep = true;                  // written to the data file (over the limit: not until kept)
  std::string where;                 // its records: "record 3", "records 3 and 4"
  std::vector<std::size_t> records;  // indices of its records
  LineAttributes attributes;
};

enum class LeftOutReason { NotAFault, Unpaired, MissingValue };

struct LeftOutRecord {
  std::string where;
  LeftOutReason reason = LeftOutReason::NotAFault;
  std::string detail;  // "bedding", "no striation at its site", "dip '95' is not ..."
};

struct FieldConversion {
  std::string error;  // why the source gives no records; empty when it was read
  std::size_t records = 0;
  std::vector<FieldFault> faults;  // in the order of their planes in the source
  std::vector<LeftOutRecord> leftOut;
  std::vector<std::string> warnings;  // "record 3: unknown sense 'up', written as X"
};

// Pairs and converts `records`. A misfit above `misfitLimit` degrees
// leaves the pair out unless `keepMisfits`.
FieldConversion ConvertRecords(std::vector<FieldRecord> records, const SenseMap& senses,
                               double misfitLimit, bool keepMisfits);

// The angle [deg] of the line (trend, plunge) to the plane (dip direction,
// dip): asin |n . l|, 0 when the line lies in the plane.
double MisfitAngle(double dipDirection, double dip, double trend, double plunge);

// What a conversion came to, by records.
struct ConversionReport {
  std::size_t records = 0, converted = 0;  // read; in a fault written
  std::size_t faults = 0;                  // written
  std::size_t notAFault = 0, unpaired = 0, misfit = 0, missingValue = 0;  // left out
  double smallestMisfit = 0, largestMisfit = 0;                           // of the faults written
};
ConversionReport Summarise(const FieldConversion& conversion);

// The report as lines of text: the counts, then a line for each record left
// out and each warning, then "k of n rows converted" (a row being a record).
std::vector<std::string> ReportLines(const FieldConversion& conversion, double misfitLimit);

// The data file of the faults kept (DataLine's decimals), and their
// attributes with their line numbers.
std::string DataText(const FieldConversion& conversion, int decimals);
std::vector<LineAttributes> AttributesOf(const FieldConversion& conversion);

}  // namespace orniva
