// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "PortProblemText.h"

namespace qelhard {

QString PortLabel(int port, const QString& path) { return QStringLiteral("COM%1 (%2)").arg(port).arg(path); }

QString DescribeProblem(int port, const PortDiagnosis& d) {
  QString why;
  switch (d.problem) {
    case PortProblem::None: why = QStringLiteral("no instrument answers"); break;
    case PortProblem::NoDevice: why = QStringLiteral("no such device"); break;
    case PortProblem::Busy:
      why = d.holder.isEmpty() ? QStringLiteral("in use by another program") : QStringLiteral("in use by ") + d.holder;
      break;
    case PortProblem::NoPermission:
      why = QStringLiteral(
          "permission denied (add your user to the dialout group: sudo adduser $USER dialout, then log out "
          "and log in again)");
      break;
    case PortProblem::Other: why = d.detail.isEmpty() ? QStringLiteral("cannot be opened") : d.detail; break;
  }
  return PortLabel(port, d.path) + QStringLiteral(": ") + why;
}

}  // namespace qelhard
