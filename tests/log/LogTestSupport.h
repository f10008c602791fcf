// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Shared set-up of the readings-log suites: a grid, a history, recording
// dialogs and a fixed clock.
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "log/CReadingsLog.h"

namespace vorenx::testing {

class RecordingDialogs : public UserDialogs {
 public:
  bool AskSaveFileName(QWidget*, const SaveFileRequest& request, QString& path) override {
    requests.push_back(request);
    if (answer.isEmpty()) return false;
    path = answer;
    return true;
  }
  void ShowMessage(QWidget*, const QString& text) override { messages.push_back(text); }

  QString answer;  // empty: the user cancels
  std::vector<SaveFileRequest> requests;
  QStringList messages;
};

class ReadingsLogTest : public ::testing::Test {
 protected:
  ReadingsLogTest() : log(grid, history, dialogs, [this] { return now; }) {}

  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    log.SetUpReadingsTable();
  }
  // One poll that brought a sample: the history grows, then the table.
  void Reading(const QString& time, const QString& upper, const QString& lower) {
    history.Append(time, upper, lower, 0.0, 0.0);
    log.UpdateReadingsTable();
  }
  QStringList Row(int row) const {
    QStringList texts;
    for (int c = 0; c < grid.ColumnCount(); ++c) texts << grid.CellText(row, c);
    return texts;
  }
  QByteArray Export(const QString& name = QStringLiteral("out.csv")) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(grid.SaveToFile(path));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  QTemporaryDir dir;
  CGridCtrl grid;
  SampleHistory history;
  RecordingDialogs dialogs;
  LocalTime now{2026, 3, 5, 7, 8, 9, 0};
  CReadingsLog log;
};

}  // namespace vorenx::testing
