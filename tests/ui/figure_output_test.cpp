// The window's ways out for the figure: Save Figure As, Copy Figure and
// Print.
#include <filesystem>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

#include "render/figure_files.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

using orniva::test::ReadFile;
using render::FigureFormat;

// Save Figure As: a name proposed for the data and the diagram, the file,
// the options remembered (shown the next time); a cancel writes nothing.
TEST_F(WindowTest, SaveCopyAndPrintTheFigure) {
  window->figureCommands()->ActionSaveFigure->trigger();  // before any load, then cancelled
  OpenTen();
  window->ActionTLD->trigger();
  FigureOptions chosen;
  chosen.title = QStringLiteral("Quarry");
  chosen.size.widthMm = 60;
  services.figureOptions = chosen;
  services.figureAnswers = {QString::fromStdString(work.File("fig.svg"))};
  window->figureCommands()->ActionSaveFigure->trigger();
  const Picture figure = window->CurrentFigure(chosen);
  EXPECT_EQ(ReadFile(work.File("fig.svg")),
            render::EncodeFigure(figure, FigureFormat::Svg, chosen.size));

  services.figureOptions = std::nullopt;
  services.figureAnswers = {QString::fromStdString(work.File("cancelled.pdf"))};
  window->figureCommands()->ActionSaveFigure->trigger();
  EXPECT_FALSE(std::filesystem::exists(work.File("cancelled.pdf")));
  EXPECT_EQ(services.optionsShown.back().title, "Quarry");
  EXPECT_EQ(services.figureNamesOffered,
            (std::vector<QString>{"orniva-fault-planes.svg", "ten-tangent-lineation.svg",
                                  "ten-tangent-lineation.svg"}));

  window->figureCommands()->ActionCopyFigure->trigger();
  const QMimeData* copied = services.copied.get();
  ASSERT_NE(copied, nullptr);
  EXPECT_TRUE(copied->hasImage());
  EXPECT_TRUE(copied->data(QStringLiteral("image/svg+xml")).contains(">Quarry<"));

  window->figureCommands()->ActionPrint->trigger();
  ASSERT_EQ(services.printed.size(), 1u);
  EXPECT_EQ(services.printed[0].second, 60);
  EXPECT_TRUE(SamePicture(services.printed[0].first, figure));
  EXPECT_TRUE(services.messages.empty());
}

}  // namespace
}  // namespace orniva::ui::test
