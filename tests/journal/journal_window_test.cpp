// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The journal as the program uses it: the options, the window's journal and
// its menu entry, and the message when the journal cannot write.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "JournalTestSupport.h"
#include "QelHard.h"
#include "SimulatedInstrument.h"
#include "app/AppOptions.h"
#include "app/CVorenxDlg.h"
#include "app/ControlTable.h"
#include "display/CStaticLCD.h"
#include "grid/GridCtrl.h"
#include "platform/UserDialogs.h"

namespace vorenx {
namespace {

TEST(JournalOptions, FolderChoiceFromTheCommandLine) {
  const QByteArray saved = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", "/srv/data");
  EXPECT_EQ(JournalFolder(ParseAppOptions({}).options), "/srv/data/vorenx/journal");
  EXPECT_EQ(JournalFolder(ParseAppOptions({"--journal", "/mnt/stick"}).options), "/mnt/stick");
  EXPECT_EQ(JournalFolder(ParseAppOptions({"--journal=/mnt/b"}).options), "/mnt/b");
  EXPECT_EQ(JournalFolder(ParseAppOptions({"--no-journal"}).options), "");
  EXPECT_FALSE(ParseAppOptions({"--journal"}).error.isEmpty());
  EXPECT_FALSE(ParseAppOptions({"--journal="}).error.isEmpty());
  EXPECT_FALSE(ParseAppOptions({"--no-journal=yes"}).error.isEmpty());
  EXPECT_FALSE(ParseAppOptions({"--no-journal", "--journal", "/x"}).error.isEmpty());
  EXPECT_TRUE(UsageText().contains("--no-journal"));
  if (saved.isNull()) qunsetenv("XDG_DATA_HOME");
  else qputenv("XDG_DATA_HOME", saved);
}

class NoteDialogs : public UserDialogs {
 public:
  bool AskSaveFileName(QWidget*, const SaveFileRequest&, QString&) override { return false; }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  QStringList messages;
};

class JournalWindowTest : public ::testing::Test {
 protected:
  void Open(const QString& journalFolder) {
    ASSERT_FALSE(simulator.Start().isEmpty());
    ASSERT_TRUE(QelSetPortPath(4, simulator.Path()));
    std::uint32_t* t = &tick;
    dlg = std::make_unique<CVorenxDlg>(DefaultQelHardDll(), DefaultQelDisplayDll(), [t] { return *t += 5000; },
                                       [] { return LocalTime{2026, 12, 8, 10, 0, 0, 0}; }, journalFolder);
    auto dialogs = std::make_unique<NoteDialogs>();
    notes = dialogs.get();
    dlg->SetUserDialogs(std::move(dialogs));
    dlg->Worker()->SetCyclePause(5);
  }
  void TearDown() override { dlg.reset(); }
  template <typename F>
  bool Until(F done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done() && std::chrono::steady_clock::now() < deadline)
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
  }
  QString ToolTip() { return qobject_cast<QLabel*>(dlg->Control(idc::kStatus))->toolTip(); }

  std::uint32_t tick = 100000;
  sim::SimulatedInstrument simulator;
  QTemporaryDir root;
  std::unique_ptr<CVorenxDlg> dlg;
  NoteDialogs* notes = nullptr;
};

TEST_F(JournalWindowTest, ReadingsReachTheJournalInAFolderWithANonAsciiName) {
  const QString folder = root.filePath(QStringLiteral("Prüfstand ℃/journal"));
  Open(folder);
  ASSERT_NE(dlg->Journal(), nullptr);
  ASSERT_TRUE(Until([&] { return dlg->Journal()->Counts().readingsWritten >= 3; }));
  const QStringList lines = testing::JournalLines(dlg->Journal()->FilePath());
  EXPECT_TRUE(dlg->Journal()->FilePath().startsWith(folder));
  EXPECT_GE(testing::ReadingLines(lines).size(), 3);
  // The status notes alternate: opening a port rewrites the status line, but an
  // unchanged status is not noted again. (A busy machine may miss a reply and
  // note a DisConnected in between.)
  const QStringList notes = lines.filter(QRegularExpression(" (Dis)?Connected$"));
  ASSERT_FALSE(notes.isEmpty());
  EXPECT_TRUE(notes.front().endsWith(" Connected"));
  for (qsizetype i = 1; i < notes.size(); ++i)
    EXPECT_NE(notes[i].section(' ', 2), notes[i - 1].section(' ', 2)) << lines.join("\n").toStdString();
}

// The table's one context menu holds the log's entries and the journal's.
QAction* JournalEntry(const QMenu& menu) {
  QStringList texts;
  QAction* found = nullptr;
  for (QAction* action : menu.actions()) {
    texts << action->text();
    if (action->text() == "Open Journal Folder") found = action;
  }
  EXPECT_EQ(texts, (QStringList{"Copy All", "Print...", "Export for a Spreadsheet...", "Save Data...", "Run/Stop", "Open Journal Folder", "Calibration..."}));
  return found;
}

TEST_F(JournalWindowTest, OpenJournalFolderShowsTheFolder) {
  Open(root.filePath("j"));
  QStringList opened;
  dlg->SetFolderOpener([&](const QString& path) {
    opened << path;
    return true;
  });
  const std::unique_ptr<QMenu> menu = dlg->ReadingsContextMenu().CreateMenu();
  QAction* entry = JournalEntry(*menu);
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(entry->isEnabled());
  entry->trigger();
  EXPECT_EQ(opened, QStringList{root.filePath("j")});

  // A desktop without a file manager: the user is told, not left guessing.
  dlg->SetFolderOpener([](const QString&) { return false; });
  dlg->OnOpenJournalFolder();
  ASSERT_EQ(notes->messages.size(), 1);
  EXPECT_TRUE(notes->messages.front().contains(root.filePath("j")));
}

TEST_F(JournalWindowTest, WithoutAJournalTheEntryIsGreyedOut) {
  Open(QString());
  EXPECT_EQ(dlg->Journal(), nullptr);
  const std::unique_ptr<QMenu> menu = dlg->ReadingsContextMenu().CreateMenu();
  QAction* entry = JournalEntry(*menu);
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(entry->isEnabled());
}

// /dev/full is no folder: the journal says so in the status line's tooltip,
// and the table goes on.
TEST_F(JournalWindowTest, AJournalThatCannotWriteSaysSoInTheTooltip) {
  Open("/dev/full");
  ASSERT_TRUE(Until([&] { return !ToolTip().isEmpty(); }));
  EXPECT_TRUE(ToolTip().contains("/dev/full"));
  EXPECT_TRUE(ToolTip().contains("cannot write"));
  const int rows = dlg->ReadingsGrid()->RowCount();
  ASSERT_TRUE(Until([&] { return dlg->ReadingsGrid()->RowCount() > rows + 2; }));
  EXPECT_TRUE(dlg->Journal()->Failing());
}

// A read-only folder, for a user who may not write there (as root every
// folder is writable, so the program runs as "nobody" for this).
TEST(JournalBadFolders, AReadOnlyFolderGivesOneClearMessageAndTheProgramGoesOn) {
  const QString setpriv = QStandardPaths::findExecutable("setpriv");
  if (setpriv.isEmpty() || ::geteuid() != 0) GTEST_SKIP() << "needs root and setpriv to run as nobody";
  QTemporaryDir root;
  const QString folder = root.filePath("locked");
  ASSERT_TRUE(QDir().mkpath(folder));
  QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                         QFile::ExeOther);
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
  QProcess child;
  child.start(setpriv, {"--reuid=nobody", "--regid=nogroup", "--clear-groups", QStringLiteral(VORENX_CRASH_CHILD),
                        folder});
  ASSERT_TRUE(child.waitForStarted(30000));
  QByteArray err, out;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!err.contains("cannot write") && std::chrono::steady_clock::now() < deadline &&
         child.state() == QProcess::Running) {
    child.waitForReadyRead(100);
    err += child.readAllStandardError();
    out += child.readAllStandardOutput();
  }
  // Readings go on after the message (however long a busy machine took to start the program).
  const qsizetype before = out.count("R ");
  const auto readingsDeadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (out.count("R ") < before + 3 && std::chrono::steady_clock::now() < readingsDeadline &&
         child.state() == QProcess::Running) {
    child.waitForReadyRead(100);
    out += child.readAllStandardOutput();
    err += child.readAllStandardError();
  }
  child.kill();
  child.waitForFinished(30000);
  ASSERT_TRUE(err.contains("cannot write")) << err.toStdString();
  EXPECT_TRUE(err.contains("Permission denied")) << err.toStdString();
  EXPECT_EQ(err.count("cannot write"), 1);
  EXPECT_GE(out.count("R "), before + 3);
  EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace vorenx

namespace vorenx {
namespace {

// The readings export aimed at bad places: a clear message each time, or a
// correct file; the table keeps its rows whatever happens.
TEST_F(JournalWindowTest, ExportToBadPlacesTellsTheUserAndKeepsTheTable) {
  Open(root.filePath("j"));
  ASSERT_TRUE(Until([&] { return !dlg->ReadingsGrid()->CellText(3, 2).isEmpty(); }));
  dlg->done(0);  // the table stands still from here
  CGridCtrl* grid = dlg->ReadingsGrid();
  const QString newest = grid->CellText(1, 2);

  EXPECT_FALSE(grid->SaveToFile(root.filePath("missing/readings.csv")));
  EXPECT_EQ(notes->messages.size(), 1);
  EXPECT_FALSE(grid->SaveToFile("/dev/full"));
  EXPECT_EQ(notes->messages.size(), 2) << "a full device must not pass for a saved file";

  const QString odd = root.filePath(QStringLiteral("Messwerte ℃ Prüfung.csv"));
  ASSERT_TRUE(grid->SaveToFile(odd));
  QFile written(odd);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray first = written.readAll();
  EXPECT_TRUE(first.startsWith("\xEF\xBB\xBFIndex,Time,Upper,Lower\r\n")) << first.left(60).toHex().toStdString();
  written.close();

  // An existing file is replaced, not appended to.
  ASSERT_TRUE(grid->SaveToFile(odd));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), first);
  EXPECT_EQ(grid->CellText(1, 2), newest);
}

// Save Image asks for the bitmap at the panel's next paint; a failure shows a
// message naming the file once the paint is over.
class SaveImageTest : public JournalWindowTest {
 protected:
  // Saves the panel's image at `path`; returns the messages it caused.
  QStringList SaveAt(const QString& path) {
    const qsizetype before = notes->messages.size();
    dlg->Panel()->SetSaveDialogRunner([path] { return path; });
    dlg->Panel()->OnSaveImage();
    (void)dlg->Panel()->grab();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    return notes->messages.mid(before);
  }
  void ExpectPanelBitmap(const QString& path) {
    const QImage saved(path, "BMP");
    ASSERT_FALSE(saved.isNull()) << qPrintable(path);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), dlg->Panel()->CurrentImage());
  }
  void OpenStopped() {
    Open(QString());
    ASSERT_TRUE(Until([&] { return !dlg->ReadingsGrid()->CellText(2, 2).isEmpty(); }));
    dlg->done(0);
    newest = dlg->ReadingsGrid()->CellText(1, 2);
  }
  QString newest;
};

TEST_F(SaveImageTest, BadPlacesGiveAMessageGoodOnesACorrectBitmap) {
  OpenStopped();
  const QString missing = root.filePath("missing/panel.bmp");
  QStringList said = SaveAt(missing);
  ASSERT_EQ(said.size(), 1);
  EXPECT_TRUE(said[0].contains(missing));
  EXPECT_FALSE(QFileInfo::exists(root.filePath("missing")));

  // A device node is written in place, never replaced by a plain file. A node
  // of our own first, so that a fault cannot take the system's /dev/full.
  const QString node = root.filePath("full");
  if (::mknod(node.toLocal8Bit().constData(), S_IFCHR | 0666, makedev(1, 7)) == 0) {
    EXPECT_EQ(SaveAt(node).size(), 1);
    struct stat st {};
    ASSERT_EQ(::stat(node.toLocal8Bit().constData(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)) << "the device node was replaced";
    if (S_ISCHR(st.st_mode)) {
      EXPECT_EQ(SaveAt("/dev/full").size(), 1);
    }
  }

  const QString odd = root.filePath(QStringLiteral("Prüfstand ℃/Anzeige ä.bmp"));
  ASSERT_TRUE(QDir().mkpath(QFileInfo(odd).path()));
  EXPECT_TRUE(SaveAt(odd).isEmpty());
  ExpectPanelBitmap(odd);

  // An existing file (the dialog asked before) is replaced whole.
  QFile old(odd);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(QByteArray(3'000'000, 'x'));
  old.close();
  EXPECT_TRUE(SaveAt(odd).isEmpty());
  ExpectPanelBitmap(odd);
  EXPECT_LT(QFileInfo(odd).size(), 3'000'000);
  EXPECT_EQ(dlg->ReadingsGrid()->CellText(1, 2), newest);
}

// A read-only folder, for a user who may not write there. As root every
// folder is writable, so the test runs itself again as "nobody" for the part
// inside VORENX_READ_ONLY_FOLDER.
TEST_F(SaveImageTest, AReadOnlyFolderGivesAMessageForTheImageAndTheExport) {
  const QByteArray folder = qgetenv("VORENX_READ_ONLY_FOLDER");
  if (folder.isEmpty()) {
    const QString setpriv = QStandardPaths::findExecutable("setpriv");
    if (setpriv.isEmpty() || ::geteuid() != 0) GTEST_SKIP() << "needs root and setpriv to run as nobody";
    const QString locked = root.filePath("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(root.path(), readOnly | QFile::WriteOwner);
    QFile::setPermissions(locked, readOnly);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VORENX_READ_ONLY_FOLDER", locked);
    child.setProcessEnvironment(env);
    child.start(setpriv, {"--reuid=nobody", "--regid=nogroup", "--clear-groups", QCoreApplication::applicationFilePath(),
                          "--gtest_filter=SaveImageTest.AReadOnlyFolderGivesAMessageForTheImageAndTheExport"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray out = child.readAllStandardOutput() + child.readAllStandardError();
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
    EXPECT_TRUE(QDir(locked).entryList(QDir::Files | QDir::Hidden).isEmpty());
    return;
  }
  ASSERT_NE(::geteuid(), 0u);
  OpenStopped();
  const QString image = QDir(QString::fromLocal8Bit(folder)).filePath("panel.bmp");
  const QStringList said = SaveAt(image);
  ASSERT_EQ(said.size(), 1);
  EXPECT_TRUE(said[0].contains(image));
  const QString csv = QDir(QString::fromLocal8Bit(folder)).filePath("readings.csv");
  EXPECT_FALSE(dlg->ReadingsGrid()->SaveToFile(csv));
  ASSERT_EQ(notes->messages.size(), 2);
  EXPECT_TRUE(notes->messages[1].contains("Permission denied")) << qPrintable(notes->messages[1]);
  EXPECT_EQ(dlg->ReadingsGrid()->CellText(1, 2), newest);
}

}  // namespace
}  // namespace vorenx
