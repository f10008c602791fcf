// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The readings table's context menu for its users: "Copy All" as
// tab-separated lines with the header, and "Print..." with its progress.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPdfWriter>
#include <QTest>
#include <QTimer>

#include "LogTestSupport.h"
#include "grid/GridClipboardText.h"

using namespace vorenx;

namespace {

// Dialogs whose print dialog prints straight to a PDF file, cancelling
// after `cancelAfter` pages when that is set.
class PrintingDialogs : public vorenx::testing::RecordingDialogs {
 public:
  void PreviewPrint(const PrintJob& job) override {
    QPdfWriter pdf(path);
    finished = job(pdf, [this](int page, int count) {
      pages.push_back(page);
      total = count;
      return cancelAfter == 0 || page <= cancelAfter;
    });
  }
  QString path;
  int cancelAfter = 0;
  bool finished = false;
  int total = 0;
  std::vector<int> pages;
};

class ReadingsMenuTest : public vorenx::testing::ReadingsLogTest {
 protected:
  QStringList Entries() {
    QStringList texts;
    const std::unique_ptr<QMenu> menu = log.Menu().CreateMenu();
    for (QAction* action : menu->actions()) texts << action->text();
    return texts;
  }
  void Choose(const QString& text) {
    const std::unique_ptr<QMenu> menu = log.Menu().CreateMenu();
    for (QAction* action : menu->actions())
      if (action->text() == text) action->trigger();
  }
  // The entries of each popup menu that `open` shows; each is closed.
  std::vector<QStringList> Shown(const std::function<void()>& open) {
    std::vector<QStringList> menus;
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&menus] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        QStringList& texts = menus.emplace_back();
        for (QAction* action : popup->actions()) texts << action->text();
        popup->close();
      }
    });
    closer.start();
    open();
    return menus;
  }
};

}  // namespace

TEST_F(ReadingsMenuTest, RightClickAndTheMenuKeyOpenTheMenu) {
  const QStringList expected{QStringLiteral("Copy All"), QStringLiteral("Print..."),
                             QStringLiteral("Export for a Spreadsheet...")};
  EXPECT_EQ(Entries(), expected);
  grid.resize(300, 200);
  grid.show();
  grid.setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Shown([this] { QTest::keyClick(&grid, Qt::Key_Menu); }), std::vector<QStringList>{expected});
  // A right click reaches the viewport as the window system sends it.
  EXPECT_EQ(Shown([this] {
              QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(60, 40), grid.viewport()->mapToGlobal(QPoint(60, 40)));
              QApplication::sendEvent(grid.viewport(), &click);
            }),
            std::vector<QStringList>{expected});
}

TEST_F(ReadingsMenuTest, CopyAllGivesTheHeaderAndEveryReadingAsColumns) {
  Reading("05/03  07:08:01", "1.500V", "25.000℃");
  Reading("05/03  07:08:03", "1.501V", "100.000Ω");
  Choose(QStringLiteral("Copy All"));
  const QString expected = QStringLiteral(
      "Index\tTime\tUpper\tLower\r\n"
      "1\t05/03  07:08:03\t1.501V\t100.000Ω\r\n"
      "2\t05/03  07:08:01\t1.500V\t25.000℃\r\n");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
  const QByteArray block = QGuiApplication::clipboard()->mimeData()->data(QString::fromLatin1(kGridTextMime));
  EXPECT_EQ(block, expected.toLocal8Bit() + QByteArray(1, '\0'));
  // Selection stays off: copying the log selects nothing.
  EXPECT_FALSE(grid.SelectedCellRange().IsValid());
}

TEST_F(ReadingsMenuTest, PrintGoesThroughThePrintDialogWithProgressThatCancels) {
  PrintingDialogs printing;
  CGridCtrl table;
  CReadingsLog printed(table, history, printing, [this] { return now; });
  printed.SetUpReadingsTable();
  for (int i = 0; i < 300; ++i) {
    history.Append(QStringLiteral("05/03  07:%1:%2").arg(10 + i / 30).arg(i * 2 % 60, 2, 10, QChar('0')),
                   QString::number(1.5 + i * 0.001, 'f', 3) + QStringLiteral("V"),
                   QString::number(25.0 + (i % 7) * 0.125, 'f', 3) + QStringLiteral("℃"), 0, 0);
    printed.UpdateReadingsTable();
  }
  printing.path = dir.filePath(QStringLiteral("log.pdf"));
  const std::unique_ptr<QMenu> menu = printed.Menu().CreateMenu();
  menu->actions().at(1)->trigger();
  EXPECT_TRUE(printing.finished);
  ASSERT_GT(printing.total, 1);
  EXPECT_EQ(printing.pages.size(), static_cast<std::size_t>(printing.total));
  EXPECT_GT(QFile(printing.path).size(), 1000);
  // A copy of the printout for the readme's picture, when asked for.
  if (const QString sample = qEnvironmentVariable("VORENX_SAMPLE_PDF"); !sample.isEmpty()) {
    QFile::remove(sample);
    QFile::copy(printing.path, sample);
  }

  printing.pages.clear();
  printing.cancelAfter = 1;
  printed.OnPrint();
  EXPECT_FALSE(printing.finished);
  EXPECT_EQ(printing.pages, (std::vector<int>{1, 2}));
}
