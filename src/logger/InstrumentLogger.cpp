// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "logger/InstrumentLogger.h"

#include "journal/JournalReadings.h"
#include "link/SettingCommand.h"
#include "logger/LoggerWatch.h"

namespace vorenx::logger {

namespace {
// How long the end waits for the journal to reach the disk; a journal that
// cannot write says so itself.
constexpr int kJournalSyncMs = 10000;
// The samples the link's history keeps here. A logger shows no wave and no
// table, so the history (filled to 12000 samples with their texts for the
// window's) is started over at this many: memory stays flat from the start.
constexpr int kKeptSamples = 100;
}  // namespace

InstrumentLogger::InstrumentLogger(InstrumentStation& station, const LoggerOptions& options, Outlets outlets,
                                   QObject* parent)
    : QObject(parent),
      m_station(station),
      m_options(options),
      m_port(options.ports.front()),
      m_outlets(std::move(outlets)) {
  m_giveUp.setSingleShot(true);
  connect(&m_giveUp, &QTimer::timeout, this, [this] {
    const int seconds = m_options.giveUpSeconds;
    if (m_everConnected)
      Finish(kExitLost, QStringLiteral("lost: no answer for %1 s").arg(seconds));
    else
      Finish(kExitNoInstrument, QStringLiteral("no instrument answered within %1 s").arg(seconds));
  });
  connect(&m_station, &InstrumentStation::StatusTextChanged, this, &InstrumentLogger::OnStatus);
  connect(&m_station, &InstrumentStation::ReadingDecoded, this, &InstrumentLogger::OnReading);
  FollowAlarms(m_station, this, [this](const QString& text) { Say(text); });
}

InstrumentLogger::~InstrumentLogger() { m_station.Stop(); }

void InstrumentLogger::Say(const QString& text) {
  if (m_outlets.say) m_outlets.say(PortName(m_port.port) + QStringLiteral(": ") + text);
}

void InstrumentLogger::Start() {
  WatchStation(m_station, m_options);
  if (!m_options.journalFolder.isEmpty()) {
    m_station.StartJournal(m_options.journalFolder);
    ReadingsJournal* journal = m_station.Journal();
    journal->Note(SystemLocalTime(), QStringLiteral("vorenx-logger: %1 (%2)").arg(PortName(m_port.port), m_port.path));
    m_outlets.line(EncodeJournal(journal->FilePath()));
  }
  m_station.ChooseInterval(m_options.intervalIndex);
  // The start-up probe replaces this with the port where it found the
  // instrument (here only ever this one); without an answer the port is
  // opened anyway and watched until the instrument answers.
  m_station.Commands().PostCommand({CmdOpenPort, m_port.port});
  m_station.Start();
  m_giveUp.start(m_options.giveUpSeconds * 1000);
}

void InstrumentLogger::OnStatus(const QString& text) {
  if (m_finishing) return;
  const bool connected = text == QLatin1String("Connected");
  if (connected == m_connected && m_everConnected) return;
  m_connected = connected;
  m_outlets.line(EncodeStatus(text));
  if (connected) {
    m_giveUp.stop();
    Say(m_everConnected ? QStringLiteral("the instrument answers again")
                        : QStringLiteral("the instrument answers on %1").arg(m_port.path));
    m_everConnected = true;
    return;
  }
  if (!m_everConnected) {
    // A port that cannot be opened at all (no device, busy, no permission)
    // will not become an instrument by waiting.
    const QString problem = m_outlets.portProblem ? m_outlets.portProblem(m_port.port) : QString();
    if (!problem.isEmpty())
      QTimer::singleShot(0, this, [this, problem] { Finish(kExitNoInstrument, problem); });
    return;
  }
  Say(QStringLiteral("the instrument stopped answering; waiting up to %1 s for it").arg(m_options.giveUpSeconds));
  m_giveUp.start(m_options.giveUpSeconds * 1000);
}

void InstrumentLogger::OnReading(const JournalReading& reading) {
  // Past the count, a reading the worker took before it stopped is not one of the run's.
  if (m_ended || (m_options.count && m_readings >= *m_options.count)) return;
  SendPending();
  m_pending = reading;
  m_havePending = true;
  ++m_readings;
  if (m_station.Link().History().SampleCount() >= kKeptSamples) m_station.Link().ClearHistory();
  if (m_finishing) return;  // Finish writes it once the worker has ended
  // The alarms this reading changes are announced right after it, in the
  // same report: the line goes out once they are known.
  QMetaObject::invokeMethod(this, &InstrumentLogger::SendPending, Qt::QueuedConnection);
  if (m_options.count && m_readings >= *m_options.count)
    QMetaObject::invokeMethod(
        this, [this] { Finish(kExitDone, QStringLiteral("%1 readings taken").arg(m_readings)); },
        Qt::QueuedConnection);
}

void InstrumentLogger::SendPending() {
  if (!m_havePending) return;
  m_havePending = false;
  m_outlets.line(EncodeReading(m_pending, LocalUtcOffsetSeconds(m_pending.time), ActiveAlarms(m_station)));
}

void InstrumentLogger::Stop(const QString& reason) { Finish(kExitDone, reason); }

void InstrumentLogger::Finish(int code, const QString& reason) {
  if (m_finishing) return;
  m_finishing = true;
  m_giveUp.stop();
  // Stop carries out what the worker reported before its end: those readings
  // are still taken (up to the count), nothing after them.
  m_station.Stop();
  SendPending();

  m_end.code = code;
  m_end.readings = m_readings;
  m_end.reason = reason;
  if (ReadingsJournal* journal = m_station.Journal()) {
    journal->WaitUntilSynced(kJournalSyncMs);
    m_end.journalReadings = static_cast<qint64>(journal->Counts().readingsWritten);
  }
  for (const QString& line : StatisticsLines(m_station)) m_outlets.line(EncodeStatistics(line));
  m_outlets.line(EncodeEnd(m_end));
  m_ended = true;
  emit Finished(code);
}

}  // namespace vorenx::logger
