// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The run engine: the order of what it asks of the link, when the output may
// be on, what it records per point, and how it ends, pauses and gives up.
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "RunBench.h"

namespace vorenx {
namespace {

using testing::BenchInstrument;
using testing::FakeCalibrationLink;
using State = CalibrationRun::State;

class CalibrationRunTest : public ::testing::Test {
 protected:
  std::unique_ptr<CalibrationRun> Make(const CalibrationSetup& setup = testing::RtdTransmitterSetup()) {
    auto run = std::make_unique<CalibrationRun>(link, setup, RunKind::AsFound);
    return run;
  }
  // Started and confirmed: the first point is being sourced.
  std::unique_ptr<CalibrationRun> Running(const CalibrationSetup& setup = testing::RtdTransmitterSetup()) {
    auto run = Make(setup);
    run->Start();
    EXPECT_TRUE(bench.ReadUntil(*run, State::AwaitingConfirmation));
    run->ConfirmOutput();
    return run;
  }
  bool LastRequestOff() const { return !link.lowers.empty() && !link.lowers.back().outputOn; }

  FakeCalibrationLink link;
  BenchInstrument bench{link};
};

TEST_F(CalibrationRunTest, AnUpAndDownRunRecordsEveryPointFromWhatWasSent) {
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.runDown = true;
  auto run = Make(setup);
  QSignalSpy ended(run.get(), &CalibrationRun::ended);
  QSignalSpy recorded(run.get(), &CalibrationRun::pointRecorded);
  run->Start();
  EXPECT_EQ(run->CurrentState(), State::Preparing);
  EXPECT_EQ(link.uppers, std::vector<FunctionCode>{fc::kUpperCurrent});
  ASSERT_EQ(link.lowers.size(), 1u);
  EXPECT_EQ(link.lowers[0], (LowerRequest{fc::kRtdFirst, fc::kThreeWire, true, false, 0.0}));
  EXPECT_EQ(link.fastPolling, std::vector<bool>{true});

  ASSERT_TRUE(bench.ReadUntil(*run, State::AwaitingConfirmation));
  run->ConfirmOutput();
  EXPECT_EQ(run->CurrentState(), State::Running);
  bench.ReadUntilEnded(*run);

  ASSERT_EQ(run->CurrentState(), State::Finished);
  EXPECT_EQ(ended.count(), 1);
  EXPECT_EQ(recorded.count(), 9);
  const RunResult& r = run->Result();
  EXPECT_TRUE(r.complete);
  EXPECT_TRUE(r.endReason.isEmpty());
  ASSERT_EQ(r.points.size(), 9u);
  const double applied[] = {0, 25, 50, 75, 100, 75, 50, 25, 0};
  for (std::size_t i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(r.points[i].applied, applied[i]);
    EXPECT_EQ(r.points[i].down, i > 4);
    EXPECT_NEAR(r.points[i].expected, 4.0 + 0.16 * applied[i], 1e-12);
    EXPECT_NEAR(r.points[i].measured, r.points[i].expected, 1e-5);
    EXPECT_NEAR(r.points[i].errorPercent, 0.0, 1e-4);
    EXPECT_TRUE(r.points[i].settled);
    EXPECT_TRUE(r.points[i].pass);
    EXPECT_EQ(r.points[i].readings, 3);  // the reading showing the value does not count
  }
  EXPECT_TRUE(RunPasses(r));
  EXPECT_TRUE(LastRequestOff());
  EXPECT_EQ(link.fastPolling, (std::vector<bool>{true, false}));
  // Each step was asked for once, with the output on.
  EXPECT_EQ(link.OutputOnRequests(), 9);
}

TEST_F(CalibrationRunTest, TheOutputStaysOffUntilTheUserConfirms) {
  auto run = Make();
  run->Start();
  ASSERT_TRUE(bench.ReadUntil(*run, State::AwaitingConfirmation));
  for (int i = 0; i < 120; ++i) bench.Read(*run);
  run->CheckTimeouts();
  EXPECT_EQ(run->CurrentState(), State::AwaitingConfirmation);
  EXPECT_EQ(link.OutputOnRequests(), 0);
  EXPECT_TRUE(run->Result().points.empty());
  run->ConfirmOutput();
  ASSERT_FALSE(link.lowers.empty());
  EXPECT_TRUE(link.lowers.back().outputOn);
  run->ConfirmOutput();  // once is enough: a second press changes nothing
  EXPECT_EQ(link.OutputOnRequests(), 1);
}

TEST_F(CalibrationRunTest, AConfirmationBeforeTheFunctionsShowIsIgnored) {
  auto run = Make();
  run->Start();
  run->ConfirmOutput();
  EXPECT_EQ(run->CurrentState(), State::Preparing);
  EXPECT_EQ(link.OutputOnRequests(), 0);
}

TEST_F(CalibrationRunTest, ASourceValueIsRoundedToTheDigitsTheInstrumentTakes) {
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {100.0 / 3.0, 99.97};
  link.decimalsFor = [](double v) { return std::fabs(v) >= 100.0 ? 1 : 2; };
  auto run = Running(setup);
  bench.ReadUntilEnded(*run);
  ASSERT_EQ(run->Result().points.size(), 2u);
  EXPECT_EQ(run->Result().points[0].applied, 33.33);
  EXPECT_NEAR(run->Result().points[0].expected, 4.0 + 0.16 * 33.33, 1e-12);
  // 99.97 takes two decimals; rounded up it would be 100.0, whose one decimal counts.
  EXPECT_EQ(run->Result().points[1].applied, 99.97);
  EXPECT_EQ(link.lowers[link.lowers.size() - 2].value, 99.97);
}

TEST_F(CalibrationRunTest, ARoundingThatCarriesTakesTheDecimalsOfTheCarriedNumber) {
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {99.996};
  link.decimalsFor = [](double v) { return std::fabs(v) >= 100.0 ? 1 : 2; };
  auto run = Running(setup);
  EXPECT_EQ(link.lowers.back().value, 100.0);
  bench.ReadUntilEnded(*run);
  EXPECT_EQ(run->CurrentState(), State::Finished);
}

TEST_F(CalibrationRunTest, AOnePercentGainErrorFailsTheUpperPointsAtHalfAPercent) {
  bench.transmitter = [](double in) { return 4.0 + 16.0 * 1.01 * in / 100.0; };
  auto run = Running();
  bench.ReadUntilEnded(*run);
  ASSERT_EQ(run->CurrentState(), State::Finished);
  const auto& p = run->Result().points;
  ASSERT_EQ(p.size(), 5u);
  EXPECT_TRUE(p[0].pass);
  EXPECT_TRUE(p[1].pass);
  EXPECT_NEAR(p[1].errorPercent, 0.25, 1e-4);
  EXPECT_FALSE(p[3].pass);
  EXPECT_FALSE(p[4].pass);
  EXPECT_NEAR(p[4].errorPercent, 1.0, 1e-4);
  EXPECT_TRUE(p[4].settled);
  EXPECT_FALSE(RunPasses(run->Result()));
}

TEST_F(CalibrationRunTest, AReadingThatNeverSettlesTimesOutFailsThePointAndTheRunGoesOn) {
  int n = 0;
  // Swings of 0.02 mA: wider than the band of a tenth of 0.08 mA.
  bench.transmitter = [&n](double in) { return 4.0 + 0.16 * in + ((++n % 2) ? 0.01 : -0.01); };
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {0.0, 50.0};
  auto run = Running(setup);
  bench.ReadUntilEnded(*run);
  ASSERT_EQ(run->CurrentState(), State::Finished);
  const auto& p = run->Result().points;
  ASSERT_EQ(p.size(), 2u);
  for (const PointResult& point : p) {
    EXPECT_FALSE(point.settled);
    EXPECT_FALSE(point.pass);  // even though the mean is spot on
    EXPECT_NEAR(point.errorPercent, 0.0, 0.07);
    // One reading a second over the 20 s the rule allows.
    EXPECT_GE(point.readings, 19);
    EXPECT_LE(point.readings, 21);
  }
  EXPECT_FALSE(RunPasses(run->Result()));
}

TEST_F(CalibrationRunTest, NoiseWithinTheBandSettles) {
  int n = 0;
  bench.transmitter = [&n](double in) { return 4.0 + 0.16 * in + ((++n % 2) ? 0.003 : -0.003); };
  auto run = Running();
  bench.ReadUntilEnded(*run);
  ASSERT_EQ(run->CurrentState(), State::Finished);
  for (const PointResult& point : run->Result().points) EXPECT_TRUE(point.settled);
}

TEST_F(CalibrationRunTest, AQuietUpperDisplayTimesOutOnTheTimerAndEndsTheRun) {
  auto run = Running();
  bench.Read(*run);  // shows the value applied; no readings come after it
  EXPECT_EQ(run->CurrentState(), State::Running);
  link.now += 19'000;
  run->CheckTimeouts();
  EXPECT_EQ(run->CurrentState(), State::Running);
  link.now += 2'000;
  run->CheckTimeouts();
  EXPECT_EQ(run->CurrentState(), State::Aborted);
  ASSERT_EQ(run->Result().points.size(), 1u);
  EXPECT_FALSE(run->Result().points[0].settled);
  EXPECT_TRUE(std::isnan(run->Result().points[0].measured));
  EXPECT_TRUE(run->Result().endReason.contains("No valid reading")) << run->Result().endReason.toStdString();
  EXPECT_TRUE(LastRequestOff());
  EXPECT_EQ(link.fastPolling.back(), false);
}

TEST_F(CalibrationRunTest, InvalidReadingsThroughoutEndTheRunWithAReason) {
  bench.transmitter = [](double) { return std::nan(""); };
  auto run = Running();
  bench.ReadUntilEnded(*run);
  EXPECT_EQ(run->CurrentState(), State::Aborted);
  EXPECT_TRUE(run->Result().endReason.contains("No valid reading"));
  EXPECT_FALSE(run->Result().complete);
  EXPECT_TRUE(LastRequestOff());
}

TEST_F(CalibrationRunTest, AValueNeverShownIsAskedForAgainThenTheRunGivesUp) {
  auto run = Running();
  bench.takesLower = false;  // from now on the calibrator ignores lower settings
  const std::size_t asked = link.lowers.size();
  link.now += CalibrationRun::kApplyRetryMs - 1;
  run->CheckTimeouts();
  EXPECT_EQ(link.lowers.size(), asked);
  link.now += 1;
  run->CheckTimeouts();
  ASSERT_EQ(link.lowers.size(), asked + 1);
  EXPECT_TRUE(link.lowers.back().outputOn);
  EXPECT_EQ(link.lowers.back().value, 0.0);
  // A reading a second: asked again 5 s later, given up 15 s after the first request.
  for (int i = 0; i < 9; ++i) bench.Read(*run);
  EXPECT_EQ(run->CurrentState(), State::Running);
  EXPECT_EQ(link.lowers.size(), asked + 2);
  bench.Read(*run);
  EXPECT_EQ(run->CurrentState(), State::Aborted);
  EXPECT_TRUE(run->Result().endReason.contains("did not take the source value"));
  EXPECT_TRUE(run->Result().points.empty());
  EXPECT_TRUE(LastRequestOff());
}

TEST_F(CalibrationRunTest, FunctionsThatNeverShowEndThePreparation) {
  bench.takesUpper = false;
  auto run = Make();
  run->Start();
  for (int i = 0; i < 20 && !run->Ended(); ++i) bench.Read(*run);
  EXPECT_EQ(run->CurrentState(), State::Aborted);
  EXPECT_TRUE(run->Result().endReason.contains("did not switch"));
  EXPECT_GE(link.uppers.size(), 3u);  // asked again at every retry
  EXPECT_EQ(link.OutputOnRequests(), 0);
}

TEST_F(CalibrationRunTest, AnotherFunctionOnTheCalibratorEndsTheRun) {
  auto run = Running();
  bench.Read(*run);
  bench.Read(*run);
  bench.takesLower = false;
  bench.shown.lowerFunction = fc::kCurrent;  // someone turned the dial
  bench.Read(*run);
  EXPECT_EQ(run->CurrentState(), State::Aborted);
  EXPECT_TRUE(run->Result().endReason.contains("another function"));
  EXPECT_TRUE(LastRequestOff());
}

TEST_F(CalibrationRunTest, AbortSwitchesTheOutputOffAndEndsForGood) {
  auto run = Running();
  QSignalSpy ended(run.get(), &CalibrationRun::ended);
  bench.Read(*run);
  run->Abort();
  EXPECT_EQ(run->CurrentState(), State::Aborted);
  EXPECT_EQ(run->Result().endReason, "Aborted by the user");
  EXPECT_FALSE(run->Result().complete);
  EXPECT_TRUE(LastRequestOff());
  EXPECT_EQ(link.fastPolling.back(), false);
  const std::size_t asked = link.lowers.size();
  for (int i = 0; i < 30; ++i) bench.Read(*run);
  run->ConfirmOutput();
  run->Abort("again");
  link.now += 60'000;
  run->CheckTimeouts();
  EXPECT_EQ(link.lowers.size(), asked);
  EXPECT_EQ(ended.count(), 1);
  EXPECT_TRUE(run->StatusText().contains("Aborted by the user"));
}

TEST_F(CalibrationRunTest, ALostLinkPausesWithTheOutputOffAndTheUserResumesThePointFromScratch) {
  CalibrationSetup setup = testing::RtdTransmitterSetup();
  setup.pointsPercent = {0.0, 50.0, 100.0};
  auto run = Running(setup);
  bench.ReadUntil(*run, State::Running);
  while (run->StepIndex() < 1) bench.Read(*run);
  bench.Read(*run);
  bench.Read(*run);  // half-way through the 50 % point

  run->OnConnection(false);
  EXPECT_EQ(run->CurrentState(), State::Paused);
  EXPECT_TRUE(LastRequestOff());
  EXPECT_TRUE(run->StatusText().contains("stopped answering")) << run->StatusText().toStdString();
  EXPECT_TRUE(run->StatusText().contains("output was switched off"));
  const std::size_t asked = link.lowers.size();
  run->ConfirmOutput();  // not while the link is down
  link.now += 120'000;
  run->CheckTimeouts();
  EXPECT_EQ(run->CurrentState(), State::Paused);
  EXPECT_EQ(link.lowers.size(), asked);

  QSignalSpy changes(run.get(), &CalibrationRun::stateChanged);
  run->OnConnection(true);
  ASSERT_EQ(link.lowers.size(), asked + 1);  // it may have kept sourcing
  EXPECT_FALSE(link.lowers.back().outputOn);
  // Connected is not yet answering: a confirmation now is not taken.
  EXPECT_FALSE(run->CanResume());
  run->ConfirmOutput();
  EXPECT_EQ(run->CurrentState(), State::Paused);
  for (int i = 0; i < 10; ++i) bench.Read(*run);
  EXPECT_EQ(run->CurrentState(), State::Paused);
  EXPECT_EQ(link.lowers.size(), asked + 1);  // it shows the output off: nothing more to ask
  EXPECT_TRUE(run->CanResume());
  EXPECT_EQ(changes.count(), 2);  // connected, then answering: each is a chance to ask
  ASSERT_EQ(run->Result().interruptions.size(), 1u);
  EXPECT_TRUE(run->Result().interruptions[0].from.isValid());
  EXPECT_FALSE(run->Result().interruptions[0].to.isValid());  // still paused
  run->ConfirmOutput();
  EXPECT_EQ(run->CurrentState(), State::Running);
  EXPECT_GE(run->Result().interruptions[0].to, run->Result().interruptions[0].from);
  EXPECT_TRUE(link.lowers.back().outputOn);
  EXPECT_EQ(link.lowers.back().value, 50.0);
  bench.ReadUntilEnded(*run);
  ASSERT_EQ(run->CurrentState(), State::Finished);
  ASSERT_EQ(run->Result().points.size(), 3u);
  EXPECT_EQ(run->Result().points[1].applied, 50.0);
  EXPECT_EQ(run->Result().points[1].readings, 3);  // the readings before the pause are gone
}

TEST_F(CalibrationRunTest, AfterAPauseAnOutputStillOnIsAskedOffAgain) {
  auto run = Running();
  bench.Read(*run);
  run->OnConnection(false);
  bench.takesLower = false;  // the request is lost: it comes back still sourcing
  run->OnConnection(true);
  const std::size_t asked = link.lowers.size();
  for (int i = 0; i < 5; ++i) bench.Read(*run);
  ASSERT_EQ(link.lowers.size(), asked + 1);
  EXPECT_FALSE(link.lowers.back().outputOn);
  EXPECT_EQ(run->CurrentState(), State::Paused);
}

TEST_F(CalibrationRunTest, ALinkLostWhileAwaitingConfirmationAlsoPauses) {
  auto run = Make();
  run->Start();
  ASSERT_TRUE(bench.ReadUntil(*run, State::AwaitingConfirmation));
  run->OnConnection(false);
  EXPECT_EQ(run->CurrentState(), State::Paused);
  run->OnConnection(true);
  bench.Read(*run);
  // Lost again before the answer: the answer waits for the next reading.
  run->OnConnection(false);
  run->ConfirmOutput();
  EXPECT_EQ(run->CurrentState(), State::Paused);
  run->OnConnection(true);
  bench.Read(*run);
  run->ConfirmOutput();
  EXPECT_EQ(run->CurrentState(), State::Running);
  EXPECT_EQ(run->StepIndex(), 0);
  EXPECT_EQ(run->Result().interruptions.size(), 1u);  // one pause, however often the link flickered
  // Aborted while paused, the interruption lasts until the end.
  run->OnConnection(false);
  run->Abort();
  ASSERT_EQ(run->Result().interruptions.size(), 2u);
  EXPECT_EQ(run->Result().interruptions[1].to, run->Result().finished);
}

TEST_F(CalibrationRunTest, ALinkLostWhilePreparingWaitsAndAsksAgain) {
  auto run = Make();
  run->OnConnection(false);  // the host tells a new run the link's state
  run->Start();
  link.now += 60'000;
  run->CheckTimeouts();
  EXPECT_EQ(run->CurrentState(), State::Preparing);  // no give-up without a link
  EXPECT_TRUE(run->StatusText().contains("Waiting for the calibrator"));
  const std::size_t asked = link.lowers.size();
  run->OnConnection(true);
  EXPECT_EQ(link.lowers.size(), asked + 1);
  EXPECT_TRUE(bench.ReadUntil(*run, State::AwaitingConfirmation));
}

TEST_F(CalibrationRunTest, DestroyingARunThatHasNotEndedSwitchesTheOutputOff) {
  auto run = Running();
  bench.Read(*run);
  ASSERT_TRUE(link.lowers.back().outputOn);
  run.reset();
  EXPECT_TRUE(LastRequestOff());
  EXPECT_EQ(link.fastPolling.back(), false);
}

TEST_F(CalibrationRunTest, DestroyingAnEndedOrUnstartedRunAsksNothing) {
  auto run = Running();
  run->Abort();
  const std::size_t asked = link.lowers.size();
  run.reset();
  EXPECT_EQ(link.lowers.size(), asked);
  Make().reset();
  EXPECT_EQ(link.lowers.size(), asked);
  EXPECT_EQ(link.fastPolling.size(), 2u);
}

TEST_F(CalibrationRunTest, AnUnrunnableSetupEndsAtStartWithoutTouchingTheInstrument) {
  CalibrationSetup noPoints = testing::RtdTransmitterSetup();
  noPoints.pointsPercent.clear();
  CalibrationSetup reversed = testing::RtdTransmitterSetup();
  reversed.outputHigh = reversed.outputLow;
  CalibrationSetup noTolerance = testing::RtdTransmitterSetup();
  noTolerance.tolerance = 0.0;
  for (const CalibrationSetup& setup : {noPoints, reversed, noTolerance}) {
    auto run = Make(setup);
    run->Start();
    EXPECT_EQ(run->CurrentState(), State::Aborted);
    EXPECT_FALSE(run->Result().endReason.isEmpty());
  }
  EXPECT_TRUE(link.lowers.empty());
  EXPECT_TRUE(link.uppers.empty());
  EXPECT_TRUE(link.fastPolling.empty());
}

TEST_F(CalibrationRunTest, TheRunsOwnTimerChecksTimeoutsWithoutReadings) {
  auto run = Running();
  bench.takesLower = false;
  const std::size_t asked = link.lowers.size();
  link.now += CalibrationRun::kApplyRetryMs;
  // The timer fires on the event loop, without any reading.
  EXPECT_TRUE(QTest::qWaitFor([&] { return link.lowers.size() > asked; }, 30000));
}

TEST_F(CalibrationRunTest, AnUpperFunctionAlreadyShownIsNotRequestedAgain) {
  InstrumentState shown = bench.shown;
  shown.upperFunction = fc::kUpperCurrent;
  bench.shown = shown;
  auto run = Make();
  run->OnReading(shown);  // the host passes the state it knows before the start
  run->Start();
  EXPECT_TRUE(link.uppers.empty());
  EXPECT_TRUE(bench.ReadUntil(*run, State::AwaitingConfirmation));
}

}  // namespace
}  // namespace vorenx
