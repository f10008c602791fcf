// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib/CalibrationRun.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace vorenx {

namespace {

// The most decimals a source value is rounded to, whatever the library says.
constexpr int kMaxSourceDecimals = 6;

double RoundTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

QString Number(double value) { return QString::number(value, 'g', 8); }

// A setup the engine cannot run at all, whatever the dialog checked: the run
// refuses it before anything is sent. That includes a setup whose points
// could not be given their whole uncertainty budget (no resolution, or an
// accuracy table that lacks the run's functions or span): an understated U
// would let points pass that should not.
QString Unrunnable(const CalibrationSetup& s, const std::vector<TestStep>& steps,
                   const std::vector<AccuracySpec>& accuracy) {
  if (steps.empty()) return QStringLiteral("The setup has no test points");
  if (!IsLowerFunction(s.inputFunction)) return QStringLiteral("The input is not a lower function");
  if (!IsUpperFunction(s.outputFunction)) return QStringLiteral("The output is not an upper function");
  const auto finite = [](double v) { return std::isfinite(v); };
  if (!finite(s.inputLow) || !finite(s.inputHigh) || !(s.inputLow < s.inputHigh))
    return QStringLiteral("The input span is empty or reversed");
  if (!finite(s.outputLow) || !finite(s.outputHigh) || !(s.outputLow < s.outputHigh))
    return QStringLiteral("The output span is empty or reversed");
  if (!finite(s.tolerance) || !(s.tolerance > 0.0)) return QStringLiteral("The tolerance is not above zero");
  for (const TestStep& step : steps)
    if (!finite(step.percent) || step.percent < 0.0 || step.percent > 100.0)
      return QStringLiteral("A test point lies outside 0 to 100 %");
  if (s.settle.readings < 1 || !finite(s.settle.timeoutSeconds) || !(s.settle.timeoutSeconds > 0.0))
    return QStringLiteral("The settling rule is not usable");
  if (!finite(s.resolution) || !(s.resolution > 0.0))
    return QStringLiteral("The resolution of the instrument under test is not entered");
  if (const std::vector<SetupProblem> gaps = ValidateAccuracyTable(s, accuracy); !gaps.empty()) {
    QString why = gaps.front().message;
    if (why.endsWith(QLatin1Char('.'))) why.chop(1);  // the status line adds its own
    return why;
  }
  return {};
}

}  // namespace

CalibrationRun::CalibrationRun(CalibrationLink& link, CalibrationSetup setup, RunKind kind, QObject* parent)
    : QObject(parent),
      m_link(link),
      m_setup(std::move(setup)),
      m_steps(TestSequence(m_setup)),
      m_tracker(m_setup.settle, ToleranceInOutputUnits(m_setup) * m_setup.settle.bandFraction),
      m_timer(new QTimer(this)) {
  m_result.kind = kind;
  m_timer->setInterval(kCheckIntervalMs);
  connect(m_timer, &QTimer::timeout, this, &CalibrationRun::CheckTimeouts);
}

CalibrationRun::~CalibrationRun() {
  // A run closed while it drives the instrument must not leave it sourcing.
  // Nobody listens to a run being destroyed.
  if (m_started && !Ended()) {
    blockSignals(true);
    End(State::Aborted, QStringLiteral("The run was closed before it ended"));
  }
}

int CalibrationRun::StepCount() const { return static_cast<int>(m_steps.size()); }

void CalibrationRun::SetState(State state) {
  if (m_state == state) return;
  m_state = state;
  emit stateChanged(state);
}

LowerRequest CalibrationRun::Lower(bool outputOn, double value) const {
  LowerRequest r;
  r.function = m_setup.inputFunction;
  r.wiring = m_setup.wiring;
  r.celsius = m_setup.celsius;
  r.outputOn = outputOn;
  r.value = value;
  return r;
}

void CalibrationRun::Start() {
  if (m_started || Ended()) return;
  m_started = true;
  m_result.started = QDateTime::currentDateTime();
  if (const QString why = Unrunnable(m_setup, m_steps, m_accuracy); !why.isEmpty()) {
    // Nothing was asked of the instrument: end without touching it.
    m_timer->stop();
    m_result.finished = m_result.started;
    m_result.endReason = why;
    SetState(State::Aborted);
    emit ended();
    return;
  }
  m_link.SetFastPolling(true);
  m_step = 0;
  m_applied = InputAt(m_setup, m_steps.front().percent);
  RequestFunctions(m_link.NowMs());
  m_timer->start();
  emit stateChanged(m_state);
}

void CalibrationRun::RequestFunctions(std::uint32_t now) {
  RequestUpperIfNeeded();
  m_link.RequestLower(Lower(false, m_applied));
  m_waitStartMs = m_requestMs = now;
}

void CalibrationRun::RequestUpperIfNeeded() {
  if (!m_last || m_last->upperFunction != m_setup.outputFunction) m_link.RequestUpper(m_setup.outputFunction);
}

void CalibrationRun::RequestOutputOff() { m_link.RequestLower(Lower(false, m_applied)); }

void CalibrationRun::ConfirmOutput() {
  if (m_state != State::AwaitingConfirmation && m_state != State::Paused) return;
  // After a pause the calibrator must answer again before anything is switched on.
  if (m_state == State::Paused && !CanResume()) return;
  if (m_state == State::Paused) CloseInterruption(QDateTime::currentDateTime());
  m_pauseText.clear();
  SetState(State::Running);
  BeginStep(m_link.NowMs());
}

void CalibrationRun::BeginStep(std::uint32_t now) {
  const TestStep& step = m_steps[static_cast<std::size_t>(m_step)];
  const double value = InputAt(m_setup, step.percent);
  // The value as the instrument takes it: what is sent is what is recorded.
  // Rounding may carry into a number that takes fewer decimals (99.96 -> 100.0).
  int decimals = std::clamp(m_link.SourceDecimals(m_setup.inputFunction, value), 0, kMaxSourceDecimals);
  double applied = RoundTo(value, decimals);
  const int after = std::clamp(m_link.SourceDecimals(m_setup.inputFunction, applied), 0, kMaxSourceDecimals);
  if (after < decimals) {
    decimals = after;
    applied = RoundTo(applied, decimals);
  }
  m_applied = applied;
  m_appliedDecimals = decimals;
  m_phase = Phase::Applying;
  m_validReadings = 0;
  RequestUpperIfNeeded();
  m_link.RequestLower(Lower(true, m_applied));
  m_waitStartMs = m_requestMs = now;
}

bool CalibrationRun::ShowsFunctions(const InstrumentState& s) const {
  if (s.upperFunction != m_setup.outputFunction || s.lowerFunction != m_setup.inputFunction) return false;
  return !IsTemperature(m_setup.inputFunction) || s.celsius == m_setup.celsius;
}

bool CalibrationRun::ShowsApplied(const InstrumentState& s) const {
  if (!ShowsFunctions(s) || s.outputOff) return false;
  // Within half of the last digit the instrument takes (and a hair for the
  // float the value travels as).
  const double halfDigit = 0.5 * std::pow(10.0, -m_appliedDecimals);
  return std::fabs(static_cast<double>(s.lowerValue) - m_applied) <= halfDigit * (1.0 + 1e-6);
}

void CalibrationRun::OnReading(const InstrumentState& decoded) {
  m_last = decoded;
  if (!m_started || Ended() || m_state == State::AwaitingConfirmation) return;
  const std::uint32_t now = m_link.NowMs();

  if (m_state == State::Paused) {
    OnPausedReading(decoded, now);
    return;
  }

  if (m_state == State::Preparing) {
    if (ShowsFunctions(decoded) && decoded.outputOff) {
      SetState(State::AwaitingConfirmation);
      return;
    }
    CheckWait(now);
    return;
  }

  // Running.
  if (m_phase == Phase::Applying) {
    // The reading that first shows the value was taken as it was applied: only
    // the ones after it count for settling.
    if (ShowsApplied(decoded)) {
      m_phase = Phase::Settling;
      m_tracker.Start(now);
      return;
    }
    CheckWait(now);
    return;
  }

  if (!ShowsApplied(decoded)) {
    End(State::Aborted, ShowsFunctions(decoded)
                            ? QStringLiteral("The source value or output changed on the calibrator during the point at %1 %")
                                  .arg(Number(m_steps[static_cast<std::size_t>(m_step)].percent))
                            : QStringLiteral("The calibrator shows another function than the run's"));
    return;
  }
  const double value = static_cast<double>(decoded.upperValue);
  if (std::isfinite(value)) ++m_validReadings;
  switch (m_tracker.Add(value, now)) {
    case SettleTracker::State::Settled:
      RecordPoint(true);
      NextStep(now);
      break;
    case SettleTracker::State::TimedOut:
      OnTimedOut(now);
      break;
    case SettleTracker::State::Waiting:
      break;
  }
}

void CalibrationRun::CheckTimeouts() {
  if (!m_started || Ended() || !m_connected) return;
  const std::uint32_t now = m_link.NowMs();
  if (m_state == State::Preparing || (m_state == State::Running && m_phase == Phase::Applying)) {
    CheckWait(now);
  } else if (m_state == State::Running && m_tracker.Check(now) == SettleTracker::State::TimedOut) {
    OnTimedOut(now);
  }
}

void CalibrationRun::CheckWait(std::uint32_t now) {
  // Unsigned differences stay right across the tick count's wrap.
  if (now - m_waitStartMs >= kApplyGiveUpMs) {
    End(State::Aborted, m_state == State::Preparing
                            ? QStringLiteral("The calibrator did not switch to the run's functions")
                            : QStringLiteral("The calibrator did not take the source value %1")
                                  .arg(QString::number(m_applied, 'f', m_appliedDecimals)));
    return;
  }
  if (now - m_requestMs >= kApplyRetryMs) {
    m_requestMs = now;
    RequestUpperIfNeeded();
    m_link.RequestLower(Lower(m_state == State::Running, m_applied));
  }
}

void CalibrationRun::OnTimedOut(std::uint32_t now) {
  RecordPoint(false);
  if (m_validReadings == 0) {
    // Nothing but overloads or invalid readings: the instrument under test is
    // not connected as the setup says, and every further point would be the same.
    End(State::Aborted, QStringLiteral("No valid reading came from the upper display at %1 %")
                            .arg(Number(m_steps[static_cast<std::size_t>(m_step)].percent)));
    return;
  }
  NextStep(now);
}

void CalibrationRun::NextStep(std::uint32_t now) {
  if (Ended()) return;  // a slot of pointRecorded aborted the run
  if (++m_step >= StepCount()) {
    End(State::Finished, QString());
    return;
  }
  BeginStep(now);
}

void CalibrationRun::Abort(const QString& reason) {
  if (Ended()) return;
  if (!m_started) {
    // Nothing was asked of the instrument yet.
    m_started = true;
    m_result.started = m_result.finished = QDateTime::currentDateTime();
    m_result.endReason = reason;
    SetState(State::Aborted);
    emit ended();
    return;
  }
  End(State::Aborted, reason);
}

void CalibrationRun::End(State state, const QString& reason) {
  if (Ended()) return;  // a slot of pointRecorded or stateChanged ended it already
  m_timer->stop();
  RequestOutputOff();
  m_link.SetFastPolling(false);
  m_result.finished = QDateTime::currentDateTime();
  CloseInterruption(m_result.finished);
  m_result.complete = state == State::Finished;
  m_result.endReason = state == State::Finished ? QString() : reason;
  m_pauseText.clear();
  SetState(state);
  emit ended();
}

void CalibrationRun::SetPauseText(const QString& text) {
  m_pauseText = text.arg(Number(m_steps[static_cast<std::size_t>(m_step)].percent));
}

QString CalibrationRun::PointText() const {
  const TestStep& step = m_steps[static_cast<std::size_t>(std::min(m_step, StepCount() - 1))];
  return tr("Point %1 of %2 (%3 %%4)")
      .arg(m_step + 1)
      .arg(StepCount())
      .arg(Number(step.percent), step.down ? tr(", down") : QString());
}

QString CalibrationRun::StatusText() const {
  switch (m_state) {
    case State::Preparing:
      if (!m_started) return tr("Not started.");
      return m_connected ? tr("Setting the calibrator's functions up; the output stays off.")
                         : tr("Waiting for the calibrator to answer; the output stays off.");
    case State::AwaitingConfirmation:
      return tr("Ready. Connect the instrument under test, then confirm to switch the calibrator's output on.");
    case State::Running:
      if (m_phase == Phase::Applying)
        return tr("%1: sourcing %2, waiting for the calibrator to show it.")
            .arg(PointText(), QString::number(m_applied, 'f', m_appliedDecimals));
      return tr("%1: sourcing %2, waiting for the reading to settle (%3 readings).")
          .arg(PointText(), QString::number(m_applied, 'f', m_appliedDecimals))
          .arg(m_tracker.ReadingCount());
    case State::Paused:
      return m_pauseText;
    case State::Finished:
      return tr("Finished: %1 points recorded; the output was switched off.")
          .arg(m_result.points.size());
    case State::Aborted:
      return tr("Ended early: %1. The output is off.").arg(m_result.endReason);
  }
  return {};
}

}  // namespace vorenx
