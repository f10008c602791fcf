#include "calib_dialog/CCalibrationDlg.h"

#include <QCompleter>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringListModel>
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
#include "calib_dialog/RecordsForms.h"
#include "platform/ScreenFit.h"

namespace vorenx {

CCalibrationDlg::CCalibrationDlg(CalibrationHost& host, CalibrationStore& store, RecordsKeeper& keeper, QWidget* parent)
    : QDialog(parent), m_host(host), m_store(store), m_keeper(keeper), m_settings(store.SettingsFile()) {
  setWindowTitle(tr("Calibration"));
  setModal(false);

  m_form = BuildForm();
  m_table = new CalibrationResultsTable;
  m_table->setObjectName(QStringLiteral("results"));
  auto* split = new QHBoxLayout;
  split->addWidget(m_form);
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
  ShowSetup(last ? *last : m_host.CurrentDefaults());
  ReloadRegister();
  m_status->setText(QStringLiteral("%1 %2").arg(tr("Set up the calibration, then start the as-found run."), PendingText()).trimmed());
  const QSize kept = m_settings.WindowSize();
  resize(kept.isValid() ? kept : QSize(1320, 660));
  UpdateControls();
}

CCalibrationDlg::~CCalibrationDlg() {
  if (!RunActive()) return;
  // Whatever closes the dialog, a run it started leaves the output off and
  // what it recorded is kept. The run's signals no longer reach this
  // half-destroyed dialog, and nobody is left to read a message.
  disconnect(m_run.get(), nullptr, this, nullptr);
  m_run->Abort(tr("The calibration dialog was closed"));
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

QString CCalibrationDlg::RegisterTag(const CalibrationSetup& setup) {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  // A lab's server that is away: the run goes to the spool as it is.
  if (!records) return m_keeper.IsShared() ? QString() : error;
  const RecordsResult<Instrument> found = records->FindInstrument(setup.tag);
  if (found.ok() || found.error != RecordsError::NotFound) return {};
  Instrument added;
  added.tag = setup.tag;
  added.description = setup.description;
  added.intervalDays = 365;
  const RecordsResult<Instrument> stored = records->AddInstrument(added, Actor{setup.technician, {}});
  if (!stored.ok()) return tr("%1 could not be added to the register: %2").arg(setup.tag, stored.message);
  ReloadRegister();
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

void CCalibrationDlg::ReloadRegister() {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  const CalibrationDialogSettings::BenchStandard bench = m_settings.Standard();
  m_standards.clear();
  QStringList tags;
  if (records) {
    if (RecordsResult<std::vector<Instrument>> instruments = records->Instruments(); instruments.ok())
      for (const Instrument& i : instruments.value) tags << i.tag;
    RecordsResult<std::vector<ReferenceStandard>> standards = records->Standards();
    if (standards.ok()) m_standards = std::move(standards.value);
    else error = standards.message;
  } else if (!bench.serial.isEmpty() && bench.id > 0) {
    // While the lab's server is away, the bench's own standard lets a run
    // start; it goes to the spool.
    m_standards.push_back({bench.id, bench.serial, {}, {}, {}, bench.dueOn});
  }
  m_tagCompleter->setModel(new QStringListModel(tags, m_tagCompleter));

  const QDate today = QDate::currentDate();
  m_standard->clear();
  for (const ReferenceStandard& s : m_standards) {
    QString text = s.serial;
    if (!records) {
      text = tr("%1 (remembered: the lab database cannot be reached)").arg(s.serial);
    } else {
      text = tr("%1 — %2, certificate %3, due %4").arg(s.serial, s.description, s.certificateNumber,
                                                          s.dueOn.toString(Qt::ISODate));
    }
    if (s.IsOverdue(today)) text += QLatin1Char(' ') + tr("(overdue)");
    m_standard->addItem(text, s.id);
  }
  if (m_standards.empty())
    m_standard->addItem(records ? tr("No reference standard in the register: add one")
                                : tr("The lab database cannot be reached: %1").arg(error),
                        0);
  const int remembered = m_standard->findData(bench.id);
  const auto bySerial = std::find_if(m_standards.begin(), m_standards.end(),
                                     [&](const ReferenceStandard& s) { return s.serial == bench.serial; });
  if (bySerial != m_standards.end())
    m_standard->setCurrentIndex(static_cast<int>(bySerial - m_standards.begin()));
  else if (remembered >= 0)
    m_standard->setCurrentIndex(remembered);
}

void CCalibrationDlg::OnStandardChosen() {
  const qint64 id = m_standard->currentData().toLongLong();
  for (const ReferenceStandard& s : m_standards)
    if (s.id == id) m_settings.SetStandard({s.serial, s.id, s.dueOn});
}

bool CCalibrationDlg::StoreStandard(const ReferenceStandard& standard) {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records) {
    m_dialogs->ShowMessage(this, tr("The standard could not be added: %1").arg(error));
    return false;
  }
  const RecordsResult<ReferenceStandard> added = records->AddStandard(standard, Actor{m_technician->text(), {}});
  if (!added.ok()) {
    m_dialogs->ShowMessage(this, tr("The standard could not be added: %1").arg(added.message));
    return false;
  }
  m_settings.SetStandard({added.value.serial, added.value.id, added.value.dueOn});
  ReloadRegister();
  return true;
}

void CCalibrationDlg::AddStandard() {
  CStandardDlg form(this);
  // Asked again with what was typed until it is stored or cancelled.
  while (form.exec() == QDialog::Accepted)
    if (StoreStandard(form.Standard())) return;
}

qint64 CCalibrationDlg::StandardForRun(const CalibrationSetup& setup) {
  const qint64 id = m_standard->currentData().toLongLong();
  const auto chosen = std::find_if(m_standards.begin(), m_standards.end(),
                                   [id](const ReferenceStandard& s) { return s.id == id; });
  if (id <= 0 || chosen == m_standards.end()) {
    m_status->setText(tr("Choose the reference standard (or add one with Add standard...) before the run."));
    return 0;
  }
  if (!chosen->IsOverdue(QDate::currentDate())) return id;
  QString reason;
  const QString question =
      tr("The reference standard %1 was due on %2 and is overdue. Why is it used for %3? The reason is kept in the "
         "audit trail; without one the run does not start.")
          .arg(chosen->serial, chosen->dueOn.toString(Qt::ISODate), setup.tag);
  if (!m_dialogs->AskText(this, question, reason) || reason.trimmed().isEmpty()) {
    m_status->setText(tr("The run was not started: an overdue reference standard is used only with a reason."));
    return 0;
  }
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records) {
    m_dialogs->ShowMessage(this, tr("The use of the overdue standard could not be recorded: %1").arg(error));
    return 0;
  }
  const RecordsResult<ReferenceStandard> noted =
      records->NoteOverdueStandard(id, setup.tag, Actor{setup.technician, reason.trimmed()});
  if (!noted.ok()) {
    m_dialogs->ShowMessage(this, tr("The use of the overdue standard could not be recorded: %1").arg(noted.message));
    return 0;
  }
  return id;
}

std::optional<RunResult> CCalibrationDlg::PreviousAsLeft(const QString& tag, QString* certificate) {
  QString error;
  LabRecords* records = m_keeper.Records(&error);
  if (!records) return std::nullopt;
  const RecordsResult<std::vector<CalibrationSummary>> history = records->History(tag);
  if (!history.ok()) return std::nullopt;
  // Newest first; an as-left that ended early is no basis for a drift.
  for (const CalibrationSummary& s : history.value) {
    if (s.state == CalibrationState::Superseded) continue;
    const RecordsResult<StoredCalibration> found = records->FindCalibration(s.id);
    if (found.ok() && found.value.record.asLeft && found.value.record.asLeft->complete) {
      *certificate = s.certificateNumber;
      return found.value.record.asLeft;
    }
  }
  return std::nullopt;
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
  std::vector<SetupProblem> problems;
  const CalibrationSetup setup = FormSetup(&problems);
  ShowProblems(problems);
  if (!problems.empty()) {
    m_status->setText(tr("The setup needs correcting where shown in red."));
    return false;
  }
  const qint64 standard = StandardForRun(setup);
  if (standard == 0) return false;
  // A new as-found begins a new calibration (and a new draft in the records).
  CalibrationRecord before = std::exchange(m_record, CalibrationRecord{setup, m_host.CalibratorText(), {}, {}});
  QString previousFile;
  std::optional<RunResult> previousBefore = std::exchange(m_previousAsLeft, PreviousAsLeft(setup.tag, &previousFile));
  QString previousFileBefore = std::exchange(m_previousAsLeftFile, previousFile);
  KeptRun keptBefore = std::exchange(m_kept, KeptRun{});
  const qint64 standardBefore = std::exchange(m_keptStandard, standard);
  if (!StartRun(setup, RunKind::AsFound)) {
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
  // The as-left repeats the as-found's setup, so the two compare point by point.
  if (RunActive() || !m_record.asFound) return false;
  std::optional<RunResult> before = std::exchange(m_record.asLeft, std::nullopt);
  if (!StartRun(m_record.setup, RunKind::AsLeft)) {
    m_record.asLeft = std::move(before);
    return false;
  }
  ShowResults();
  return true;
}

bool CCalibrationDlg::StartRun(const CalibrationSetup& setup, RunKind kind) {
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
  const bool resuming = m_run->CurrentState() == CalibrationRun::State::Paused;
  const QString text =
      tr("Switch the calibrator's output on and source %1 into %2 for the %3 run?%4\n\nNo ends the run.")
          .arg(InputSpanText(s), s.tag.isEmpty() ? tr("the instrument under test") : s.tag,
               RunKindText(m_run->Result().kind),
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
    asked->Abort(tr("The output was not confirmed"));
  m_status->setText(StatusLine());
}

void CCalibrationDlg::AbortRun() {
  if (RunActive()) m_run->Abort();
}

void CCalibrationDlg::OnRunEnded() {
  const RunResult result = m_run->Result();
  m_endStatus = m_run->StatusText();
  DropRun();
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
  if (!AbortRunIfAgreed(tr("The calibration dialog was closed"))) return;
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
