#pragma once
// The "Calibration" dialog: the setup of a calibration (instrument under
// test, input and output spans, test points, tolerance, settling rule), the
// as-found and as-left runs, their results, and saving them as CSV and as a
// PDF certificate. Non-modal; runs go through the CalibrationHost, so the
// dialog never talks to the instrument itself.
//
// Each calibration is one record file: written when the as-found run ends,
// and written again with the as-left run when that ends, over the as-found-only
// file in one rename, so the record is never missing under its name.

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

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace vorenx {

class CalibrationResultsTable;

class CCalibrationDlg : public QDialog {
  Q_OBJECT

 public:
  CCalibrationDlg(CalibrationHost& host, CalibrationStore& store, QWidget* parent = nullptr);
  ~CCalibrationDlg() override;

  // Replaces the confirmations, file dialogs and message boxes (tests).
  void SetDialogs(UserDialogs& dialogs) { m_dialogs = &dialogs; }

  // The setup as the fields hold it, and every problem with it (field by field).
  CalibrationSetup FormSetup(std::vector<SetupProblem>* problems) const;
  // Fills the fields from `setup`.
  void ShowSetup(const CalibrationSetup& setup);
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
  // The record file of this calibration, once written.
  const QString& RecordPath() const { return m_recordPath; }

 public slots:
  void reject() override;

 private:
  // The form (CCalibrationDlgForm.cpp).
  QWidget* BuildForm();
  struct RowField {
    QWidget* widget;
    SetupField field;
    const char* name;  // object names of the field and of its "problem_" label
  };
  QWidget* FieldRow(const std::vector<QWidget*>& parts, const std::vector<RowField>& fields);
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

  // The runs (CCalibrationDlg.cpp).
  bool StartRun(const CalibrationSetup& setup, RunKind kind);
  void OnRunState();
  void AskToConfirmOutput();
  // True when the run waits for the user to let the output go on.
  bool NeedsConfirmation() const;
  void OnRunEnded();
  // Puts `result` into the record and writes the record file; the error, or
  // empty when it was written.
  QString KeepResult(const RunResult& result);
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
  CalibrationDialogSettings m_settings;
  QtUserDialogs m_qtDialogs{QObject::tr("Calibration")};
  UserDialogs* m_dialogs = &m_qtDialogs;

  std::unique_ptr<CalibrationRun> m_run;
  CalibrationRecord m_record;
  std::optional<RunResult> m_previousAsLeft;
  QString m_previousAsLeftFile;  // the record file m_previousAsLeft came from
  QString m_recordPath;
  QString m_endStatus;
  bool m_asking = false;
  bool m_withoutAsking = false;  // ending for a signal: problems go to standard error

  QWidget* m_form = nullptr;
  QLineEdit* m_tag = nullptr;
  QLineEdit* m_description = nullptr;
  QLineEdit* m_technician = nullptr;
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
  QPushButton* m_close = nullptr;
};

}  // namespace vorenx
