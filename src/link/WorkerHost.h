// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Everything the worker thread reports to, or asks of, the views of its
// instrument: the station implements it (src/station), queuing each report to
// its own thread without waiting, except RedrawPanel, which composes the panel
// on the calling thread, and FitSourceField, which waits for its answer.
// The worker makes every call while it holds no lock.

#include <QString>
#include <functional>
#include <optional>

#include "instrument/InstrumentState.h"

namespace vorenx {

class WorkerHost {
 public:
  virtual ~WorkerHost() = default;

  // Status line: "Connected" or "DisConnected".
  virtual void SetStatusText(const QString& text) = 0;
  // Run button: "Stop" while polling runs, "Run" while paused.
  virtual void SetRunText(const QString& text) = 0;
  // Port list: select entry `port`; 10 or more leaves the list without a selection.
  // Must not queue a command.
  virtual void SelectPort(int port) = 0;
  // Redraw the meter panel from the link's state and history.
  virtual void RedrawPanel() = 0;
  // Insert the newest sample at the top of the readings table; `pollResult` is Poll's result.
  virtual void UpdateReadingsTable(int pollResult) = 0;
  // Bring the settings panel into line with the decoded state (never queues a command).
  virtual void RefreshFromInstrument(const InstrumentState& state) = 0;
  // Remove every row and column of the readings table, lay it out as at start-up, repaint it.
  virtual void ResetReadingsTable() = 0;
  // Fit the source value field: set its limits, take the decimals that
  // `decimalsFor` gives for the field's own number held into those limits (the
  // number about to be sent), let it re-validate its text, and return its value
  // (0 when empty). Nothing when the program is closing and the field was
  // not read: the command is then not sent.
  virtual std::optional<float> FitSourceField(float low, float high,
                                              const std::function<int(float)>& decimalsFor) = 0;
};

}  // namespace vorenx
