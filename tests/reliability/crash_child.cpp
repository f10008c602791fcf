// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// A stand-in for the program that a test kills: the main window on the real
// libraries with a simulated instrument and a journal in the folder given
// as the first argument. Every reading read from the instrument is printed
// at once as "R <monotonic ms> <journal fields>", so the test knows what the
// journal must hold when it kills this process.
#include <QApplication>
#include <cstdio>
#include <ctime>
#include <unistd.h>

#include "ReliabilitySupport.h"
#include "SimulatedInstrument.h"
#include "app/CVorenxDlg.h"

using namespace vorenx;

namespace {

long long MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: vorenx_crash_child JOURNAL_DIR\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QString error;
  auto simulator = sim::AttachSimulator(4, &error);
  if (!simulator) {
    std::fprintf(stderr, "no simulator: %s\n", qPrintable(error));
    return 1;
  }
  testing::WitnessHard witness(DefaultQelHardDll());
  witness.onReading = [](const testing::SeenReading& r) {
    const QByteArray line = "R " + QByteArray::number(MonotonicMs()) + ' ' + r.journalFields.toUtf8() + '\n';
    // One write per line, unbuffered: what was printed survives a SIGKILL.
    if (::write(STDOUT_FILENO, line.constData(), static_cast<size_t>(line.size())) < 0) std::perror("write");
  };
  testing::FastTime time;
  CVorenxDlg dlg(witness, DefaultQelDisplayDll(), time.Ticks(), SystemClock(), folder);
  dlg.Worker()->SetCyclePause(5);
  dlg.show();
  return app.exec();
}
