// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The call log the recording fakes share: each call is one line of text,
// kept under a mutex because fakes are called from the worker thread while a
// test reads them from its own. Calls() hands out a list of its own, never a
// shared copy: Qt checks a list's sharing with a relaxed load before it
// appends in place, so a shared copy dropped by the test's thread while the
// worker appends is a race the thread sanitizer rightly reports.

#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>

namespace vorenx::testing {

class CallRecorder {
 public:
  QStringList Calls() const {
    QMutexLocker lock(&m_mutex);
    return QStringList(m_calls.cbegin(), m_calls.cend());
  }
  void ClearCalls() {
    QMutexLocker lock(&m_mutex);
    m_calls.clear();
  }
  // Number of recorded calls that start with `prefix`.
  int Count(const QString& prefix) const {
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const QString& c : m_calls) n += c.startsWith(prefix) ? 1 : 0;
    return n;
  }

 protected:
  void Record(const QString& call) {
    QMutexLocker lock(&m_mutex);
    m_calls << call;
  }
  mutable QMutex m_mutex;

 private:
  QStringList m_calls;
};

}  // namespace vorenx::testing
