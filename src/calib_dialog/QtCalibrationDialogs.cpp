#include <QFileDialog>
#include <QMessageBox>

#include "calib_dialog/CalibrationDialogs.h"

namespace vorenx {

bool QtCalibrationDialogs::Confirm(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, QObject::tr("Calibration"), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

bool QtCalibrationDialogs::AskSaveFileName(QWidget* parent, const CalibrationSaveRequest& request,
                                           QString& path) {
  QFileDialog dialog(parent, request.title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.setNameFilter(request.filter);
  if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
  dialog.selectFile(request.initialName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = dialog.selectedFiles().constFirst();
  return true;
}

void QtCalibrationDialogs::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, QObject::tr("Calibration"), text);
}

}  // namespace vorenx
