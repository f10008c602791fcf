// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Each Port list entry names the device path its number stands for.
#include <QComboBox>

#include "WindowFixture.h"
#include "app/ControlTable.h"

namespace vorenx::testing {
namespace {

// The library maps port numbers to paths; this one makes each path unique.
class PathFake : public FakeQelHardDll {
 public:
  QString PortPath(std::int32_t port) override { return QStringLiteral("/dev/fake-%1").arg(port); }
};

TEST(PortToolTip, EveryEntryShowsTheDevicePathOfItsNumber) {
  PathFake hard;
  FakeQelDisplayDll display;
  auto dlg = std::make_unique<CVorenxDlg>(hard, display);
  auto* ports = qobject_cast<QComboBox*>(dlg->Control(idc::kPort));
  ASSERT_NE(ports, nullptr);
  ASSERT_GT(ports->count(), 0);
  for (int i = 0; i < ports->count(); ++i) {
    const int number = ports->itemText(i).mid(3).toInt();
    EXPECT_EQ(ports->itemData(i, Qt::ToolTipRole).toString(), QStringLiteral("/dev/fake-%1").arg(number))
        << ports->itemText(i).toStdString();
  }
  dlg.reset();
}

}  // namespace
}  // namespace vorenx::testing
