// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The "N=PATH" form that names a device path for a port number, as the
// programs' --port option and the VORENX_PORTS list take it.

#include <QString>
#include <optional>
#include <utility>

#include "instrument/Ports.h"

namespace vorenx {

struct PortAssignment {
  int port = -1;
  QString path;

  friend bool operator==(const PortAssignment&, const PortAssignment&) = default;
};

// Reads one "N=PATH": N a port number 0..19, PATH not empty; spaces around N
// and PATH are dropped. On bad input, nullopt and in `error` (when given)
// what was expected and why the input is not it, to follow "--port wants ":
// N=PATH with N from 0 to 19, not "4" (no '=')
std::optional<PortAssignment> ParsePortAssignment(const QString& text, QString* error = nullptr);

}  // namespace vorenx
