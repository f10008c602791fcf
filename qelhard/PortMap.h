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
#include <optional>

#include "QelHard.h"

namespace qelhard {

// Parses "N=PATH[,N=PATH...]"; entries with a port outside 0..19, no '=' or an
// empty path are left out and described in `errors` (when given).
std::map<int, QString> ParsePortList(const QString& text, QStringList* errors = nullptr);
// Parses one "N=PATH" argument; nullopt when malformed.
std::optional<std::pair<int, QString>> ParsePortAssignment(const QString& text);

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
  std::array<QString, kPortCount> m_paths;
};

}  // namespace qelhard
