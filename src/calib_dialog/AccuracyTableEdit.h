// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A reference standard's accuracy table as the lab enters it from the
// standard's certificate: one row per function and range (function by name,
// range from, range to, % of reading, floor), rows added and removed, and
// "Use the default table" to go back to the documented defaults (no rows).
// Numbers are read with "." whatever the locale (a lone "," is taken as the
// decimal mark too). Problems are shown at their rows, in red.

#include <QWidget>
#include <vector>

#include "calib/Uncertainty.h"
#include "records/LabRecords.h"

class QLabel;
class QTableWidget;

namespace vorenx {

class AccuracyTableEdit : public QWidget {
  Q_OBJECT

 public:
  // The table's columns.
  enum Column { FunctionColumn, LowColumn, HighColumn, PercentColumn, FloorColumn, ColumnCount };

  explicit AccuracyTableEdit(QWidget* parent = nullptr);

  void SetTable(const std::vector<AccuracySpec>& table);
  // The rows as entered. A cell that is not a number reads as NaN and is
  // named in `unread` (when given) at its row.
  std::vector<AccuracySpec> Table(std::vector<StandardProblem>* unread = nullptr) const;
  // Marks the rows of `problems` (StandardField::Accuracy) and lists their
  // messages under the table; an empty list clears the marks.
  void ShowProblems(const std::vector<StandardProblem>& problems);

  // Adds a row after the last, for the last row's function (the first
  // function for an empty table), with the default table's values for it.
  void AddRow();
  // Removes the current row, or the last one when none is current.
  void RemoveRow();
  // No rows: the documented default table is used.
  void UseDefaults();

  QTableWidget* Grid() const { return m_table; }

 private:
  void AddRow(const AccuracySpec& entry);
  void UpdateNote();

  QTableWidget* m_table = nullptr;
  QLabel* m_note = nullptr;
  QLabel* m_problems = nullptr;
};

}  // namespace vorenx
