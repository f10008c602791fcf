// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The six exports and the port settings. Each port has its own lock, held
// across that port's exchanges; the library's lock guards only the settings
// (paths, wanted ports, diagnoses, time limits) and is never held across I/O,
// so asking for a path or a diagnosis never waits for a reply. A port's lock
// is always taken before the library's, never the other way round.
#include "QelHard.h"

#include <array>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "PortMap.h"
#include "Protocol.h"
#include "SerialChannel.h"

using namespace qelhard;

namespace {

// One port's channel and the lock its exchanges hold.
struct Port {
  std::mutex io;
  std::unique_ptr<SerialChannel> channel;  // io

  SerialChannel& Channel() {
    if (!channel) channel = std::make_unique<SerialChannel>();
    return *channel;
  }
};

// What a call on a port needs of the settings, read under the library's lock.
struct PortSettings {
  bool wanted = false;
  QString path;
  int replyTimeoutMs = 0;
  int pingTimeoutMs = 0;
};

struct Library {
  std::mutex lock;  // everything below but `ports`
  PortMap map;
  // Ports QelOpenCOM opened and QelCloseCOM has not closed: reopened on demand
  // when the device went away or the port's path changed.
  std::array<bool, vorenx::kPortCount> wanted{};
  std::array<PortDiagnosis, vorenx::kPortCount> problems;
  int replyTimeoutMs = kReplyTimeoutMs;
  int pingTimeoutMs = kPingTimeoutMs;
  std::array<Port, vorenx::kPortCount> ports;

  Port& PortAt(int port) { return ports[static_cast<std::size_t>(port)]; }

  PortSettings SettingsOf(int port) {
    std::lock_guard guard(lock);
    return {wanted[static_cast<std::size_t>(port)], map.PathOf(port), replyTimeoutMs, pingTimeoutMs};
  }
  // Opens `channel` at `path` and keeps the diagnosis as the port's last problem.
  bool OpenNoted(SerialChannel& channel, int port, const QString& path) {
    PortDiagnosis why;
    const bool opened = channel.Open(path, why);
    std::lock_guard guard(lock);
    problems[static_cast<std::size_t>(port)] = why;
    return opened;
  }

  // Opens (or reopens) a wanted port at its current path; the caller holds
  // the port's lock.
  bool EnsureOpen(int port, const PortSettings& settings) {
    if (!settings.wanted) return false;
    SerialChannel& channel = PortAt(port).Channel();
    if (channel.IsOpen() && channel.Path() == settings.path) return true;
    return OpenNoted(channel, port, settings.path);
  }
};

Library& Lib() {
  static Library library;
  return library;
}

bool ValidPort(std::int32_t port) { return vorenx::IsPortNumber(port); }
bool FitsByte(std::int32_t v) { return v >= 0 && v <= 0xFF; }

// An identify exchange, repeated while the reply comes but is corrupted: a
// noisy line must not make a present instrument look absent. Silence (no byte
// within the limit) or a vanished device ends it at once.
bool Ping(SerialChannel& channel, int timeoutMs) {
  for (int attempt = 0; attempt < kPingAttempts; ++attempt) {
    Reply reply{};
    const std::uint16_t result = channel.Exchange(BuildIdentify(channel.NextSequence()), timeoutMs, reply);
    if (result == kOk) return IsIdentifyReply(reply);
    if (result != kBadChecksum && result != kMalformed) return false;
  }
  return false;
}

// A set request on an open port: kOk when accepted, kRefused when refused.
template <typename Build>
std::uint16_t SendSetting(std::int32_t port, Build build) {
  Library& lib = Lib();
  Port& slot = lib.PortAt(port);
  std::lock_guard io(slot.io);
  const PortSettings settings = lib.SettingsOf(port);
  if (!lib.EnsureOpen(port, settings)) return kNotOpen;
  SerialChannel& channel = slot.Channel();
  Reply reply{};
  const std::uint16_t result = channel.Exchange(build(channel.NextSequence()), settings.replyTimeoutMs, reply);
  if (result != kOk) return result;
  return reply[kAckResultOffset] == kAckAccepted ? kOk : kRefused;
}

}  // namespace

const char* qelhard::ResultText(std::uint16_t result) {
  switch (result) {
    case kNoReply: return "no reply";
    case kOk: return "ok";
    case kBadChecksum: return "bad checksum";
    case kMalformed: return "malformed, incomplete or out-of-range reply";
    case kNotOpen: return "port not open";
    case kIoError: return "device went away";
    case kBadArgument: return "bad argument";
    case kRefused: return "refused by the instrument";
    default: return "unknown result";
  }
}

std::uint16_t QelIsDevConnect(std::int32_t port) {
  if (!ValidPort(port)) return 0;
  Library& lib = Lib();
  Port& slot = lib.PortAt(port);
  std::lock_guard io(slot.io);
  const PortSettings settings = lib.SettingsOf(port);
  if (settings.wanted)
    return lib.EnsureOpen(port, settings) && Ping(slot.Channel(), settings.pingTimeoutMs) ? 1 : 0;
  SerialChannel probe;
  return lib.OpenNoted(probe, port, settings.path) && Ping(probe, settings.pingTimeoutMs) ? 1 : 0;
}

std::uint16_t QelOpenCOM(std::int32_t port) {
  if (!ValidPort(port)) return 0;
  Library& lib = Lib();
  std::vector<int> released;
  {
    std::lock_guard guard(lib.lock);
    for (int other = 0; other < vorenx::kPortCount; ++other) {
      auto& wanted = lib.wanted[static_cast<std::size_t>(other)];
      if (other == port || !wanted) continue;
      wanted = false;
      released.push_back(other);
    }
    lib.wanted[static_cast<std::size_t>(port)] = true;
  }
  // A released port closes once its exchange under way has ended, unless it
  // was opened again meanwhile.
  for (const int other : released) {
    Port& slot = lib.PortAt(other);
    std::lock_guard io(slot.io);
    if (!lib.SettingsOf(other).wanted) slot.Channel().Close();
  }
  Port& slot = lib.PortAt(port);
  std::lock_guard io(slot.io);
  return lib.EnsureOpen(port, lib.SettingsOf(port)) ? 1 : 0;
}

std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) {
  if (!ValidPort(port) || buffer == nullptr || size < static_cast<std::int32_t>(kStatusFrameSize))
    return kBadArgument;
  Library& lib = Lib();
  Port& slot = lib.PortAt(port);
  std::lock_guard io(slot.io);
  const PortSettings settings = lib.SettingsOf(port);
  if (!lib.EnsureOpen(port, settings)) return kNotOpen;
  SerialChannel& channel = slot.Channel();
  Reply reply{};
  const std::uint16_t result =
      channel.Exchange(BuildReadStatus(channel.NextSequence()), settings.replyTimeoutMs, reply);
  // The caller gets the 24-byte status frame; the CRC stays on the wire.
  if (result == kOk) std::memcpy(buffer, reply.data(), kStatusFrameSize);
  return result;
}

std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) {
  if (!ValidPort(port) || !FitsByte(function)) return kBadArgument;
  return SendSetting(port, [&](std::uint16_t seq) { return BuildSetUpper(seq, function); });
}

std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode, float value) {
  if (!ValidPort(port) || !FitsByte(function) || !FitsByte(mode)) return kBadArgument;
  return SendSetting(port, [&](std::uint16_t seq) { return BuildSetLower(seq, function, mode, value); });
}

std::uint16_t QelCloseCOM(std::int32_t port) {
  if (!ValidPort(port)) return 0;
  Library& lib = Lib();
  {
    std::lock_guard guard(lib.lock);
    lib.wanted[static_cast<std::size_t>(port)] = false;
  }
  // Waits for an exchange under way on the port, then closes it.
  Port& slot = lib.PortAt(port);
  std::lock_guard io(slot.io);
  SerialChannel& channel = slot.Channel();
  const bool wasOpen = channel.IsOpen();
  channel.Close();
  return wasOpen ? 1 : 0;
}

bool QelSetPortPath(std::int32_t port, const QString& path) {
  Library& lib = Lib();
  std::lock_guard guard(lib.lock);
  return lib.map.Set(port, path);
}

QString QelPortPath(std::int32_t port) {
  Library& lib = Lib();
  std::lock_guard guard(lib.lock);
  return lib.map.PathOf(port);
}

int QelSetReplyTimeout(int milliseconds) {
  Library& lib = Lib();
  std::lock_guard guard(lib.lock);
  const int previous = lib.replyTimeoutMs;
  if (milliseconds >= 1) lib.replyTimeoutMs = milliseconds;
  return previous;
}

int QelSetPingTimeout(int milliseconds) {
  Library& lib = Lib();
  std::lock_guard guard(lib.lock);
  const int previous = lib.pingTimeoutMs;
  if (milliseconds >= 1) lib.pingTimeoutMs = milliseconds;
  return previous;
}

PortDiagnosis QelLastPortProblem(std::int32_t port) {
  if (!ValidPort(port)) return {};
  Library& lib = Lib();
  std::lock_guard guard(lib.lock);
  return lib.problems[static_cast<std::size_t>(port)];
}
