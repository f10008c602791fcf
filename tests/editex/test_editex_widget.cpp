// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// CEditEx in a dialog with a default button, driven by real key and mouse
// events: the character filter, validation on leaving and on Enter, the limits,
// the secondary button and the look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "app/CEditEx.h"

namespace vorenx {
namespace {

class EditExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dialog = std::make_unique<QDialog>();
    auto* layout = new QVBoxLayout(m_dialog.get());
    m_field = new CEditEx(m_dialog.get());
    m_other = new QLineEdit(m_dialog.get());
    m_ok = new QPushButton(QStringLiteral("OK"), m_dialog.get());
    m_ok->setDefault(true);
    layout->addWidget(m_field);
    layout->addWidget(m_other);
    layout->addWidget(m_ok);
    QObject::connect(m_ok, &QPushButton::clicked, [this] { ++m_okClicks; });
    QObject::connect(m_field, &CEditEx::editingCommitted,
                     [this] { m_committedTexts.push_back(m_field->text()); });
    m_dialog->show();
    m_dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    FocusField();
  }

  void FocusField() {
    m_field->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(m_field->hasFocus());
  }

  // Leaves the field the way a user does: Tab to the next control.
  void LeaveField() {
    QTest::keyClick(m_field, Qt::Key_Tab);
    ASSERT_TRUE(m_other->hasFocus());
  }

  // Puts `text` in the field with the selection [start, end), then types `c`.
  QString TypeInto(const QString& text, int start, int end, QChar c) {
    m_field->setText(text);
    if (start == end) {
      m_field->setCursorPosition(start);
    } else {
      m_field->setSelection(start, end - start);
    }
    QTest::sendKeyEvent(QTest::Click, m_field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    return m_field->text();
  }

  QString ValidatedOnLeaving(const QString& text) {
    FocusField();
    m_field->setText(text);
    LeaveField();
    return m_field->text();
  }

  // Declared first so that it outlives the dialog and its last events.
  std::vector<QString> m_committedTexts;
  std::unique_ptr<QDialog> m_dialog;
  CEditEx* m_field = nullptr;
  QLineEdit* m_other = nullptr;
  QPushButton* m_ok = nullptr;
  int m_okClicks = 0;
};

TEST_F(EditExTest, DecimalPointDependsOnWhereItGoes) {
  EXPECT_EQ(TypeInto("", 0, 0, '.'), "");            // first character
  EXPECT_EQ(TypeInto("-", 1, 1, '.'), "-");          // right after a sign
  EXPECT_EQ(TypeInto("5", 1, 1, '.'), "5.");         // after a leading digit
  EXPECT_EQ(TypeInto("1.5", 1, 1, '.'), "1..5");     // position 1 looks only at the digit
  EXPECT_EQ(TypeInto("12.5", 4, 4, '.'), "12.5");    // a second point
  EXPECT_EQ(TypeInto("12.5", 1, 3, '.'), "1.5");     // replaces the selected point
  EXPECT_EQ(TypeInto("12", 2, 2, '.'), "12.");
}

TEST_F(EditExTest, SignsGoOnlyInFrontAndOnlyOnce) {
  EXPECT_EQ(TypeInto("5", 0, 0, '-'), "-5");
  EXPECT_EQ(TypeInto("5", 1, 1, '-'), "5");          // not in front
  EXPECT_EQ(TypeInto("-5", 0, 0, '-'), "-5");        // already has one
  EXPECT_EQ(TypeInto("-5", 0, 2, '-'), "-");         // the old one is replaced
  EXPECT_EQ(TypeInto("+5", 0, 0, '-'), "+5");
  EXPECT_EQ(TypeInto("+5", 0, 1, '-'), "-5");
  EXPECT_EQ(TypeInto("-5", 0, 0, '+'), "-5");
  EXPECT_EQ(TypeInto("-5", 0, 1, '+'), "+5");
  EXPECT_EQ(TypeInto("5", 1, 1, '+'), "5");

  m_field->SetAllowNegative(false);
  EXPECT_EQ(TypeInto("5", 0, 0, '-'), "5");
  EXPECT_EQ(TypeInto("5", 0, 0, '+'), "+5");         // "+" needs no permission
}

TEST_F(EditExTest, OnlyDigitsPointSignsAndBackspaceAreTyped) {
  EXPECT_EQ(TypeInto("12", 1, 1, '7'), "172");
  for (QChar refused : {QChar('a'), QChar('e'), QChar('E'), QChar(' '), QChar('{'),
                        QChar('~'), QChar(0x7F), QChar(0xE9), QChar(0x2103)}) {
    SCOPED_TRACE(static_cast<int>(refused.unicode()));
    EXPECT_EQ(TypeInto("12", 1, 1, refused), "12");
  }
  // A "," is the decimal point of a comma locale: taken as "." where "." is accepted.
  EXPECT_EQ(TypeInto("125", 2, 2, ','), "12.5");
  EXPECT_EQ(TypeInto("12.5", 4, 4, ','), "12.5");   // a second point is refused
  EXPECT_EQ(TypeInto("12.5", 2, 3, ','), "12.5");   // replaces the selected point
  EXPECT_EQ(TypeInto("5", 0, 0, ','), "5");          // never in front
  m_field->setText("12");
  QTest::keyClick(m_field, Qt::Key_Backspace);
  EXPECT_EQ(m_field->text(), "1");
  // Editing keys that type nothing keep their ordinary effect.
  m_field->setText("12");
  m_field->setCursorPosition(0);
  QTest::keyClick(m_field, Qt::Key_Delete);
  EXPECT_EQ(m_field->text(), "2");
}

TEST_F(EditExTest, LeavingValidatesBeforeTheOwnerIsTold) {
  m_field->SetAllowNegative(false);
  m_field->SetDecimals(0);
  m_field->SetLimits(20.0F, 120000.0F);
  EXPECT_EQ(ValidatedOnLeaving("5"), "20");
  EXPECT_EQ(ValidatedOnLeaving("130000"), "120000");
  EXPECT_EQ(ValidatedOnLeaving("240.7"), "241");
  EXPECT_EQ(ValidatedOnLeaving(""), "20");
  EXPECT_EQ(ValidatedOnLeaving("abc"), "20");
  EXPECT_EQ(m_committedTexts, (std::vector<QString>{"20", "120000", "241", "20", "20"}));
  EXPECT_EQ(m_field->LastText(), "20");
  EXPECT_EQ(m_okClicks, 0);
}

TEST_F(EditExTest, SignIsFoldedBeforeClamping) {
  m_field->SetLimits(0.0F, 10.0F);
  EXPECT_EQ(ValidatedOnLeaving("-3"), "0.000");
  m_field->SetAllowNegative(false);
  EXPECT_EQ(ValidatedOnLeaving("-3"), "3.000");
}

TEST_F(EditExTest, PastedTextIsValidatedOnLeaving) {
  m_field->SetAllowNegative(false);
  m_field->SetLimits(0.0F, 10.0F);
  QApplication::clipboard()->setText("-3xyz");
  m_field->clear();
  QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(m_field->text(), "-3xyz");
  LeaveField();
  EXPECT_EQ(m_field->text(), "3.000");
}

TEST_F(EditExTest, LeavingWithoutValidationStillTellsTheOwner) {
  m_field->SetValidateOnKillFocus(false);
  m_field->SetLimits(0.0F, 10.0F);
  EXPECT_EQ(ValidatedOnLeaving("99x"), "99x");
  EXPECT_EQ(m_committedTexts, std::vector<QString>{"99x"});
}

TEST_F(EditExTest, ClosingTheWindowValidatesButDoesNotTellTheOwner) {
  m_field->SetLimits(0.0F, 10.0F);
  m_field->setText("12");
  m_dialog->hide();
  EXPECT_EQ(m_field->text(), "10.000");
  EXPECT_TRUE(m_committedTexts.empty());
}

TEST_F(EditExTest, SetValueShowsTheSetDecimalsWithinTheLimits) {
  m_field->SetLimits(-5.0F, 5.0F);
  m_field->SetValue(2);
  EXPECT_EQ(m_field->text(), "2.000");
  EXPECT_EQ(m_field->LastText(), "2.000");
  m_field->SetValue(7.25);
  EXPECT_EQ(m_field->text(), "5.000");
  EXPECT_EQ(ValidatedOnLeaving(""), "0.000");  // 0 lies within the limits
  m_field->SetDecimals(1);
  EXPECT_EQ(m_field->ValidateText(), "0.0");
  EXPECT_EQ(m_field->text(), "0.0");
}

TEST_F(EditExTest, GetValueReadsWithoutClamping) {
  m_field->SetLimits(0.0F, 1.0F);
  m_field->setText("12.5abc");
  EXPECT_FLOAT_EQ(m_field->GetValue(), 12.5F);
  m_field->setText("x1");
  EXPECT_EQ(m_field->GetValue(), 0.0F);
}

TEST_F(EditExTest, SetLimitsReportsWhatChangedAndLeavesTheText) {
  m_field->setText("50");
  EXPECT_EQ(m_field->SetLimits(0.0F, 0.0F), 0);
  EXPECT_EQ(m_field->SetLimits(1.0F, 0.0F), 1);
  EXPECT_EQ(m_field->SetLimits(2.0F, 3.0F), 3);
  EXPECT_EQ(m_field->SetLimits(2.0F, 4.0F), 2);
  EXPECT_EQ(m_field->SetLimits(2.0F, 4.0F), 0);
  EXPECT_EQ(m_field->MinValue(), 2.0F);
  EXPECT_EQ(m_field->MaxValue(), 4.0F);
  EXPECT_EQ(m_field->text(), "50");
}

TEST_F(EditExTest, EnterCommitsInPlaceAndSkipsTheDefaultButton) {
  m_field->SetDecimals(0);
  m_field->SetLimits(20.0F, 120000.0F);
  m_field->setText("");
  QTest::keyClicks(m_field, "5");
  QTest::keyClick(m_field, Qt::Key_Return);
  EXPECT_TRUE(m_field->hasFocus());
  EXPECT_EQ(m_field->text(), "20");
  EXPECT_EQ(m_field->cursorPosition(), 2);
  EXPECT_EQ(m_committedTexts, std::vector<QString>{"20"});

  m_field->setText("130000");
  m_field->setCursorPosition(0);
  QTest::keyClick(m_field, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(m_field->hasFocus());
  EXPECT_EQ(m_field->text(), "120000");
  EXPECT_EQ(m_field->cursorPosition(), 6);
  EXPECT_EQ(m_committedTexts.size(), 2U);
  EXPECT_EQ(m_okClicks, 0);
  EXPECT_TRUE(m_dialog->isVisible());

  // The same key in a plain line edit of this dialog does press the default button.
  m_other->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(m_other, Qt::Key_Return);
  EXPECT_EQ(m_okClicks, 1);
}

TEST_F(EditExTest, SecondaryButtonInUnfocusedFieldLeavesCaretAtEnd) {
  m_other->setFocus(Qt::OtherFocusReason);
  ASSERT_FALSE(m_field->hasFocus());
  m_field->setText("123.000");
  QTest::mouseClick(m_field, Qt::RightButton, Qt::NoModifier, QPoint(5, m_field->height() / 2));
  EXPECT_TRUE(m_field->hasFocus());
  EXPECT_FALSE(m_field->hasSelectedText());
  EXPECT_EQ(m_field->cursorPosition(), 7);
}

TEST_F(EditExTest, SecondaryButtonInFocusedFieldSelectsAll) {
  m_field->setText("123.000");
  m_field->setCursorPosition(1);
  QTest::mouseClick(m_field, Qt::RightButton, Qt::NoModifier, QPoint(5, m_field->height() / 2));
  EXPECT_TRUE(m_field->hasFocus());
  EXPECT_EQ(m_field->selectedText(), "123.000");
  // The primary button keeps its ordinary effect: it places the caret.
  QTest::mouseClick(m_field, Qt::LeftButton, Qt::NoModifier, QPoint(2, m_field->height() / 2));
  EXPECT_FALSE(m_field->hasSelectedText());
  EXPECT_EQ(m_field->cursorPosition(), 0);
}

TEST_F(EditExTest, GainingFocusPutsTheCaretAtTheEnd) {
  m_other->setFocus(Qt::OtherFocusReason);
  m_field->setText("42.000");
  QTest::keyClick(m_other, Qt::Key_Backtab, Qt::ShiftModifier);
  ASSERT_TRUE(m_field->hasFocus());
  EXPECT_FALSE(m_field->hasSelectedText());  // a plain line edit selects all here
  EXPECT_EQ(m_field->cursorPosition(), 6);
}

TEST_F(EditExTest, DrawsOrangeTextOnDarkGrey) {
  m_field->setText("888");
  const QImage image = m_field->grab().toImage();
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.pixelColor(image.width() - 6, image.height() / 2), QColor(50, 50, 50));
  bool orange = false;
  for (int y = 0; y < image.height() && !orange; ++y) {
    for (int x = 0; x < image.width() / 2 && !orange; ++x) {
      const QColor c = image.pixelColor(x, y);
      orange = c.red() > 180 && c.green() > 70 && c.green() < 170 && c.blue() < 40;
    }
  }
  EXPECT_TRUE(orange);
  EXPECT_EQ(m_field->font().pointSize(), 10);
  EXPECT_EQ(m_field->font().family(), "Arial");
}

// Disabled (the source field while "Out" is clear), the field takes the
// style's disabled colours, also when it is empty.
TEST_F(EditExTest, ADisabledFieldLooksDisabled) {
  m_field->setEnabled(false);
  QImage image = m_field->grab().toImage();
  const QColor inside = image.pixelColor(image.width() - 6, image.height() / 2);
  EXPECT_NE(inside, QColor(50, 50, 50));
  EXPECT_EQ(inside, m_other->palette().color(QPalette::Disabled, QPalette::Base));
  m_field->setEnabled(true);
  image = m_field->grab().toImage();
  EXPECT_EQ(image.pixelColor(image.width() - 6, image.height() / 2), QColor(50, 50, 50));
}

TEST(EditExEscape, EscapeGoesOnToTheWindowAndClosesIt) {
  QDialog dialog;
  auto* field = new CEditEx(&dialog);
  field->setText("12.5");
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace vorenx
