// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A recording WorkerHost: the window as the worker sees it.

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

#include "CallRecorder.h"
#include "link/WorkerHost.h"

namespace vorenx::testing {

class FakeWorkerHost : public WorkerHost, public CallRecorder {
 public:
  void SetStatusText(const QString& text) override { Record("Status:" + text); }
  void SetRunText(const QString& text) override { Record("Run:" + text); }
  void SelectPort(int port) override { Record(QStringLiteral("SelectPort:%1").arg(port)); }
  void RedrawPanel() override { Record("Redraw"); }
  void UpdateReadingsTable(int pollResult) override { Record(QStringLiteral("Table:%1").arg(pollResult)); }
  void RefreshFromInstrument(const InstrumentState& s) override {
    Record(QStringLiteral("Refresh:%1").arg(s.lowerFunction));
  }
  void ResetReadingsTable() override { Record("ResetTable"); }
  std::optional<float> FitSourceField(float low, float high, const std::function<int(float)>& decimalsFor) override {
    Record(QStringLiteral("Fit:%1,%2,%3").arg(low).arg(high).arg(decimalsFor(fieldValue)));
    return fieldValue;
  }

  float fieldValue = 0.0f;
};

}  // namespace vorenx::testing
