// The main window's side of the readings journal: starting it, handing it
// each new reading and each connection change from the worker (a queue push,
// never a wait), telling the user when writing fails or works again (stderr
// and the status line's tooltip), and "Open Journal Folder".
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>
#include <cstdio>

#include "app/CVorenxDlg.h"
#include "journal/JournalReadings.h"
#include "log/CReadingsLog.h"
#include "log/ReadingsDialogs.h"

namespace vorenx {

// Called on the journal's writer thread: prints at once and queues the
// tooltip change to the window's thread without waiting for it.
class CVorenxDlg::JournalReporter : public JournalObserver {
 public:
  explicit JournalReporter(CVorenxDlg& window) : m_window(window) {}
  void JournalFailed(const QString& message) override { Tell(message, message); }
  void JournalResumed(const QString& message) override { Tell(message, QString()); }

 private:
  void Tell(const QString& message, const QString& toolTip) {
    std::fprintf(stderr, "vorenx: %s\n", message.toLocal8Bit().constData());
    CVorenxDlg* window = &m_window;
    QMetaObject::invokeMethod(
        window,
        [window, toolTip] {
          window->m_journalToolTip = toolTip;
          window->UpdateStatusToolTip();
        },
        Qt::QueuedConnection);
  }
  CVorenxDlg& m_window;
};

namespace {
const char* const kOpenJournalFolder = "Open Journal Folder";
}  // namespace

void CVorenxDlg::StartJournal(const QString& folder) {
  m_openFolder = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
  AddLogMenuEntries();
  if (folder.isEmpty()) return;
  JournalSettings settings;
  settings.folder = folder;
  settings.start = m_sampleClock ? m_sampleClock() : SystemLocalTime();
  m_journalReporter = std::make_unique<JournalReporter>(*this);
  m_journal = std::make_unique<ReadingsJournal>(std::move(settings), m_journalReporter.get());
}

ReadingsMenu& CVorenxDlg::ReadingsContextMenu() { return m_log->Menu(); }

void CVorenxDlg::AddJournalMenuEntry() {
  // The log owns the table's context menu ("Copy All", "Print..."); the
  // journal's entry joins them, greyed out when no journal is written.
  m_log->Menu().AddEntry(
      QString::fromLatin1(kOpenJournalFolder), [this] { OnOpenJournalFolder(); }, [this] { return m_journal != nullptr; });
}

LocalTime CVorenxDlg::ReadSampleClock() {
  m_lastSampleTime = m_sampleClock ? m_sampleClock() : SystemLocalTime();
  return m_lastSampleTime;
}

void CVorenxDlg::JournalReading(int pollResult) {
  // Poll returns 1 exactly when it decoded a frame and stamped a new sample;
  // other non-zero results add a row that repeats the newest sample.
  if (!m_journal || pollResult != 1) return;
  m_journal->Append(MakeJournalReading(m_link.State(), m_lastSampleTime));
}

void CVorenxDlg::JournalStatus(const QString& text) {
  // Opening a port rewrites the status line even when it does not change;
  // the journal marks changes only. Worker thread only.
  if (!m_journal || text == m_lastJournalStatus) return;
  m_lastJournalStatus = text;
  m_journal->Note(m_sampleClock ? m_sampleClock() : SystemLocalTime(), text);
}

void CVorenxDlg::OnOpenJournalFolder() {
  if (!m_journal) return;
  const QString folder = m_journal->Folder();
  if (!m_openFolder || !m_openFolder(folder))
    m_readingsDialogs->ShowMessage(QStringLiteral("Cannot open the journal folder %1").arg(folder));
}

}  // namespace vorenx
