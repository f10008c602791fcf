// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/CVorenxApp.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/CVorenxDlg.h"
#include "app/NewWindow.h"
#include "platform/SignalCloser.h"

namespace vorenx {

int CVorenxApp::InitInstance(QelHardDll& hard, QelDisplayDll& display, const AppOptions& options,
                             std::function<QString(int port)> portProblem) {
  CVorenxDlg dlg(hard, display, SystemTicks(), SystemClock(), JournalFolder(options));
  dlg.SetPortProblemSource(std::move(portProblem));
  dlg.SetRecordsLocation(options.records);
  dlg.WatchSpoolLeftBefore();
  // Another program for another instrument, with this one's ports and journal folder.
  dlg.SetNewWindowStarter([&options, &hard](QString* why) {
    const QStringList arguments = NewWindowArguments(options, [&hard](int port) { return hard.PortPath(port); });
    return StartNewWindow(QCoreApplication::applicationFilePath(), arguments, why);
  });
  const SignalCloser closer([&dlg](int signal) {
    dlg.CloseWithoutAsking(QStringLiteral("The program was told to end (%1)").arg(SignalName(signal)));
  });
  int exitCode = 0;
  if (options.quitAfterSeconds >= 0.0) {
    const int ms = static_cast<int>(options.quitAfterSeconds * 1000.0);
    QTimer::singleShot(ms, &dlg, [&dlg, &options, &exitCode] {
      if (!options.screenshot.isEmpty()) {
        const QImage picture = dlg.grab().toImage();
        if (!picture.save(options.screenshot, "PNG")) {
          std::fprintf(stderr, "vorenx: could not write the screenshot %s\n", qPrintable(options.screenshot));
          exitCode = 1;
        }
      }
      dlg.done(QDialog::Rejected);
    });
  }
  dlg.exec();
  return exitCode;
}

}  // namespace vorenx
