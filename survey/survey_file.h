// The survey file NAME.orniva-survey.json: the sites of a paleostress
// survey and the choices every site is inverted with. UTF-8 JSON, one
// object:
//
//   {"orniva": 1, "method": "michael", "iterate": false, "samples": 2000,
//    "seed": 1, "confidence": 0.95, "back-tilt": false,
//    "sites": [{"name": "KH1", "data": "kh1.fdt", "lon": -120.1, "lat": 36.05,
//               "elevation": 240, "bedding": [90, 20], "locality": "Kettleman",
//               "date": "2024-05-01", "notes": "", "lines": [1, 2, 5]}]}
//
// Every choice is optional, with the command line's defaults (those of
// orniva-analyse stress-bootstrap). A site needs its name (unique in the
// survey) and its data file (relative to the survey file's folder, or
// absolute); the rest is optional: WGS 84 longitude and latitude in
// degrees (both or neither), the elevation in metres, the bedding as dip
// direction and dip, free texts, and `lines`, the lines of the data file
// that are the site's (all when absent: a survey made from one file whose
// lines carry sites). Each site's phases come from its data file's own
// curation file.
//
// Like the curation file it holds inputs and choices only, never results;
// the members this version does not read are kept when it is written
// again, and it is written atomically.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/stress_methods.h"

namespace orniva::survey {

// JSON members kept as they were written: key and value's JSON text.
using UnknownMembers = std::vector<std::pair<std::string, std::string>>;

// A WGS 84 position [deg].
struct GeoPosition {
  double lon = 0;  // [-180, 180]
  double lat = 0;  // [-90, 90]
  friend bool operator==(const GeoPosition& a, const GeoPosition& b) {
    return a.lon == b.lon && a.lat == b.lat;
  }
};

// A range of values the survey file accepts, ends included; the
// positions and beddings in degrees.
struct ValueRange {
  double low, high;
};
inline constexpr ValueRange kLongitudeRange{-180, 180}, kLatitudeRange{-90, 90},
    kDipDirectionRange{0, 360}, kDipRange{0, 90};

struct SiteBedding {
  double dipDirection = 0;  // [0, 360]
  double dip = 0;           // [0, 90]
  friend bool operator==(const SiteBedding& a, const SiteBedding& b) {
    return a.dipDirection == b.dipDirection && a.dip == b.dip;
  }
};

struct SiteEntry {
  std::string name;
  std::string data;  // as written: relative to the survey file's folder, or absolute
  std::optional<GeoPosition> position;
  std::optional<double> elevation;  // [m]
  std::optional<SiteBedding> bedding;
  std::string locality, date, notes;
  std::optional<std::vector<int>> lines;  // ascending, each once; none: every line
  UnknownMembers unknown;

  friend bool operator==(const SiteEntry& a, const SiteEntry& b);
};

// How every site is inverted and bootstrapped.
struct SurveyChoices {
  analysis::StressMethod method = analysis::StressMethod::Michael;
  bool iterate = false;
  int samples = 2000;        // 1 to analysis::kMaxResamples
  std::uint64_t seed = 1;    // the bootstrap's seed, the same for every site
  double confidence = 0.95;  // (0, 1]
  bool backTilt = false;     // sites with a bedding are inverted back-tilted
  friend bool operator==(const SurveyChoices& a, const SurveyChoices& b);
};

struct Survey {
  SurveyChoices choices;
  std::vector<SiteEntry> sites;
  UnknownMembers unknown;
  friend bool operator==(const Survey& a, const Survey& b) {
    return a.choices == b.choices && a.sites == b.sites && a.unknown == b.unknown;
  }
};

// A survey file larger than this is refused unread.
constexpr std::size_t kMaxSurveyBytes = 16 * 1024 * 1024;

// What reading a survey file came to: `error` empty when `survey` can be
// used, otherwise the reason, worded to follow the file's name.
struct SurveyRead {
  Survey survey;
  std::string error;
};

// Parses a survey file's text. Refuses text that is not JSON or not this
// format: "orniva" other than 1, a member of the wrong type, an unknown
// method, samples, seed or confidence out of range, a site without a name
// or data file, two sites of one name, a longitude or latitude out of range
// or given alone, a bedding out of range, line numbers that are not whole
// numbers from 1 or an empty list of them. Never throws.
SurveyRead ParseSurvey(std::string_view text);
// Reads the file at `path` (ParseSurvey); one that cannot be read gives the
// system's reason. Never throws.
SurveyRead ReadSurveyFile(const std::string& path);

// The file's text: the choices, then one site a line, then the unknown
// members, and a line feed. ParseSurvey reads it back as `survey`.
std::string SurveyText(const Survey& survey);
// Writes SurveyText atomically. Throws FileError.
void WriteSurveyFile(const std::string& path, const Survey& survey);

// The data file of `site` of the survey file at `surveyPath`.
std::string SiteDataPath(const std::string& surveyPath, const SiteEntry& site);

// A number as JSON writes it: the shortest text that reads back as the
// same double.
std::string JsonNumber(double value);

}  // namespace orniva::survey
