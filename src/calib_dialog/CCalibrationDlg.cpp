// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib_dialog/CCalibrationDlg.h"
#include "records/CertificateWords.h"

#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QLineEdit>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "records/CalibrationCsv.h"
#include "calib_dialog/CalibrationResultsTable.h"
#include "calib_dialog/CalibrationTexts.h"
#include "calib_dialog/DialogButton.h"
#include "platform/ScreenFit.h"

namespace vorenx {

CCalibrationDlg::CCalibrationDlg(CalibrationHost& host, CalibrationStore& store, RecordsKeeper& keeper, QWidget* parent)
    : QDialog(parent), m_host(host), m_store(store), m_keeper(keeper), m_settings(store.SettingsFile()) {
  setWindowTitle(tr("Calibration"));
  setModal(false);

  m_form = BuildForm();
  m_ambient = BuildAmbient();
  m_table = new CalibrationResultsTable;
  m_table->setObjectName(QStringLiteral("results"));
  auto* setup = new QVBoxLayout;
  setup->addWidget(m_form, 1);
  setup->addWidget(m_ambient);
  auto* split = new QHBoxLayout;
  split->addLayout(setup);
  split->addWidget(m_table, 1);

  m_status = new QLabel;
  m_status->setObjectName(QStringLiteral("status"));
  m_status->setWordWrap(true);
  m_startAsFound = DialogButton(tr("Start As-found"), QStringLiteral("startAsFound"));
  m_startAsLeft = DialogButton(tr("Start As-left"), QStringLiteral("startAsLeft"));
  m_abort = DialogButton(tr("Abort"), QStringLiteral("abort"));
  m_saveCsv = DialogButton(tr("Save CSV..."), QStringLiteral("saveCsv"));
  m_saveSpreadsheet = DialogButton(tr("Save for Spreadsheet..."), QStringLiteral("saveSpreadsheet"));
  m_saveCertificate = DialogButton(tr("Save Certificate..."), QStringLiteral("saveCertificate"));
  m_saveDcc = DialogButton(tr("Save Digital Certificate..."), QStringLiteral("saveDcc"));
  m_saveDcc->setToolTip(tr("Save the digital calibration certificate (XML)"));
  m_close = DialogButton(tr("Close"), QStringLiteral("close"));
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {m_startAsFound, m_startAsLeft, m_abort}) buttons->addWidget(b);
  buttons->addStretch(1);
  for (QPushButton* b : {m_saveCsv, m_saveSpreadsheet, m_saveCertificate, m_close}) buttons->addWidget(b);
  // The digital certificate's button on the status line, above the PDF's:
  // the row of buttons is as wide as the smallest screen allows.
  auto* statusRow = new QHBoxLayout;
  statusRow->addWidget(m_status, 1);
  statusRow->addWidget(m_saveDcc, 0, Qt::AlignBottom);

  auto* column = new QVBoxLayout(this);
  column->addLayout(split, 1);
  column->addLayout(statusRow);
  column->addLayout(buttons);

  connect(m_startAsFound, &QPushButton::clicked, this, [this] { StartAsFound(); });
  connect(m_startAsLeft, &QPushButton::clicked, this, [this] { StartAsLeft(); });
  connect(m_abort, &QPushButton::clicked, this, [this] { AbortRun(); });
  connect(m_saveCsv, &QPushButton::clicked, this, [this] { SaveCsv(); });
  connect(m_saveSpreadsheet, &QPushButton::clicked, this, [this] { SaveSpreadsheetCsv(); });
  connect(m_saveCertificate, &QPushButton::clicked, this, [this] { SaveCertificate(); });
  connect(m_saveDcc, &QPushButton::clicked, this, [this] { SaveDigitalCertificate(); });
  connect(m_close, &QPushButton::clicked, this, [this] { reject(); });

  // The run's status line also changes while it waits (seconds left).
  auto* tick = new QTimer(this);
  connect(tick, &QTimer::timeout, this, [this] {
    if (RunActive()) m_status->setText(StatusLine());
  });
  tick->start(250);

  const std::optional<CalibrationSetup> last = m_store.LoadSetup();
  if (last)
    ShowSetup(*last);
  else
    ShowNewSetup(m_host.CurrentDefaults());
  ReloadRegister();
  m_status->setText(QStringLiteral("%1 %2").arg(tr("Set up the calibration, then start the as-found run."), PendingText()).trimmed());
  const QSize kept = m_settings.WindowSize();
  resize(kept.isValid() ? kept : QSize(1500, 700));
  UpdateControls();
}

CCalibrationDlg::~CCalibrationDlg() {
  if (!RunActive()) return;
  // Whatever closes the dialog, a run it started leaves the output off and
  // what it recorded is kept. The run's signals no longer reach this
  // half-destroyed dialog, and nobody is left to read a message.
  disconnect(m_run.get(), nullptr, this, nullptr);
  // An abort reason is kept in the record: English whatever the window's language.
  m_run->Abort(QStringLiteral("The calibration dialog was closed"));
  const QString error = KeepResult(m_run->Result());
  if (!error.isEmpty()) qWarning("vorenx: the calibration could not be saved: %s", qPrintable(error));
}

QString CCalibrationDlg::KeepResult(const RunResult& result) {
  (result.kind == RunKind::AsFound ? m_record.asFound : m_record.asLeft) = result;
  m_keptText.clear();
  if (m_kept.origin.isEmpty()) {
    if (QString error = RegisterTag(m_record.setup); !error.isEmpty()) return error;
  }
  // The same draft each time: the keeper remembers it in m_kept.
  const RecordsResult<KeptWhere> kept = m_keeper.Keep(m_record, m_keptStandard, Actor{m_record.setup.technician, {}}, m_kept);
  if (!kept.ok()) return kept.message.isEmpty() ? tr("unknown error") : kept.message;
  m_keptText = kept.value == KeptWhere::Records ? tr("Saved as %1 (draft).").arg(m_kept.certificateNumber)
                                                : tr("Calibration %1.").arg(SpooledText());
  return {};
}

QString CCalibrationDlg::PendingText() {
  if (!m_keeper.IsShared()) return {};
  const int waiting = m_keeper.PendingCount();
  return waiting > 0 ? tr("%n run(s) waiting to be sent to the lab database.", nullptr, waiting) : QString();
}

void CCalibrationDlg::OnSpoolSent(int sent) {
  if (RunActive()) return;
  const QString went = sent > 0 ? tr("%n run(s) sent to the lab database.", nullptr, sent) : QString();
  const QString waiting = PendingText();
  if (!went.isEmpty() || !waiting.isEmpty()) m_status->setText(QStringLiteral("%1 %2").arg(went, waiting).trimmed());
}

void CCalibrationDlg::CalibrateInstrument(const Instrument& instrument, const std::optional<CalibrationSetup>& setup) {
  if (RunActive()) {
    m_dialogs->ShowMessage(this, tr("A calibration run is in progress: %1 can be calibrated once it has ended.").arg(instrument.tag));
    return;
  }
  if (setup) {
    ShowSetup(*setup);
  } else {
    m_description->setText(instrument.description);
  }
  m_tag->setText(instrument.tag);
  ClearEnvironment();
  m_status->setText(tr("Set up the calibration, then start the as-found run."));
}

void CCalibrationDlg::DropRun() {
  // Not deleted inside its own signal; a child, so that it goes with the
  // dialog if the event loop never comes back.
  CalibrationRun* run = m_run.release();
  run->setParent(this);
  run->deleteLater();
}

QString CCalibrationDlg::StatusLine() const { return m_run ? m_run->StatusText() : m_endStatus; }

bool CCalibrationDlg::StartAsFound() {
  if (RunActive()) return false;
  CalibrationSetup setup;
  Environment environment;
  const std::vector<SetupProblem> problems = FormProblems(&setup, &environment);
  ShowProblems(problems);
  if (!problems.empty()) {
    m_status->setText(tr("The setup needs correcting where shown in red."));
    return false;
  }
  qint64 standardId = 0;
  std::optional<StandardUsed> standard = StandardForRun(setup, &standardId);
  if (!standard) return false;
  const std::vector<AccuracySpec> accuracy = standard->accuracy;
  // A new as-found begins a new calibration (and a new draft in the records).
  CalibrationRecord before =
      std::exchange(m_record, CalibrationRecord{setup, m_host.CalibratorText(), std::move(standard), environment, {}, {}});
  QString previousFile;
  std::optional<RunResult> previousBefore = std::exchange(m_previousAsLeft, PreviousAsLeft(setup.tag, &previousFile));
  QString previousFileBefore = std::exchange(m_previousAsLeftFile, previousFile);
  KeptRun keptBefore = std::exchange(m_kept, KeptRun{});
  const qint64 standardBefore = std::exchange(m_keptStandard, standardId);
  if (!StartRun(setup, RunKind::AsFound, accuracy)) {
    m_record = std::move(before);
    m_previousAsLeft = std::move(previousBefore);
    m_previousAsLeftFile = std::move(previousFileBefore);
    m_kept = std::move(keptBefore);
    m_keptStandard = standardBefore;
    return false;
  }
  OnStandardChosen();
  ShowResults();
  return true;
}

bool CCalibrationDlg::StartAsLeft() {
  // The as-left repeats the as-found's setup, with the same standard, so the
  // two compare point by point; the ambient conditions are those of now.
  if (RunActive() || !m_record.asFound) return false;
  std::vector<SetupProblem> problems;
  const Environment environment = FormEnvironment(&problems);
  ShowProblems(problems);
  if (!problems.empty()) {
    m_status->setText(tr("Enter the ambient conditions where shown in red."));
    return false;
  }
  std::optional<RunResult> before = std::exchange(m_record.asLeft, std::nullopt);
  const Environment environmentBefore = std::exchange(m_record.environment, environment);
  const std::vector<AccuracySpec> accuracy = m_record.standard ? m_record.standard->accuracy : DefaultAccuracySpecs();
  if (!StartRun(m_record.setup, RunKind::AsLeft, accuracy)) {
    m_record.asLeft = std::move(before);
    m_record.environment = environmentBefore;
    return false;
  }
  ShowResults();
  return true;
}

bool CCalibrationDlg::StartRun(const CalibrationSetup& setup, RunKind kind, const std::vector<AccuracySpec>& accuracy) {
  QString why;
  std::unique_ptr<CalibrationRun> run = m_host.CreateRun(setup, kind, &why);
  if (!run) {
    m_dialogs->ShowMessage(this, why.isEmpty() ? tr("The run could not be started.") : why);
    return false;
  }
  QString error;
  if (!m_store.SaveSetup(setup, &error))
    m_dialogs->ShowMessage(this, tr("The setup could not be kept for next time: %1").arg(error));
  if (m_run) DropRun();
  m_run = std::move(run);
  CalibrationRun* r = m_run.get();
  connect(r, &CalibrationRun::stateChanged, this, [this, r] {
    if (r == m_run.get()) OnRunState();
  });
  connect(r, &CalibrationRun::pointRecorded, this, [this, r] {
    if (r == m_run.get()) ShowResults();
  });
  connect(r, &CalibrationRun::ended, this, [this, r] {
    if (r == m_run.get()) OnRunEnded();
  });
  UpdateControls();
  r->SetAccuracyTable(accuracy);
  r->Start();
  m_status->setText(StatusLine());
  return true;
}

void CCalibrationDlg::OnRunState() {
  m_status->setText(StatusLine());
  // Asked from the event loop rather than inside the run's signal, so that the
  // question's own event loop never re-enters the run.
  if (NeedsConfirmation()) QTimer::singleShot(0, this, [this] { AskToConfirmOutput(); });
}

bool CCalibrationDlg::NeedsConfirmation() const {
  if (!m_run) return false;
  // A paused run is resumed only once the calibrator answers again, as the
  // run itself has seen it (the window's link flag may change a moment later).
  return m_run->CurrentState() == CalibrationRun::State::AwaitingConfirmation || m_run->CanResume();
}

void CCalibrationDlg::AskToConfirmOutput() {
  if (m_asking || !NeedsConfirmation()) return;
  const CalibrationSetup& s = m_run->Setup();
  const ScopedWindowWords words;  // the records layer's texts in the window's language
  const bool resuming = m_run->CurrentState() == CalibrationRun::State::Paused;
  const QString text =
      tr("Switch the calibrator's output on and source %1 into %2 for the %3 run?%4\n\nNo ends the run.")
          .arg(InputSpanText(s), s.tag.isEmpty() ? tr("the instrument under test") : s.tag,
               RunKindWord(m_run->Result().kind),
               resuming ? tr(" The run goes on from the point where it paused.") : QString());
  CalibrationRun* asked = m_run.get();
  const CalibrationRun::State askedIn = asked->CurrentState();
  m_asking = true;
  const bool yes = m_dialogs->Confirm(this, text);
  m_asking = false;
  // The link may have dropped or the run ended while the question was open.
  if (m_run.get() != asked) return;
  if (asked->CurrentState() != askedIn || !NeedsConfirmation()) {
    // The answer no longer applies: the run says what it waits for, and asks
    // again once it can go on.
    m_status->setText(StatusLine());
    if (NeedsConfirmation()) QTimer::singleShot(0, this, [this] { AskToConfirmOutput(); });
    return;
  }
  if (yes)
    asked->ConfirmOutput();
  else
    asked->Abort(QStringLiteral("The output was not confirmed"));
  m_status->setText(StatusLine());
}

void CCalibrationDlg::AbortRun() {
  if (RunActive()) m_run->Abort();
}

void CCalibrationDlg::OnRunEnded() {
  const RunResult result = m_run->Result();
  m_endStatus = m_run->StatusText();
  DropRun();
  // A calibration ends with its as-left: the next is measured in its own conditions.
  if (result.kind == RunKind::AsLeft) ClearEnvironment();
  const QString error = KeepResult(result);
  if (!error.isEmpty()) {
    // Ending without asking anyone: the reason goes to standard error instead.
    if (m_withoutAsking)
      qWarning("vorenx: the calibration could not be saved: %s", qPrintable(error));
    else
      m_dialogs->ShowMessage(this, tr("The calibration could not be saved: %1").arg(error));
  }
  ShowResults();
  UpdateControls();
  // The run's own line already says why it ended early.
  const ScopedWindowWords words;  // the records layer's texts in the window's language
  QStringList parts{QStringLiteral("%1 %2").arg(m_endStatus, RunSummaryText(result, !m_endStatus.contains(result.endReason))).trimmed(),
                    m_keptText, PendingText()};
  parts.removeAll(QString());
  m_status->setText(parts.join(QLatin1Char(' ')));
}

void CCalibrationDlg::ShowResults() {
  CalibrationRecord shown = m_record;
  if (m_run) (m_run->Result().kind == RunKind::AsFound ? shown.asFound : shown.asLeft) = m_run->Result();
  const std::optional<RunKind> running = RunActive() ? std::optional(m_run->Result().kind) : std::nullopt;
  m_table->ShowRecord(shown, m_previousAsLeft, m_previousAsLeftFile, running);
}

void CCalibrationDlg::UpdateControls() {
  const bool running = RunActive();
  const bool anyRun = m_record.asFound || m_record.asLeft;
  m_form->setEnabled(!running);
  m_ambient->setEnabled(!running);
  m_startAsFound->setEnabled(!running);
  m_startAsLeft->setEnabled(!running && m_record.asFound.has_value());
  m_abort->setEnabled(running);
  m_saveCsv->setEnabled(!running && anyRun);
  m_saveSpreadsheet->setEnabled(!running && anyRun);
  m_saveCertificate->setEnabled(!running && anyRun);
  m_saveDcc->setEnabled(!running && anyRun);
}

bool CCalibrationDlg::AbortRunIfAgreed(const QString& reason) {
  if (!RunActive()) return true;
  if (!m_dialogs->Confirm(this, tr("A calibration run is in progress. Abort it (the output goes off) and close?")))
    return false;
  if (RunActive()) m_run->Abort(reason);
  return true;
}

void CCalibrationDlg::EndWithoutAsking(const QString& reason) {
  m_withoutAsking = true;
  if (RunActive()) m_run->Abort(reason);
  QDialog::reject();
}

void CCalibrationDlg::reject() {
  if (!AbortRunIfAgreed(QStringLiteral("The calibration dialog was closed"))) return;
  QDialog::reject();
}

bool CCalibrationDlg::AskSavePath(const QString& title, const QString& suffix, const QString& filter, QString& path) {
  const QDateTime when = m_record.asFound ? m_record.asFound->started : QDateTime::currentDateTime();
  // Asks before replacing a file, not before creating one.
  const SaveFileRequest request{
      .title = title,
      .initialName = QStringLiteral("%1_%2.%3").arg(TagFileName(m_record.setup.tag),
                                                   when.toString(QStringLiteral("yyyy-MM-dd")), suffix),
      .defaultSuffix = suffix,
      .filter = filter,
      .folder = m_settings.LastFolder(suffix)};
  if (!m_dialogs->AskSaveFileName(this, request, path)) return false;
  m_settings.SetLastFolder(suffix, QFileInfo(path).absolutePath());
  return true;
}

void CCalibrationDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Its kept or default size may not fit this screen at this scale factor.
  const QRect fitted = FitWindowOnScreen(geometry(), frameGeometry(), screen());
  if (fitted != geometry()) setGeometry(fitted);
}

void CCalibrationDlg::hideEvent(QHideEvent* event) {
  m_settings.SetWindowSize(size());
  QDialog::hideEvent(event);
}

void CCalibrationDlg::SaveCsv() {
  QString path;
  if (!AskSavePath(tr("Save CSV"), QStringLiteral("csv"), tr("CSV files (*.csv)"), path)) return;
  QSaveFile file(path);
  const QByteArray csv = CalibrationCsv(m_record);
  if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
    m_dialogs->ShowMessage(this, tr("The results could not be written to %1: %2").arg(path, file.errorString()));
    return;
  }
  m_status->setText(tr("Results saved to %1.").arg(path));
}

// The results for a spreadsheet in the user's locale (";" and "," where the
// decimal mark is a comma), with date-times it recognises.
void CCalibrationDlg::SaveSpreadsheetCsv() {
  QString path;
  if (!AskSavePath(tr("Save for Spreadsheet"), QStringLiteral("csv"), tr("CSV files (*.csv)"), path)) return;
  QSaveFile file(path);
  const QByteArray csv = CalibrationSpreadsheetCsv(m_record, SpreadsheetDialectFor());
  if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
    m_dialogs->ShowMessage(this, tr("The results could not be written to %1: %2").arg(path, file.errorString()));
    return;
  }
  m_status->setText(tr("Results saved to %1.").arg(path));
}

}  // namespace vorenx
