// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The "Calibration" dialog: the setup of a calibration (instrument under
// test, input and output spans, test points, tolerance, settling rule), the
// as-found and as-left runs, their results, and saving them as CSV and as a
// PDF certificate. Non-modal; runs go through the CalibrationHost, so the
// dialog never talks to the instrument itself.
//
// Each calibration is one draft in the lab's records, kept through the
// bench's RecordsKeeper: stored when the as-found run ends and changed in
// place with the as-left run when that ends (or kept in the bench's spool
// while the lab's server is away). The tag is offered from the register and
// a run names the reference standard it is made with; an overdue standard is
// used only with a reason, which goes into the audit trail. The record keeps
// the standard as it stood, with the accuracy table the run's uncertainties
// come from, and the ambient conditions entered before the run. The previous
// as-left, for the drift, is the newest complete one in the records. The
// CalibrationStore keeps the last setup only.

#include <QDialog>
#include <QPointer>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "calib_dialog/CalibrationDialogSettings.h"
#include "calib_dialog/CalibrationHost.h"
#include "platform/UserDialogs.h"
#include "records/CalibrationRecord.h"
#include "records/CalibrationStore.h"
#include "records/RecordsKeeper.h"

class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vorenx {

class CalibrationResultsTable;
struct CertificateData;

class CCalibrationDlg : public QDialog {
  Q_OBJECT

 public:
  CCalibrationDlg(CalibrationHost& host, CalibrationStore& store, RecordsKeeper& keeper, QWidget* parent = nullptr);
  ~CCalibrationDlg() override;

  // Replaces the confirmations, file dialogs and message boxes (tests).
  void SetDialogs(UserDialogs& dialogs) { m_dialogs = &dialogs; }

  // The setup as the fields hold it, and every problem with it (field by field).
  CalibrationSetup FormSetup(std::vector<SetupProblem>* problems) const;
  // Fills the fields from `setup`.
  void ShowSetup(const CalibrationSetup& setup);
  // The ambient conditions as their fields hold them (nullopt where empty),
  // and every problem with them.
  Environment FormEnvironment(std::vector<SetupProblem>* problems) const;
  // The widget of a field and the label that shows its problems.
  QWidget* Field(SetupField field) const;
  QLabel* ProblemLabel(SetupField field) const;

  // Starts a run as the buttons do; false when none was started.
  bool StartAsFound();
  bool StartAsLeft();
  void AbortRun();
  void SaveCsv();
  void SaveSpreadsheetCsv();
  void SaveCertificate();
  // The digital certificate (XML) of the calibration in the lab's records.
  void SaveDigitalCertificate();

  // With a run in progress, asks whether to abort it and close (as the Close
  // button does) and aborts it with `reason` on yes. True when nothing is
  // running any more.
  bool AbortRunIfAgreed(const QString& reason);
  // Aborts a run in progress with `reason` (the record is kept) and hides the
  // dialog, without asking or showing anything: for a program told to end.
  void EndWithoutAsking(const QString& reason);

  CalibrationRun* ActiveRun() const { return m_run.get(); }
  const CalibrationRecord& Record() const { return m_record; }
  CalibrationResultsTable* ResultsTable() const { return m_table; }
  QString StatusLine() const;
  // What the bench knows of the calibration kept last (its certificate number
  // once it reached the records).
  const KeptRun& Kept() const { return m_kept; }

  // Reads the register's tags and the reference standards again.
  void ReloadRegister();
  // "Add standard...": asks for a new reference standard and stores it.
  void AddStandard();
  // Stores `standard` in the records and chooses it; false with a message shown.
  bool StoreStandard(const ReferenceStandard& standard);
  // From the register window: the setup of the instrument's last calibration
  // (or the current one with its tag and description) in the fields.
  void CalibrateInstrument(const Instrument& instrument, const std::optional<CalibrationSetup>& setup);
  // After the main window sent spooled runs: says how many went and how many wait.
  void OnSpoolSent(int sent);

 public slots:
  void reject() override;

 private:
  // What the certificate says, from the lab's records once the calibration
  // has reached them (the runs as they are before it was kept); false (the
  // user told why) while it waits in the spool or the records fail
  // (CCalibrationDlgCertificate.cpp).
  bool IssueCertificate(CertificateData& data);
  // The form (CCalibrationDlgForm.cpp).
  QWidget* BuildForm();
  // The ambient conditions' fields, beside the form and not part of the setup.
  QWidget* BuildAmbient();
  struct RowField {
    QWidget* widget;
    SetupField field;
    const char* name;  // object names of the field and of its "problem_" label
  };
  QWidget* FieldRow(const std::vector<QWidget*>& parts, const std::vector<RowField>& fields);
  // The resolution offered for a new setup, in output units: the last digit
  // of a typical transmitter's output, 0.001 mA or 0.001 V.
  static constexpr double kDefaultResolution = 0.001;
  // A setup that was not calibrated with before (the host's defaults): a
  // resolution to start from when it has none.
  void ShowNewSetup(CalibrationSetup setup);
  // The problems of the setup and of the ambient conditions, with what the fields hold.
  std::vector<SetupProblem> FormProblems(CalibrationSetup* setup, Environment* environment) const;
  // Empties the ambient conditions: each calibration has its own.
  void ClearEnvironment();
  // "low to high unit", the two numbers with their problems.
  QWidget* SpanRow(QLineEdit*& low, QLineEdit*& high, QLabel*& unit, SetupField lowField, SetupField highField,
                   const std::array<const char*, 2>& names);
  void OnInputFunctionChosen();
  void OnOutputFunctionChosen();
  void UpdateInputControls();
  // Shows each problem at its field; `focusFirst` moves the focus to the first.
  void ShowProblems(const std::vector<SetupProblem>& problems, bool focusFirst = true);
  // After an edit, problems shown are checked again, so a corrected field's go.
  void OnFieldEdited();

  // The runs (CCalibrationDlg.cpp); `accuracy` is the table of the run's uncertainties.
  bool StartRun(const CalibrationSetup& setup, RunKind kind, const std::vector<AccuracySpec>& accuracy);
  void OnRunState();
  void AskToConfirmOutput();
  // True when the run waits for the user to let the output go on.
  bool NeedsConfirmation() const;
  void OnRunEnded();
  // Puts `result` into the record and keeps it; the error, or empty when it
  // was kept (m_keptText then says where).
  QString KeepResult(const RunResult& result);
  // Before the first keep of a calibration: a tag not in the register is
  // added with the setup's description. The error, or empty.
  QString RegisterTag(const CalibrationSetup& setup);
  // The standard chosen for a new calibration as the record keeps it, asking
  // for the reason when it is overdue (noted in the audit trail), and its id
  // in `id`; nullopt when no run may start. (CCalibrationDlgStandard.cpp,
  // with the register's lists.)
  std::optional<StandardUsed> StandardForRun(const CalibrationSetup& setup, qint64* id);
  void OnStandardChosen();
  // The newest complete as-left of `tag` in the records (not superseded),
  // with its certificate number.
  std::optional<RunResult> PreviousAsLeft(const QString& tag, QString* certificate);
  // "2 runs waiting to be sent to the lab database.", or empty.
  QString PendingText();
  // Lets go of the current run; it is deleted from the event loop.
  void DropRun();
  void ShowResults();
  void UpdateControls();
  bool RunActive() const { return m_run && !m_run->Ended(); }
  bool AskSavePath(const QString& title, const QString& suffix, const QString& filter, QString& path);
  void hideEvent(QHideEvent* event) override;
  void showEvent(QShowEvent* event) override;

  CalibrationHost& m_host;
  CalibrationStore& m_store;
  RecordsKeeper& m_keeper;
  CalibrationDialogSettings m_settings;
  QtUserDialogs m_qtDialogs{QObject::tr("Calibration")};
  UserDialogs* m_dialogs = &m_qtDialogs;

  std::unique_ptr<CalibrationRun> m_run;
  CalibrationRecord m_record;
  std::optional<RunResult> m_previousAsLeft;
  QString m_previousAsLeftFile;  // the certificate number m_previousAsLeft came from
  KeptRun m_kept;                // the calibration being kept; new for each as-found
  qint64 m_keptStandard = 0;     // the reference standard of m_kept
  QString m_keptText;            // where the last keep went, for the status line
  std::vector<ReferenceStandard> m_standards;
  QString m_endStatus;
  bool m_asking = false;
  bool m_withoutAsking = false;  // ending for a signal: problems go to standard error

  QWidget* m_form = nullptr;
  QWidget* m_ambient = nullptr;
  QLineEdit* m_tag = nullptr;
  QLineEdit* m_description = nullptr;
  QLineEdit* m_technician = nullptr;
  QComboBox* m_standard = nullptr;
  QPushButton* m_addStandard = nullptr;
  QCompleter* m_tagCompleter = nullptr;
  QComboBox* m_inputFunction = nullptr;
  QComboBox* m_wiring = nullptr;
  QComboBox* m_tempUnit = nullptr;
  QLineEdit* m_inputLow = nullptr;
  QLineEdit* m_inputHigh = nullptr;
  QLabel* m_inputUnit = nullptr;
  QComboBox* m_outputFunction = nullptr;
  QLineEdit* m_outputLow = nullptr;
  QLineEdit* m_outputHigh = nullptr;
  QLabel* m_outputUnit = nullptr;
  QComboBox* m_transfer = nullptr;
  QLineEdit* m_points = nullptr;
  QCheckBox* m_runDown = nullptr;
  QLineEdit* m_tolerance = nullptr;
  QComboBox* m_toleranceUnit = nullptr;
  QSpinBox* m_settleReadings = nullptr;
  QLineEdit* m_settleBand = nullptr;
  QLineEdit* m_settleTimeout = nullptr;
  QLineEdit* m_resolution = nullptr;
  QLabel* m_resolutionUnit = nullptr;
  QComboBox* m_rule = nullptr;
  QLineEdit* m_ambientTemperature = nullptr;
  QLineEdit* m_humidity = nullptr;
  std::map<SetupField, QWidget*> m_fields;
  std::map<SetupField, QLabel*> m_problems;

  CalibrationResultsTable* m_table = nullptr;
  QLabel* m_status = nullptr;
  QPushButton* m_startAsFound = nullptr;
  QPushButton* m_startAsLeft = nullptr;
  QPushButton* m_abort = nullptr;
  QPushButton* m_saveCsv = nullptr;
  QPushButton* m_saveSpreadsheet = nullptr;
  QPushButton* m_saveCertificate = nullptr;
  QPushButton* m_saveDcc = nullptr;
  QPushButton* m_close = nullptr;
};

}  // namespace vorenx
