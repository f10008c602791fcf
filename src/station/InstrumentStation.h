// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One instrument's station, without widgets: the link with its sample
// history, the command queue, the worker thread, the readings journal and the
// calibration run that drives the instrument. It is the one place where
// threads meet.
//
// The worker reports each event through Post: a push onto the station's own
// queue under its own lock, never a wait. The station's thread (the one it
// lives in) takes the reports in order, feeds the calibration run and emits
// the signal its views connect to: the main window now, programs without a
// window next. Views are never called from the worker, with two exceptions
// that the worker's cycle prescribes, each behind one function:
// - the meter panel is composed on the worker after every poll
//   (SetPanelComposer); the panel's own locks keep it apart from its paints;
// - a lower setting command asks for the source field's value and waits for
//   the answer (SetSourceFieldFitter): the one blocking hand-off. Stop()
//   answers a waiting question itself, so stopping never runs an event loop.

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "calib/CalibrationRun.h"
#include "calib/CalibrationSetup.h"
#include "journal/ReadingsJournal.h"
#include "link/CDeviceLink.h"
#include "link/CWorker.h"
#include "link/CommandQueue.h"
#include "link/QelDisplayDll.h"
#include "link/WorkerHost.h"
#include "platform/Clock.h"
#include "station/ReadingWatch.h"

namespace vorenx {

// The newest row of the readings table, taken from the history together
// with the poll that made it (so a late view never shows a newer sample twice).
struct ReadingRow {
  bool hasSample = false;  // false when the history was empty
  QString time;
  QString upper;
  QString lower;
};

class InstrumentStation : public QObject, private WorkerHost, public CalibrationLink {
  Q_OBJECT

 public:
  // Fits the source field to [low, high] with the decimals `decimalsFor`
  // gives and returns its value (0 when empty); runs on the station's thread.
  using SourceFieldFitter =
      std::function<float(float low, float high, const std::function<int(float)>& decimalsFor)>;

  InstrumentStation(QelHardDll& hard, QelDisplayDll& display, TickSource ticks, LocalTimeSource clock,
                    QObject* parent = nullptr);
  // Stops the worker (Stop) before anything it uses goes.
  ~InstrumentStation() override;

  CDeviceLink& Link() { return m_link; }
  CommandQueue& Commands() { return m_commands; }
  QelDisplayDll& Display() { return m_display; }
  CWorker* Worker() const { return m_worker.get(); }
  // The wave length the worker passes on to the drawing library.
  std::atomic<std::int32_t>& DisplayLength() { return m_displayLength; }
  const std::atomic<std::int32_t>& DisplayLength() const { return m_displayLength; }

  // Writes the readings journal into `folder`; call before Start. Failures
  // and recoveries are printed on stderr and reported by JournalProblemChanged.
  void StartJournal(const QString& folder);
  // Null when no journal is written.
  ReadingsJournal* Journal() const { return m_journal.get(); }

  // The two calls the worker makes into a view (see above). Set before Start.
  void SetPanelComposer(std::function<void()> compose) { m_composePanel = std::move(compose); }
  void SetSourceFieldFitter(SourceFieldFitter fit) { m_fitSourceField = std::move(fit); }

  // Starts the worker thread.
  void Start();
  // Ends the worker: asks it to stop, answers a question it waits on, joins
  // it, and carries out every report it made before its end. Call on the
  // station's thread; safe to call more than once.
  void Stop();
  // True once the worker thread has ended (or never started).
  bool WorkerFinished() const { return !m_worker || m_worker->Finished(); }
  // Reports the worker has posted that the station's thread has not yet carried out.
  int PendingReports() const { return m_pendingReports.load(); }
  // True while the worker waits for the source field's value.
  bool WorkerWaiting();

  // The poll interval the user chose (0..3); a calibration run polls at the
  // fastest one and the choice counts again after it.
  void ChooseInterval(int index);

  // --- Statistics and alarms (any thread unless said) --------------------------
  // Fed on the worker with every decoded reading, as the journal is; an alarm
  // change is noted in the journal right after its reading, the panel is
  // composed again, and AlarmChanged follows on the station's thread.
  const ReadingWatch& Watch() const { return m_watch; }
  // The statistics since a reset of both displays start over now.
  void ResetStatistics();
  // The caller checks the limits first (AlarmLimitsProblem).
  void SetAlarmLimits(WatchedDisplay display, const AlarmLimits& limits) { m_watch.SetLimits(display, limits); }
  // Station's thread: the program run (detached, never through a shell) when an
  // alarm is raised, with the display, the reading and the limit; empty: none.
  void SetAlarmProgram(const QString& path) { m_alarmProgram = path; }
  QString AlarmProgram() const { return m_alarmProgram; }

  // --- The calibration engine -------------------------------------------------
  // A new run through this station, fed with every decoded reading and status
  // change while it lives; the caller owns it. Null (and `why` set) while
  // another run has not ended.
  std::unique_ptr<CalibrationRun> CreateRun(const CalibrationSetup& setup, RunKind kind, QString* why = nullptr);
  // The run last created, while it lives.
  CalibrationRun* Run() const { return m_run.data(); }
  // Aborts a run that has not ended, so that its output-off is queued before the worker stops.
  void EndCalibrationRun(const QString& reason);
  // A setup from the current request: its lower function, wiring, unit and
  // full range, the upper function and a span to match.
  CalibrationSetup CurrentDefaults();
  // The range of a lower function in its unit (SFGetRange).
  void LowerRange(FunctionCode function, bool celsius, double& low, double& high);
  bool Connected() const { return m_link.Connected(); }

  // --- CalibrationLink: a run's settings go through the request and the queue ---
  void RequestUpper(FunctionCode function) override;
  void RequestLower(const LowerRequest& request) override;
  void SetFastPolling(bool fast) override;
  std::uint32_t NowMs() override { return m_link.Ticks(); }
  int SourceDecimals(FunctionCode function, double value) override;

 signals:
  // Each on the station's thread, in the order the worker reported them.
  void StatusTextChanged(const QString& text);  // "Connected" or "DisConnected"
  void RunTextChanged(const QString& text);     // "Stop" or "Run"
  void PortSelected(int port);
  void ReadingsReset();
  // After a poll with a non-zero result; `row` is the newest sample's texts.
  void ReadingAdded(int pollResult, const ReadingRow& row);
  // After a poll that decoded a frame: the reading as the journal keeps it
  // (both displays' numbers, units and functions, and the sample's time), for
  // views without a table. Comes right after that poll's ReadingAdded.
  void ReadingDecoded(const JournalReading& reading);
  // `upperCurrent`, `lowerCurrent`: that side's request has not changed since
  // the poll; a view shows only the sides that are current.
  void InstrumentRefreshed(const InstrumentState& state, bool upperCurrent, bool lowerCurrent);
  // Why the journal cannot be written; empty once it can again.
  void JournalProblemChanged(const QString& problem);
  // An alarm of one display was raised or cleared (after the reading's ReadingAdded).
  void AlarmChanged(const WatchAlarm& alarm);
  // The alarm program could not be started: why.
  void AlarmProgramFailed(const QString& why);

 private:
  class JournalReporter;
  struct FieldFit;

  // --- WorkerHost (worker thread) ---------------------------------------------
  void SetStatusText(const QString& text) override;
  void SetRunText(const QString& text) override;
  void SelectPort(int port) override;
  void RedrawPanel() override;
  void UpdateReadingsTable(int pollResult) override;
  void RefreshFromInstrument(const InstrumentState& state) override;
  void ResetReadingsTable() override;
  std::optional<float> FitSourceField(float low, float high, const std::function<int(float)>& decimalsFor) override;

  // Any thread: queues `report` for the station's thread; never waits.
  void Post(std::function<void()> report);
  // Station's thread: carries out the reports queued when it starts, oldest
  // first, one at a time (a report that opens a nested event loop leaves the
  // rest in order).
  void DeliverReports();
  // Carries out the oldest queued report; false when there is none.
  bool DeliverOldest();
  // Station's thread: answers `fit` unless it has been answered already.
  void AnswerFit(const std::shared_ptr<FieldFit>& fit);
  // The link's clock; the newest sample's time is kept for the journal.
  LocalTime ReadSampleClock();
  // Worker: a decoded reading for the watch; its alarm changes go into the
  // journal after the reading and come back for the views.
  std::vector<WatchAlarm> WatchReading(const InstrumentState& state);
  // Station's thread: the views hear of `alarm`; a raised one runs the program.
  void AnnounceAlarm(const WatchAlarm& alarm);

  // Declared first so that they outlive everything that may post.
  std::mutex m_reportGuard;
  std::deque<std::function<void()>> m_reports;  // m_reportGuard
  std::atomic<int> m_pendingReports{0};
  std::mutex m_fitGuard;
  std::condition_variable m_fitAnswered;
  std::shared_ptr<FieldFit> m_waitingFit;  // m_fitGuard

  QelDisplayDll& m_display;
  LocalTimeSource m_sampleClock;
  LocalTime m_lastSampleTime;      // worker thread only
  QString m_lastJournalStatus;     // the status line as last noted in the journal (worker)
  QString m_lastRunText;           // the Run button's text as last reported (worker)
  CDeviceLink m_link;
  CommandQueue m_commands;
  std::atomic<std::int32_t> m_displayLength{0};
  std::function<void()> m_composePanel;
  SourceFieldFitter m_fitSourceField;
  ReadingWatch m_watch;
  QString m_alarmProgram;    // station's thread
  int m_chosenInterval = 0;  // station's thread
  bool m_reportedConnected = false;  // the status line as last carried out (station's thread)
  bool m_fastPolling = false;
  QPointer<CalibrationRun> m_run;
  std::unique_ptr<JournalReporter> m_journalReporter;
  std::unique_ptr<ReadingsJournal> m_journal;  // ends after the worker, before the reporter
  // Declared last so that it is destroyed first, before the link.
  std::unique_ptr<CWorker> m_worker;
};

}  // namespace vorenx
