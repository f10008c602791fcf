// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Save Image: the menu, the dialog, and the one bitmap written by the next paint.
#include <QApplication>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "FakeQelDisplayDll.h"
#include "PanelFixture.h"

namespace vorenx::testing {
namespace {

class PanelSave : public ::testing::Test {
 protected:
  // Paints the panel once, as the window system would.
  void Paint() { (void)rig.panel.grab(); }
  int SaveCalls() const {
    int n = 0;
    for (const QString& c : fake.Calls()) n += c.startsWith("SaveToBmp") ? 1 : 0;
    return n;
  }
  FakeQelDisplayDll fake;
  PanelRig rig{fake};
  QTemporaryDir dir;
};

TEST_F(PanelSave, ConfirmedPathIsWrittenOnceAtTheNextPaint) {
  const QString path = dir.filePath("panel.bmp");
  rig.panel.SetSaveDialogRunner([&] { return path; });
  rig.panel.OnCommand(kCmdSaveImage);
  EXPECT_TRUE(rig.link.m_saveImagePending.load());
  EXPECT_EQ(rig.link.m_saveImagePath, path);
  EXPECT_EQ(SaveCalls(), 0);  // nothing before the paint
  Paint();
  EXPECT_EQ(fake.Calls().filter("SaveToBmp"), QStringList{"SaveToBmp(" + path + ")"});
  EXPECT_FALSE(rig.link.m_saveImagePending.load());
  Paint();
  EXPECT_EQ(SaveCalls(), 1);
}

TEST_F(PanelSave, CancellingChangesNothing) {
  rig.panel.SetSaveDialogRunner([] { return QString(); });
  rig.panel.OnSaveImage();
  EXPECT_FALSE(rig.link.m_saveImagePending.load());
  EXPECT_TRUE(rig.link.m_saveImagePath.isEmpty());
  Paint();
  EXPECT_EQ(SaveCalls(), 0);
}

TEST_F(PanelSave, SecondRequestBeforeThePaintReplacesThePath) {
  QString path = dir.filePath("first.bmp");
  rig.panel.SetSaveDialogRunner([&] { return path; });
  rig.panel.OnSaveImage();
  path = dir.filePath("second.bmp");
  rig.panel.OnSaveImage();
  Paint();
  EXPECT_EQ(fake.Calls().filter("SaveToBmp"), QStringList{"SaveToBmp(" + dir.filePath("second.bmp") + ")"});
}

TEST_F(PanelSave, SaveDialogAsTheUserSeesIt) {
  const auto dialog = CStaticLCD::CreateSaveDialog();
  EXPECT_EQ(dialog->windowTitle(), "Save Data As Bmp...");
  EXPECT_EQ(dialog->defaultSuffix(), "bmp");
  EXPECT_EQ(dialog->nameFilters(), QStringList{"Bmp File(*.bmp)"});
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(dialog->parentWidget(), nullptr);
  EXPECT_TRUE(dialog->selectedFiles().value(0).isEmpty() ||
              QFileInfo(dialog->selectedFiles().value(0)).isDir());  // no initial name
}

TEST_F(PanelSave, RightClickOpensTheOneItemMenuAtTheCursor) {
  int dialogs = 0;
  rig.panel.SetSaveDialogRunner([&] {
    ++dialogs;
    return QString();
  });
  rig.panel.show();
  const QPoint local(100, 200);
  const QPoint global = rig.panel.mapToGlobal(local);
  QStringList texts;
  QPoint shownAt;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions()) texts << a->text();
    shownAt = menu->pos();
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, local, global);
  QApplication::sendEvent(&rig.panel, &event);
  EXPECT_EQ(texts, QStringList{"Save Image"});
  EXPECT_EQ(shownAt, global);
  EXPECT_EQ(dialogs, 1);  // choosing the item runs command 32771
  const auto menu = rig.panel.CreateContextMenu();
  ASSERT_EQ(menu->actions().size(), 1);
  EXPECT_EQ(menu->actions().first()->data().toInt(), 32771);
}

TEST(PanelSaveReal, WritesABitmapOfThePanelOrReportsFailure) {
  QTemporaryDir dir;
  PanelRig rig(DefaultQelDisplayDll());
  rig.panel.Redraw();
  QSignalSpy failed(&rig.panel, &CStaticLCD::SaveImageFailed);
  const QString path = dir.filePath("panel.bmp");
  rig.panel.SetSaveDialogRunner([&] { return path; });
  rig.panel.OnSaveImage();
  EXPECT_FALSE(QFile::exists(path));
  (void)rig.panel.grab();
  const QImage saved(path, "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), QSize(kPanelWidth, kPanelHeight));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), rig.panel.CurrentImage());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"panel.bmp"});
  EXPECT_EQ(failed.count(), 0);

  const QString unwritable = dir.filePath("missing/panel.bmp");
  rig.panel.SetSaveDialogRunner([&] { return unwritable; });
  rig.panel.OnSaveImage();
  (void)rig.panel.grab();
  ASSERT_EQ(failed.count(), 1);
  EXPECT_EQ(failed.at(0).at(0).toString(), unwritable);
}

}  // namespace
}  // namespace vorenx::testing
