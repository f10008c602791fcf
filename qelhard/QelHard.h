// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The instrument's communication library: the six exports the program calls,
// over a real serial port (QSerialPort), plus the port-path settings and the
// diagnosis the command-line tools use. docs/protocol.md describes the wire
// protocol, the result codes and the timeouts.
//
// Threads: calls on one port take turns (each port has its own lock, held
// across its exchanges); the port settings, paths and diagnoses have a lock
// of their own that no exchange holds, so reading them never waits for a
// reply. It needs no Qt event loop: reads and writes use
// waitForReadyRead / waitForBytesWritten with time limits, and each port's
// QSerialPort is created on the thread that opens it.

#include <QString>
#include <cstdint>


#include "Results.h"

namespace qelhard {
// A short English description of a result code ("no reply", "bad checksum", ...).
const char* ResultText(std::uint16_t result);

enum class PortProblem { None, NoDevice, Busy, NoPermission, Other };
struct PortDiagnosis {
  PortProblem problem = PortProblem::None;
  QString path;
  QString detail;  // the system's wording, for Other
  // For Busy: who holds the port, from its lock file ("vorenx (process 4711)");
  // empty when no lock file names one.
  QString holder;
};
}  // namespace qelhard

// Non-zero when an instrument answers an identify request on `port`. A port not
// opened by QelOpenCOM is opened for the exchange and closed again; a port
// without a device node answers 0 at once. A reply that comes corrupted shows
// that something answers: the request is repeated, up to kPingAttempts times.
std::uint16_t QelIsDevConnect(std::int32_t port);
// 1 when the port is open (also when it already was). Opening a port closes
// any other port this library holds open: the program talks to one instrument.
std::uint16_t QelOpenCOM(std::int32_t port);
// Reads one status frame into buffer[0..24); 1 only for a whole reply whose
// CRC-32 matches and whose fields are in their domains. The buffer is written
// only on success.
std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size);
std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function);
std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode, float value);
// Closes the port (1); 0 when it was not open.
std::uint16_t QelCloseCOM(std::int32_t port);

// Maps `port` (0..19) to a device path; an open port moves to the new path on
// its next call. False for a port outside 0..19 or an empty path.
bool QelSetPortPath(std::int32_t port, const QString& path);
// The device path `port` stands for now (empty outside 0..19).
QString QelPortPath(std::int32_t port);
// Sets the time limit of one data exchange (QelGetData, QelSetUpper,
// QelSetLower; kReplyTimeoutMs by default) and returns the previous one.
// For tests and tools that must not wait long; values under 1 ms are refused.
int QelSetReplyTimeout(int milliseconds);
// Sets the time limit of one identify exchange of QelIsDevConnect
// (kPingTimeoutMs by default) and returns the previous one; values under 1 ms
// are refused. Tests against a simulator on a busy machine lengthen both.
int QelSetPingTimeout(int milliseconds);
// Why the last open of `port` failed (None when it succeeded or none was tried).
qelhard::PortDiagnosis QelLastPortProblem(std::int32_t port);
