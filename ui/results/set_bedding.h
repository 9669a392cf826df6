// The bedding of an orientation set for the faults' back-tilt and tilt
// test: an orientation table chosen with the open dialog, one of its sets
// (asked by name), and the bedding whose pole is the Fisher mean of the
// set's poles in use (analysis::MeanBeddingOf). The sets and the rows
// switched off are the table's curation file's when it was made for the
// table, else the sets of its `set` column.
#pragma once

#include <optional>

#include <QString>

#include "analysis/rotation.h"
#include "ui/shared/window_services.h"

class QWidget;

namespace orniva::ui {

struct SetBedding {
  analysis::Bedding bedding;
  QString description;  // "the mean of set S0 of fold.orient.csv, 231.6/22.9"
};

// Asks for the table and the set through `services`; a file that cannot be
// read, a set it lacks and a set without a mean are told there. None when
// the user cancels or there is no bedding.
std::optional<SetBedding> AskSetBedding(WindowServices& services, QWidget* parent);

}  // namespace orniva::ui
