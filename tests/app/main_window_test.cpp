// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The main window's controls, menu, About box, Run button and Port list.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

#include "WindowFixture.h"
#include "app/CEditEx.h"
#include "app/CUpDown.h"
#include "platform/DialogUnits.h"

namespace vorenx::testing {
namespace {

struct Expected {
  int id;
  const char* text;
  QStringList items;
  QRect du;
};

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

QString TextOf(QWidget* w) {
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  return w->windowTitle();
}

class MainWindowTest : public WindowFixture {};

TEST_F(MainWindowTest, EveryControlHasItsIdTextItemsAndPlace) {
  Create({}, /*hold=*/true);
  // The window template, written out independently of the program's table.
  const QList<Expected> expected = {
      {1064, "LCD", {}, {12, 7, 274, 332}},
      {1065, "Custom1", {}, {291, 7, 190, 193}},
      {1057, "", {"Voltage", "Current", "Loop"}, {302, 227, 48, 30}},
      {1058, "0V-30V", {}, {357, 229, 75, 8}},
      {1050, "", {"VOL", "CURR", "RESIS", "RTD", "TC"}, {307, 265, 174, 14}},
      {1051, "", {"mV", "V"}, {365, 285, 48, 30}},
      {1007, "", {"Volt", "S", "R", "B", "K", "N", "E", "J", "T"}, {307, 285, 48, 30}},
      {1010, "", {"PT100/385", "PT100/3926", "PT100/3916", "PT200/385", "PT500/385", "PT1000/385", "Cu100/ITS",
                  "Cu50/ITS"}, {365, 285, 48, 30}},
      {1012, "", {"Two-wire", "Three-wire", "Four-wire"}, {307, 285, 48, 30}},
      {1052, "Div", {}, {307, 285, 48, 12}},
      {1053, "Hart", {}, {307, 285, 48, 12}},
      {1054, "Simulation", {}, {365, 285, 48, 12}},
      {1055, "CJC", {}, {365, 285, 48, 12}},
      {1060, "\u2103", {}, {419, 285, 28, 10}},
      {1013, "Out", {}, {304, 306, 25, 10}},
      {1061, "", {}, {330, 304, 47, 14}},
      {1063, "Unit", {}, {385, 307, 21, 8}},
      {1056, "Static", {}, {408, 307, 56, 8}},
      {1001, "", {"COM0", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"},
       {335, 347, 53, 30}},
      {1008, "Run", {}, {398, 347, 21, 30}},
      {1066, "SaveData", {}, {434, 347, 38, 30}},
      {1016, "", {"1S", "2S", "5S", "10S"}, {335, 367, 53, 30}},
      {1068, "240", {}, {47, 358, 40, 13}},
      {1067, "", {}, {87, 358, 10, 14}},
      {1037, "WaveShow", {}, {102, 363, 36, 8}},
      {1038, "ALL", {"ALL", "Upper", "Lower"}, {147, 360, 48, 30}},
      {1049, "DisConnected", {}, {0, 388, 48, 8}},
  };
  const DialogBaseUnits units = BaseUnitsOf(dlg->font());
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.id);
    QWidget* w = dlg->Control(e.id);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->objectName(), QString::number(e.id));
    EXPECT_EQ(w->parentWidget(), dlg.get());
    const QRect place = MapDialogRect(units, e.du);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
      EXPECT_EQ(Items(combo), e.items);
      if (combo->isEditable()) {
        EXPECT_EQ(combo->currentText(), QString::fromUtf8(e.text));
      }
      // A closed drop-down is as high as its font needs.
      EXPECT_EQ(w->geometry(), QRect(place.topLeft(), QSize(place.width(), combo->sizeHint().height())));
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
      QStringList texts;
      for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
      EXPECT_EQ(texts, e.items);
      EXPECT_EQ(w->geometry(), place);
    } else {
      EXPECT_EQ(TextOf(w), QString::fromUtf8(e.text));
      EXPECT_EQ(w->geometry(), place);
    }
  }
  // Kinds where they matter.
  EXPECT_NE(Get<CEditEx>(1061), nullptr);
  EXPECT_NE(Get<CEditEx>(1068), nullptr);
  EXPECT_NE(Get<CUpDown>(1067), nullptr);
  EXPECT_FALSE(Get<QComboBox>(1001)->isEditable());
  EXPECT_TRUE(Get<QComboBox>(1038)->isEditable());
  // Labels and group boxes without an id.
  QStringList groups;
  for (auto* g : dlg->findChildren<QGroupBox*>()) groups << g->title();
  EXPECT_EQ(groups, QStringList({"Upper", "Lower", "Settings", "Display"}));
  QStringList labels;
  for (auto* l : dlg->findChildren<QLabel*>())
    if (l->objectName().isEmpty()) labels << l->text();
  EXPECT_EQ(labels, QStringList({"Port:", "Interval:", "Length:"}));
}

TEST_F(MainWindowTest, WindowIsFixedSizeWithItsCaptionAndStartSelections) {
  Create({}, true);
  const DialogBaseUnits units = BaseUnitsOf(dlg->font());
  EXPECT_GE(units.x, 4);
  EXPECT_GE(units.y, 8);
  EXPECT_EQ(dlg->size(), QSize(MapDialogRect(units, 0, 0, 495, 399).size()));
  EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize());
  EXPECT_EQ(dlg->windowTitle(), "Vorenx Ver 1.0.0.2");
  EXPECT_EQ(Get<QComboBox>(1001)->currentText(), "COM4");
  EXPECT_EQ(Get<QComboBox>(1016)->currentText(), "2S");
  EXPECT_EQ(Get<QComboBox>(1057)->currentText(), "Voltage");
  EXPECT_EQ(Get<QTabBar>(1050)->currentIndex(), 0);
  EXPECT_EQ(dlg->DisplayLength(), 240);
  // The start queues exactly the open command of the initial port.
  EXPECT_EQ(dlg->Commands().Snapshot(), std::vector<SettingCommand>({{CmdOpenPort, 4}}));
}

TEST_F(MainWindowTest, MenuHasTheAboutItemAndEmptyTextAddsNothing) {
  Create({}, true);
  const QList<QAction*> actions = dlg->SystemMenu()->actions();
  ASSERT_GE(actions.size(), 2);
  EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
  EXPECT_EQ(actions.last()->text(), QStringLiteral("关于 Vorenx(&A)..."));
  EXPECT_EQ(actions.last()->data().toUInt(), 16u);

  QMenu menu;
  AppendAboutItem(menu, QString());
  EXPECT_TRUE(menu.actions().isEmpty());

  actions.last()->trigger();
  EXPECT_EQ(aboutShown, 1);
  EXPECT_EQ(aboutTitle, QStringLiteral("关于 Vorenx"));
}

TEST_F(MainWindowTest, CommandIdsWhoseHighBitsAreSixteenOpenTheAboutBox) {
  Create({}, true);
  for (unsigned id = 16; id <= 31; ++id) dlg->OnSysCommand(id);
  EXPECT_EQ(aboutShown, 16);
  for (unsigned id : {0u, 1u, 15u, 32u, 33u, 48u, 0x110u}) dlg->OnSysCommand(id);
  EXPECT_EQ(aboutShown, 16);
  EXPECT_FALSE(dlg->WorkerFinished());
}

TEST_F(MainWindowTest, RightClickOnTheBackgroundOpensTheMenu) {
  Create({}, true);
  dlg->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
  bool shown = false;
  QObject::connect(dlg->SystemMenu(), &QMenu::aboutToShow, [&] {
    shown = true;
    QMetaObject::invokeMethod(dlg->SystemMenu(), &QMenu::close, Qt::QueuedConnection);
  });
  const QPoint background(dlg->width() - 3, 3);
  QContextMenuEvent event(QContextMenuEvent::Mouse, background, dlg->mapToGlobal(background));
  QApplication::sendEvent(dlg.get(), &event);
  EXPECT_TRUE(shown);
}

TEST(AboutBox, TextsPlacesAndOk) {
  CAboutDlg about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("关于 Vorenx"));
  EXPECT_EQ(about.TextLabel()->text(), QStringLiteral("Vorenx，1.0 版"));
  EXPECT_EQ(about.OkButton()->text(), QStringLiteral("确定"));
  const DialogBaseUnits units = BaseUnitsOf(about.font());
  EXPECT_EQ(about.size(), MapDialogRect(units, 0, 0, 170, 62).size());
  EXPECT_EQ(about.TextLabel()->geometry(), MapDialogRect(units, 42, 14, 114, 8));
  EXPECT_EQ(about.OkButton()->geometry(), MapDialogRect(units, 113, 41, 50, 14));
  EXPECT_EQ(about.IconLabel()->pos(), MapDialogRect(units, 14, 14, 0, 0).topLeft());
  // A font for the Chinese texts is installed.
  EXPECT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty());
  QTimer::singleShot(0, about.OkButton(), [&] { QTest::mouseClick(about.OkButton(), Qt::LeftButton); });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

TEST(AboutBox, ShowsTheApplicationIconAtItsPlace) {
  // The icon comes in every size of the icon theme, from the embedded PNGs.
  const QIcon icon = ApplicationIcon();
  for (const int size : kApplicationIconSizes) {
    SCOPED_TRACE(size);
    EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size));
  }
  CAboutDlg about;
  const QPixmap shown = about.IconLabel()->pixmap();
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(shown.size(), QSize(32, 32));
  // Not blank: the drawing's blue frame and black displays are there.
  const QImage image = shown.toImage();
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 200 ? 1 : 0;
  EXPECT_GT(opaque, 32 * 32 / 3);

  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  ASSERT_TRUE(QDir().mkpath(QStringLiteral(VORENX_PICTURE_DIR)));
  EXPECT_TRUE(about.grab().save(QStringLiteral(VORENX_PICTURE_DIR "/about.png")));
}

TEST_F(MainWindowTest, TheWindowCarriesTheApplicationIcon) {
  Create({}, true);
  EXPECT_FALSE(dlg->windowIcon().isNull());
  EXPECT_EQ(dlg->windowIcon().pixmap(48, 48).toImage(), ApplicationIcon().pixmap(48, 48).toImage());
}

TEST_F(MainWindowTest, SeveralPortChoicesBeforeTheNextCycleLeaveOneCommandWithTheLast) {
  Create({7}, /*hold=*/true);
  auto* ports = Get<QComboBox>(1001);
  ports->setFocus();
  for (int i = 0; i < 3; ++i) QTest::keyClick(ports, Qt::Key_Down);  // COM5, COM6, COM7
  EXPECT_EQ(ports->currentText(), "COM7");
  EXPECT_EQ(dlg->Commands().Snapshot(), std::vector<SettingCommand>({{CmdOpenPort, 7}}));

  Release();
  ASSERT_TRUE(QTest::qWaitFor([&] { return hard.Calls().contains("OpenCOM(7)"); }, 30000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Get<QLabel>(1049)->text() == QString("Connected"); }, 30000));
  EXPECT_EQ(hard.Count("OpenCOM("), 1);
}

TEST_F(MainWindowTest, RunButtonQueuesToggleRunAndProgramChangesQueueNothing) {
  Create({}, true);
  QTest::mouseClick(Get<QPushButton>(1008), Qt::LeftButton);
  EXPECT_EQ(Queued(CmdToggleRun).size(), 1u);
  QTest::mouseClick(Get<QPushButton>(1008), Qt::LeftButton);
  EXPECT_TRUE(Queued(CmdToggleRun).empty());  // two presses, two flips: none left to make
  QTest::mouseClick(Get<QPushButton>(1008), Qt::LeftButton);

  DrainQueue();
  // The worker's requests, made here on the window's thread, run directly.
  dlg->SelectPort(12);
  EXPECT_EQ(Get<QComboBox>(1001)->currentIndex(), -1);
  dlg->SelectPort(3);
  EXPECT_EQ(Get<QComboBox>(1001)->currentText(), "COM3");
  dlg->SetStatusText("Connected");
  dlg->SetRunText("Stop");
  EXPECT_EQ(Get<QLabel>(1049)->text(), "Connected");
  EXPECT_EQ(Get<QPushButton>(1008)->text(), "Stop");
  InstrumentState s;
  s.upperFunction = 2;
  s.lowerFunction = 18;
  s.outputOff = false;
  dlg->RefreshFromInstrument(s);
  EXPECT_EQ(Get<QTabBar>(1050)->currentIndex(), 2);
  EXPECT_EQ(Get<QComboBox>(1057)->currentIndex(), 1);
  EXPECT_TRUE(dlg->Commands().Snapshot().empty());
}

}  // namespace
}  // namespace vorenx::testing

namespace vorenx::testing {
namespace {
// F5 and Ctrl+S run the Run button's and the export's commands anywhere in
// the window; the window menu and the readings table's menu show those keys
// and the panel's Save Image key.
TEST_F(WindowFixture, CommandKeysWorkAndTheMenusShowThem) {
  Create({}, true);
  dlg->show();
  dlg->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
  DrainQueue();
  QTest::keyClick(dlg->Control(1057), Qt::Key_F5);
  EXPECT_EQ(Queued(CmdToggleRun).size(), 1u);
  QStringList shown;
  for (QAction* a : dlg->SystemMenu()->actions())
    if (!a->shortcut().isEmpty() && a->isShortcutVisibleInContextMenu()) shown << a->shortcut().toString();
  EXPECT_EQ(shown, (QStringList{"Ctrl+S", "F5", "Ctrl+Shift+S"}));
  const std::unique_ptr<QMenu> menu = dlg->ReadingsContextMenu().CreateMenu();
  QStringList keys;
  for (QAction* a : menu->actions())
    if (!a->shortcut().isEmpty()) keys << a->shortcut().toString();
  EXPECT_EQ(keys, (QStringList{"Ctrl+S", "F5"}));
}
}  // namespace
}  // namespace vorenx::testing
