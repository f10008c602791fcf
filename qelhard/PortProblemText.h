// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The library's own wording of a port and of why it could not be used, shared
// by the window's port report and the probe.

#include <QString>

#include "QelHard.h"

namespace qelhard {

// "COM4 (/dev/ttyUSB4)"
QString PortLabel(int port, const QString& path);
// "COM4 (/dev/ttyUSB4): no such device", "...: in use by another program", ...
QString DescribeProblem(int port, const PortDiagnosis& diagnosis);

}  // namespace qelhard
