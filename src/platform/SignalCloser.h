// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into an orderly end of a program: the
// signal handler only writes the signal's number into a pipe; a socket
// notifier reads it on the owner's thread, where the owner ends in order (the
// window closes as its close box would; a program without a window aborts its
// run with the output off and keeps what it recorded).
//
// InstallSignalPipe() goes first, as early as possible (before the window or
// the run exists); a signal that comes before a SignalCloser listens waits in
// the pipe and is handled as soon as the event loop runs.

#include <QObject>
#include <QString>
#include <functional>

class QSocketNotifier;

namespace vorenx {

// Creates the pipe and installs the handlers once. False when the pipe could
// not be created (the signals then keep their default action).
bool InstallSignalPipe();

// "SIGTERM", "SIGINT", "SIGHUP", or "signal N".
QString SignalName(int signal);

class SignalCloser : public QObject {
  Q_OBJECT
 public:
  // `onSignal` runs on this object's thread with the signal's number.
  explicit SignalCloser(std::function<void(int)> onSignal, QObject* parent = nullptr);
  ~SignalCloser() override;

 private:
  void Drain();

  std::function<void(int)> m_onSignal;
  QSocketNotifier* m_notifier = nullptr;
};

}  // namespace vorenx
