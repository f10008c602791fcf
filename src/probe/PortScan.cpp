// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "PortScan.h"

#include "QelHard.h"
#include "link/StatusFrame.h"

namespace vorenx::probe {

std::vector<int> FindAnsweringPorts(int first, int last) {
  std::vector<int> ports;
  for (int port = first; port <= last; ++port)
    if (QelIsDevConnect(port) != 0) ports.push_back(port);
  return ports;
}

std::uint16_t ReadState(int port, InstrumentState& state) {
  unsigned char frame[StatusFrame::kSize] = {};
  const std::uint16_t result = QelGetData(port, frame, StatusFrame::kSize);
  if (result == 1) DecodeStatusFrame(frame, state);
  return result;
}

}  // namespace vorenx::probe
