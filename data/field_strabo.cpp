// The records of a StraboSpot project file (JSON): the spots, from the
// "spotsDb" object of a project, the "features" of a GeoJSON collection or
// a list or object of "spots", each with its "properties" (name, id,
// altitude, gps_accuracy, date) and a point geometry [lon, lat]; each
// spot's "orientation_data" records planes ("planar_orientation",
// "tabular_orientation") and lines ("linear_orientation"), and a record's
// "associated_orientation" those recorded on it.
#include <charconv>
#include <cmath>

#include "data/field_readers.h"
#include "data/json.h"

namespace orniva::field {

namespace {

// The members of an object value (none for another value).
class Object {
 public:
  Object(const JsonDocument& doc, std::optional<std::uint32_t> value) : doc_(doc) {
    if (value && doc[*value].type == JsonType::Object) children_ = doc.ChildrenOf(*value);
  }
  std::optional<std::uint32_t> Find(std::string_view key) const {
    for (std::size_t i = 0; i + 1 < children_.size(); i += 2)
      if (KeyIs(children_[i], key)) return children_[i + 1];
    return std::nullopt;
  }
  // A string's value, or a number's text; "" for anything else.
  std::string String(std::string_view key) const {
    const std::optional<std::uint32_t> v = Find(key);
    if (!v) return {};
    if (doc_[*v].type == JsonType::String) return doc_.StringOf(*v);
    return doc_[*v].type == JsonType::Number ? std::string(doc_.Text(*v)) : std::string();
  }
  // A number, or a string that holds one.
  std::optional<double> Number(std::string_view key) const {
    const std::optional<std::uint32_t> v = Find(key);
    if (v && doc_[*v].type == JsonType::Number) return NumberOf(doc_.Text(*v));
    if (v && doc_[*v].type == JsonType::String) return NumberOf(doc_.StringOf(*v));
    return std::nullopt;
  }

 private:
  bool KeyIs(std::uint32_t key, std::string_view name) const {
    const std::string_view text = doc_.Text(key);  // quoted
    if (text.find('\\') != std::string_view::npos) return doc_.StringOf(key) == name;
    return text.size() == name.size() + 2 && text.substr(1, name.size()) == name;
  }
  const JsonDocument& doc_;
  std::vector<std::uint32_t> children_;
};

// A bound on the number of values of a JSON text: each value but the first
// follows '[', '{', ',' or ':' outside strings.
std::size_t ValuesAtMost(std::string_view text) {
  std::size_t count = 1;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') ++i;  // the escaped character
      inString = c != '"';
    } else {
      count += c == '[' || c == '{' || c == ',' || c == ':';
      inString = c == '"';
    }
  }
  return count;
}

std::vector<std::uint32_t> ElementsOf(const JsonDocument& doc, std::optional<std::uint32_t> v,
                                      bool valuesOfObject) {
  std::vector<std::uint32_t> out;
  if (!v || (doc[*v].type != JsonType::Array && doc[*v].type != JsonType::Object)) return out;
  const std::vector<std::uint32_t> children = doc.ChildrenOf(*v);
  const bool object = doc[*v].type == JsonType::Object;
  if (object && !valuesOfObject) return out;
  for (std::size_t i = object ? 1 : 0; i < children.size(); i += object ? 2 : 1)
    out.push_back(children[i]);
  return out;
}

// The spots of a project, a feature collection, a list of features or one.
std::vector<std::uint32_t> SpotsOf(const JsonDocument& doc) {
  if (doc[0].type == JsonType::Array) return ElementsOf(doc, 0, false);
  const Object root(doc, 0);
  if (root.Find("spotsDb")) return ElementsOf(doc, root.Find("spotsDb"), true);
  if (root.Find("features")) return ElementsOf(doc, root.Find("features"), false);
  if (root.Find("spots")) return ElementsOf(doc, root.Find("spots"), true);
  if (root.String("type") == "Feature") return {0};
  return {};
}

struct Spot {
  std::string where, group;
  LineAttributes attributes;
  double seconds = kNoValue;
};

Spot SpotOf(const JsonDocument& doc, std::uint32_t value, std::size_t number) {
  const Object feature(doc, value);
  const Object properties(doc, feature.Find("properties"));
  Spot spot;
  const std::string name = properties.String("name"), id = properties.String("id");
  spot.where = "spot " + (name.empty() ? "#" + std::to_string(number) : name);
  spot.group = id.empty() ? "#" + std::to_string(number) : id;
  LineAttributes& a = spot.attributes;
  a.site = name;
  const Object geometry(doc, feature.Find("geometry"));
  const std::vector<std::uint32_t> xy = ElementsOf(doc, geometry.Find("coordinates"), false);
  if (geometry.String("type") == "Point" && xy.size() >= 2 && doc[xy[0]].type == JsonType::Number &&
      doc[xy[1]].type == JsonType::Number) {
    const std::optional<double> lon = NumberOf(doc.Text(xy[0])), lat = NumberOf(doc.Text(xy[1]));
    if (lon && lat && std::fabs(*lon) <= 180 && std::fabs(*lat) <= 90)
      a.longitude = lon, a.latitude = lat;
  }
  a.elevation = properties.Number("altitude");
  a.accuracy = properties.Number("gps_accuracy");
  a.time = properties.String("date");
  if (a.time.empty()) a.time = properties.String("time");
  spot.seconds = SecondsOf(a.time).value_or(kNoValue);
  return spot;
}

// The first of the fault's words that names a sense, else the first given.
std::string SenseOf(const Object& record, const SenseMap& senses) {
  const std::string type = record.String("fault_or_sz_type"), move = record.String("movement");
  for (const std::string& word : {type, move})
    if (!word.empty() && senses.Find(word)) return word;
  return type.empty() || type == "other" ? move : type;
}

class Reader {
 public:
  Reader(const JsonDocument& doc, const FieldSettings& s, std::vector<FieldRecord>& out)
      : doc_(doc), settings_(s), out_(out) {}
  // Adds the records of `list`; `parent` is the index of the record they
  // were recorded on, if any.
  void Add(std::optional<std::uint32_t> list, const Spot& spot, std::optional<std::size_t> parent,
           const std::string& prefix, std::string& error);

 private:
  FieldRecord RecordOf(const Object& o, const Spot& spot, std::string where) const;
  const JsonDocument& doc_;
  const FieldSettings& settings_;
  std::vector<FieldRecord>& out_;
};

FieldRecord Reader::RecordOf(const Object& o, const Spot& spot, std::string where) const {
  FieldRecord r;
  r.where = std::move(where);
  const std::string type = o.String("type");
  r.feature = o.String("feature_type");
  r.id = o.String("id");
  if (r.id.empty()) r.id = "@" + r.where;
  r.group = spot.group;
  r.attributes = spot.attributes;
  r.attributes.quality = o.String("quality");
  r.attributes.label = o.String("label");
  r.attributes.notes = o.String("notes");
  const std::optional<double> stamp = o.Number("unix_timestamp");
  r.seconds = stamp ? *stamp / 1000 : spot.seconds;
  if (type == "planar_orientation" || type == "tabular_orientation") {
    r.kind = FieldRecord::Kind::Plane;
    r.wanted = FeatureMatches(r.feature, settings_.faultWords);
    r.sense = SenseOf(o, settings_.senses);
    SetPlane(r, o.Number("dip_direction"), o.Number("strike"), o.Number("dip"));
  } else if (type == "linear_orientation") {
    r.kind = FieldRecord::Kind::Line;
    r.wanted = FeatureMatches(r.feature, settings_.striationWords);
    SetLine(r, o.Number("trend"), o.Number("plunge"), o.Number("rake"));
  } else {
    r.wanted = false;
    r.feature = "type '" + type + "'";
  }
  return r;
}

void Reader::Add(std::optional<std::uint32_t> list, const Spot& spot,
                 std::optional<std::size_t> parent, const std::string& prefix, std::string& error) {
  const std::vector<std::uint32_t> records = ElementsOf(doc_, list, false);
  for (std::size_t k = 0; k < records.size() && error.empty(); ++k) {
    if (out_.size() == kMaxFieldRecords) {
      error = "more than " + std::to_string(kMaxFieldRecords) + " records, too many to import";
      return;
    }
    const Object o(doc_, records[k]);
    const std::string number = prefix + std::to_string(k + 1);
    out_.push_back(RecordOf(o, spot, spot.where + ", record " + number));
    const std::size_t self = out_.size() - 1;
    if (parent) {  // a line goes with the plane it was recorded on, either way round
      FieldRecord& p = out_[*parent];
      FieldRecord& me = out_[self];
      if (me.kind == FieldRecord::Kind::Line && p.kind == FieldRecord::Kind::Plane)
        me.link = p.id;
      else if (me.kind == FieldRecord::Kind::Plane && p.kind == FieldRecord::Kind::Line)
        p.link = me.id;
    }
    if (!parent) Add(o.Find("associated_orientation"), spot, self, number + ".", error);
  }
}

}  // namespace

std::vector<FieldRecord> StraboJsonRecords(std::string_view text, const FieldSettings& settings,
                                           std::string& error) {
  std::vector<FieldRecord> records;
  if (ValuesAtMost(text) > kMaxJsonValues) {
    error = "more than " + std::to_string(kMaxJsonValues) + " JSON values, too many to import";
    return records;
  }
  const JsonDocument doc(text);
  if (!doc.ok()) {
    error = "not JSON (" + doc.error() + ")";
    return records;
  }
  const std::vector<std::uint32_t> spots = SpotsOf(doc);
  if (spots.empty()) {
    error = "no StraboSpot spots in it (no \"spotsDb\", \"features\" or \"spots\")";
    return records;
  }
  Reader reader(doc, settings, records);
  for (std::size_t i = 0; i < spots.size() && error.empty(); ++i) {
    const Spot spot = SpotOf(doc, spots[i], i + 1);
    const Object properties(doc, Object(doc, spots[i]).Find("properties"));
    reader.Add(properties.Find("orientation_data"), spot, std::nullopt, "", error);
  }
  if (!error.empty()) records.clear();
  return records;
}

}  // namespace orniva::field
