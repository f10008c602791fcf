// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The application object: creates the main window with the given libraries,
// runs it modally and returns the program's exit code when it closes. With a
// screenshot or quit-after option it saves the window and closes it on time.
// SIGTERM, SIGINT and SIGHUP close it in order too (see SignalCloser).

#include <QString>
#include <functional>

#include "app/AppOptions.h"
#include "link/QelDisplayDll.h"
#include "link/QelHardDll.h"

namespace vorenx {

class CVorenxApp {
 public:
  // Needs a QApplication. Returns 0, or 1 when the screenshot could not be saved.
  // `portProblem` says why a port could not be opened (the status line's tooltip).
  int InitInstance(QelHardDll& hard, QelDisplayDll& display, const AppOptions& options,
                   std::function<QString(int port)> portProblem = {});
};

}  // namespace vorenx
