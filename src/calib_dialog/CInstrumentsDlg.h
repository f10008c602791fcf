// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The register window ("Instruments..."): the lab's instruments by due date
// (never calibrated first), filtered to the overdue ones or those due within
// 30 days; an instrument's history of calibrations with each as-found against
// the as-left before it; "Calibrate" hands an instrument to the calibration
// dialog with the setup of its last calibration; "Edit" changes its fields
// with optimistic locking; "Standards..." opens the reference standards
// (CStandardsDlg). Non-modal; reads the records through the bench's
// keeper each time it is shown or refreshed.

#include <QDate>
#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "platform/UserDialogs.h"
#include "calib/CalibrationSetup.h"
#include "records/RecordsKeeper.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace vorenx {

class CStandardsDlg;

class CInstrumentsDlg : public QDialog {
  Q_OBJECT

 public:
  enum class Filter { All, Overdue, DueWithin30Days };
  // Told to calibrate `instrument`, with the setup of its last calibration when it has one.
  using CalibrateFn = std::function<void(const Instrument& instrument, const std::optional<CalibrationSetup>& setup)>;

  CInstrumentsDlg(RecordsKeeper& keeper, CalibrateFn calibrate, QWidget* parent = nullptr);

  void SetDialogs(UserDialogs& dialogs) { m_dialogs = &dialogs; }
  // The reference standards' window, made on first use and kept (non-modal).
  void ShowStandards();
  CStandardsDlg* StandardsWindow() const { return m_standards; }
  // The date the due list is for (tests); by default each reload's own date,
  // so that a window left open over midnight marks what became overdue since.
  void SetToday(const QDate& today) { m_today = today; }

  // Reads the due list again with the filter chosen.
  void Reload();
  void SetFilter(Filter filter);
  // The instrument on `row` of the table; its history shown below it.
  void ShowHistory(int row);
  void CalibrateRow(int row);
  // Writes `edited` (read at its version); on a conflict shows the store's
  // message and the current values. True when it was written.
  bool ApplyEdit(const Instrument& edited);

  QTableWidget* Table() const { return m_table; }
  QTableWidget* HistoryTable() const { return m_history; }
  const std::vector<DueEntry>& Entries() const { return m_entries; }
  // The values last read of the instrument being edited (after a conflict: the current ones).
  const Instrument& EditingInstrument() const { return m_editing; }

 private:
  void showEvent(QShowEvent* event) override;
  void EditRow(int row);
  // The whole register entry behind `row`, read afresh; nullopt (and the status says why) when it cannot be read.
  std::optional<Instrument> InstrumentAt(int row);
  int CurrentRow() const;
  LabRecords* Records();

  RecordsKeeper& m_keeper;
  CalibrateFn m_calibrate;
  QtUserDialogs m_qtDialogs{QObject::tr("Instruments")};
  UserDialogs* m_dialogs = &m_qtDialogs;
  QDate m_today;
  std::vector<DueEntry> m_entries;
  Instrument m_editing;

  QComboBox* m_filter = nullptr;
  QTableWidget* m_table = nullptr;
  QLabel* m_historyTitle = nullptr;
  QTableWidget* m_history = nullptr;
  QLabel* m_status = nullptr;
  CStandardsDlg* m_standards = nullptr;
};

}  // namespace vorenx
