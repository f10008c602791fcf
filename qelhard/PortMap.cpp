// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "PortMap.h"

#include <QtGlobal>

#include "instrument/PortOption.h"

namespace qelhard {

std::map<int, QString> ParsePortList(const QString& text, QStringList* errors) {
  std::map<int, QString> result;
  const QStringList entries = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
  for (const QString& entry : entries) {
    if (auto parsed = vorenx::ParsePortAssignment(entry))
      result[parsed->port] = parsed->path;
    else if (errors)
      errors->append(entry.trimmed());
  }
  return result;
}

PortMap::PortMap() {
  for (int n = 0; n < vorenx::kPortCount; ++n) m_paths[static_cast<std::size_t>(n)] = DefaultPath(n);
  const QString env = qEnvironmentVariable("VORENX_PORTS");
  QStringList errors;
  for (const auto& [port, path] : ParsePortList(env, &errors))
    m_paths[static_cast<std::size_t>(port)] = path;
  for (const QString& bad : errors)
    qWarning("VORENX_PORTS: ignored \"%s\" (expected N=PATH with N from 0 to 19)", qPrintable(bad));
}

// Ports 0..9 are USB serial adapters, 10..19 USB CDC instruments (ttyACM).
QString PortMap::DefaultPath(int port) {
  if (port >= 10) return QStringLiteral("/dev/ttyACM%1").arg(port - 10);
  return QStringLiteral("/dev/ttyUSB%1").arg(port);
}

QString PortMap::PathOf(int port) const {
  if (!vorenx::IsPortNumber(port)) return {};
  return m_paths[static_cast<std::size_t>(port)];
}

bool PortMap::Set(int port, const QString& path) {
  if (!vorenx::IsPortNumber(port) || path.isEmpty()) return false;
  m_paths[static_cast<std::size_t>(port)] = path;
  return true;
}

}  // namespace qelhard
