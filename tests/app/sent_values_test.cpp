// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// What reaches the instrument is what the user typed, and what the window
// shows is true: decimals from the value being sent (with the real drawing
// library's decimal counts), a comma taken as the decimal point, the run
// indicator and the no-link look, the status line's tooltip.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "WindowFixture.h"
#include "app/CEditEx.h"
#include "display/CStaticLCD.h"

namespace vorenx::testing {
namespace {

class SentValuesTest : public WindowFixture {
 protected:
  // `call` recorded by the instrument library, waited for.
  bool Sent(const QString& call) {
    return QTest::qWaitFor([&] { return hard.Calls().contains(call); }, 30000);
  }
  // The last recorded call of the drawing library that starts with `prefix`.
  QString LastDrawn(const QString& prefix) {
    const QStringList calls = display.Calls();
    for (auto it = calls.crbegin(); it != calls.crend(); ++it)
      if (it->startsWith(prefix)) return *it;
    return {};
  }
  void Type(CEditEx* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
};

TEST_F(SentValuesTest, TheNumberSentIsTheNumberTyped) {
  hard.SetAnswering({4});
  dlg = std::make_unique<CVorenxDlg>(hard, DefaultQelDisplayDll());
  dlg->show();
  // PT1000/385 in ℉, output on, after 1500 was sourced (shown with one decimal).
  InstrumentState s;
  s.upperFunction = 1;
  s.lowerFunction = fc::kRtdFirst + 5;
  s.lowerValue = 1500.0f;
  s.outputOff = false;
  s.celsius = false;
  dlg->RefreshFromInstrument(s);
  dlg->Link().EditRequest([&](InstrumentState& r) { r = s; });
  auto* field = qobject_cast<CEditEx*>(dlg->Control(1061));
  ASSERT_TRUE(field->isEnabled());
  // The field as the command that sent 1500 left it.
  field->setText("1500");
  dlg->FitSourceField(-328.0f, 1562.0f, [](float v) { return DefaultQelDisplayDll().SFGetDecimalLen(24, v); });
  ASSERT_EQ(field->text(), "1500.0");

  Type(field, "12.34");
  ASSERT_TRUE(Sent("SetLower(4,24,0x0a,12.34)")) << hard.Calls().join(' ').toStdString();
  ASSERT_TRUE(QTest::qWaitFor([&] { return field->text() == QString("12.34"); }, 30000)) << field->text().toStdString();

  // A comma locale's decimal point: 12,5 is 12.5, not 125 clamped to the limit.
  Type(field, "12,5");
  ASSERT_TRUE(Sent("SetLower(4,24,0x0a,12.5)")) << hard.Calls().join(' ').toStdString();
  EXPECT_FALSE(hard.Calls().join(' ').contains(",125)"));
}

TEST_F(SentValuesTest, WithoutAnInstrumentTheRunIndicatorFollowsTheRunButton) {
  Create({}, /*hold=*/false);
  dlg->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return hard.Calls().contains("OpenCOM(4)"); }, 30000));
  // No instrument answered the probe: polling starts paused.
  ASSERT_TRUE(QTest::qWaitFor([&] { return LastDrawn("DrawRun(").endsWith(",0)"); }, 30000));
  auto* run = qobject_cast<QPushButton*>(dlg->Control(1008));
  QTest::mouseClick(run, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return LastDrawn("DrawRun(").endsWith(",1)"); }, 30000));
  QTest::mouseClick(run, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return LastDrawn("DrawRun(").endsWith(",0)"); }, 30000));
  // Not live without a link: the numbers are drawn dimmed.
  EXPECT_FALSE(dlg->Panel()->Live());
  EXPECT_TRUE(LastDrawn("DrawValue(").endsWith(
      QStringLiteral("0x%1)").arg(Dimmed(kUpperChannelColour), 6, 16, QLatin1Char('0'))) ||
      LastDrawn("DrawValue(").endsWith(QStringLiteral("0x%1)").arg(Dimmed(kLowerChannelColour), 6, 16, QLatin1Char('0'))));
}

TEST_F(SentValuesTest, ThePanelIsLiveOnlyWhileReadingsCome) {
  std::array<unsigned char, 24> frame{};
  hard.SetFrame(frame);
  Create({4}, /*hold=*/false);
  dlg->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->Panel()->Live(); }, 30000));
  hard.SetAnswering({});  // unplugged
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg->Panel()->Live(); }, 30000));
  EXPECT_EQ(qobject_cast<QLabel*>(dlg->Control(1049))->text(), "DisConnected");
  hard.SetAnswering({4});
  ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->Panel()->Live(); }, 30000));
}

TEST_F(SentValuesTest, TheStatusTooltipSaysWhyThePortFailedWhileDisconnected) {
  Create({}, /*hold=*/true);
  dlg->SetPortProblemSource([](int port) {
    return QStringLiteral("COM%1 (/dev/ttyUSB%1): in use by another program").arg(port);
  });
  dlg->Link().m_port = 4;
  auto* status = qobject_cast<QLabel*>(dlg->Control(1049));
  dlg->SetStatusText("DisConnected");
  EXPECT_EQ(status->toolTip(), "COM4 (/dev/ttyUSB4): in use by another program");
  dlg->SetStatusText("Connected");
  EXPECT_TRUE(status->toolTip().isEmpty());
}

}  // namespace
}  // namespace vorenx::testing
