// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A setting change queued by the window's handlers and carried out by the worker.

#include <cstdint>

namespace vorenx {

enum CommandType : std::uint16_t {
  CmdNone = 0,
  CmdToggleRun = 3,         // Run button
  CmdOpenPort = 5,          // Port list; argument = port number
  CmdSetUpper = 7,          // upper function list
  CmdSetLower = 8,          // any change of the lower settings
  CmdSetDisplayLength = 9,  // wave length
  CmdSetDisplayWave = 10,   // wave channels; argument 3 all, 1 upper, 2 lower, 0 none
  // The lower settings as the request holds them, sent without refitting the
  // source value field (a calibration run's points and output switching);
  // argument 1: the function changes too, so the readings table starts over.
  CmdSetSource = 11,
};

struct SettingCommand {
  std::uint16_t type = CmdNone;  // 0: no command
  std::int32_t argument = 0;     // used by CmdOpenPort, CmdSetDisplayWave and CmdSetSource

  friend bool operator==(const SettingCommand&, const SettingCommand&) = default;
};

}  // namespace vorenx
