// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx: the main window on the real libraries. This is the one place that
// reaches past the two library interfaces, to map ports to device paths, to
// ask why a port could not be opened, and to attach the simulated instrument.
#include <QApplication>
#include <cstdio>
#include <memory>

#include "PortProblemText.h"
#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "app/AppOptions.h"
#include "app/CVorenxApp.h"
#include "app/PortReport.h"
#include "platform/CommandLine.h"
#include "platform/Translations.h"
#include "platform/SignalCloser.h"

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // Options are read before the GUI starts, so --help works without a display.
  const vorenx::ParsedOptions parsed = vorenx::ParseAppOptions(arguments);
  if (!parsed.error.isEmpty()) {
    std::fputs(qPrintable(vorenx::UsageErrorLine(QStringLiteral("vorenx"), parsed.error) + QLatin1Char('\n')), stderr);
    return vorenx::kExitUsage;
  }
  const vorenx::AppOptions& options = parsed.options;
  if (options.help || options.version) {
    std::fputs(qPrintable(parsed.text), stdout);
    return 0;
  }

  // Termination signals close the window in order; they are caught from here
  // on and handled once the window's event loop runs.
  vorenx::InstallSignalPipe();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorenx"));
  // A language asked for that has no translation is said once; the texts stay as written.
  if (!vorenx::InstallTranslations(options.lang))
    std::fprintf(stderr, "vorenx: no translation for \"%s\": the texts stay in English\n", qPrintable(options.lang));
  // Lets the window system match the windows with the installed desktop entry.
  QGuiApplication::setDesktopFileName(QStringLiteral(VORENX_APP_ID));

  for (const auto& [port, path] : options.ports) QelSetPortPath(port, path);
  std::unique_ptr<vorenx::sim::SimulatedInstrument> simulator;
  if (options.simulate) {
    QString error;
    simulator = vorenx::sim::AttachSimulator(vorenx::kSimulatedPort, &error);
    if (!simulator) {
      std::fprintf(stderr, "vorenx: no simulated instrument: %s\n", qPrintable(error));
      return 1;
    }
    std::fprintf(stderr, "vorenx: simulated instrument on COM%d (%s)\n", vorenx::kSimulatedPort,
                 qPrintable(simulator->Path()));
    // Checked by the options parser already; a transmitter under test answers from the first request.
    if (!options.dut.isEmpty()) simulator->SetDut(vorenx::sim::ParseDutSpec(options.dut.toStdString()).dutSpec);
  }

  // Why a port cannot be opened is said once on standard error and kept for
  // the status line's tooltip.
  vorenx::PortReport ports(
      vorenx::DefaultQelHardDll(),
      [](std::int32_t port) { return qelhard::DescribeProblem(port, QelLastPortProblem(port)); },
      [](const QString& line) { std::fprintf(stderr, "vorenx: %s\n", qPrintable(line)); }, options.verbose);

  vorenx::CVorenxApp vorenxApp;
  return vorenxApp.InitInstance(ports, vorenx::DefaultQelDisplayDll(), options,
                                [&ports](int port) { return ports.Problem(port); });
}
