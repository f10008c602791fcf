// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The lab's reference standards, from the register window's "Standards...":
// each with its certificate, dates and whether it has an accuracy table of
// its own; "Add..." and "Edit..." open the standard's form (CStandardDlg),
// and a change is kept only with a reason (the audit trail holds it). Reads
// the records through the bench's keeper each time it is shown or changed.

#include <QDate>
#include <QDialog>
#include <vector>

#include "platform/UserDialogs.h"
#include "records/RecordsKeeper.h"

class QLabel;
class QTableWidget;

namespace vorenx {

class CStandardsDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CStandardsDlg(RecordsKeeper& keeper, QWidget* parent = nullptr);

  void SetDialogs(UserDialogs& dialogs) { m_dialogs = &dialogs; }
  // The date the overdue marks are for (tests); by default each reload's own.
  void SetToday(const QDate& today) { m_today = today; }

  void Reload();
  // Keeps `standard` as a new one, or changes the kept one of its id with
  // `reason`; on a refusal shows the store's message. True when written.
  bool ApplyNew(const ReferenceStandard& standard);
  bool ApplyChange(const ReferenceStandard& standard, const QString& reason);

  QTableWidget* Table() const { return m_table; }
  const std::vector<ReferenceStandard>& Standards() const { return m_standards; }

 private:
  void showEvent(QShowEvent* event) override;
  void AddStandard();
  void EditRow(int row);
  LabRecords* Records();

  RecordsKeeper& m_keeper;
  QtUserDialogs m_qtDialogs{QObject::tr("Reference Standards")};
  UserDialogs* m_dialogs = &m_qtDialogs;
  QDate m_today;
  std::vector<ReferenceStandard> m_standards;
  QTableWidget* m_table = nullptr;
  QLabel* m_status = nullptr;
};

}  // namespace vorenx
