#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

#include "log/ReadingsDialogs.h"

namespace vorenx {

bool QtReadingsDialogs::AskSaveFileName(const SaveFileRequest& request, QString& path) {
  QFileDialog dialog(nullptr);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.setNameFilter(request.filter);
  dialog.selectFile(request.initialName);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString chosen = dialog.selectedFiles().constFirst();
  if (request.confirmCreate && !QFileInfo::exists(chosen)) {
    const auto answer = QMessageBox::question(
        nullptr, QApplication::applicationName(),
        QObject::tr("%1\nThis file does not exist.\nDo you want to create it?").arg(chosen),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) return false;
  }
  path = chosen;
  return true;
}

void QtReadingsDialogs::ShowMessage(const QString& text) {
  QMessageBox::warning(nullptr, QApplication::applicationName(), text);
}

void QtReadingsDialogs::PreviewPrint(const PrintJob& job) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(&printer);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&job](QPrinter* target) {
    QProgressDialog progress(QObject::tr("Preparing pages..."), QObject::tr("Cancel"), 0, 1);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(400);
    job(*target, [&progress](int page, int pageCount) {
      progress.setMaximum(pageCount);
      // A modal progress dialog keeps the window alive while it is set.
      progress.setValue(page - 1);
      return !progress.wasCanceled();
    });
  });
  dialog.exec();
}

}  // namespace vorenx
