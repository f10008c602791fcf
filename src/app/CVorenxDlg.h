// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The main window: a fixed-size dialog built from the window template's
// control table. It owns the instrument's station (the link m_link, the
// command queue m_commands, the worker thread, the journal) and every control;
// its handlers turn user actions into queued setting commands, and it is a
// view of the station: it shows what the worker reports.
//
// Threads: every handler and every view function runs on the window's
// thread; the station delivers the worker's reports here and the worker never
// waits for them, except for the source field's value (FitSourceField) and the
// panel, which the worker composes. Closing the window stops the worker
// (answering that one question if it waits), joins it, and only then lets the
// link (whose destructor closes the port) go.

#include <QDialog>
#include <QKeySequence>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "app/AlarmSettings.h"
#include "link/QelDisplayDll.h"
#include "log/ReadingsMenu.h"
#include "platform/Clock.h"
#include "platform/DialogUnits.h"
#include "station/InstrumentStation.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabBar;
class QTimer;

namespace vorenx {

class CAboutDlg;
class CAlarmDlg;
class CStatisticsWnd;
class CalibrationHost;
class CalibrationStore;
class CCalibrationDlg;
class CInstrumentsDlg;
class RecordsKeeper;
class CalibrationRun;
class CEditEx;
class CGridCtrl;
class CReadingsLog;
class CStaticLCD;
class CUpDown;
class UserDialogs;
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

class CVorenxDlg : public QDialog {
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
  InstrumentStation& Station() { return m_station; }
  CDeviceLink& Link() { return m_link; }
  CommandQueue& Commands() { return m_commands; }
  int DisplayLength() { return m_station.DisplayLength().load(); }
  QMenu* SystemMenu() const { return m_systemMenu; }
  // True once the worker thread has ended.
  bool WorkerFinished() const { return m_station.WorkerFinished(); }
  // Reports the worker has made that the window has not shown yet.
  int PendingHandOffs() const { return m_station.PendingReports(); }
  // How the About box is shown; by default modally with exec(). Tests replace it.
  void SetAboutRunner(std::function<int(CAboutDlg&)> run) { m_runAbout = std::move(run); }
  // The save-as dialog, message box and print dialog of the readings table and
  // the window's own messages (the calibration dialog has its own); tests
  // replace them.
  void SetUserDialogs(std::unique_ptr<UserDialogs> dialogs);
  // Why the last open of a port failed (empty when it opened); shown as the
  // status line's tooltip while the link is disconnected. Called on the
  // window's thread, while the worker may be using the library.
  void SetPortProblemSource(std::function<QString(int port)> source) { m_portProblem = std::move(source); }
  CStaticLCD* Panel() const { return m_panel; }
  CGridCtrl* ReadingsGrid() const { return m_readings; }

  CWorker* Worker() const { return m_station.Worker(); }
  // The readings journal; null when none is written.
  ReadingsJournal* Journal() const { return m_station.Journal(); }
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
  // Where the lab's records are: --records's location, given before the
  // first OnCalibration; empty for the "Records database" setting, else the default.
  void SetRecordsLocation(const QString& location) { m_recordsLocation = location; }
  // The bench's keeper of calibrations (tests give their own before the first
  // OnCalibration or OnInstruments); made on first use.
  void SetRecordsKeeper(std::unique_ptr<RecordsKeeper> keeper);
  RecordsKeeper& Keeper();
  // "Instruments..." (beside "Calibration..."): the register window, made on first use.
  void OnInstruments();
  CInstrumentsDlg* InstrumentsDialog() const;
  // "Laboratory..." (the window menu): the lab's name, address, signatory and
  // country its certificates carry, in the settings beside the last setup.
  void OnLaboratory();
  // Sends the runs waiting in the bench's spool (the 60 s timer's work).
  void SendSpooledRuns();
  // At the start: a spool left by an earlier session starts the timer.
  void WatchSpoolLeftBefore();

  // --- Several windows, statistics and alarms (CVorenxDlgWatch.cpp) ----------
  // "New Window" (Ctrl+N, the window menu): another program for another
  // instrument; a failure to start it is told in a message.
  void OnNewWindow();
  // How another program is started (false with `why` when it cannot be); by
  // default this program without arguments. The program's start gives its own.
  void SetNewWindowStarter(std::function<bool(QString* why)> start) { m_startNewWindow = std::move(start); }
  // "Statistics..." (the window menu): the statistics tool window, made on first use.
  void OnStatistics();
  CStatisticsWnd* StatisticsWindow() const;
  // "Alarms..." (the window menu): the alarm dialog; OK applies what it holds.
  void OnAlarms();
  // How the alarm dialog is shown; by default modally with exec(). Tests replace it.
  void SetAlarmDialogRunner(std::function<int(CAlarmDlg&)> run) { m_runAlarmDialog = std::move(run); }
  // The limits go to the station (judged from the next reading on), the
  // program too; the beep stays here. The caller checks them (AlarmSettingsProblem).
  void ApplyAlarmSettings(const AlarmSettings& settings);
  const AlarmSettings& Alarms() const { return m_alarmSettings; }
  // How a raise is made audible; by default QApplication::beep. Tests replace it.
  void SetBeeper(std::function<void()> beep) { m_beep = std::move(beep); }
  // The status line's message beside "Connected": alarms that are on (red),
  // else why the port cannot be used, else the last alarm's end.
  QLabel* StatusMessage() const { return m_statusMessage; }

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

  // --- The window as the station's view (window's thread, CVorenxDlgHost.cpp) ---
  // Status line: "Connected" or "DisConnected"; the tooltip says why the port
  // cannot be used while disconnected.
  void SetStatusText(const QString& text);
  // Run button: "Stop" while polling runs, "Run" while paused.
  void SetRunText(const QString& text);
  // Port list: select entry `port`; 10 or more leaves no selection. Queues nothing.
  void SelectPort(int port);
  // The newest reading at the top of the readings table.
  void UpdateReadingsTable(const ReadingRow& row);
  // Brings the settings panel into line with the decoded state (never queues
  // a command); a side that is not current (changed since its poll) stays.
  void RefreshFromInstrument(const InstrumentState& state, bool upperCurrent = true, bool lowerCurrent = true);
  // Empties the readings table and lays it out as at start-up.
  void ResetReadingsTable();
  // Fits the source value field to [low, high] with the decimals `decimalsFor`
  // gives for its number held into those limits, re-validates it and returns
  // its value (0 when empty).
  float FitSourceField(float low, float high, const std::function<int(float)>& decimalsFor);

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
  // Shows the station's reports in this window.
  void ConnectStation();
  // Ends the worker (the station answers a question it waits on) and joins
  // it. Safe to call more than once.
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
  void RefreshOnWindowThread(const InstrumentState& s, bool upperCurrent, bool lowerCurrent);
  // Wave settings: the length field's number, or m_displayLength when it is 0.
  int ReadLengthField() const;
  void SetDisplayLength(int length);

  // Several windows, statistics and alarms (CVorenxDlgWatch.cpp).
  void CreateStatusMessage();
  void AddWatchMenuEntries();
  void OnAlarmChanged(const WatchAlarm& alarm);
  void ShowStatusMessage();
  // "Vorenx Ver 1.0.0.2 - COM5": the title names the port in use.
  void UpdateTitle(int port);

  // Readings journal (CVorenxDlgJournal.cpp).
  void StartJournal(const QString& folder);
  void AddJournalMenuEntry();  // into the log's context menu
  void AddLogMenuEntries();    // the journal's and the calibration's

  // Calibration runs (CVorenxDlgCalibration.cpp), window's thread only.
  class CalibrationBridge;
  // The poll interval the user chose in the Interval list.
  int ChosenIntervalIndex() const;

  QelDisplayDll& m_display;
  // The station first: everything below may use its link and queue.
  InstrumentStation m_station;
  CDeviceLink& m_link;
  CommandQueue& m_commands;
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
  std::unique_ptr<UserDialogs> m_userDialogs;
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
  bool m_closing = false;
  std::function<bool(const QString&)> m_openFolder;
  std::shared_ptr<CalibrationBridge> m_calibration;  // made on first use
  std::unique_ptr<CalibrationStore> m_calibrationStore;
  QPointer<CCalibrationDlg> m_calibrationDialog;  // a child; deleted before the members go
  QPointer<CInstrumentsDlg> m_instrumentsDialog;  // a child, as the calibration dialog
  QString m_recordsLocation;
  std::unique_ptr<RecordsKeeper> m_recordsKeeper;
  QTimer* m_spoolTimer = nullptr;

  // Several windows, statistics and alarms.
  std::function<bool(QString*)> m_startNewWindow;
  QPointer<CStatisticsWnd> m_statisticsWnd;  // a child, made on first use
  std::function<int(CAlarmDlg&)> m_runAlarmDialog;
  AlarmSettings m_alarmSettings;
  std::function<void()> m_beep;
  QLabel* m_statusMessage = nullptr;
  std::array<QString, 2> m_alarmMessages;  // of the alarms that are on, per display
  QString m_lastAlarmEnd;                  // the last clear, while none is on
  QString m_alarmProgramProblem;
};

}  // namespace vorenx
