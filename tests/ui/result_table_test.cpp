// The results windows' tables sort their rows through the model's numbers.
#include <cmath>
#include <utility>
#include <vector>

#include <QStringList>
#include <gtest/gtest.h>

#include "ui/shared/result_table.h"

namespace orniva::ui {
namespace {

// Numbers sort as numbers, a missing one last either way, texts as texts,
// and rows that tie keep the order of the sort before.
TEST(ResultSort, NumbersTextsTiesAndMissingCells) {
  const std::vector<double> numbers{10, 9, std::nan(""), 10, 100};
  const QStringList words{"b", "a", "c", "b", "a"};
  ResultModel model;
  model.addColumn({"Line",
                   {},
                   [](int row) { return QString::number(row + 1); },
                   [](int row) { return row + 1.0; }});
  model.addColumn({"Number",
                   {},
                   [&](int row) { return QString::number(numbers[std::size_t(row)]); },
                   [&](int row) { return numbers[std::size_t(row)]; }});
  model.addColumn({"Word", {}, [&](int row) { return words[row]; }, {}});
  model.reset(5);
  constexpr Qt::SortOrder kUp = Qt::AscendingOrder, kDown = Qt::DescendingOrder;
  struct Case {
    std::vector<std::pair<int, Qt::SortOrder>> sorts;
    const char* lines;
  };
  // clang-format off
  const Case cases[] = {
      {{{1, kUp}}, "2 1 4 5 3"},
      {{{1, kDown}}, "5 1 4 2 3"},
      {{{2, kUp}}, "2 5 1 4 3"},
      {{{1, kDown}, {2, kUp}}, "5 2 1 4 3"},
      {{{1, kDown}, {2, kDown}}, "3 1 4 5 2"},
  };
  // clang-format on
  for (const Case& c : cases) {
    ResultSort sort(&model);
    for (const auto& [column, order] : c.sorts) sort.sort(column, order);
    QStringList lines;
    for (int row = 0; row < sort.rowCount(); ++row) lines << sort.index(row, 0).data().toString();
    EXPECT_EQ(lines.join(' ').toStdString(), c.lines)
        << c.sorts.size() << " sorts, the last by " << c.sorts.back().first;
  }
}

}  // namespace
}  // namespace orniva::ui
