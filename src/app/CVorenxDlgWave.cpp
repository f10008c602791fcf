// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The wave settings below the meter panel: the length field with its up-down
// arrows and the channel list. The handlers compute the setting and queue a
// command; only the worker passes it on to the drawing library.
#include <QComboBox>
#include <algorithm>

#include "app/CEditEx.h"
#include "app/CUpDown.h"
#include "app/CVorenxDlg.h"
#include "link/SampleHistory.h"

namespace vorenx {

namespace {
constexpr int kMinDisplayLength = 20;
constexpr int kLengthStep = 20;
}  // namespace

int CVorenxDlg::ReadLengthField() const {
  int v = 0;
  if (!m_lengthField->text().isEmpty()) {
    // Truncated toward zero; held inside the int range first (pasted text is
    // not filtered, so the number can be anything a float holds).
    const float f = std::clamp(m_lengthField->GetValue(), -1.0e9f, 1.0e9f);
    v = static_cast<int>(f);
  }
  return v == 0 ? m_station.DisplayLength().load() : v;
}

void CVorenxDlg::SetDisplayLength(int length) {
  length = std::clamp(length, kMinDisplayLength, kHistoryCapacity);
  m_station.DisplayLength().store(length);
  m_lengthField->SetValue(length);
  m_commands.PostCommand({CmdSetDisplayLength, 0});
}

void CVorenxDlg::OnLengthSpin(int delta, int* result) {
  int v = ReadLengthField();
  const int step = std::max(kLengthStep, (v / 80) * kLengthStep);
  if (delta == 1) v -= step;
  if (delta == -1) v += step;
  if (result) *result = 0;
  SetDisplayLength(v);
}

void CVorenxDlg::OnLengthKillFocus() {
  const int v = ReadLengthField();
  SetDisplayLength((v / kLengthStep) * kLengthStep);
}

void CVorenxDlg::OnWaveShowChange() {
  static constexpr int kCodes[] = {3, 1, 2};  // "ALL", "Upper", "Lower"
  const int index = m_waveShowList->currentIndex();
  const int code = index >= 0 && index < 3 ? kCodes[index] : 0;
  m_commands.PostCommand({CmdSetDisplayWave, code});
}

}  // namespace vorenx
