#pragma once
// The main window: a fixed-size dialog built from the window template's
// control table. It owns the instrument link, the command queue, the worker
// thread and every control; its handlers turn user actions into queued
// setting commands, and it serves the worker's requests (WorkerHost) on its
// own thread.
//
// Threads: every handler runs on the window's thread. The WorkerHost calls come
// from the worker; each control change is handed to the window's thread and the
// worker waits for it (a blocking hand-off). Closing the window stops the
// worker, waits for it while still serving those hand-offs, joins it, and only
// then lets the link (whose destructor closes the port) go.

#include <QDialog>
#include <QKeySequence>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "link/QelDisplayDll.h"
#include "journal/ReadingsJournal.h"
#include "link/CDeviceLink.h"
#include "link/CWorker.h"
#include "link/CommandQueue.h"
#include "link/WorkerHost.h"
#include "log/ReadingsMenu.h"
#include "platform/Clock.h"
#include "platform/DialogUnits.h"

class QCheckBox;
class QComboBox;
class QEventLoop;
class QLabel;
class QMenu;
class QPushButton;
class QTabBar;

namespace vorenx {

class CAboutDlg;
class CalibrationHost;
class CalibrationStore;
class CCalibrationDlg;
class CalibrationRun;
class CEditEx;
class CGridCtrl;
class CReadingsLog;
class CStaticLCD;
class CUpDown;
class ReadingsDialogs;
struct ControlSpec;

// System-menu command ids (the low four bits are free for the system's use).
inline constexpr unsigned kIdmAboutBox = 0x0010;
inline constexpr unsigned kScMinimize = 0xF020;
inline constexpr unsigned kScClose = 0xF060;
// String 101: the About item of the window menu.
QString AboutMenuText();
// Appends a separator and the About item (command id 16) when `text` is not empty.
void AppendAboutItem(QMenu& menu, const QString& text);

// The wave-length range as the up-down control takes it (lower end 20 in the
// high half, 120000 cut to 16 bits in the low half).
inline constexpr std::uint32_t kLengthSpinRange = 0x14D4C0;
inline constexpr int kInitialDisplayLength = 240;
inline constexpr int kInitialPort = 4;
// Keys of the Run button and the readings export, in the whole window; the
// window menu and the readings table's menu show them (Save Image has its
// own, SaveImageShortcut).
QKeySequence RunStopShortcut();   // F5
QKeySequence SaveDataShortcut();  // Ctrl+S

class CVorenxDlg : public QDialog, public WorkerHost {
  Q_OBJECT

 public:
  CVorenxDlg(QelHardDll& hard, QelDisplayDll& display, QWidget* parent = nullptr);
  CVorenxDlg(QelHardDll& hard, QelDisplayDll& display, TickSource ticks, LocalTimeSource clock,
             QWidget* parent = nullptr);
  // With the readings journal written into `journalFolder` (none when empty).
  CVorenxDlg(QelHardDll& hard, QelDisplayDll& display, TickSource ticks, LocalTimeSource clock,
             const QString& journalFolder, QWidget* parent = nullptr);
  ~CVorenxDlg() override;

  // The control with template id `id` (its objectName is the id), or null.
  QWidget* Control(int id) const;
  CDeviceLink& Link() { return m_link; }
  CommandQueue& Commands() { return m_commands; }
  int DisplayLength() const { return m_displayLength.load(); }
  QMenu* SystemMenu() const { return m_systemMenu; }
  // True once the worker thread has ended.
  bool WorkerFinished() const { return !m_worker || m_worker->Finished(); }
  // Hand-offs the worker has started and the window has not finished yet.
  int PendingHandOffs() const { return m_handOffs.load(); }
  // How the About box is shown; by default modally with exec(). Tests replace it.
  void SetAboutRunner(std::function<int(CAboutDlg&)> run) { m_runAbout = std::move(run); }
  // The save-as dialog and message box of the readings export; tests replace them.
  void SetReadingsDialogs(std::unique_ptr<ReadingsDialogs> dialogs);
  // Why the last open of a port failed (empty when it opened); shown as the
  // status line's tooltip while the link is disconnected. Called on the
  // window's thread while the worker waits, so it never races the library.
  void SetPortProblemSource(std::function<QString(int port)> source) { m_portProblem = std::move(source); }
  CStaticLCD* Panel() const { return m_panel; }
  CGridCtrl* ReadingsGrid() const { return m_readings; }

  CWorker* Worker() const { return m_worker.get(); }
  // The readings journal (CVorenxDlgJournal.cpp); null when none is written.
  ReadingsJournal* Journal() const { return m_journal.get(); }
  ReadingsMenu& ReadingsContextMenu();
  // "Open Journal Folder": shows the folder in the desktop's file manager.
  void OnOpenJournalFolder();
  // How a folder is shown; by default the desktop's file manager. Tests replace it.
  void SetFolderOpener(std::function<bool(const QString&)> open) { m_openFolder = std::move(open); }

  // What the calibration dialog drives the instrument through
  // (CVorenxDlgCalibration.cpp): runs that go through this window's link and
  // command queue, and defaults from its settings.
  CalibrationHost& CalibrationSide();
  // "Calibration..." (Ctrl+K, the window menu, the readings table's menu):
  // shows the calibration dialog, made on first use.
  void OnCalibration();
  CCalibrationDlg* CalibrationDialog() const;
  // Where calibration records and the last setup are kept; by default the
  // user's data and config folders. Tests give their own before the first
  // OnCalibration.
  void SetCalibrationStore(std::unique_ptr<CalibrationStore> store);

  // Closes the dialog: stops the worker and waits for it first.
  void done(int result) override;
  // The close box, Escape, Alt+F4: asks first while a calibration run is in progress.
  void reject() override;
  // Closes in order without asking anyone (a termination signal): a
  // calibration run ends with `reason` and its record is kept, dialogs and
  // menus over the window close, then the window.
  void CloseWithoutAsking(const QString& reason);

  // --- Handlers (window's thread) -------------------------------------------
  void OnSysCommand(unsigned id);
  void OnRunClicked();
  void OnPortChanged(int index);
  void OnDestroy();
  // Settings panel.
  void OnTabChanged();
  void OnOutClicked();
  void OnUpperFunctionChanged();
  void OnVoltUnitChanged();
  void OnIntervalChanged();
  void OnCelsiusClicked();
  void BuildLowerCommand();
  // Wave settings.
  void OnLengthSpin(int delta, int* result);
  void OnLengthKillFocus();
  void OnWaveShowChange();
  // Readings export.
  void OnSaveData();

  // --- WorkerHost (worker thread) -----------------------------------------------
  void SetStatusText(const QString& text) override;
  void SetRunText(const QString& text) override;
  void SelectPort(int port) override;
  void RedrawPanel() override;
  void UpdateReadingsTable(int pollResult) override;
  void RefreshFromInstrument(const InstrumentState& state) override;
  void ResetReadingsTable() override;
  float FitSourceField(float low, float high, const std::function<int(float)>& decimalsFor) override;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool OnInitDialog();
  void CreateControls();
  QWidget* CreateControl(const ControlSpec& entry);
  void ConnectHandlers();
  // Mouse wheels change only a list that has the keyboard focus, never the tabs.
  void GuardAgainstWheels();
  // Opened lists are wide enough for their longest item.
  void FitListPopups();
  // Connects `signal` of `sender` to `handler`, which then runs only for the
  // user's own actions: never while the program itself changes controls.
  template <typename Sender, typename Signal, typename Handler>
  void OnUserAction(Sender* sender, Signal signal, Handler handler) {
    connect(sender, signal, this, [this, handler] {
      if (!m_programChange) handler();
    });
  }
  void ShowSystemMenu(const QPoint& globalPos);
  // Where a menu opened from the keyboard goes: over the focus widget.
  QPoint KeyboardMenuPos() const;
  // The keys of the window's commands, and their entries in the window menu.
  void AddCommandKeys();
  // Ends the worker: request stop, wait in a local event loop that still serves
  // its hand-offs, join. Safe to call more than once.
  void StopWorker();

  // Settings panel helpers.
  void ShowTabControls();
  void ApplyOutputState();
  void UpdateSpanLabel();
  void UpdateUnitLabel();
  void UpdateRangeLabel();
  // The lower function the panel's controls show, or -1 when they show none.
  int PanelLowerFunction() const;
  // Clears "Out" when the panel now shows another lower function than the
  // request holds, so that a new function never starts with the output on.
  // True when it cleared it.
  bool OutputOffForNewFunction();
  void RefreshOnWindowThread(const InstrumentState& s);
  // Wave settings: the length field's number, or m_displayLength when it is 0.
  int ReadLengthField() const;
  void SetDisplayLength(int length);

  // Readings journal (CVorenxDlgJournal.cpp).
  class JournalReporter;
  void StartJournal(const QString& folder);
  void AddJournalMenuEntry();  // into the log's context menu
  void AddLogMenuEntries();    // the journal's and the calibration's
  void JournalReading(int pollResult);  // worker, after a poll
  void JournalStatus(const QString& text);  // worker, on a status-line change
  LocalTime ReadSampleClock();

  // Calibration runs (CVorenxDlgCalibration.cpp), window's thread only.
  class CalibrationBridge;
  // The run that drives the instrument, fed with each decoded reading and
  // each status-line change.
  void FeedCalibrationReading(int pollResult);
  void FeedCalibrationConnection(bool connected);
  // Aborts a run that has not ended, so that its output-off is queued before
  // the worker stops.
  void EndCalibrationRun(const QString& reason);
  // The poll interval the user chose in the Interval list.
  int ChosenIntervalIndex() const;

  // Runs `f` on the window's thread and waits for it (directly when already
  // there). The worker holds no lock while it waits.
  template <typename F>
  void OnWindowThread(F&& f) {
    if (QThread::currentThread() == thread()) {
      f();
      return;
    }
    m_handOffs.fetch_add(1);
    QMetaObject::invokeMethod(this, std::forward<F>(f), Qt::BlockingQueuedConnection);
    m_handOffs.fetch_sub(1);
  }

  QelDisplayDll& m_display;
  // The link's clock; the time of the newest sample is kept for the journal
  // (worker thread only).
  LocalTimeSource m_sampleClock;
  LocalTime m_lastSampleTime;
  QString m_lastJournalStatus;  // the status line as last noted in the journal (worker)
  CDeviceLink m_link;
  CommandQueue m_commands;
  std::atomic<std::int32_t> m_displayLength{0};
  DialogBaseUnits m_units;

  // Controls, in the order the window binds them.
  QComboBox* m_portList = nullptr;
  QPushButton* m_runButton = nullptr;
  QCheckBox* m_outBox = nullptr;
  QComboBox* m_wiringList = nullptr;
  QComboBox* m_tcList = nullptr;
  QComboBox* m_rtdList = nullptr;
  QComboBox* m_waveShowList = nullptr;
  QLabel* m_status = nullptr;
  QTabBar* m_tabs = nullptr;
  QLabel* m_divLabel = nullptr;
  QComboBox* m_voltUnitList = nullptr;
  QCheckBox* m_hartBox = nullptr;
  QCheckBox* m_simulationBox = nullptr;
  QCheckBox* m_cjcBox = nullptr;
  QLabel* m_rangeLabel = nullptr;
  QComboBox* m_upperList = nullptr;
  QLabel* m_spanLabel = nullptr;
  QCheckBox* m_celsiusBox = nullptr;
  CEditEx* m_sourceValue = nullptr;
  QLabel* m_unitLabel = nullptr;
  QComboBox* m_intervalList = nullptr;
  CStaticLCD* m_panel = nullptr;
  CGridCtrl* m_readings = nullptr;
  CUpDown* m_lengthSpin = nullptr;
  CEditEx* m_lengthField = nullptr;
  QPushButton* m_saveData = nullptr;
  std::map<int, QWidget*> m_controls;
  std::unique_ptr<ReadingsDialogs> m_readingsDialogs;
  std::unique_ptr<CReadingsLog> m_log;

  std::function<QString(int)> m_portProblem;
  // The status line's tooltip: why the port cannot be used, and why the
  // journal cannot be written (window thread only).
  QString m_portToolTip;
  QString m_journalToolTip;
  void UpdateStatusToolTip();
  // Set while the program changes controls itself (a refresh, a hand-off, the
  // output switched off for a new function): handlers do not run then.
  bool m_programChange = false;

  QMenu* m_systemMenu = nullptr;
  std::function<int(CAboutDlg&)> m_runAbout;
  QEventLoop* m_stopLoop = nullptr;
  bool m_closing = false;
  std::atomic<int> m_handOffs{0};
  std::function<bool(const QString&)> m_openFolder;
  std::unique_ptr<JournalObserver> m_journalReporter;
  std::unique_ptr<ReadingsJournal> m_journal;  // ends after the worker, before the reporter
  std::shared_ptr<CalibrationBridge> m_calibration;  // made on first use
  QPointer<CalibrationRun> m_calibrationRun;  // owned by whoever created it
  bool m_fastPolling = false;  // a run polls at the fastest interval
  std::unique_ptr<CalibrationStore> m_calibrationStore;
  QPointer<CCalibrationDlg> m_calibrationDialog;  // a child; deleted before the members go
  // Declared last so that it is destroyed first, before the link.
  std::unique_ptr<CWorker> m_worker;
};

}  // namespace vorenx
