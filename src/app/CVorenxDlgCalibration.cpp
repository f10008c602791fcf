// The main window's side of calibration runs: the link a run drives the
// instrument through (every setting is a request change plus a queued command
// that the worker sends, never a library call from this thread), the host the
// calibration dialog asks for runs and defaults, and the feed of readings and
// status changes from the worker's hand-offs to the run.
#include <QComboBox>
#include <algorithm>

#include "app/CVorenxDlg.h"
#include "calib_dialog/CCalibrationDlg.h"
#include "calib_dialog/CalibrationHost.h"
#include "calib/CalibrationRun.h"
#include "records/CalibrationStore.h"

namespace vorenx {

class CVorenxDlg::CalibrationBridge final : public CalibrationLink, public CalibrationHost {
 public:
  explicit CalibrationBridge(CVorenxDlg& window) : m_window(window) {}

  // --- CalibrationLink ------------------------------------------------------
  void RequestUpper(FunctionCode function) override {
    m_window.m_link.ChangeRequest(
        CDeviceLink::Side::Upper, [function](InstrumentState& r) { r.upperFunction = function; },
        m_window.m_commands, {CmdSetUpper, 0});
  }

  void RequestLower(const LowerRequest& request) override {
    bool functionChanged = m_window.m_link.Request().lowerFunction != request.function;
    // Commands of one type merge: a queued function change must not become a
    // value change that keeps the old table.
    for (const SettingCommand& c : m_window.m_commands.Snapshot())
      functionChanged = functionChanged || (c.type == CmdSetSource && c.argument == 1);
    m_window.m_link.ChangeRequest(
        CDeviceLink::Side::Lower,
        [&request](InstrumentState& r) {
          r.lowerFunction = request.function;
          r.wiring = request.wiring;
          r.celsius = request.celsius;
          r.outputOff = !request.outputOn;
          r.lowerValue = static_cast<float>(request.value);
        },
        m_window.m_commands, {CmdSetSource, functionChanged ? 1 : 0});
  }

  void SetFastPolling(bool fast) override {
    m_window.m_fastPolling = fast;
    m_window.m_link.SetIntervalIndex(fast ? 0 : m_window.ChosenIntervalIndex());
  }

  std::uint32_t NowMs() override { return m_window.m_link.Ticks(); }

  int SourceDecimals(FunctionCode function, double value) override {
    return m_window.m_display.SFGetDecimalLen(function, static_cast<float>(value));
  }

  // --- CalibrationHost ------------------------------------------------------
  std::unique_ptr<CalibrationRun> CreateRun(const CalibrationSetup& setup, RunKind kind, QString* why) override {
    if (m_window.m_calibrationRun && !m_window.m_calibrationRun->Ended()) {
      if (why) *why = QStringLiteral("Another calibration run is still in progress.");
      return nullptr;
    }
    auto run = std::make_unique<CalibrationRun>(*this, setup, kind);
    run->OnConnection(Connected());
    if (Connected()) run->OnReading(m_window.m_link.State());
    m_window.m_calibrationRun = run.get();
    return run;
  }

  CalibrationSetup CurrentDefaults() override {
    const InstrumentState s = m_window.m_link.Request();
    CalibrationSetup setup;
    if (IsLowerFunction(s.lowerFunction)) setup.inputFunction = s.lowerFunction;
    setup.wiring = s.wiring >= fc::kTwoWire && s.wiring <= fc::kFourWire ? s.wiring : fc::kTwoWire;
    setup.celsius = s.celsius;
    LowerRange(setup.inputFunction, setup.celsius, setup.inputLow, setup.inputHigh);
    setup.outputFunction = IsUpperFunction(s.upperFunction) ? s.upperFunction : fc::kUpperCurrent;
    const bool volts = setup.outputFunction == fc::kUpperVoltage;
    setup.outputLow = volts ? 0.0 : 4.0;
    setup.outputHigh = volts ? 10.0 : 20.0;
    return setup;
  }

  void LowerRange(FunctionCode function, bool celsius, double& low, double& high) override {
    float h = 0.0f;
    float l = 0.0f;
    m_window.m_display.SFGetRange(function, &h, &l, celsius ? 1 : 0);
    low = l;
    high = h;
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

  bool Connected() override { return m_window.m_link.Connected(); }

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

void CVorenxDlg::FeedCalibrationReading(int pollResult) {
  // Only a decoded frame is a reading; other results repeat the last one.
  if (m_calibrationRun && pollResult == 1) m_calibrationRun->OnReading(m_link.State());
}

void CVorenxDlg::FeedCalibrationConnection(bool connected) {
  if (m_calibrationRun) m_calibrationRun->OnConnection(connected);
}

void CVorenxDlg::EndCalibrationRun(const QString& reason) {
  if (m_calibrationRun && !m_calibrationRun->Ended()) m_calibrationRun->Abort(reason);
}

}  // namespace vorenx
