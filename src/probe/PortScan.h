// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What vorenx-probe does with the library: find the ports where an instrument
// answers, and read one status frame into a state.

#include <cstdint>
#include <vector>

#include "instrument/Ports.h"
#include "instrument/InstrumentState.h"

namespace vorenx::probe {

// Port numbers first..last (inclusive) where QelIsDevConnect answers, in order.
std::vector<int> FindAnsweringPorts(int first = 0, int last = kLastPort);
// QelGetData on an open port; on 1 the frame is decoded into `state`.
std::uint16_t ReadState(int port, InstrumentState& state);

}  // namespace vorenx::probe
