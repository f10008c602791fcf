// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One serial port of the library: the QSerialPort, the reply reader and the
// request sequence number. Blocking request/reply exchanges with a time limit,
// usable on a thread without a Qt event loop. Not thread-safe on its own.

#include <QString>
#include <cstdint>
#include <memory>

#include "Protocol.h"
#include "QelHard.h"
#include "ReplyReceiver.h"

class QSerialPort;

namespace qelhard {

class SerialChannel {
 public:
  SerialChannel();
  ~SerialChannel();
  SerialChannel(const SerialChannel&) = delete;
  SerialChannel& operator=(const SerialChannel&) = delete;

  // Opens `path` at 115200 baud, 8N1, no flow control. On failure `why` says why.
  bool Open(const QString& path, PortDiagnosis& why);
  void Close();
  bool IsOpen() const;
  const QString& Path() const { return m_path; }

  std::uint16_t NextSequence() { return ++m_sequence; }
  // Discards stale input, sends `request` and waits up to `timeoutMs` for the
  // reply of the same command and sequence whose fields are in their domains.
  // kOk with `reply` filled, otherwise kNoReply, kBadChecksum, kMalformed or
  // kIoError (the port is then closed). A complete bad reply fails at once; once
  // bytes have come, a pause of kReplyGapMs without more ends the wait too. A
  // reply already here when the limit is checked counts (see AwaitReply).
  std::uint16_t Exchange(const Request& request, int timeoutMs, Reply& reply);

 private:
  std::uint16_t Fail(std::uint16_t result);

  std::unique_ptr<QSerialPort> m_port;
  ReplyReceiver m_receiver;
  std::uint16_t m_sequence = 0;
  QString m_path;
};

}  // namespace qelhard
