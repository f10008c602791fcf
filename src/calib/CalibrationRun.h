// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One calibration run (as-found or as-left) driven point by point from the
// readings the worker delivers. The run lives on the window's thread and never
// talks to the instrument itself: every setting goes through CalibrationLink,
// whose implementation queues it for the worker.
//
// For each step it requests the source value, waits until the decoded lower
// display shows that value sourced, applies the settling rule to the upper
// readings and records the point. The output is switched on only after
// ConfirmOutput(), and off again at the end, on Abort, on an error and when
// the link drops (the run then pauses and says why). A paused run goes on
// only once the calibrator answers again with its output off; the pause is
// kept in the result as an interruption.

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "calib/CalibrationMath.h"
#include "calib/CalibrationResult.h"
#include "calib/CalibrationSetup.h"
#include "calib/SettleTracker.h"
#include "calib/Uncertainty.h"
#include "instrument/InstrumentState.h"

namespace vorenx {

// The lower display as a run asks for it.
struct LowerRequest {
  FunctionCode function = fc::kCurrent;
  FunctionCode wiring = fc::kTwoWire;
  bool celsius = true;
  bool outputOn = false;
  double value = 0.0;

  friend bool operator==(const LowerRequest&, const LowerRequest&) = default;
};

// What a run needs of the program. Called on the window's thread; an
// implementation queues the change for the worker and returns at once.
class CalibrationLink {
 public:
  virtual ~CalibrationLink() = default;
  // Queue the upper function.
  virtual void RequestUpper(FunctionCode function) = 0;
  // Queue the lower settings, all at once.
  virtual void RequestLower(const LowerRequest& request) = 0;
  // Poll at the fastest interval while true; back to the user's choice when false.
  virtual void SetFastPolling(bool fast) = 0;
  // Milliseconds of a monotonic clock (the link's ticks).
  virtual std::uint32_t NowMs() = 0;
  // The decimals the instrument takes for `value` on lower function `function`.
  virtual int SourceDecimals(FunctionCode function, double value) = 0;
};

class CalibrationRun : public QObject {
  Q_OBJECT

 public:
  enum class State {
    Preparing,            // functions requested with the output off; waiting to see them
    AwaitingConfirmation, // ready: the user must confirm before the output goes on
    Running,              // sourcing a point and waiting for it to settle
    Paused,               // the link dropped; output requested off (see CanResume)
    Finished,             // every step recorded; output off
    Aborted,              // ended early (user, error); output off
  };

  // How long a requested source value may take to show on the lower display
  // before it is requested again, and before the run gives up with an error.
  static constexpr std::uint32_t kApplyRetryMs = 5000;
  static constexpr std::uint32_t kApplyGiveUpMs = 15000;

  CalibrationRun(CalibrationLink& link, CalibrationSetup setup, RunKind kind, QObject* parent = nullptr);
  ~CalibrationRun() override;

  // The calibrator's accuracy the points' uncertainties are computed from:
  // the reference standard's own table, or the documented defaults (as
  // before this is called, and for an empty table, as the register keeps a
  // standard without one). Set it before Start, which refuses a table that
  // does not cover the run (ValidateAccuracyTable).
  void SetAccuracyTable(std::vector<AccuracySpec> table) {
    m_accuracy = table.empty() ? DefaultAccuracySpecs() : std::move(table);
  }
  const std::vector<AccuracySpec>& AccuracyTable() const { return m_accuracy; }

  // Requests the functions with the output off and fast polling. Call once.
  void Start();
  // The user confirms that the output may be switched on (also after a pause,
  // where it does nothing until CanResume()).
  void ConfirmOutput();
  // Paused, and the calibrator answers again: connected, and a reading since
  // then shows its output off. stateChanged() is emitted when it becomes true.
  bool CanResume() const;
  // Ends the run early: output off, state Aborted, `reason` kept.
  void Abort(const QString& reason = QStringLiteral("Aborted by the user"));

  // Window's thread, after every decoded status frame.
  void OnReading(const InstrumentState& decoded);
  // Window's thread, when the status line changes.
  void OnConnection(bool connected);

  State CurrentState() const { return m_state; }
  bool Ended() const { return m_state == State::Finished || m_state == State::Aborted; }
  // One line for the user: what the run does now and why it waits.
  QString StatusText() const;
  const CalibrationSetup& Setup() const { return m_setup; }
  const RunResult& Result() const { return m_result; }
  // Index into TestSequence of the step being run.
  int StepIndex() const { return m_step; }
  int StepCount() const;

 signals:
  void stateChanged(vorenx::CalibrationRun::State state);
  void pointRecorded(int index);
  // After Finished or Aborted, with the output requested off.
  void ended();

 public:
  // Checks the waits against the clock without a reading (a quiet link still
  // retries, gives up and times out). The run's own timer calls it every
  // kCheckIntervalMs; tests may call it directly.
  void CheckTimeouts();
  static constexpr int kCheckIntervalMs = 100;

 private:
  // Where a running step stands.
  enum class Phase { Applying, Settling };

  void SetState(State state);
  // Asks for both functions with the output off and the first point's value.
  void RequestFunctions(std::uint32_t now);
  // Asks for the upper function when the last reading shows another one.
  void RequestUpperIfNeeded();
  void RequestOutputOff();
  // Starts the current step from scratch: value rounded, requested with the output on.
  void BeginStep(std::uint32_t now);
  void RecordPoint(bool settled);
  void NextStep(std::uint32_t now);
  void OnTimedOut(std::uint32_t now);
  // While paused: a reading after the link came back.
  void OnPausedReading(const InstrumentState& decoded, std::uint32_t now);
  // The pause's line for the user; %1 is the point that will be repeated.
  void SetPauseText(const QString& text);
  // Closes the open interruption at `when`.
  void CloseInterruption(const QDateTime& when);
  // Retries a request that has not shown and gives up after kApplyGiveUpMs.
  void CheckWait(std::uint32_t now);
  // Output off, fast polling off, final state, ended().
  void End(State state, const QString& reason);
  bool ShowsFunctions(const InstrumentState& s) const;
  bool ShowsApplied(const InstrumentState& s) const;
  LowerRequest Lower(bool outputOn, double value) const;
  QString PointText() const;

  CalibrationLink& m_link;
  CalibrationSetup m_setup;
  std::vector<TestStep> m_steps;
  RunResult m_result;
  SettleTracker m_tracker;
  QTimer* m_timer = nullptr;  // child of the run
  State m_state = State::Preparing;
  Phase m_phase = Phase::Applying;
  bool m_started = false;
  bool m_connected = true;
  bool m_answersAgain = false;  // paused: a reading with the output off came after the link returned
  int m_step = 0;
  double m_applied = 0.0;       // the current step's value as sent
  int m_appliedDecimals = 0;
  std::uint32_t m_waitStartMs = 0;  // the current wait began (give up after kApplyGiveUpMs)
  std::uint32_t m_requestMs = 0;    // the request was last sent (retry after kApplyRetryMs)
  int m_validReadings = 0;          // finite upper readings at this point
  std::optional<InstrumentState> m_last;  // the newest decoded state
  QString m_pauseText;
  std::vector<AccuracySpec> m_accuracy = DefaultAccuracySpecs();
};

}  // namespace vorenx
