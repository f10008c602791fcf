// The six exports and the port settings: one lock, one channel per port number.
#include "QelHard.h"

#include <array>
#include <cstring>
#include <memory>
#include <mutex>

#include "PortMap.h"
#include "Protocol.h"
#include "SerialChannel.h"

using namespace qelhard;

namespace {

struct Library {
  std::mutex lock;
  PortMap map;
  std::array<std::unique_ptr<SerialChannel>, vorenx::kPortCount> channels;
  // Ports QelOpenCOM opened and QelCloseCOM has not closed: reopened on demand
  // when the device went away or the port's path changed.
  std::array<bool, vorenx::kPortCount> wanted{};
  std::array<PortDiagnosis, vorenx::kPortCount> problems;
  int replyTimeoutMs = kReplyTimeoutMs;
  int pingTimeoutMs = kPingTimeoutMs;

  SerialChannel& Channel(int port) {
    auto& slot = channels[static_cast<std::size_t>(port)];
    if (!slot) slot = std::make_unique<SerialChannel>();
    return *slot;
  }

  // Opens (or reopens) a wanted port at its current path.
  bool EnsureOpen(int port) {
    const auto i = static_cast<std::size_t>(port);
    if (!wanted[i]) return false;
    SerialChannel& channel = Channel(port);
    const QString path = map.PathOf(port);
    if (channel.IsOpen() && channel.Path() == path) return true;
    return channel.Open(path, problems[i]);
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
  std::lock_guard guard(lib.lock);
  if (!lib.EnsureOpen(port)) return kNotOpen;
  SerialChannel& channel = lib.Channel(port);
  Reply reply{};
  const std::uint16_t result = channel.Exchange(build(channel.NextSequence()), lib.replyTimeoutMs, reply);
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
  std::lock_guard guard(lib.lock);
  const auto i = static_cast<std::size_t>(port);
  if (lib.wanted[i]) return lib.EnsureOpen(port) && Ping(lib.Channel(port), lib.pingTimeoutMs) ? 1 : 0;
  SerialChannel probe;
  if (!probe.Open(lib.map.PathOf(port), lib.problems[i])) return 0;
  return Ping(probe, lib.pingTimeoutMs) ? 1 : 0;
}

std::uint16_t QelOpenCOM(std::int32_t port) {
  if (!ValidPort(port)) return 0;
  Library& lib = Lib();
  std::lock_guard guard(lib.lock);
  for (int other = 0; other < vorenx::kPortCount; ++other) {
    if (other == port || !lib.wanted[static_cast<std::size_t>(other)]) continue;
    lib.Channel(other).Close();
    lib.wanted[static_cast<std::size_t>(other)] = false;
  }
  lib.wanted[static_cast<std::size_t>(port)] = true;
  return lib.EnsureOpen(port) ? 1 : 0;
}

std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) {
  if (!ValidPort(port) || buffer == nullptr || size < static_cast<std::int32_t>(kStatusFrameSize))
    return kBadArgument;
  Library& lib = Lib();
  std::lock_guard guard(lib.lock);
  if (!lib.EnsureOpen(port)) return kNotOpen;
  SerialChannel& channel = lib.Channel(port);
  Reply reply{};
  const std::uint16_t result =
      channel.Exchange(BuildReadStatus(channel.NextSequence()), lib.replyTimeoutMs, reply);
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
  std::lock_guard guard(lib.lock);
  SerialChannel& channel = lib.Channel(port);
  const bool wasOpen = channel.IsOpen();
  channel.Close();
  lib.wanted[static_cast<std::size_t>(port)] = false;
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
