// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The main window's controls: built from the template's table at their places
// in dialog units, and bound to their handlers through user-only signals, so
// that a change made by the program never runs a handler.
#include <QApplication>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>

#include "app/CEditEx.h"
#include "display/CStaticLCD.h"
#include "grid/GridCtrl.h"
#include "log/CReadingsLog.h"
#include "app/CUpDown.h"
#include "app/CVorenxDlg.h"
#include "app/ControlTable.h"

namespace vorenx {

namespace {

// Eats wheel events over the tab bar, and over a list without the focus.
class WheelFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (qobject_cast<QTabBar*>(watched) || (widget && !widget->hasFocus())) {
      event->accept();  // taken here: it neither changes the control nor goes on
      return true;
    }
    return false;
  }
};

template <typename T>
T* As(const std::map<int, QWidget*>& controls, int id) {
  const auto it = controls.find(id);
  return it == controls.end() ? nullptr : qobject_cast<T*>(it->second);
}

}  // namespace

QWidget* CVorenxDlg::Control(int id) const {
  const auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : it->second;
}

QWidget* CVorenxDlg::CreateControl(const ControlSpec& entry) {
  QWidget* widget = nullptr;
  QRect geometry = MapDialogRect(m_units, entry.du);
  switch (entry.kind) {
    case ControlKind::Label:
      widget = new QLabel(ShownControlText(entry.text), this);
      break;
    case ControlKind::SunkenLabel:  // the meter panel draws its own frame
      widget = new CStaticLCD(m_display, &m_link, this);
      widget->setWindowTitle(entry.text);
      break;
    case ControlKind::Custom:  // the readings table
      widget = new CGridCtrl(this);
      widget->setWindowTitle(entry.text);
      break;
    case ControlKind::GroupBox:
      widget = new QGroupBox(ShownControlText(entry.text), this);
      break;
    case ControlKind::DropList:
    case ControlKind::DropDown: {
      auto* combo = new QComboBox(this);
      combo->setEditable(entry.kind == ControlKind::DropDown);
      combo->setInsertPolicy(QComboBox::NoInsert);
      QStringList items;
      for (const QString& item : entry.items) items << ShownControlText(item);
      if (entry.sorted) items.sort();
      combo->addItems(items);
      combo->setCurrentIndex(-1);
      // The template's height is that of the dropped-down list; the closed
      // box is as high as its font needs.
      geometry.setHeight(combo->sizeHint().height());
      widget = combo;
      break;
    }
    case ControlKind::Tabs: {
      auto* tabs = new QTabBar(this);
      tabs->setExpanding(false);
      tabs->setDrawBase(true);
      tabs->setUsesScrollButtons(false);
      widget = tabs;
      break;
    }
    case ControlKind::CheckBox:
      widget = new QCheckBox(ShownControlText(entry.text), this);
      break;
    case ControlKind::PushButton: {
      auto* button = new QPushButton(ShownControlText(entry.text), this);
      button->setAutoDefault(false);
      widget = button;
      break;
    }
    case ControlKind::Edit:
      widget = new CEditEx(this);
      break;
    case ControlKind::Spin:
      widget = new CUpDown(this);
      break;
  }
  widget->setGeometry(geometry);
  if (entry.id != idc::kStatic) {
    widget->setObjectName(QString::number(entry.id));
    m_controls[entry.id] = widget;
  }
  return widget;
}

void CVorenxDlg::CreateControls() {
  setFont(DialogFont(kDialogFontPoints));
  m_units = BaseUnitsOf(font());
  setFixedSize(MapDialogRect(m_units, 0, 0, kDialogWidthDu, kDialogHeightDu).size());
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(QStringLiteral("Vorenx"));

  for (const ControlSpec& entry : MainWindowControls()) CreateControl(entry);

  const auto& c = m_controls;
  m_portList = As<QComboBox>(c, idc::kPort);
  m_runButton = As<QPushButton>(c, idc::kRun);
  m_outBox = As<QCheckBox>(c, idc::kOut);
  m_wiringList = As<QComboBox>(c, idc::kWiring);
  m_tcList = As<QComboBox>(c, idc::kThermocouple);
  m_rtdList = As<QComboBox>(c, idc::kRtd);
  m_waveShowList = As<QComboBox>(c, idc::kWaveShow);
  m_status = As<QLabel>(c, idc::kStatus);
  m_tabs = As<QTabBar>(c, idc::kTabs);
  m_divLabel = As<QLabel>(c, idc::kDiv);
  m_voltUnitList = As<QComboBox>(c, idc::kVoltUnit);
  m_hartBox = As<QCheckBox>(c, idc::kHart);
  m_simulationBox = As<QCheckBox>(c, idc::kSimulation);
  m_cjcBox = As<QCheckBox>(c, idc::kCjc);
  m_rangeLabel = As<QLabel>(c, idc::kRange);
  m_upperList = As<QComboBox>(c, idc::kUpper);
  m_spanLabel = As<QLabel>(c, idc::kSpan);
  m_celsiusBox = As<QCheckBox>(c, idc::kCelsius);
  m_sourceValue = As<CEditEx>(c, idc::kSourceValue);
  m_unitLabel = As<QLabel>(c, idc::kUnit);
  m_intervalList = As<QComboBox>(c, idc::kInterval);
  m_panel = qobject_cast<CStaticLCD*>(Control(idc::kPanel));
  m_readings = qobject_cast<CGridCtrl*>(Control(idc::kReadings));
  m_userDialogs = std::make_unique<QtUserDialogs>(QApplication::applicationName());
  m_log = std::make_unique<CReadingsLog>(*m_readings, m_link.History(), *m_userDialogs);
  m_lengthSpin = As<CUpDown>(c, idc::kLengthSpin);
  m_lengthField = As<CEditEx>(c, idc::kLength);
  m_saveData = As<QPushButton>(c, idc::kSaveData);

  ConnectHandlers();
}

void CVorenxDlg::ConnectHandlers() {
  OnUserAction(m_runButton, &QPushButton::clicked, [this] { OnRunClicked(); });
  OnUserAction(m_portList, &QComboBox::activated, [this] {
    OnPortChanged(m_portList->currentIndex());
    UpdateTitle(m_portList->currentIndex());
  });
  OnUserAction(m_saveData, &QPushButton::clicked, [this] { OnSaveData(); });

  // The tab bar has no user-only signal that fires after the change, so the
  // program sets the tab with its signals blocked.
  OnUserAction(m_tabs, &QTabBar::currentChanged, [this] { OnTabChanged(); });
  OnUserAction(m_outBox, &QCheckBox::clicked, [this] { OnOutClicked(); });
  OnUserAction(m_upperList, &QComboBox::activated, [this] { OnUpperFunctionChanged(); });
  OnUserAction(m_voltUnitList, &QComboBox::activated, [this] { OnVoltUnitChanged(); });
  OnUserAction(m_intervalList, &QComboBox::activated, [this] { OnIntervalChanged(); });
  OnUserAction(m_wiringList, &QComboBox::activated, [this] { BuildLowerCommand(); });
  // A new RTD or thermocouple type is a new function: its output starts off.
  for (QComboBox* list : {m_rtdList, m_tcList}) {
    OnUserAction(list, &QComboBox::activated, [this] {
      OutputOffForNewFunction();
      BuildLowerCommand();
    });
  }
  for (QCheckBox* box : {m_hartBox, m_cjcBox, m_simulationBox})
    OnUserAction(box, &QCheckBox::clicked, [this] { BuildLowerCommand(); });
  OnUserAction(m_celsiusBox, &QCheckBox::clicked, [this] { OnCelsiusClicked(); });
  OnUserAction(m_sourceValue, &CEditEx::editingCommitted, [this] { BuildLowerCommand(); });

  connect(m_lengthSpin, &CUpDown::deltaRequested, this, [this](int delta) {
    if (m_programChange) return;
    int result = 0;
    OnLengthSpin(delta, &result);
  });
  OnUserAction(m_lengthField, &CEditEx::editingCommitted, [this] { OnLengthKillFocus(); });
  OnUserAction(m_waveShowList, &QComboBox::activated, [this] { OnWaveShowChange(); });
  // The panel finds a failed Save Image during a paint; the message is shown
  // after the paint, through the same dialogs as the export's messages.
  connect(
      m_panel, &CStaticLCD::SaveImageFailed, this,
      [this](const QString& path) {
        m_userDialogs->ShowMessage(nullptr, tr("Unable to save the image \"%1\"").arg(path));
      },
      Qt::QueuedConnection);
}

void CVorenxDlg::GuardAgainstWheels() {
  // Qt turns a wheel over a tab bar or a list into a new selection, and a wheel
  // gives a list the focus first. Here a wheel never changes the tabs and
  // changes a list only once the user has given it the focus.
  auto* filter = new WheelFilter(this);
  m_tabs->setFocusPolicy(Qt::TabFocus);
  m_tabs->installEventFilter(filter);
  for (QComboBox* list : findChildren<QComboBox*>()) {
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(filter);
  }
}

void CVorenxDlg::FitListPopups() {
  for (QComboBox* list : findChildren<QComboBox*>()) {
    QAbstractItemView* view = list->view();
    int width = view->sizeHintForColumn(0) + 2 * view->frameWidth();
    if (list->count() > list->maxVisibleItems()) width += view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    view->setMinimumWidth(width);
  }
}

}  // namespace vorenx
