#include "survey/survey_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <new>
#include <utility>

#include "analysis/stress_bootstrap.h"
#include "data/json.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "platform/file_read.h"

namespace orniva::survey {

bool operator==(const SiteEntry& a, const SiteEntry& b) {
  return a.name == b.name && a.data == b.data && a.position == b.position &&
         a.elevation == b.elevation && a.bedding == b.bedding && a.locality == b.locality &&
         a.date == b.date && a.notes == b.notes && a.lines == b.lines && a.unknown == b.unknown;
}

bool operator==(const SurveyChoices& a, const SurveyChoices& b) {
  return a.method == b.method && a.iterate == b.iterate && a.samples == b.samples &&
         a.seed == b.seed && a.confidence == b.confidence && a.backTilt == b.backTilt;
}

namespace {

// Why a text is refused; thrown within this file only, caught by ParseSurvey.
struct Refusal {
  std::string reason;
};

[[noreturn]] void Refuse(const std::string& reason) {
  throw Refusal{"not a survey file (" + reason + ")"};
}

// The values of one object, read member by member; `owner` names the
// object in messages ("" for the file's, "site 2").
class ObjectReader {
 public:
  ObjectReader(const JsonDocument& doc, std::string owner) : doc_(doc), owner_(std::move(owner)) {}

  std::string Name(const std::string& key) const {
    return (owner_.empty() ? "" : owner_ + ": ") + JsonQuoted(key);
  }
  double Number(std::uint32_t v, const std::string& key) const {
    double value = 0;
    const std::string_view text = doc_.Text(v);
    if (doc_[v].type != JsonType::Number ||
        std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc() ||
        !std::isfinite(value))
      Refuse(Name(key) + " is not a number");
    return value;
  }
  double Within(std::uint32_t v, const std::string& key, ValueRange range, const char* what) const {
    const double value = Number(v, key);
    if (!(value >= range.low && value <= range.high))
      Refuse(Name(key) + " " + JsonExcerpt(doc_.Text(v)) + " is not " + what);
    return value;
  }
  // A number written as a whole number (digits only) within [low, high].
  std::uint64_t Whole(std::uint32_t v, const std::string& key, std::uint64_t low,
                      std::uint64_t high, const char* what) const {
    const std::string_view text = doc_.Text(v);
    std::uint64_t value = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (doc_[v].type != JsonType::Number || read.ec != std::errc() ||
        read.ptr != text.data() + text.size() || value < low || value > high)
      Refuse(Name(key) + " " + JsonExcerpt(text) + " is not " + what);
    return value;
  }
  bool Bool(std::uint32_t v, const std::string& key) const {
    if (doc_[v].type != JsonType::True && doc_[v].type != JsonType::False)
      Refuse(Name(key) + " is not true or false");
    return doc_[v].type == JsonType::True;
  }
  std::string String(std::uint32_t v, const std::string& key) const {
    if (doc_[v].type != JsonType::String) Refuse(Name(key) + " is not a string");
    return doc_.StringOf(v);
  }
  std::vector<std::uint32_t> Array(std::uint32_t v, const std::string& key) const {
    if (doc_[v].type != JsonType::Array) Refuse(Name(key) + " is not a list");
    return doc_.ChildrenOf(v);
  }

  // Calls the handler of each member's key, in the file's order; the
  // members without one are returned as they were written.
  using Handlers = std::vector<std::pair<std::string, std::function<void(std::uint32_t)>>>;
  UnknownMembers Read(std::uint32_t object, const Handlers& handlers) const {
    if (doc_[object].type != JsonType::Object)
      Refuse((owner_.empty() ? "the file" : owner_) + " is not an object");
    UnknownMembers unknown;
    const std::vector<std::uint32_t> children = doc_.ChildrenOf(object);
    for (std::size_t i = 0; i + 1 < children.size(); i += 2) {
      const std::string key = doc_.StringOf(children[i]);
      const auto handler = std::find_if(handlers.begin(), handlers.end(),
                                        [&key](const auto& h) { return h.first == key; });
      if (handler != handlers.end())
        handler->second(children[i + 1]);
      else
        unknown.emplace_back(key, std::string(doc_.Text(children[i + 1])));
    }
    return unknown;
  }

  const JsonDocument& doc() const { return doc_; }

 private:
  const JsonDocument& doc_;
  std::string owner_;
};

std::vector<int> LinesOf(const ObjectReader& r, std::uint32_t v) {
  std::vector<int> lines;
  for (const std::uint32_t element : r.Array(v, "lines"))
    lines.push_back(int(r.Whole(element, "lines", 1, 1u << 30, "a line number")));
  if (lines.empty()) Refuse(r.Name("lines") + " is empty");
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  return lines;
}

SiteBedding BeddingOf(const ObjectReader& r, std::uint32_t v) {
  const std::vector<std::uint32_t> values = r.Array(v, "bedding");
  if (values.size() != 2) Refuse(r.Name("bedding") + " is not [dip direction, dip]");
  return {r.Within(values[0], "bedding", kDipDirectionRange, "a dip direction from 0 to 360"),
          r.Within(values[1], "bedding", kDipRange, "a dip from 0 to 90")};
}

SiteEntry SiteOf(const JsonDocument& doc, std::uint32_t value, std::size_t number) {
  const ObjectReader r(doc, "site " + std::to_string(number));
  SiteEntry site;
  std::optional<double> lon, lat;
  site.unknown = r.Read(
      value,
      {{"name", [&](std::uint32_t v) { site.name = r.String(v, "name"); }},
       {"data", [&](std::uint32_t v) { site.data = r.String(v, "data"); }},
       {"lon", [&](std::uint32_t v) { lon = r.Within(v, "lon", kLongitudeRange, "a longitude"); }},
       {"lat", [&](std::uint32_t v) { lat = r.Within(v, "lat", kLatitudeRange, "a latitude"); }},
       {"elevation", [&](std::uint32_t v) { site.elevation = r.Number(v, "elevation"); }},
       {"bedding", [&](std::uint32_t v) { site.bedding = BeddingOf(r, v); }},
       {"locality", [&](std::uint32_t v) { site.locality = r.String(v, "locality"); }},
       {"date", [&](std::uint32_t v) { site.date = r.String(v, "date"); }},
       {"notes", [&](std::uint32_t v) { site.notes = r.String(v, "notes"); }},
       {"lines", [&](std::uint32_t v) { site.lines = LinesOf(r, v); }}});
  if (site.name.empty()) Refuse("site " + std::to_string(number) + " has no name");
  if (site.data.empty()) Refuse(r.Name("data") + " is missing");
  if (lon.has_value() != lat.has_value())
    Refuse(r.Name(lon ? "lon" : "lat") + " is given without " + (lon ? "\"lat\"" : "\"lon\""));
  if (lon) site.position = GeoPosition{*lon, *lat};
  return site;
}

void CheckNamesApart(const std::vector<SiteEntry>& sites) {
  std::vector<std::string> names;
  for (const SiteEntry& site : sites) names.push_back(site.name);
  std::sort(names.begin(), names.end());
  const auto twice = std::adjacent_find(names.begin(), names.end());
  if (twice != names.end()) Refuse("two sites are named " + JsonExcerpt(JsonQuoted(*twice)));
}

ObjectReader::Handlers ChoiceHandlers(const ObjectReader& r, SurveyChoices& c) {
  return {{"method",
           [&](std::uint32_t v) {
             const auto method = analysis::StressMethodNamed(r.String(v, "method"));
             if (!method) Refuse(r.Name("method") + " is not a method of inversion");
             c.method = *method;
           }},
          {"iterate", [&](std::uint32_t v) { c.iterate = r.Bool(v, "iterate"); }},
          {"samples",
           [&](std::uint32_t v) {
             c.samples = int(r.Whole(v, "samples", 1, analysis::kMaxResamples,
                                     "a number of resamples from 1 to 1000000"));
           }},
          {"seed",
           [&](std::uint32_t v) {
             c.seed = r.Whole(v, "seed", 0, UINT64_MAX, "an unsigned 64-bit integer");
           }},
          {"confidence",
           [&](std::uint32_t v) {
             c.confidence = r.Within(v, "confidence", {0, 1}, "a confidence above 0 and at most 1");
             if (c.confidence == 0) Refuse(r.Name("confidence") + " is not above 0");
           }},
          {"back-tilt", [&](std::uint32_t v) { c.backTilt = r.Bool(v, "back-tilt"); }}};
}

Survey SurveyOf(const JsonDocument& doc) {
  const ObjectReader r(doc, "");
  Survey survey;
  bool version = false, sites = false;
  ObjectReader::Handlers handlers = ChoiceHandlers(r, survey.choices);
  handlers.emplace_back("orniva", [&](std::uint32_t v) {
    if (doc[v].type != JsonType::Number || doc.Text(v) != "1")
      Refuse("written in format " + JsonExcerpt(doc.Text(v)) +
             ", which this version does not read");
    version = true;
  });
  handlers.emplace_back("sites", [&](std::uint32_t v) {
    for (const std::uint32_t site : r.Array(v, "sites"))
      survey.sites.push_back(SiteOf(doc, site, survey.sites.size() + 1));
    sites = true;
  });
  survey.unknown = r.Read(0, handlers);
  if (!version) Refuse("\"orniva\" is missing");
  if (!sites) Refuse("\"sites\" is missing");
  CheckNamesApart(survey.sites);
  return survey;
}

// ---- Writing ----

std::string MembersText(const UnknownMembers& members) {
  std::string text;
  for (const auto& [key, value] : members) text += ", " + JsonQuoted(key) + ": " + value;
  return text;
}

std::string SiteText(const SiteEntry& s) {
  std::string text = "{\"name\": " + JsonQuoted(s.name) + ", \"data\": " + JsonQuoted(s.data);
  if (s.position)
    text +=
        ", \"lon\": " + JsonNumber(s.position->lon) + ", \"lat\": " + JsonNumber(s.position->lat);
  if (s.elevation) text += ", \"elevation\": " + JsonNumber(*s.elevation);
  if (s.bedding)
    text += ", \"bedding\": [" + JsonNumber(s.bedding->dipDirection) + ", " +
            JsonNumber(s.bedding->dip) + "]";
  for (const auto& [key, value] :
       {std::pair<const char*, const std::string*>{"locality", &s.locality},
        {"date", &s.date},
        {"notes", &s.notes}})
    if (!value->empty()) text += ", \"" + std::string(key) + "\": " + JsonQuoted(*value);
  if (s.lines) {
    std::string list;
    for (const int line : *s.lines) list += (list.empty() ? "" : ", ") + std::to_string(line);
    text += ", \"lines\": [" + list + "]";
  }
  return text + MembersText(s.unknown) + "}";
}

SurveyRead Refused(std::string reason) {
  SurveyRead read;
  read.error = std::move(reason);
  return read;
}

}  // namespace

std::string JsonNumber(double value) {
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

SurveyRead ParseSurvey(std::string_view text) {
  try {
    const JsonDocument doc(text);
    if (!doc.ok())
      return Refused(std::string("not a survey file (") + (doc.duplicateKey() ? "" : "not JSON: ") +
                     doc.error() + ")");
    return {SurveyOf(doc), ""};
  } catch (const Refusal& refusal) {
    return Refused(refusal.reason);
  } catch (const std::bad_alloc&) {
    return Refused("too large to read");
  }
}

SurveyRead ReadSurveyFile(const std::string& path) {
  try {
    const std::optional<std::string> text = ReadRegularFile(path, kMaxSurveyBytes + 1);
    if (!text || text->size() > kMaxSurveyBytes)
      return Refused("larger than " + std::to_string(kMaxSurveyBytes >> 20) + " MB");
    return ParseSurvey(*text);
  } catch (const FileError& error) {
    return Refused(error.reason());
  } catch (const std::bad_alloc&) {
    return Refused("too large to read");
  }
}

std::string SurveyText(const Survey& survey) {
  const SurveyChoices& c = survey.choices;
  std::string text = std::string("{\"orniva\": 1, \"method\": ") +
                     JsonQuoted(analysis::StressMethodName(c.method)) +
                     ", \"iterate\": " + (c.iterate ? "true" : "false") +
                     ", \"samples\": " + std::to_string(c.samples) +
                     ", \"seed\": " + std::to_string(c.seed) +
                     ", \"confidence\": " + JsonNumber(c.confidence) +
                     ", \"back-tilt\": " + (c.backTilt ? "true" : "false") + ",\n \"sites\": [";
  for (std::size_t i = 0; i < survey.sites.size(); ++i)
    text += (i ? ",\n  " : "\n  ") + SiteText(survey.sites[i]);
  text += survey.sites.empty() ? "]" : "\n ]";
  for (const auto& [key, value] : survey.unknown) text += ",\n " + JsonQuoted(key) + ": " + value;
  return text + "}\n";
}

void WriteSurveyFile(const std::string& path, const Survey& survey) {
  WriteFileAtomically(path, SurveyText(survey));
}

std::string SiteDataPath(const std::string& surveyPath, const SiteEntry& site) {
  if (!site.data.empty() && site.data[0] == '/') return site.data;
  const std::size_t slash = surveyPath.find_last_of('/');
  return slash == std::string::npos ? site.data : surveyPath.substr(0, slash + 1) + site.data;
}

}  // namespace orniva::survey
