// Editing a survey in the window: a site's values typed as text and checked
// as the survey file's reader checks them, each refusal naming the field
// and the values it accepts; the history of the survey's states for Undo
// and Redo with the state last saved; the rows a run gave shown against the
// survey as it is now (a site whose run inputs changed says so); and the
// data files' names as a survey file at another place names them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "survey/survey_file.h"
#include "survey/survey_run.h"

namespace orniva::survey {

// A site's editable values as the user types them; an empty number is
// absent (longitude and latitude, dip direction and dip, both or neither).
struct SiteFields {
  std::string name, lon, lat, elevation, dipDirection, dip, locality, date, notes;
};

SiteFields SiteFieldsOf(const SiteEntry& site);

// `fields` read into site `index` of `survey` (its data file, lines and
// unknown members kept); `problem` empty when every field is accepted,
// otherwise the first refusal, e.g. "Latitude: '91' is not a number from
// -90 to 90.".
struct SiteReading {
  SiteEntry site;
  std::string problem;
};
SiteReading ReadSiteFields(const SiteFields& fields, const Survey& survey, std::size_t index);

// `added` appended to `survey`'s sites, a name already taken made unique
// ("NE", then "NE 2", "NE 3"...).
void AppendSites(Survey& survey, std::vector<SiteEntry> added);

// The survey's states, one per edit, for Undo and Redo; knows the state
// last opened or saved.
class SurveyHistory {
 public:
  explicit SurveyHistory(Survey opened = {});

  const Survey& survey() const { return states_[at_].survey; }
  // `next` becomes the survey, the edit called `text` ("Edit Site NE");
  // the states undone before it are dropped.
  void Do(Survey next, std::string text);
  bool canUndo() const { return at_ > 0; }
  bool canRedo() const { return at_ + 1 < states_.size(); }
  // The edit Undo or Redo would take back or do again; "" when none.
  std::string undoText() const;
  std::string redoText() const;
  void Undo();
  void Redo();

  // Whether the survey differs from the state last opened or saved.
  bool modified() const { return at_ != saved_; }
  void MarkSaved() { saved_ = at_; }
  // Every state's relative data file names rewritten for the survey file
  // moved from `fromPath` to `toPath` (RebasedSurvey).
  void Rebase(const std::string& fromPath, const std::string& toPath);

 private:
  struct State {
    Survey survey;
    std::string text;  // the edit that made it
  };
  std::vector<State> states_;
  std::size_t at_ = 0;
  static constexpr std::size_t kUnreachable = std::size_t(-1);
  std::size_t saved_ = 0;  // kUnreachable: the saved state was dropped
};

// The note of a site's row when its inputs to the run changed after it.
inline constexpr const char* kChangedSinceRun = "not run since its data or bedding changed";
// The note of a site not run yet.
inline constexpr const char* kNotRunYet = "not run";

// The rows to show for the survey `now` at `surveyPath` after the run
// `run` (none: no run yet): the run's rows of each site whose data file,
// lines and (when back-tilting) bedding are those a site of the run ran
// with (the site at its own index first, else the first such one, so a
// site removed before it leaves its rows in place); one row noting
// kNotRunYet or kChangedSinceRun for each other site. Names, positions and
// texts are `now`'s.
SurveyResult ResultFor(const Survey& now, const std::string& surveyPath, const SurveyResult* run);

// The data file at `dataPath` as a survey file at `surveyPath` names it:
// relative to the survey file's folder (both taken from the working
// folder when relative).
std::string DataNameFor(const std::string& dataPath, const std::string& surveyPath);
// `survey`, its relative data file names rewritten to name the same files
// from a survey file at `toPath` instead of `fromPath`.
Survey RebasedSurvey(Survey survey, const std::string& fromPath, const std::string& toPath);

}  // namespace orniva::survey
