#pragma once
// The questions and dialogs the calibration dialog puts to the user: yes/no
// confirmations (switching the output on, aborting on close), the save-as file
// dialog and a message box. Behind an interface so that tests answer them;
// QtCalibrationDialogs shows the real ones.

#include <QString>

class QWidget;

namespace vorenx {

struct CalibrationSaveRequest {
  QString title;          // "Save CSV"
  QString initialName;    // proposed file name, without folder
  QString defaultSuffix;  // "csv", "pdf"
  QString filter;         // "CSV files (*.csv)"
  QString folder;         // where to start: the folder last saved to, or empty
};

class CalibrationDialogs {
 public:
  virtual ~CalibrationDialogs() = default;
  // True when the user answers yes.
  virtual bool Confirm(QWidget* parent, const QString& text) = 0;
  // True with the full path when the user chose a file.
  virtual bool AskSaveFileName(QWidget* parent, const CalibrationSaveRequest& request, QString& path) = 0;
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
};

// QMessageBox and QFileDialog (which asks before replacing a file).
class QtCalibrationDialogs : public CalibrationDialogs {
 public:
  bool Confirm(QWidget* parent, const QString& text) override;
  bool AskSaveFileName(QWidget* parent, const CalibrationSaveRequest& request, QString& path) override;
  void ShowMessage(QWidget* parent, const QString& text) override;
};

}  // namespace vorenx
