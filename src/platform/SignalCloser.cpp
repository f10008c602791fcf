// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "platform/SignalCloser.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vorenx {
namespace {

int g_pipe[2] = {-1, -1};

extern "C" void OnCloseSignal(int signal) {
  // Only async-signal-safe calls here: one write, errno kept for the code
  // the signal interrupted.
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

bool InstallSignalPipe() {
  if (g_pipe[0] >= 0) return true;
  if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    g_pipe[0] = g_pipe[1] = -1;
    return false;
  }
  struct sigaction action {};
  action.sa_handler = OnCloseSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  return true;
}

QString SignalName(int signal) {
  switch (signal) {
    case SIGTERM:
      return QStringLiteral("SIGTERM");
    case SIGINT:
      return QStringLiteral("SIGINT");
    case SIGHUP:
      return QStringLiteral("SIGHUP");
    default:
      return QStringLiteral("signal %1").arg(signal);
  }
}

SignalCloser::SignalCloser(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
  if (g_pipe[0] < 0) return;
  m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &SignalCloser::Drain);
}

SignalCloser::~SignalCloser() = default;

void SignalCloser::Drain() {
  unsigned char byte = 0;
  while (read(g_pipe[0], &byte, 1) == 1) {
    if (m_onSignal) m_onSignal(byte);
  }
}

}  // namespace vorenx
