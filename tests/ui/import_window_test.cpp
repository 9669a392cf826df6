// The import dialog over a table, and the window's two ways into it.
#include <filesystem>
#include <string>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/import_dialog.h"

namespace orniva::ui::test {
namespace {

void Choose(QComboBox* box, int value) { box->setCurrentIndex(box->findData(value)); }

TEST(ImportDialog, DetectsThenConvertsWithTheChosenColumns) {
  ImportDialog dialog("site;strike;dip;pitch;sense\nA;N30E;45NW;10NE;normal\nB;N30E;95NW;10NE;N\n",
                      QStringLiteral("field.csv"));
  EXPECT_EQ(dialog.delimiter->currentText(), "Semicolon");
  EXPECT_TRUE(dialog.header->isChecked());
  EXPECT_EQ(dialog.preview->rowCount(), 2);
  EXPECT_EQ(dialog.preview->horizontalHeaderItem(2)->text(), "2: strike");
  Choose(dialog.plane, int(analysis::PlaneConvention::StrikeQuadrant));
  Choose(dialog.line, int(analysis::LineConvention::PitchQuadrant));
  // Strike, dip, dip quadrant, pitch, pitch end, sense; the quadrants are
  // written with their numbers here.
  ASSERT_EQ(dialog.columns.size(), 6u);
  EXPECT_EQ(dialog.columns[2]->value(), 0);
  EXPECT_EQ(dialog.columns[4]->value(), 0);
  const int chosen[] = {2, 3, 0, 4, 0, 5};
  for (std::size_t k = 0; k < 6; ++k) dialog.columns[k]->setValue(chosen[k]);
  EXPECT_EQ(dialog.result().data, "300 45 22.892923 7.053022 N\r\n");
  ASSERT_EQ(dialog.converted->rowCount(), 2);
  EXPECT_NE(dialog.converted->item(1, 2)->text().indexOf("95"), -1);  // the bad dip, beside its row
  EXPECT_EQ(dialog.summary->text(), "1 row converted, 1 not.");
  EXPECT_TRUE(dialog.buttons->button(QDialogButtonBox::Ok)->isEnabled());
  dialog.header->setChecked(false);  // the header is now a row that fails
  EXPECT_EQ(dialog.result().failed, 2);
}

TEST_F(WindowTest, ImportAndPasteSaveThenLoadTheData) {
  services.importAnswers = {DataFile("field.csv", "90,45,90,45,N\n")};
  services.importData = "90 45 90 45 N\r\n";
  services.dataFileAnswers = {Q(work.File("field.fdt"))};
  window->ActionImport->trigger();
  ASSERT_EQ(services.importedTexts.size(), 1u);
  EXPECT_EQ(services.importedTexts[0], "90,45,90,45,N\n");
  EXPECT_EQ(orniva::test::ReadFile(work.File("field.fdt")), "90 45 90 45 N\r\n");
  EXPECT_EQ(window->faultSet.count(), 1);
  EXPECT_EQ(window->windowTitle(), "Orniva  [ field.fdt ]");

  QGuiApplication::clipboard()->setText(QStringLiteral("  "));
  window->ActionPasteData->trigger();
  EXPECT_EQ(recorder.messages, std::vector<std::string>{"The clipboard holds no text to import."});
  QGuiApplication::clipboard()->setText(QStringLiteral("1\t2"));
  services.importData = std::nullopt;  // the dialog cancelled: nothing saved
  window->ActionPasteData->trigger();
  EXPECT_EQ(services.importedTexts.back(), "1\t2");

  services.importAnswers = {Q(work.path())};  // a folder
  window->ActionImport->trigger();
  ASSERT_EQ(services.errors.size(), 1u);
  EXPECT_NE(std::string(services.errors[0].what()).find("not a regular file"), std::string::npos);
  EXPECT_EQ(services.importedTexts.size(), 2u);
}

}  // namespace
}  // namespace orniva::ui::test
