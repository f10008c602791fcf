// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "link/OnePortLibrary.h"

namespace vorenx {

std::uint16_t OnePortLibrary::QelIsDevConnect(std::int32_t port) {
  return port == m_port ? m_library.QelIsDevConnect(port) : 0;
}

std::uint16_t OnePortLibrary::QelOpenCOM(std::int32_t port) {
  return port == m_port ? m_library.QelOpenCOM(port) : 0;
}

std::uint16_t OnePortLibrary::QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) {
  return port == m_port ? m_library.QelGetData(port, buffer, size) : 0;
}

std::uint16_t OnePortLibrary::QelSetUpper(std::int32_t port, std::int32_t function) {
  return port == m_port ? m_library.QelSetUpper(port, function) : 0;
}

std::uint16_t OnePortLibrary::QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode, float value) {
  return port == m_port ? m_library.QelSetLower(port, function, mode, value) : 0;
}

std::uint16_t OnePortLibrary::QelCloseCOM(std::int32_t port) {
  return port == m_port ? m_library.QelCloseCOM(port) : 0;
}

}  // namespace vorenx
