// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The main window's side of calibration runs: the host the calibration dialog
// asks for runs and defaults, the bench's keeper of the lab records, the
// register window, and the timer that sends spooled runs. Runs are made and
// fed by the station; the window adds the calibrator's description from its
// Port list.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "app/CVorenxDlg.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CalibrationHost.h"
#include "calib/CalibrationRun.h"
#include "calib_dialog/CInstrumentsDlg.h"
#include "calib_dialog/LabSettingsDlg.h"
#include "records/CalibrationStore.h"
#include "records/RecordsConnection.h"
#include "records/RecordsImport.h"
#include "records/RecordsKeeper.h"
#include "records/RecordsLocation.h"

namespace vorenx {

class CVorenxDlg::CalibrationBridge final : public CalibrationHost {
 public:
  explicit CalibrationBridge(CVorenxDlg& window) : m_window(window) {}

  std::unique_ptr<CalibrationRun> CreateRun(const CalibrationSetup& setup, RunKind kind, QString* why) override {
    return m_window.m_station.CreateRun(setup, kind, why);
  }

  CalibrationSetup CurrentDefaults() override { return m_window.m_station.CurrentDefaults(); }

  void LowerRange(FunctionCode function, bool celsius, double& low, double& high) override {
    m_window.m_station.LowerRange(function, celsius, low, high);
  }

  QString CalibratorText() override {
    const int port = m_window.m_link.Port();
    // The Port list's tooltips hold the device paths, so the library need
    // not be asked from this thread for a listed port.
    const int index = m_window.m_portList->findText(QStringLiteral("COM%1").arg(port));
    const QString path = index >= 0 ? m_window.m_portList->itemData(index, Qt::ToolTipRole).toString()
                                    : m_window.m_link.Library().PortPath(port);
    const QString text = QStringLiteral("Vorenx calibrator on COM%1").arg(port);
    return path.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, path);
  }

  bool Connected() override { return m_window.m_station.Connected(); }

 private:
  CVorenxDlg& m_window;
};

CalibrationHost& CVorenxDlg::CalibrationSide() {
  if (!m_calibration) m_calibration = std::make_shared<CalibrationBridge>(*this);
  return *m_calibration;
}

void CVorenxDlg::SetCalibrationStore(std::unique_ptr<CalibrationStore> store) {
  if (!m_calibrationDialog) m_calibrationStore = std::move(store);
}

CCalibrationDlg* CVorenxDlg::CalibrationDialog() const { return m_calibrationDialog.data(); }
CInstrumentsDlg* CVorenxDlg::InstrumentsDialog() const { return m_instrumentsDialog.data(); }

void CVorenxDlg::SetRecordsKeeper(std::unique_ptr<RecordsKeeper> keeper) {
  if (!m_calibrationDialog && !m_instrumentsDialog) m_recordsKeeper = std::move(keeper);
}

namespace {

// --records, else the "Records database" setting, else the default file.
// A setting that cannot be used falls back to the default, said on standard error.
RecordsLocation ChosenLocation(const QString& option, const QString& settingsFile) {
  QString why;
  if (std::optional<RecordsLocation> chosen = ChooseRecordsLocation(option, settingsFile, &why)) return *chosen;
  std::fprintf(stderr, "vorenx: %s: using the default records database\n", qPrintable(why));
  return DefaultRecordsLocation();
}

// The record files the program wrote before it kept lab records go into the
// records once per records location (a second import would add nothing, but
// would read every file again). A location that cannot be opened now is
// tried again at the next start; what was not imported is said on standard
// error, the files stay where they are.
void ImportRecordFilesOnce(RecordsKeeper& keeper, const RecordsLocation& location, const CalibrationStore& store) {
  QSettings settings(store.SettingsFile(), QSettings::IniFormat);
  QStringList done = settings.value(QStringLiteral("records/importedInto")).toStringList();
  const QString where = location.Text();
  if (done.contains(where) || !QDir(store.Folder()).exists()) return;
  QString error;
  LabRecords* records = keeper.Records(&error);
  if (!records) return;
  const ImportCounts counts = ImportRecordFiles(*records, store.Folder(), {SystemUserName(), {}}, [](const QString& line) {
    if (!line.contains(QLatin1String(": imported ")) && !line.contains(QLatin1String(": already imported")))
      std::fprintf(stderr, "vorenx: %s\n", qPrintable(line));
  });
  if (counts.stoppedBy != RecordsError::None) {
    std::fprintf(stderr, "vorenx: the record files were not imported: %s\n", qPrintable(counts.stoppedWhy));
    return;
  }
  if (counts.files > 0)
    std::fprintf(stderr, "vorenx: record files of %s: %s\n", qPrintable(store.Folder()), qPrintable(ImportSummary(counts)));
  done << where;
  settings.setValue(QStringLiteral("records/importedInto"), done);
}

}  // namespace

RecordsKeeper& CVorenxDlg::Keeper() {
  if (!m_calibrationStore)
    m_calibrationStore = std::make_unique<CalibrationStore>(DefaultCalibrationsFolder(), DefaultSetupFile());
  if (!m_recordsKeeper) {
    const RecordsLocation location = ChosenLocation(m_recordsLocation, m_calibrationStore->SettingsFile());
    m_recordsKeeper = std::make_unique<RecordsKeeper>(location, DefaultSpoolPath());
    ImportRecordFilesOnce(*m_recordsKeeper, location, *m_calibrationStore);
  }
  if (!m_spoolTimer) {
    // Runs kept on the bench while the lab's server was away are sent once a
    // minute. On this thread: a server that does not answer holds the window
    // for the keeper's connect timeout (5 s) at most.
    m_spoolTimer = new QTimer(this);
    m_spoolTimer->setInterval(60 * 1000);
    connect(m_spoolTimer, &QTimer::timeout, this, [this] { SendSpooledRuns(); });
    m_spoolTimer->start();
  }
  return *m_recordsKeeper;
}

void CVorenxDlg::SendSpooledRuns() {
  if (m_closing || !m_recordsKeeper || !m_recordsKeeper->IsShared() || m_recordsKeeper->PendingCount() == 0) return;
  const RecordsResult<int> sent = m_recordsKeeper->SendPending();
  if (m_calibrationDialog) m_calibrationDialog->OnSpoolSent(sent.value);
}

void CVorenxDlg::WatchSpoolLeftBefore() {
  if (QFile::exists(DefaultSpoolPath())) QTimer::singleShot(0, this, [this] { Keeper(); });
}

void CVorenxDlg::OnInstruments() {
  if (m_closing) return;
  if (!m_instrumentsDialog) {
    m_instrumentsDialog = new CInstrumentsDlg(
        Keeper(),
        [this](const Instrument& instrument, const std::optional<CalibrationSetup>& setup) {
          OnCalibration();
          if (m_calibrationDialog) m_calibrationDialog->CalibrateInstrument(instrument, setup);
        },
        this);
  }
  m_instrumentsDialog->show();
  m_instrumentsDialog->raise();
  m_instrumentsDialog->activateWindow();
}

void CVorenxDlg::OnLaboratory() {
  if (m_closing) return;
  if (!m_calibrationStore)
    m_calibrationStore = std::make_unique<CalibrationStore>(DefaultCalibrationsFolder(), DefaultSetupFile());
  CLabSettingsDlg dialog(m_calibrationStore->SettingsFile(), this);
  dialog.exec();
}

void CVorenxDlg::OnCalibration() {
  if (m_closing) return;
  if (!m_calibrationDialog) {
    RecordsKeeper& keeper = Keeper();
    m_calibrationDialog = new CCalibrationDlg(CalibrationSide(), *m_calibrationStore, keeper, this);
  }
  m_calibrationDialog->show();
  m_calibrationDialog->raise();
  m_calibrationDialog->activateWindow();
}

}  // namespace vorenx
