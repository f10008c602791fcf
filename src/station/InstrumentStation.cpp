// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "station/InstrumentStation.h"

#include <QMetaObject>
#include <algorithm>
#include <cstdio>

#include "journal/JournalReadings.h"
#include "watch/AlarmProgram.h"

namespace vorenx {

// A question the worker waits on: the source field's value for a lower command.
struct InstrumentStation::FieldFit {
  float low = 0.0f;
  float high = 0.0f;
  std::function<int(float)> decimalsFor;
  bool answered = false;  // m_fitGuard
  std::optional<float> value;
};

// The journal's failures and recoveries, called on its writer thread: told
// on stderr at once and to the views through the station's thread.
class InstrumentStation::JournalReporter : public JournalObserver {
 public:
  explicit JournalReporter(InstrumentStation& station) : m_station(station) {}
  void JournalFailed(const QString& message) override { Tell(message, message); }
  void JournalResumed(const QString& message) override { Tell(message, QString()); }

 private:
  void Tell(const QString& message, const QString& problem) {
    std::fprintf(stderr, "vorenx: %s\n", message.toLocal8Bit().constData());
    InstrumentStation* station = &m_station;
    m_station.Post([station, problem] { emit station->JournalProblemChanged(problem); });
  }
  InstrumentStation& m_station;
};

void InstrumentStation::StartJournal(const QString& folder) {
  if (folder.isEmpty() || m_journal) return;
  JournalSettings settings;
  settings.folder = folder;
  settings.start = m_sampleClock ? m_sampleClock() : SystemLocalTime();
  m_journalReporter = std::make_unique<JournalReporter>(*this);
  m_journal = std::make_unique<ReadingsJournal>(std::move(settings), m_journalReporter.get());
}

InstrumentStation::InstrumentStation(QelHardDll& hard, QelDisplayDll& display, TickSource ticks,
                                     LocalTimeSource clock, QObject* parent)
    : QObject(parent),
      m_display(display),
      m_sampleClock(std::move(clock)),
      m_link(hard, std::move(ticks), [this] { return ReadSampleClock(); }) {
  m_chosenInterval = m_link.IntervalIndex();
  WorkerHost& host = *this;
  m_worker = std::make_unique<CWorker>(m_link, m_commands, m_display, host, m_displayLength);
}

InstrumentStation::~InstrumentStation() { Stop(); }

void InstrumentStation::Start() { m_worker->Start(); }

void InstrumentStation::Stop() {
  // The stop flag is set before the fit guard is taken: a worker that asks
  // after this sees it and does not wait; one that asked before is answered here.
  m_worker->RequestStop();
  std::shared_ptr<FieldFit> waiting;
  {
    const std::lock_guard lock(m_fitGuard);
    waiting = m_waitingFit;
  }
  if (waiting) AnswerFit(waiting);
  m_worker->Join();
  // The views show everything the worker reported before its end.
  while (DeliverOldest()) {
  }
}

bool InstrumentStation::DeliverOldest() {
  std::function<void()> report;
  {
    const std::lock_guard lock(m_reportGuard);
    if (m_reports.empty()) return false;
    report = std::move(m_reports.front());
    m_reports.pop_front();
  }
  report();
  m_pendingReports.fetch_sub(1);
  return true;
}

bool InstrumentStation::WorkerWaiting() {
  const std::lock_guard lock(m_fitGuard);
  return m_waitingFit != nullptr;
}

void InstrumentStation::Post(std::function<void()> report) {
  bool first = false;
  {
    const std::lock_guard lock(m_reportGuard);
    first = m_reports.empty();
    m_reports.push_back(std::move(report));
    m_pendingReports.fetch_add(1);
  }
  // One delivery call is queued per batch; a spare one finds the queue empty.
  if (first) QMetaObject::invokeMethod(this, [this] { DeliverReports(); }, Qt::QueuedConnection);
}

void InstrumentStation::DeliverReports() {
  // One pass takes the reports that are there when it starts: a worker that
  // reports faster than the views take them never keeps this thread from its
  // other events (paints, input, timers). What came meanwhile gets a pass of its own.
  std::size_t count = 0;
  {
    const std::lock_guard lock(m_reportGuard);
    count = m_reports.size();
  }
  for (std::size_t i = 0; i < count; ++i)
    if (!DeliverOldest()) return;  // a nested pass took the rest
  const std::lock_guard lock(m_reportGuard);
  if (!m_reports.empty()) QMetaObject::invokeMethod(this, [this] { DeliverReports(); }, Qt::QueuedConnection);
}

LocalTime InstrumentStation::ReadSampleClock() {
  m_lastSampleTime = m_sampleClock ? m_sampleClock() : SystemLocalTime();
  return m_lastSampleTime;
}

// --- WorkerHost: each call becomes a report, except the two described above ---

void InstrumentStation::SetStatusText(const QString& text) {
  // Opening a port rewrites the status line even when it does not change;
  // the journal marks changes only.
  if (m_journal && text != m_lastJournalStatus) {
    m_lastJournalStatus = text;
    m_journal->Note(m_sampleClock ? m_sampleClock() : SystemLocalTime(), text);
  }
  Post([this, text] {
    m_reportedConnected = text == QLatin1String("Connected");
    emit StatusTextChanged(text);
    if (m_run) m_run->OnConnection(m_reportedConnected);
  });
}

void InstrumentStation::SetRunText(const QString& text) {
  // Rewritten after every poll; only a change is worth a report.
  if (text == m_lastRunText) return;
  m_lastRunText = text;
  Post([this, text] { emit RunTextChanged(text); });
}

void InstrumentStation::SelectPort(int port) {
  Post([this, port] { emit PortSelected(port); });
}

void InstrumentStation::RedrawPanel() {
  if (m_composePanel) m_composePanel();
}

void InstrumentStation::UpdateReadingsTable(int pollResult) {
  // Poll returns 1 exactly when it decoded a frame and stamped a new sample;
  // other non-zero results add a row that repeats the newest sample.
  const InstrumentState state = m_link.State();
  if (m_journal && pollResult == 1) m_journal->Append(MakeJournalReading(state, m_lastSampleTime));
  const std::vector<WatchAlarm> alarms = pollResult == 1 ? WatchReading(state) : std::vector<WatchAlarm>();
  ReadingRow row;
  row.hasSample = m_link.NewestTexts(row.time, row.upper, row.lower);
  Post([this, pollResult, row, state, alarms, time = m_lastSampleTime] {
    emit ReadingAdded(pollResult, row);
    // Only a decoded frame is a reading (for a run, and for the views
    // without a table); other results repeat the last one.
    if (pollResult == 1) emit ReadingDecoded(MakeJournalReading(state, time));
    if (m_run && pollResult == 1) m_run->OnReading(state);
    for (const WatchAlarm& alarm : alarms) AnnounceAlarm(alarm);
  });
}

std::vector<WatchAlarm> InstrumentStation::WatchReading(const InstrumentState& state) {
  m_watch.SetWaveLength(m_displayLength.load());
  std::vector<WatchAlarm> alarms = m_watch.Feed(state, m_lastSampleTime);
  if (alarms.empty()) return alarms;
  // A comment line right after its reading, with the reading's time: readers
  // that skip comments read the file as before.
  if (m_journal)
    for (const WatchAlarm& alarm : alarms) m_journal->Note(alarm.time, AlarmText(alarm));
  // The panel was composed before the watch saw this reading: again, in the alarm's colours.
  if (m_composePanel) m_composePanel();
  return alarms;
}

void InstrumentStation::AnnounceAlarm(const WatchAlarm& alarm) {
  emit AlarmChanged(alarm);
  if (alarm.event.change != AlarmChange::Raised || m_alarmProgram.isEmpty()) return;
  QString why;
  if (RunAlarmProgram(m_alarmProgram,
                      AlarmProgramArguments(WatchedDisplayText(alarm.display), alarm.event.value, alarm.event.limit),
                      &why))
    return;
  std::fprintf(stderr, "vorenx: %s\n", why.toLocal8Bit().constData());
  emit AlarmProgramFailed(why);
}

void InstrumentStation::ResetStatistics() {
  // Any thread: the system's clock, since the injected one belongs to the worker.
  m_watch.ResetStatistics(SystemLocalTime());
}

void InstrumentStation::RefreshFromInstrument(const InstrumentState& state) {
  // A side the user changed after this poll (or whose change was still
  // waiting at it) is left as the user set it, even once its command is sent.
  using Side = CDeviceLink::Side;
  const bool upperHeld = m_link.UpperPending();
  const bool lowerHeld = m_link.LowerPending();
  const std::uint32_t upperChanges = m_link.Changes(Side::Upper);
  const std::uint32_t lowerChanges = m_link.Changes(Side::Lower);
  Post([=, this] {
    emit InstrumentRefreshed(state, !upperHeld && m_link.Changes(Side::Upper) == upperChanges,
                             !lowerHeld && m_link.Changes(Side::Lower) == lowerChanges);
  });
}

void InstrumentStation::ResetReadingsTable() {
  // The history started over, and with it the wave.
  m_watch.WaveStartsOver();
  Post([this] { emit ReadingsReset(); });
}

std::optional<float> InstrumentStation::FitSourceField(float low, float high,
                                                       const std::function<int(float)>& decimalsFor) {
  auto fit = std::make_shared<FieldFit>();
  fit->low = low;
  fit->high = high;
  fit->decimalsFor = decimalsFor;
  {
    const std::lock_guard lock(m_fitGuard);
    if (m_worker->StopRequested()) return std::nullopt;  // closing: nobody answers any more
    m_waitingFit = fit;
  }
  Post([this, fit] { AnswerFit(fit); });
  std::unique_lock lock(m_fitGuard);
  m_fitAnswered.wait(lock, [&] { return fit->answered; });
  if (m_waitingFit == fit) m_waitingFit.reset();
  return fit->value;
}

void InstrumentStation::AnswerFit(const std::shared_ptr<FieldFit>& fit) {
  {
    const std::lock_guard lock(m_fitGuard);
    if (fit->answered) return;  // Stop answered it before its report came
  }
  // The view's code runs outside the guard; only this thread answers.
  // Without a view's field the value is the request's own, held into the range.
  const float value = m_fitSourceField ? m_fitSourceField(fit->low, fit->high, fit->decimalsFor)
                                       : std::min(std::max(m_link.Request().lowerValue, fit->low), fit->high);
  {
    const std::lock_guard lock(m_fitGuard);
    fit->value = value;
    fit->answered = true;
  }
  m_fitAnswered.notify_all();
}

}  // namespace vorenx
