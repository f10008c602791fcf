// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/CVorenxDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTimer>

#include "app/CAboutDlg.h"
#include "app/CEditEx.h"
#include "app/CUpDown.h"
#include "app/ControlTable.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CInstrumentsDlg.h"
#include "records/CalibrationStore.h"
#include "records/RecordsKeeper.h"
#include "display/CStaticLCD.h"
#include "log/CReadingsLog.h"
#include "platform/FileText.h"

namespace vorenx {

QKeySequence RunStopShortcut() { return QKeySequence(Qt::Key_F5); }
QKeySequence SaveDataShortcut() { return QKeySequence(Qt::CTRL | Qt::Key_S); }

QString AboutMenuText() { return QStringLiteral("关于 Vorenx(&A)..."); }

void AppendAboutItem(QMenu& menu, const QString& text) {
  if (text.isEmpty()) return;
  menu.addSeparator();
  QAction* about = menu.addAction(text);
  about->setData(kIdmAboutBox);
}

CVorenxDlg::CVorenxDlg(QelHardDll& hard, QelDisplayDll& display, QWidget* parent)
    : CVorenxDlg(hard, display, SystemTicks(), SystemClock(), parent) {}

CVorenxDlg::CVorenxDlg(QelHardDll& hard, QelDisplayDll& display, TickSource ticks,
                       LocalTimeSource clock, QWidget* parent)
    : CVorenxDlg(hard, display, std::move(ticks), std::move(clock), QString(), parent) {}

CVorenxDlg::CVorenxDlg(QelHardDll& hard, QelDisplayDll& display, TickSource ticks,
                       LocalTimeSource clock, const QString& journalFolder, QWidget* parent)
    : QDialog(parent),
      m_display(display),
      m_station(hard, display, std::move(ticks), std::move(clock)),
      m_link(m_station.Link()),
      m_commands(m_station.Commands()),
      m_runAbout([](CAboutDlg& about) { return about.exec(); }) {
  setWindowIcon(ApplicationIcon());
  CreateControls();
  CreateStatusMessage();
  StartJournal(journalFolder);  // before the worker starts
  OnInitDialog();
}

CVorenxDlg::~CVorenxDlg() {
  // Normally the worker ended when the dialog closed; a window destroyed
  // without closing stops it here, while its controls still exist; a
  // calibration run's output-off is queued first.
  // The calibration dialog is a child, which would go after the members its
  // run reaches: it goes first, ending its run with the output off.
  delete m_calibrationDialog;
  delete m_instrumentsDialog;
  m_station.EndCalibrationRun(QStringLiteral("The main window was closed"));
  StopWorker();
  // The panel outlives the link (children go after members): let it forget it.
  m_panel->SetLink(nullptr);
}

void CVorenxDlg::SetUserDialogs(std::unique_ptr<UserDialogs> dialogs) {
  m_userDialogs = std::move(dialogs);
  m_log = std::make_unique<CReadingsLog>(*m_readings, m_link.History(), *m_userDialogs);
  AddLogMenuEntries();
}

void CVorenxDlg::AddLogMenuEntries() {
  // After the log's own entries ("Copy All", "Print..."): the journal's and
  // the calibration dialog's.
  m_log->Menu().AddEntry(tr("Save Data..."), [this] { OnSaveData(); }, {}, SaveDataShortcut());
  m_log->Menu().AddEntry(tr("Run/Stop"), [this] { OnRunClicked(); }, {}, RunStopShortcut());
  AddJournalMenuEntry();
  m_log->Menu().AddEntry(tr("Calibration..."), [this] { OnCalibration(); });
}

void CVorenxDlg::OnSaveData() { m_log->OnSaveData(); }

void CVorenxDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The panel shows its finished image; compose one for the first show.
  m_panel->Redraw();
}

bool CVorenxDlg::OnInitDialog() {
  // The window menu (no window manager offers one to the program): Alt+Space
  // and a right click on the window's background open it.
  m_systemMenu = new QMenu(this);
  // "Calibration..." has no command id: it is handled by its own connection.
  connect(m_systemMenu->addAction(tr("Calibration...\tCtrl+K")), &QAction::triggered, this,
          [this] { OnCalibration(); });
  // The register window beside it, in the window menu only (the readings
  // table's menu is about the readings).
  connect(m_systemMenu->addAction(tr("Instruments...")), &QAction::triggered, this, [this] { OnInstruments(); });
  connect(m_systemMenu->addAction(tr("Laboratory...")), &QAction::triggered, this, [this] { OnLaboratory(); });
  AddWatchMenuEntries();
  AddCommandKeys();
  m_systemMenu->addSeparator();
  m_systemMenu->addAction(tr("Minimize"))->setData(kScMinimize);
  m_systemMenu->addAction(tr("Close"))->setData(kScClose);
  AppendAboutItem(*m_systemMenu, AboutMenuText());
  connect(m_systemMenu, &QMenu::triggered, this,
          [this](QAction* action) { OnSysCommand(action->data().toUInt()); });
  auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(menuKey, &QShortcut::activated, this, [this] { ShowSystemMenu(mapToGlobal(QPoint(0, 0))); });
  // Under a window manager Alt+Space opens the manager's own menu: F1 opens
  // the About box wherever the focus is.
  auto* calibrationKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), this);
  connect(calibrationKey, &QShortcut::activated, this, [this] { OnCalibration(); });
  auto* aboutKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(aboutKey, &QShortcut::activated, this, [this] { OnSysCommand(kIdmAboutBox); });

  setWindowTitle(QStringLiteral("Vorenx Ver ") + VersionText());

  // Each Port entry names its device path in a tooltip ("COM4" alone says
  // nothing on Linux).
  for (int i = 0; i < m_portList->count(); ++i)
    m_portList->setItemData(i, m_link.Library().PortPath(m_portList->itemText(i).mid(3).toInt()), Qt::ToolTipRole);

  // The initial Port selection queues its open command; no other thread
  // exists yet.
  m_portList->setCurrentIndex(m_portList->findText(QStringLiteral("COM%1").arg(kInitialPort)));
  OnPortChanged(m_portList->currentIndex());

  m_tabs->blockSignals(true);
  for (const QString& tab : LowerTabTexts()) m_tabs->addTab(ShownControlText(tab));
  m_tabs->setCurrentIndex(0);
  m_tabs->blockSignals(false);
  ShowTabControls();

  for (const QString& item : UpperFunctionItems()) m_upperList->addItem(ShownControlText(item));
  m_upperList->setCurrentIndex(0);
  UpdateSpanLabel();

  for (QComboBox* list : {m_voltUnitList, m_wiringList, m_tcList, m_rtdList}) list->setCurrentIndex(0);
  ApplyOutputState();
  UpdateUnitLabel();

  m_intervalList->setCurrentIndex(m_link.IntervalIndex());
  // The source value is validated once, by the lower command, with the
  // decimals of the number being sent; validating it on leaving would round
  // it first to the decimals of the number sent before (12.34 -> 12.3).
  m_sourceValue->SetValidateOnKillFocus(false);

  m_panel->InitBuffers();
  m_panel->SetLink(&m_link);
  m_log->SetUpReadingsTable();

  m_station.DisplayLength().store(kInitialDisplayLength);
  m_lengthField->SetAllowNegative(false);
  m_lengthField->SetDecimals(0);
  m_lengthField->SetLimits(20.0f, 120000.0f);
  m_lengthSpin->SetRange32(kLengthSpinRange);
  m_lengthSpin->SetPos(kInitialDisplayLength);
  m_lengthSpin->SetBuddy(m_lengthField);
  m_lengthField->SetValue(kInitialDisplayLength);

  m_waveShowList->setCurrentIndex(0);
  GuardAgainstWheels();
  FitListPopups();

  // The worker starts last: everything it touches exists by now.
  ConnectStation();
  m_station.Start();
  return true;
}

void CVorenxDlg::AddCommandKeys() {
  // Each key is a shortcut of the window; the menu entries only show it (a
  // closed menu's entries take no keys, so nothing is ambiguous).
  const auto add = [this](const QString& text, const QKeySequence& key, auto run) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, run);
    QAction* entry = m_systemMenu->addAction(text);
    entry->setShortcut(key);
    entry->setShortcutVisibleInContextMenu(true);
    connect(entry, &QAction::triggered, this, run);
  };
  add(tr("Save Data..."), SaveDataShortcut(), [this] { OnSaveData(); });
  add(tr("Run/Stop"), RunStopShortcut(), [this] { OnRunClicked(); });
  // The panel's own shortcut does the work; the entry only shows it.
  QAction* saveImage = m_systemMenu->addAction(tr("Save Image"));
  saveImage->setShortcut(SaveImageShortcut());
  saveImage->setShortcutVisibleInContextMenu(true);
  connect(saveImage, &QAction::triggered, m_panel, &CStaticLCD::OnSaveImage);
}

void CVorenxDlg::ShowSystemMenu(const QPoint& globalPos) { m_systemMenu->popup(globalPos); }

QPoint CVorenxDlg::KeyboardMenuPos() const {
  const QWidget* focus = focusWidget();
  if (!focus || !isAncestorOf(focus)) return mapToGlobal(QPoint(0, 0));
  return focus->mapToGlobal(focus->rect().center());
}

void CVorenxDlg::contextMenuEvent(QContextMenuEvent* event) {
  // From the Menu key the event's place is the mouse pointer's, which may be
  // anywhere: the menu opens over the control that has the focus instead.
  ShowSystemMenu(event->reason() == QContextMenuEvent::Keyboard ? KeyboardMenuPos() : event->globalPos());
}

void CVorenxDlg::OnSysCommand(unsigned id) {
  if ((id & 0xFFF0u) == kIdmAboutBox) {
    CAboutDlg about(this);
    m_runAbout(about);
    return;
  }
  switch (id & 0xFFF0u) {
    case kScMinimize:
      showMinimized();
      break;
    case kScClose:
      close();
      break;
    default:
      break;
  }
}

void CVorenxDlg::OnRunClicked() { m_commands.PostCommand({CmdToggleRun, 0}); }

void CVorenxDlg::OnPortChanged(int index) { m_commands.PostCommand({CmdOpenPort, index}); }

void CVorenxDlg::OnDestroy() {
  if (Worker()) Worker()->RequestStop();
}

void CVorenxDlg::StopWorker() {
  OnDestroy();
  m_station.Stop();
}

void CVorenxDlg::done(int result) {
  if (m_closing) return;  // a second close while the first waits for the worker
  m_closing = true;
  m_station.EndCalibrationRun(QStringLiteral("The main window was closed"));
  if (m_calibrationDialog) m_calibrationDialog->close();
  StopWorker();
  QDialog::done(result);
}

void CVorenxDlg::reject() {
  // The close box, Alt+F4, Escape and the window menu's Close: a calibration
  // run in progress is ended only if the user agrees, as in its own dialog.
  if (m_calibrationDialog && !m_closing && !m_calibrationDialog->AbortRunIfAgreed(QStringLiteral("The main window was closed")))
    return;
  QDialog::reject();
}

void CVorenxDlg::CloseWithoutAsking(const QString& reason) {
  if (m_closing) return;
  // A run ends first (output off, record kept with the reason), so that
  // nothing below asks about it.
  if (m_calibrationDialog) m_calibrationDialog->EndWithoutAsking(reason);
  m_station.EndCalibrationRun(reason);
  // Dialogs and menus open over the window (the About box, a file dialog, a
  // question) are closed first, so that their own event loops end before the
  // window's.
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top == this || !top->isVisible()) continue;
    if (auto* dialog = qobject_cast<QDialog*>(top))
      dialog->reject();
    else if (qobject_cast<QMenu*>(top))
      top->close();
  }
  QTimer::singleShot(0, this, [this] { done(QDialog::Rejected); });
}

void CVorenxDlg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Enter presses a focused push button. Anywhere else it does nothing: one
    // stray Enter must not end a logging session (Escape and the close box do).
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) button->click();
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Menu) {
    // Reached when the focus widget has no menu of its own (where the window
    // system sends no menu event for the key itself).
    ShowSystemMenu(KeyboardMenuPos());
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CVorenxDlg::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // The panel composes and repaints only itself (it is opaque, so this window
  // is not painted again for it): no paint loop.
  m_panel->Redraw();
}

}  // namespace vorenx
