// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "instrument/PortOption.h"

namespace vorenx {

std::optional<PortAssignment> ParsePortAssignment(const QString& text, QString* error) {
  auto refuse = [&](const QString& why) -> std::optional<PortAssignment> {
    if (error) *error = QStringLiteral("N=PATH with N from 0 to %1, not \"%2\" (%3)").arg(kLastPort).arg(text, why);
    return std::nullopt;
  };
  if (text.trimmed().isEmpty()) return refuse(QStringLiteral("nothing given"));
  const qsizetype eq = text.indexOf(QLatin1Char('='));
  if (eq < 0) return refuse(QStringLiteral("no '='"));
  const QString number = text.left(eq).trimmed();
  if (number.isEmpty()) return refuse(QStringLiteral("no port number before '='"));
  bool ok = false;
  const qlonglong port = number.toLongLong(&ok);
  if (!ok) return refuse(QStringLiteral("\"%1\" is not a number").arg(number));
  if (!IsPortNumber(port)) return refuse(QStringLiteral("port %1 is outside 0..%2").arg(number).arg(kLastPort));
  const QString path = text.mid(eq + 1).trimmed();
  if (path.isEmpty()) return refuse(QStringLiteral("no path after '='"));
  return PortAssignment{static_cast<int>(port), path};
}

}  // namespace vorenx
