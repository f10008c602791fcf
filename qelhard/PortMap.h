// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Which device path each port number 0..19 stands for. Default: ports 0..9 are
// /dev/ttyUSB0..9, ports 10..19 /dev/ttyACM0..9 (USB CDC instruments).
// Entries of the environment variable VORENX_PORTS ("4=/dev/ttyACM0,5=/dev/pts/3")
// override the default; QelSetPortPath (the programs' --port N=PATH) overrides both.
// Not thread-safe on its own: the library calls it under its lock.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <map>

#include "QelHard.h"

namespace qelhard {

// Parses "N=PATH[,N=PATH...]", each entry read by vorenx::ParsePortAssignment
// (instrument/PortOption.h); entries it refuses are left out and listed in
// `errors` (when given).
std::map<int, QString> ParsePortList(const QString& text, QStringList* errors = nullptr);

class PortMap {
 public:
  // Reads VORENX_PORTS once; malformed entries are reported with qWarning.
  PortMap();
  static QString DefaultPath(int port);
  // Empty for a port outside 0..19.
  QString PathOf(int port) const;
  // False (nothing changed) for a port outside 0..19 or an empty path.
  bool Set(int port, const QString& path);

 private:
  std::array<QString, vorenx::kPortCount> m_paths;
};

}  // namespace qelhard
