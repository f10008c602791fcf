#include "app/CVorenxApp.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/CVorenxDlg.h"
#include "app/SignalCloser.h"

namespace vorenx {

namespace {

// Closes the window as its close box would. Dialogs and menus open over it
// (the About box, a file dialog) are closed first, so that their own event
// loops end before the window's.
void CloseInOrder(CVorenxDlg& dlg) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top == &dlg || !top->isVisible()) continue;
    if (auto* dialog = qobject_cast<QDialog*>(top))
      dialog->reject();
    else if (qobject_cast<QMenu*>(top))
      top->close();
  }
  QTimer::singleShot(0, &dlg, [&dlg] { dlg.done(QDialog::Rejected); });
}

}  // namespace

int CVorenxApp::InitInstance(QelHardDll& hard, QelDisplayDll& display, const AppOptions& options,
                             std::function<QString(int port)> portProblem) {
  CVorenxDlg dlg(hard, display);
  dlg.SetPortProblemSource(std::move(portProblem));
  const SignalCloser closer([&dlg](int) { CloseInOrder(dlg); });
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
