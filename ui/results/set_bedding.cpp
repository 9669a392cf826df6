#include "ui/results/set_bedding.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QFileInfo>

#include "analysis/orientation_statistics.h"
#include "data/orientation_table.h"
#include "document/orientation_document.h"
#include "document/orientation_opening.h"

namespace orniva::ui {

namespace {

// The set named by the user, the first one offered; none on cancel or for
// a name the table lacks (told).
std::optional<std::string> AskSet(WindowServices& services, QWidget* parent,
                                  const std::vector<std::string>& sets) {
  const std::optional<QString> name =
      services.AskText(parent, QStringLiteral("Set whose mean is the bedding:"),
                       sets.empty() ? QString() : QString::fromStdString(sets.front()));
  if (!name) return std::nullopt;
  const std::string chosen = name->trimmed().toStdString();
  if (std::find(sets.begin(), sets.end(), chosen) != sets.end()) return chosen;
  services.ShowMessage(parent, "The table has no set named '" + chosen + "'.");
  return std::nullopt;
}

}  // namespace

std::optional<SetBedding> AskSetBedding(WindowServices& services, QWidget* parent) {
  const std::optional<QString> path = services.OpenDataFile(parent);
  if (!path) return std::nullopt;
  const std::string file = QFile::encodeName(*path).toStdString();
  document::OrientationOpening opening = document::OpenOrientationTable(file);
  if (opening.error) {
    services.ReportError(parent, *opening.error);
    return std::nullopt;
  }
  // The table as its window shows it: its curation's sets and rows switched off.
  document::OrientationDocument table;
  table.Adopt(std::move(opening));
  std::vector<std::string> names;
  for (const analysis::PhaseInfo& set : table.curation().phases) names.push_back(set.name);
  const std::optional<std::string> set = AskSet(services, parent, names);
  if (!set) return std::nullopt;
  const analysis::MeanBedding mean = document::MeanBeddingOfSet(table, *set);
  if (!mean.error.empty()) {
    services.ShowMessage(parent, "Set " + *set + ": " + mean.error + ".");
    return std::nullopt;
  }
  const analysis::Bedding& b = mean.bedding;
  return SetBedding{b, QStringLiteral("the mean of set %1 of %2, %3/%4")
                           .arg(QString::fromStdString(*set), QFileInfo(*path).fileName())
                           .arg(b.dipDirection, 0, 'f', 1)
                           .arg(b.dip, 0, 'f', 1)};
}

}  // namespace orniva::ui
