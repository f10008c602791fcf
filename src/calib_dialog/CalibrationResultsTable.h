// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The results of a calibration in a table: a title line per run, one row per
// recorded point (point, direction, applied input, expected and measured
// output, error and drift in % of span, the expanded uncertainty U and the
// test uncertainty ratio, verdict) and the run's verdict line with its
// largest error and hysteresis. Failing points are marked in red,
// indeterminate ones in amber, and a ratio under 4:1 on an amber ground with
// a tooltip that says so.
// While the table has the keyboard focus a frame in the highlight colour, 2
// pixels wide, lies inside the edge of its cells' area: the current cell alone
// would not show the focus, as the table is empty before a run and not every
// style marks the current cell.

#include <QTableWidget>
#include <optional>

#include "records/CalibrationRecord.h"

namespace vorenx {

class CalibrationResultsTable : public QTableWidget {
  Q_OBJECT

 public:
  explicit CalibrationResultsTable(QWidget* parent = nullptr);

  // Shows the runs of `record`; `previousAsLeft` (the last complete as-left of
  // the same tag, from the record file `previousFile`) gives the as-found rows
  // their drift, and the as-found's title says what it is measured against.
  // `inProgress` names the run still going on: its line says so instead of a verdict.
  void ShowRecord(const CalibrationRecord& record, const std::optional<RunResult>& previousAsLeft,
                  const QString& previousFile = QString(), std::optional<RunKind> inProgress = std::nullopt);
  // Titles the columns with the units of `setup` (before anything is shown).
  void ShowColumnsFor(const CalibrationSetup& setup);

  // Rows by what they show, for tests and for scrolling to the newest point.
  enum class RowKind { RunTitle, Point, Verdict };
  RowKind KindOfRow(int row) const;
  // The columns of U and of the ratio (ResultTableColumnTitles).
  static constexpr int kUncertaintyColumn = 7;
  static constexpr int kTurColumn = 8;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QRegion FocusFrameRegion() const;
  void AddRun(const QString& title, const RunResult& run, const std::vector<double>& drift, bool inProgress);
  // `colour` invalid: the palette's text colour.
  void AddSpanningRow(RowKind kind, const QString& text, const QColor& colour);
};

}  // namespace vorenx
