// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The instrument's communication library as the program sees it: one object
// with the library's six exports. The program is bound to the real library
// (qelhard/) by default; tests put a recording fake in its place.
//
// Ports are 32-bit signed numbers (0..19), results 16-bit unsigned. A status
// read succeeds only when QelGetData returns exactly 1.

#include <QString>
#include <cstdint>

namespace vorenx {

class QelHardDll {
 public:
  virtual ~QelHardDll() = default;

  // Non-zero when an instrument answers on `port`; works on a port that was
  // never opened and never blocks for long.
  virtual std::uint16_t QelIsDevConnect(std::int32_t port) = 0;
  // Non-zero when the port was opened.
  virtual std::uint16_t QelOpenCOM(std::int32_t port) = 0;
  // Fills `buffer` (`size` bytes, 24 for a status frame); 1 = a whole frame.
  virtual std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) = 0;
  // function: 1 Voltage, 2 Current, 3 Loop.
  virtual std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) = 0;
  // function 5..26, the lower mode byte, the source value in the function's unit.
  virtual std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode,
                                    float value) = 0;
  virtual std::uint16_t QelCloseCOM(std::int32_t port) = 0;

  // The device path `port` stands for (shown as the Port list's tooltips);
  // empty when the library has no such notion.
  virtual QString PortPath(std::int32_t /*port*/) { return {}; }
};

// The binding to the real library; defined by the qelhard_binding target.
QelHardDll& DefaultQelHardDll();

}  // namespace vorenx
