#pragma once
// What the calibration dialog keeps of itself between runs of the program: its
// window size, the folders where certificates and CSV files were last
// saved, where the lab's records are and the bench's reference standard. An INI file through QSettings, `vorenx.ini` beside the last setup
// (by default $XDG_CONFIG_HOME/vorenx/). The main window keeps nothing.

#include <QDate>
#include <QSize>
#include <QString>

namespace vorenx {

class CalibrationDialogSettings {
 public:
  explicit CalibrationDialogSettings(QString file) : m_file(std::move(file)) {}

  // The size last saved; invalid when none (or an unusable one) was.
  QSize WindowSize() const;
  void SetWindowSize(const QSize& size);
  // The folder of the last file saved of this suffix ("pdf", "csv"); empty when none.
  QString LastFolder(const QString& suffix) const;
  void SetLastFolder(const QString& suffix, const QString& folder);
  // The reference standard last used on this bench (records/standard, by
  // serial), with its id and due date so that a run can start while the
  // lab's server is away; an empty serial when none was chosen.
  struct BenchStandard {
    QString serial;
    qint64 id = 0;
    QDate dueOn;
  };
  BenchStandard Standard() const;
  void SetStandard(const BenchStandard& standard);

 private:
  QString m_file;
};

}  // namespace vorenx
