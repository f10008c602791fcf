// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "SimulatedInstrument.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "FrameReader.h"
#include "QelHard.h"

namespace vorenx::sim {
namespace {

constexpr int kPollMs = 20;
constexpr std::size_t kMaxRecorded = 65536;

QString SystemError(const char* what) {
  return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

}  // namespace

SimulatedInstrument::SimulatedInstrument(std::uint32_t noiseSeed) : m_model(noiseSeed) {}

SimulatedInstrument::~SimulatedInstrument() { Stop(); }

QString SimulatedInstrument::Start(QString* error) {
  Stop();
  int master = -1;
  int slave = -1;
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    if (error) *error = SystemError("openpty");
    return {};
  }
  termios raw{};
  tcgetattr(slave, &raw);
  cfmakeraw(&raw);
  tcsetattr(slave, TCSANOW, &raw);
  fcntl(master, F_SETFD, FD_CLOEXEC);
  fcntl(slave, F_SETFD, FD_CLOEXEC);
  m_master = master;
  m_slave = slave;
  {
    std::lock_guard guard(m_lock);
    m_path = QString::fromLocal8Bit(name);
  }
  m_start = std::chrono::steady_clock::now();
  m_running = true;
  // Returns once the answering thread runs: on a busy machine a new thread can
  // wait long to be scheduled, and a request sent at once would then go
  // unanswered past the caller's time limit.
  std::promise<void> serving;
  std::future<void> running = serving.get_future();
  m_thread = std::thread([this, &serving] {
    serving.set_value();
    Serve();
  });
  running.wait();
  return Path();
}

void SimulatedInstrument::Stop() {
  m_running = false;
  if (m_thread.joinable()) m_thread.join();
  m_late.clear();  // stalled and held replies die with the terminal
  m_held.clear();
  if (m_master >= 0) ::close(m_master);
  if (m_slave >= 0) ::close(m_slave);
  m_master = m_slave = -1;
}

QString SimulatedInstrument::Path() const {
  std::lock_guard guard(m_lock);
  return m_path;
}

void SimulatedInstrument::InjectFault(Fault fault, int count) {
  std::lock_guard guard(m_lock);
  m_fault = fault;
  m_faultCount = fault == Fault::None ? 0 : count;
}

InstrumentSettings SimulatedInstrument::Settings() const {
  std::lock_guard guard(m_lock);
  return m_model.Settings();
}

bool SimulatedInstrument::SetLowerOnInstrument(std::uint8_t function, std::uint8_t mode, float value) {
  std::lock_guard guard(m_lock);
  return m_model.SetLower(function, mode, value);
}

void SimulatedInstrument::SetNoise(double share, std::uint32_t seed, int stallMs) {
  std::lock_guard guard(m_lock);
  m_noise = LineNoise(share, seed);
  m_stallMs = stallMs;
}

void SimulatedInstrument::SetDut(const std::optional<DutSpec>& dutSpec) {
  std::lock_guard guard(m_lock);
  m_model.SetDut(dutSpec);
}

void SimulatedInstrument::SetClock(std::function<double()> seconds) {
  std::lock_guard guard(m_lock);
  m_clock = std::move(seconds);
}

void SimulatedInstrument::RecordReplies(bool on) {
  std::lock_guard guard(m_lock);
  m_recording = on;
  if (!on) m_sent.clear();
}

std::vector<SentReply> SimulatedInstrument::TakeSentReplies() {
  std::lock_guard guard(m_lock);
  std::vector<SentReply> taken(m_sent.begin(), m_sent.end());
  m_sent.clear();
  return taken;
}

void SimulatedInstrument::Record(const qelhard::Reply& clean, bool corrupted, NoisePattern pattern) {
  std::lock_guard guard(m_lock);
  if (!m_recording) return;
  if (m_sent.size() == kMaxRecorded) m_sent.pop_front();
  m_sent.push_back({clean, corrupted, pattern});
}

Fault SimulatedInstrument::TakeFault() {
  std::lock_guard guard(m_lock);
  const Fault fault = m_fault;
  if (m_faultCount > 0 && --m_faultCount == 0) m_fault = Fault::None;
  return fault;
}

void SimulatedInstrument::Serve() {
  qelhard::FrameReader reader(qelhard::kRequestFormat);
  qelhard::Request request{};
  std::uint8_t bytes[256];
  while (m_running) {
    pollfd p{m_master, POLLIN, 0};
    if (::poll(&p, 1, SendDueLateReplies()) <= 0 || (p.revents & POLLIN) == 0) continue;
    const ssize_t n = ::read(m_master, bytes, sizeof bytes);
    if (n <= 0) continue;
    reader.Feed(bytes, static_cast<std::size_t>(n));
    while (reader.Next(request.data())) Respond(request);
  }
}

void SimulatedInstrument::Respond(const qelhard::Request& request) {
  // A reply held back by Fault::Late goes out now, ahead of this request's answer.
  if (!m_held.empty()) {
    WriteAll(m_held.data(), m_held.size());
    m_held.clear();
  }
  ++m_requests;
  const Fault fault = TakeFault();
  if (fault == Fault::Silent) return;
  qelhard::Reply reply{};
  {
    std::lock_guard guard(m_lock);
    const double seconds =
        m_clock ? m_clock() : std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    // A set request still changes the settings when its acknowledgement is spoilt.
    if (!m_model.Answer(request, seconds, reply)) return;
  }
  std::vector<std::uint8_t> bytes(reply.begin(), reply.end());
  if (fault == Fault::None) {
    if (AddNoise(bytes)) WriteAll(bytes.data(), bytes.size());
    return;
  }
  // An injected fault is recorded as the noise pattern nearest to it.
  Record(reply, true, fault == Fault::Late ? NoisePattern::Stall : NoisePattern::ByteReplaced);
  switch (fault) {
    case Fault::Garbage: {
      static constexpr std::uint8_t kNoise[] = "\x13\x37 line noise \xFF\xFE\x00\x01 not a frame";
      WriteAll(kNoise, sizeof kNoise);
      return;
    }
    case Fault::BadChecksum:
      reply.back() ^= 0x5A;
      break;
    case Fault::Truncated:
      WriteAll(reply.data(), reply.size() / 2);
      return;
    case Fault::Late:
      m_held.assign(reply.begin(), reply.end());
      return;
    default:
      break;
  }
  WriteAll(reply.data(), reply.size());
}

bool SimulatedInstrument::AddNoise(std::vector<std::uint8_t>& bytes) {
  qelhard::Reply clean{};
  std::copy(bytes.begin(), bytes.end(), clean.begin());
  bool strikes = false;
  NoisePattern pattern = NoisePattern::OneBit;
  int stallMs = 0;
  {
    std::lock_guard guard(m_lock);
    strikes = m_noise.Strikes();
    if (strikes) {
      pattern = m_noise.DrawPattern();
      m_noise.Apply(pattern, bytes);
      stallMs = m_stallMs;
    }
  }
  Record(clean, strikes, pattern);
  if (!strikes || pattern != NoisePattern::Stall) return true;
  m_late.push_back({std::chrono::steady_clock::now() + std::chrono::milliseconds(stallMs), std::move(bytes)});
  return false;
}

int SimulatedInstrument::SendDueLateReplies() {
  const auto now = std::chrono::steady_clock::now();
  while (!m_late.empty() && m_late.front().due <= now) {
    WriteAll(m_late.front().bytes.data(), m_late.front().bytes.size());
    m_late.pop_front();
  }
  if (m_late.empty()) return kPollMs;
  const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(m_late.front().due - now).count();
  return static_cast<int>(std::clamp<long long>(wait + 1, 1, kPollMs));
}

void SimulatedInstrument::WriteAll(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(m_master, data, size);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

std::unique_ptr<SimulatedInstrument> AttachSimulator(int port, QString* error) {
  auto instrument = std::make_unique<SimulatedInstrument>();
  const QString path = instrument->Start(error);
  if (path.isEmpty()) return nullptr;
  if (!QelSetPortPath(port, path)) {
    if (error) *error = QStringLiteral("port %1 is outside 0..19").arg(port);
    return nullptr;
  }
  return instrument;
}

}  // namespace vorenx::sim
