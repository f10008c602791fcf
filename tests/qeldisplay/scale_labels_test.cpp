// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Scale labels: the labels of one axis share one number of decimals, as many
// as show the values exactly when they fit their column.
#include <gtest/gtest.h>

#include <QPainter>
#include <QRegularExpression>

#include "TextRecorder.h"
#include "qeldisplay/LcdStyle.h"
#include "qeldisplay/QelDisplay.h"

namespace qeldisplay {
namespace {

// Decimals of a label ("62.5" -> 1, "588" -> 0).
int DecimalsOf(const QString& label) {
  const qsizetype point = label.indexOf(QLatin1Char('.'));
  return point < 0 ? 0 : static_cast<int>(label.size() - point - 1);
}

// The number labels the grid draws, in drawing order (the legend and time axis
// come as text too; only the value scales are plain numbers right of the frame).
QStringList GridNumbers(int upper, int lower, int celsius) {
  vorenx::testing::TextRecorder device(480, 600);
  {
    QPainter p(&device);
    dmmDrawGrid(&p, 25, 435, 405, 555, 2.0f, upper, lower, celsius);
  }
  QStringList numbers;
  static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
  for (const QString& t : device.Texts())
    if (number.match(t).hasMatch()) numbers << t;
  return numbers;
}

TEST(ScaleTexts, OneDecimalCountPerAxisAsFitsTheColumn) {
  const QFontMetricsF metrics(LcdFont(10));
  EXPECT_EQ(ScaleTexts({30, 22.5, 15, 7.5, 0}, metrics, 32), QStringList({"30.0", "22.5", "15.0", "7.5", "0.0"}));
  EXPECT_EQ(ScaleTexts({850, 587.5, 325, 62.5, -200}, metrics, 1000),
            QStringList({"850.0", "587.5", "325.0", "62.5", "-200.0"}));
  // Too wide for a narrow column: fewer decimals, still the same for all.
  const QStringList narrow = ScaleTexts({850, 587.5, 325, 62.5, -200}, metrics, 32);
  ASSERT_EQ(narrow.size(), 5);
  for (const QString& t : narrow) EXPECT_EQ(DecimalsOf(t), 0) << t.toStdString();
  EXPECT_EQ(ScaleTexts({1, 0.25, -0.5}, metrics, 100), QStringList({"1.00", "0.25", "-0.50"}));
  EXPECT_EQ(ScaleTexts({-0.0001, 2}, metrics, 100), QStringList({"0.000", "2.000"}));  // no "-0"
  EXPECT_EQ(ScaleTexts({std::nan(""), 5}, metrics, 100), QStringList({"--", "5"}));
}

TEST(DrawGrid, TheLabelsOfEachValueScaleShareTheirDecimals) {
  // Every lower function beside the upper voltage: two columns of five labels.
  for (int lower = 5; lower <= 26; ++lower) {
    for (int celsius : {0, 1}) {
      SCOPED_TRACE(lower * 10 + celsius);
      const QStringList numbers = GridNumbers(1, lower, celsius);
      ASSERT_GE(numbers.size(), 10);
      const QStringList columns[2] = {numbers.mid(numbers.size() - 10, 5), numbers.mid(numbers.size() - 5, 5)};
      for (const QStringList& column : columns)
        for (const QString& label : column) EXPECT_EQ(DecimalsOf(label), DecimalsOf(column.front())) << label.toStdString();
    }
  }
}

}  // namespace
}  // namespace qeldisplay
