// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What the program asks the user and tells them: yes/no questions, a
// question answered with a line of text, the save-as file dialog, a message box and the print dialog. Behind one
// interface so that tests answer in the user's place; QtUserDialogs shows the
// real ones. The interface needs Qt Core only; QtUserDialogs lives in the
// vorenx_user_dialogs target (Qt Widgets and PrintSupport).

#include <QString>
#include <functional>
#include <memory>
#include <utility>

class QFileDialog;
class QPagedPaintDevice;
class QWidget;

namespace vorenx {

// The save-as dialog to show. The defaults are those of a plain QFileDialog:
// no title, no proposed name, the working folder, and a question before an
// existing file is replaced.
struct SaveFileRequest {
  QString title;                 // the dialog's caption: "Save CSV"
  QString initialName;           // proposed file name, without folder
  QString defaultSuffix;         // added to a name without one: "csv", "pdf"
  QString filter;                // "CSV files (*.csv)"
  QString folder;                // where to start; empty: the working folder
  bool confirmCreate = false;    // ask before a file that does not exist yet is created
  bool confirmOverwrite = true;  // ask before an existing file is replaced
};

// Told before each page (page, page count); false when the user cancelled.
using PrintProgressFn = std::function<bool(int page, int pageCount)>;
// Paints every page onto the device; false when cancelled or not paintable.
using PrintJob = std::function<bool(QPagedPaintDevice& device, const PrintProgressFn& progress)>;

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  // True when the user answers yes. Seams that ask nothing answer no.
  virtual bool Confirm(QWidget* parent, const QString& text) {
    (void)parent, (void)text;
    return false;
  }
  // True with the text the user typed when they answered with OK; `answer`
  // holds the proposed text on the way in. Seams that ask nothing cancel.
  virtual bool AskText(QWidget* parent, const QString& text, QString& answer) {
    (void)parent, (void)text, (void)answer;
    return false;
  }
  // True with the full path when the user chose a file.
  virtual bool AskSaveFileName(QWidget* parent, const SaveFileRequest& request, QString& path) = 0;
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // The print dialog with a preview of the pages `job` paints; printing to
  // a PDF file is one of its printers. Seams without a printer show nothing.
  virtual void PreviewPrint(const PrintJob& job) { (void)job; }
};

// QMessageBox, QFileDialog and QPrintPreviewDialog. Every message box and
// question has `caption` as its title.
class QtUserDialogs : public UserDialogs {
 public:
  explicit QtUserDialogs(QString caption) : m_caption(std::move(caption)) {}

  // Yes and No, No the default.
  bool Confirm(QWidget* parent, const QString& text) override;
  // QInputDialog with one line.
  bool AskText(QWidget* parent, const QString& text, QString& answer) override;
  bool AskSaveFileName(QWidget* parent, const SaveFileRequest& request, QString& path) override;
  void ShowMessage(QWidget* parent, const QString& text) override;
  // QPrintPreviewDialog; each painting of the preview or the print shows a
  // progress dialog that can cancel it.
  void PreviewPrint(const PrintJob& job) override;

  // The file dialog AskSaveFileName shows for `request`, not yet shown.
  static std::unique_ptr<QFileDialog> CreateFileDialog(QWidget* parent, const SaveFileRequest& request);

 private:
  QString m_caption;
};

}  // namespace vorenx
