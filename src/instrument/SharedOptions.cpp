// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "instrument/SharedOptions.h"

namespace vorenx::options {

OptionSpec Port(Repeat repeat) {
  OptionSpec option{{QStringLiteral("port")},
                  QStringLiteral("N=PATH"),
                  QStringLiteral("Port N (0..19) is the device PATH, e.g. 4=/dev/ttyUSB0 (without it ports 0..9 are "
                                 "/dev/ttyUSB0..9 and 10..19 /dev/ttyACM0..9).")};
  if (repeat == Repeat::Repeatable) {
    option.repeatable = true;
    option.description += QStringLiteral(" May be given once for each port.");
  }
  return option;
}

OptionSpec Simulate() {
  return {{QStringLiteral("simulate")}, {},
          QStringLiteral("Use a simulated calibrator attached as COM4 (port 4) instead of hardware.")};
}

OptionSpec Dut() {
  return {{QStringLiteral("dut")},
          QStringLiteral("DESCRIPTION"),
          QStringLiteral("Wire a simulated transmitter to the simulated calibrator as the instrument under test: "
                         "KEY=VALUE,... of input and output (required), in, span, sqrt, gain, offset, noise, lag, "
                         "seed, e.g. input=7,output=2,span=4:20,gain=1.002 (the keys: vorenx-sim(1)).")};
}

OptionSpec Records() {
  return {{QStringLiteral("records")},
          QStringLiteral("URL"),
          QStringLiteral("The lab's records: postgresql://user@host:port/database or a SQLite file's absolute path "
                         "(default: the \"Records database\" setting, else $XDG_DATA_HOME/vorenx/records.sqlite); "
                         "the password comes from ~/.pgpass or PGPASSWORD.")};
}

OptionSpec Journal() {
  return {{QStringLiteral("journal")},
          QStringLiteral("DIR"),
          QStringLiteral("Write the readings journal under DIR (default: $XDG_DATA_HOME/vorenx/journal, "
                         "~/.local/share/vorenx/journal).")};
}

OptionSpec NoJournal() { return {{QStringLiteral("no-journal")}, {}, QStringLiteral("Write no readings journal.")}; }

std::optional<PortAssignment> ReadPort(const QString& value, QString* error) {
  QString why;
  std::optional<PortAssignment> port = ParsePortAssignment(value, &why);
  if (!port && error) *error = QStringLiteral("--port wants ") + why;
  return port;
}

QString DutWithoutSimulateText() {
  return QStringLiteral("--dut describes a transmitter wired to the simulated calibrator: give --simulate too");
}

bool ReadJournal(const CommandLine& line, QString* folder, bool* none, QString* error) {
  *none = line.IsSet(QStringLiteral("no-journal"));
  folder->clear();
  if (!line.IsSet(QStringLiteral("journal"))) return true;
  if (*none) {
    *error = QStringLiteral("--journal and --no-journal exclude each other");
    return false;
  }
  *folder = line.Value(QStringLiteral("journal"));
  if (folder->trimmed().isEmpty()) {
    *error = QStringLiteral("--journal wants a folder");
    return false;
  }
  return true;
}

QString OptionProblemText(const QString& option, const QString& why) { return option + QStringLiteral(": ") + why; }

}  // namespace vorenx::options
