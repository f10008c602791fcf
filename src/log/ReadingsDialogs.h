#pragma once
// The dialogs the readings log shows: the save-as file dialog and a message
// box. Behind an interface so that tests put a recording fake in their place;
// QtReadingsDialogs shows the real ones.

#include <QString>

namespace vorenx {

struct SaveFileRequest {
  QString initialName;          // proposed file name, without folder
  QString defaultSuffix = QStringLiteral("csv");
  QString filter = QStringLiteral("Excel(*.csv)");
  bool confirmCreate = true;     // ask before a file that does not exist yet is created
  bool confirmOverwrite = false; // an existing file is replaced without asking
};

class ReadingsDialogs {
 public:
  virtual ~ReadingsDialogs() = default;
  // Asks for a file to save to; true with the full path when the user confirmed.
  virtual bool AskSaveFileName(const SaveFileRequest& request, QString& path) = 0;
  virtual void ShowMessage(const QString& text) = 0;
};

// The real dialogs: QFileDialog and QMessageBox, without an explicit parent.
class QtReadingsDialogs : public ReadingsDialogs {
 public:
  bool AskSaveFileName(const SaveFileRequest& request, QString& path) override;
  void ShowMessage(const QString& text) override;
};

}  // namespace vorenx
