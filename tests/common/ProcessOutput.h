// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Waiting for a program started by a test to say something: reads one of its
// channels until what it wrote holds `text`, or it ends, or `limitMs` pass
// without a word (a bound for a hang, not a timing).

#include <QByteArray>
#include <QProcess>

namespace vorenx::testing {

inline bool WaitForProcessText(QProcess& process, QProcess::ProcessChannel channel, QByteArray& seen,
                               const QByteArray& text, int limitMs) {
  while (!seen.contains(text)) {
    if (process.state() == QProcess::NotRunning) return false;
    process.setReadChannel(channel);
    if (!process.waitForReadyRead(limitMs)) return false;
    seen += channel == QProcess::StandardOutput ? process.readAllStandardOutput() : process.readAllStandardError();
  }
  return true;
}

}  // namespace vorenx::testing
