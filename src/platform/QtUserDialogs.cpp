// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>

#include "platform/UserDialogs.h"

namespace vorenx {

bool QtUserDialogs::Confirm(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, m_caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
         QMessageBox::Yes;
}

bool QtUserDialogs::AskText(QWidget* parent, const QString& text, QString& answer) {
  bool ok = false;
  const QString typed = QInputDialog::getText(parent, m_caption, text, QLineEdit::Normal, answer, &ok);
  if (ok) answer = typed;
  return ok;
}

std::unique_ptr<QFileDialog> QtUserDialogs::CreateFileDialog(QWidget* parent, const SaveFileRequest& request) {
  auto dialog = std::make_unique<QFileDialog>(parent, request.title);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setDefaultSuffix(request.defaultSuffix);
  dialog->setNameFilter(request.filter);
  if (!request.folder.isEmpty()) dialog->setDirectory(request.folder);
  dialog->selectFile(request.initialName);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  return dialog;
}

bool QtUserDialogs::AskSaveFileName(QWidget* parent, const SaveFileRequest& request, QString& path) {
  const std::unique_ptr<QFileDialog> dialog = CreateFileDialog(parent, request);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return false;
  const QString chosen = dialog->selectedFiles().constFirst();
  if (request.confirmCreate && !QFileInfo::exists(chosen)) {
    const auto answer = QMessageBox::question(
        parent, m_caption, QObject::tr("%1\nThis file does not exist.\nDo you want to create it?").arg(chosen),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) return false;
  }
  path = chosen;
  return true;
}

void QtUserDialogs::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, m_caption, text);
}

void QtUserDialogs::PreviewPrint(const PrintJob& job) {
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
