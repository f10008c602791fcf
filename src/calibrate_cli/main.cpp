// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-calibrate: a calibration run without a window. This is the one
// file that reaches past the library interfaces: to map the port to its
// device path, to ask why a port could not be opened, and to attach the
// simulated calibrator for --simulate.
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

#include "DutModel.h"
#include "PortProblemText.h"
#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "calibrate_cli/CalibrateOptions.h"
#include "calibrate_cli/CalibrateTool.h"
#include "platform/CommandLine.h"
#include "platform/FileText.h"
#include "platform/SignalCloser.h"

int main(int argc, char** argv) {
  using namespace vorenx::calibrate_cli;
  // The command line is read before the GUI starts, so --help and bad
  // arguments are answered without it.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const ParsedCalibrateOptions parsed = ParseCalibrateOptions(arguments);
  if (parsed.action == ParsedCalibrateOptions::Action::Refuse) {
    QTextStream(stderr) << vorenx::UsageErrorLine(QStringLiteral("vorenx-calibrate"), parsed.text) << '\n';
    return kExitUsage;
  }
  if (parsed.action != ParsedCalibrateOptions::Action::Run) {  // the help or the version
    QTextStream(stdout) << parsed.text;
    return kExitCompleted;
  }

  // Termination signals end the run in order; caught from here on and
  // handled once the event loop runs.
  vorenx::InstallSignalPipe();
  // The certificate is drawn with Qt Gui's painter and fonts; the program has
  // no window, so it always runs on the offscreen platform (no display needed).
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vorenx-calibrate"));
  QCoreApplication::setApplicationVersion(vorenx::VersionText());
  QTextStream out(stdout);
  QTextStream err(stderr);
  const CalibrateOptions& options = parsed.options;

  std::unique_ptr<vorenx::sim::SimulatedInstrument> simulator;
  if (options.simulate) {
    QString error;
    simulator = vorenx::sim::AttachSimulator(kSimulatedPort, &error);
    if (!simulator) {
      err << "vorenx-calibrate: no simulated calibrator: " << error << '\n';
      return kExitFailed;
    }
    // Checked by the options parser already.
    if (!options.dut.isEmpty()) simulator->SetDut(vorenx::sim::ParseDutSpec(options.dut.toStdString()).dutSpec);
  } else {
    QelSetPortPath(options.port->port, options.port->path);
  }

  const int code = RunCalibration(
      options, UserPlaces(),
      {vorenx::DefaultQelHardDll(), vorenx::DefaultQelDisplayDll(),
       [](int port) {
         const qelhard::PortDiagnosis diagnosis = QelLastPortProblem(port);
         return diagnosis.problem == qelhard::PortProblem::None ? QString() : qelhard::DescribeProblem(port, diagnosis);
       },
       options.simulate},
      out, err);
  out.flush();
  err.flush();
  return code;
}
