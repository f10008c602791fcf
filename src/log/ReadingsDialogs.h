#pragma once
// The dialogs the readings log shows: the save-as file dialog and a message
// box. Behind an interface so that tests put a recording fake in their place;
// QtReadingsDialogs shows the real ones.

#include <QString>
#include <functional>

class QPagedPaintDevice;

namespace vorenx {

struct SaveFileRequest {
  QString initialName;          // proposed file name, without folder
  QString defaultSuffix = QStringLiteral("csv");
  QString filter = QStringLiteral("Excel(*.csv)");
  bool confirmCreate = true;     // ask before a file that does not exist yet is created
  bool confirmOverwrite = false; // an existing file is replaced without asking
};

// Told before each page (page, page count); false when the user cancelled.
using PrintProgressFn = std::function<bool(int page, int pageCount)>;
// Paints every page onto the device; false when cancelled or not paintable.
using PrintJob = std::function<bool(QPagedPaintDevice& device, const PrintProgressFn& progress)>;

class ReadingsDialogs {
 public:
  virtual ~ReadingsDialogs() = default;
  // The print dialog with a preview of the pages `job` paints; printing to
  // a PDF file is one of its printers. Seams without a printer show nothing.
  virtual void PreviewPrint(const PrintJob& job) { (void)job; }
  // Asks for a file to save to; true with the full path when the user confirmed.
  virtual bool AskSaveFileName(const SaveFileRequest& request, QString& path) = 0;
  virtual void ShowMessage(const QString& text) = 0;
};

// The real dialogs: QFileDialog and QMessageBox, without an explicit parent.
class QtReadingsDialogs : public ReadingsDialogs {
 public:
  bool AskSaveFileName(const SaveFileRequest& request, QString& path) override;
  void ShowMessage(const QString& text) override;
  // QPrintPreviewDialog; each painting of the preview or the print shows a
  // progress dialog that can cancel it.
  void PreviewPrint(const PrintJob& job) override;
};

}  // namespace vorenx
