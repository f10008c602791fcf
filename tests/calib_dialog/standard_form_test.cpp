// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The reference standard's form and the register's standards: problems at
// their fields and nothing kept, numbers with "." under a comma locale, a
// kept standard changed with its table only with a reason.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "CalibDialogFakes.h"
#include "../lab_records/LabRecordsTestSupport.h"
#include "calib_dialog/CInstrumentsDlg.h"
#include "calib_dialog/CStandardsDlg.h"
#include "calib_dialog/RecordsForms.h"

namespace vorenx {
namespace {

void Type(QDialog& form, const char* field, const QString& text) {
  auto* edit = form.findChild<QLineEdit*>(QLatin1String(field));
  ASSERT_NE(edit, nullptr) << field;
  edit->setText(text);
}

QString Problem(QDialog& form, const char* field) {
  auto* label = form.findChild<QLabel*>(QStringLiteral("problem_%1").arg(QLatin1String(field)));
  return label && !label->isHidden() ? label->text() : QString();
}

void ClickOk(QDialog& form) { form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

void SetCell(CStandardDlg& form, int row, int column, const QString& text) {
  form.AccuracyTable()->Grid()->item(row, column)->setText(text);
}

class StandardForm : public ::testing::Test {
 protected:
  StandardForm() : keeper(testing::TestKeeper(dir.path())) {}
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
  LabRecords& Records() {
    QString error;
    return *keeper->Records(&error);
  }

  QTemporaryDir dir;
  std::unique_ptr<RecordsKeeper> keeper;
  testing::FakeCalibrationDialogs dialogs;
};

TEST_F(StandardForm, ProblemsAreShownAtTheirFieldsAndNothingIsKept) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  CStandardsDlg window(*keeper);
  window.SetDialogs(dialogs);
  window.Reload();
  ASSERT_EQ(window.Standards().size(), 1u);

  // "Add..." opens the form; OK with a missing due date and a negative floor
  // keeps it open with both problems at their fields; then cancelled.
  bool checked = false;
  QTimer::singleShot(0, &window, [&] {
    auto* form = qobject_cast<CStandardDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    Type(*form, "serial", QStringLiteral("CAL-9"));
    Type(*form, "certificate", QStringLiteral("DKD-9"));
    Type(*form, "dueOn", QString());
    form->findChild<QPushButton*>(QStringLiteral("addRow"))->click();
    form->findChild<QPushButton*>(QStringLiteral("addRow"))->click();
    SetCell(*form, 0, AccuracyTableEdit::FloorColumn, QStringLiteral("-0.001"));
    SetCell(*form, 1, AccuracyTableEdit::PercentColumn, QStringLiteral("zwei"));
    ClickOk(*form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(Problem(*form, "dueOn").contains(QStringLiteral("a standard without a due date"))) << Problem(*form, "dueOn").toStdString();
    const QString table = Problem(*form, "accuracy");
    EXPECT_TRUE(table.contains(QStringLiteral("Accuracy, row 1: The floor"))) << table.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("Accuracy, row 2: the % of reading is not a number"))) << table.toStdString();
    EXPECT_TRUE(Problem(*form, "serial").isEmpty());
    EXPECT_NE(form->AccuracyTable()->Grid()->item(0, AccuracyTableEdit::LowColumn)->background(), QBrush());
    checked = true;
    form->reject();
  });
  window.findChild<QPushButton*>(QStringLiteral("add"))->click();
  EXPECT_TRUE(checked);
  EXPECT_EQ(Records().Standards().value.size(), 1u);
  EXPECT_EQ(window.Table()->rowCount(), 1);

  // Put right, with "." and a lone "," under the German locale, it is accepted as typed.
  CStandardDlg form;
  Type(form, "serial", QStringLiteral("CAL-9"));
  Type(form, "certificate", QStringLiteral("DKD-9"));
  Type(form, "calibratedOn", QStringLiteral("2026-03-02"));
  Type(form, "dueOn", QStringLiteral("2027-03-02"));
  form.AccuracyTable()->AddRow();
  SetCell(form, 0, AccuracyTableEdit::HighColumn, QStringLiteral("30.5"));
  SetCell(form, 0, AccuracyTableEdit::PercentColumn, QStringLiteral("0,012"));
  SetCell(form, 0, AccuracyTableEdit::FloorColumn, QStringLiteral("0.0015"));
  ClickOk(form);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  const ReferenceStandard typed = form.Standard();
  ASSERT_EQ(typed.accuracy.size(), 1u);
  EXPECT_EQ(typed.accuracy[0], (AccuracySpec{fc::kUpperVoltage, 0.0, 30.5, 0.012, 0.0015}));
  EXPECT_EQ(typed.dueOn, QDate(2027, 3, 2));
  EXPECT_TRUE(window.ApplyNew(typed));
  EXPECT_EQ(window.Table()->item(0, 5)->text(), QStringLiteral("own table, 1 row"));
}

TEST_F(StandardForm, AKeptStandardsTableIsChangedOnlyWithAReason) {
  CInstrumentsDlg register_(*keeper, {});
  register_.SetDialogs(dialogs);
  register_.ShowStandards();
  CStandardsDlg* window = register_.StandardsWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->Table()->rowCount(), 1);
  EXPECT_EQ(window->Table()->item(0, 5)->text(), QStringLiteral("default table"));

  CStandardDlg form;
  form.ShowStandard(window->Standards().front());
  EXPECT_TRUE(form.findChild<QLineEdit*>(QStringLiteral("serial"))->isReadOnly());
  EXPECT_TRUE(form.AccuracyTable()->Grid()->rowCount() == 0);
  // Two ranges of the current measurement, as a certificate gives them.
  const QStringList rows[] = {{"0", "24", "0.01", "0.001"}, {"24", "50", "0.015", "0.002"}};
  for (int row = 0; row < 2; ++row) {
    form.AccuracyTable()->AddRow();
    auto* function = static_cast<QComboBox*>(form.AccuracyTable()->Grid()->cellWidget(row, AccuracyTableEdit::FunctionColumn));
    function->setCurrentIndex(function->findData(int(fc::kUpperCurrent)));
    for (int c = AccuracyTableEdit::LowColumn; c <= AccuracyTableEdit::FloorColumn; ++c)
      SetCell(form, row, c, rows[row][c - AccuracyTableEdit::LowColumn]);
  }
  form.AccuracyTable()->Grid()->clearSelection();
  Type(form, "certificate", QStringLiteral("RC-18"));
  ClickOk(form);
  EXPECT_NE(form.result(), QDialog::Accepted);
  EXPECT_TRUE(Problem(form, "reason").startsWith(QStringLiteral("Reason:")));

  // The picture of the user guide (docs/standard-accuracy.png).
  form.show();
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(form.grab().save(QStringLiteral(VORENX_PICTURE_DIR "/standard-accuracy.png")));

  Type(form, "reason", QStringLiteral("new certificate RC-18"));
  ClickOk(form);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  ASSERT_TRUE(window->ApplyChange(form.Standard(), form.Reason()));
  const ReferenceStandard kept = Records().Standards().value.front();
  EXPECT_EQ(kept.certificateNumber, QStringLiteral("RC-18"));
  ASSERT_EQ(kept.accuracy.size(), 2u);
  EXPECT_EQ(kept.accuracy[1], (AccuracySpec{fc::kUpperCurrent, 24.0, 50.0, 0.015, 0.002}));
  EXPECT_EQ(window->Table()->item(0, 5)->text(), QStringLiteral("own table, 2 rows"));

  // "Use the default table" empties it again; a refusal of the store is shown.
  form.AccuracyTable()->UseDefaults();
  EXPECT_TRUE(form.Standard().accuracy.empty());
  ReferenceStandard renamed = form.Standard();
  renamed.serial = QStringLiteral("RS-2");
  EXPECT_FALSE(window->ApplyChange(renamed, QStringLiteral("typo")));
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("Serial number"))) << dialogs.messages[0].toStdString();
  EXPECT_EQ(Records().Standards().value.front().accuracy.size(), 2u);
}

}  // namespace
}  // namespace vorenx
