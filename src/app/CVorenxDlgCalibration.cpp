// The main window's side of calibration runs: the host the calibration dialog
// asks for runs and defaults. Runs are made and fed by the station; the
// window adds the calibrator's description from its Port list.
#include <QComboBox>

#include "app/CVorenxDlg.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CalibrationHost.h"
#include "calib/CalibrationRun.h"
#include "records/CalibrationStore.h"

namespace vorenx {

class CVorenxDlg::CalibrationBridge final : public CalibrationHost {
 public:
  explicit CalibrationBridge(CVorenxDlg& window) : m_window(window) {}

  std::unique_ptr<CalibrationRun> CreateRun(const CalibrationSetup& setup, RunKind kind, QString* why) override {
    return m_window.m_station.CreateRun(setup, kind, why);
  }

  CalibrationSetup CurrentDefaults() override { return m_window.m_station.CurrentDefaults(); }

  void LowerRange(FunctionCode function, bool celsius, double& low, double& high) override {
    m_window.m_station.LowerRange(function, celsius, low, high);
  }

  QString CalibratorText() override {
    const int port = m_window.m_link.Port();
    // The Port list's tooltips hold the device paths, so the library need
    // not be asked from this thread for a listed port.
    const int index = m_window.m_portList->findText(QStringLiteral("COM%1").arg(port));
    const QString path = index >= 0 ? m_window.m_portList->itemData(index, Qt::ToolTipRole).toString()
                                    : m_window.m_link.Library().PortPath(port);
    const QString text = QStringLiteral("Vorenx calibrator on COM%1").arg(port);
    return path.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, path);
  }

  bool Connected() override { return m_window.m_station.Connected(); }

 private:
  CVorenxDlg& m_window;
};

CalibrationHost& CVorenxDlg::CalibrationSide() {
  if (!m_calibration) m_calibration = std::make_shared<CalibrationBridge>(*this);
  return *m_calibration;
}

void CVorenxDlg::SetCalibrationStore(std::unique_ptr<CalibrationStore> store) {
  if (!m_calibrationDialog) m_calibrationStore = std::move(store);
}

CCalibrationDlg* CVorenxDlg::CalibrationDialog() const { return m_calibrationDialog.data(); }

void CVorenxDlg::OnCalibration() {
  if (m_closing) return;
  if (!m_calibrationDialog) {
    if (!m_calibrationStore)
      m_calibrationStore = std::make_unique<CalibrationStore>(DefaultCalibrationsFolder(), DefaultSetupFile());
    m_calibrationDialog = new CCalibrationDlg(CalibrationSide(), *m_calibrationStore, this);
  }
  m_calibrationDialog->show();
  m_calibrationDialog->raise();
  m_calibrationDialog->activateWindow();
}

}  // namespace vorenx
