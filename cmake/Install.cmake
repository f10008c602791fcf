# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Installation and the Debian package.
#
# `cmake --install` puts the five programs, the desktop entry, the icon in the
# hicolor theme, the AppStream metainfo, the man pages and the logger's systemd
# user unit below
# CMAKE_INSTALL_PREFIX; `cpack -G DEB` packs the same tree for /usr.
include(GNUInstallDirs)

# The application's identity for desktops and software centres: the desktop
# entry and the metainfo are named after it, and the program announces it to
# the window system so that its windows are matched with the entry.
set(VORENX_APP_ID "org.vorenx.vorenx")
# The date of the release that PROJECT_VERSION names; change both together.
set(VORENX_RELEASE_DATE "2026-12-08")

set(_vx_data ${PROJECT_SOURCE_DIR}/data)
set(_vx_out ${PROJECT_BINARY_DIR}/data)

install(TARGETS vorenx vorenx-calibrate vorenx-logger vorenx-probe vorenx-records vorenx-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
target_compile_definitions(vorenx PRIVATE VORENX_APP_ID="${VORENX_APP_ID}")

configure_file(${_vx_data}/vorenx.metainfo.xml.in ${_vx_out}/${VORENX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_vx_data}/vorenx.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${VORENX_APP_ID}.desktop)
install(FILES ${_vx_out}/${VORENX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the scalable drawing and a picture for each size there is, each in
# the theme folder of its size. The glob is looked at again at build time, so
# pictures added later are installed without configuring anew.
file(GLOB _vx_icons CONFIGURE_DEPENDS RELATIVE ${_vx_data}/icons/hicolor
     ${_vx_data}/icons/hicolor/*/apps/vorenx.png)
foreach(_vx_icon ${_vx_icons})
  get_filename_component(_vx_icon_dir ${_vx_icon} DIRECTORY)
  install(FILES ${_vx_data}/icons/hicolor/${_vx_icon}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_vx_icon_dir})
endforeach()
file(GLOB _vx_scalable CONFIGURE_DEPENDS ${_vx_data}/icons/vorenx.svg)
if(_vx_scalable)
  install(FILES ${_vx_scalable} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# Man pages: written by hand, dated and versioned at configure time, and
# compressed as Debian ships them (gzip -n keeps the archive free of time stamps).
set(_vx_pages "")
foreach(_vx_page vorenx vorenx-calibrate vorenx-logger vorenx-probe vorenx-records vorenx-sim)
  configure_file(${_vx_data}/man/${_vx_page}.1.in ${_vx_out}/man/${_vx_page}.1 @ONLY)
  add_custom_command(OUTPUT ${_vx_out}/man/${_vx_page}.1.gz
    COMMAND gzip -9nkf ${_vx_page}.1
    WORKING_DIRECTORY ${_vx_out}/man
    DEPENDS ${_vx_out}/man/${_vx_page}.1
    VERBATIM)
  list(APPEND _vx_pages ${_vx_out}/man/${_vx_page}.1.gz)
endforeach()
# Each page's summary in German and Chinese (data/man/translated/LANG.txt, one
# line per program: program|summary|description), each as a short page of its
# own language in share/man/LANG/man1 that points to the English one for the
# options. man and whatis take it where the locale asks for that language.
set(_vx_translated_pages "")
foreach(_vx_lang de zh_CN)
  if(_vx_lang STREQUAL "de")
    set(VX_MANUAL "Benutzerbefehle")
    set(VX_NAME "BEZEICHNUNG")
    set(VX_DESCRIPTION_HEADING "BESCHREIBUNG")
    set(VX_SEE_ALSO "SIEHE AUCH")
    set(VX_OPTIONS_NOTE "Die Optionen beschreibt die englische Handbuchseite: \\fBLANG=C man @VX_PAGE@\\fR; jedes Programm nennt sie auch mit \\fB\\-\\-help\\fR.")
  else()
    set(VX_MANUAL "用户命令")
    set(VX_NAME "名称")
    set(VX_DESCRIPTION_HEADING "描述")
    set(VX_SEE_ALSO "参见")
    set(VX_OPTIONS_NOTE "各选项见英文手册页：\\fBLANG=C man @VX_PAGE@\\fR；每个程序也可用 \\fB\\-\\-help\\fR 列出其选项。")
  endif()
  set(_vx_note_template "${VX_OPTIONS_NOTE}")
  file(STRINGS ${_vx_data}/man/translated/${_vx_lang}.txt _vx_lines ENCODING UTF-8 REGEX "^[a-z]")
  foreach(_vx_line ${_vx_lines})
    string(REPLACE "|" ";" _vx_fields "${_vx_line}")
    list(GET _vx_fields 0 VX_PAGE)
    list(GET _vx_fields 1 VX_SUMMARY)
    list(GET _vx_fields 2 VX_DESCRIPTION)
    # Chinese has no spaces to break a line at: groff may break after its
    # punctuation (\: is a break point that prints nothing).
    foreach(_vx_mark "，" "；" "、" "。" "：")
      string(REPLACE "${_vx_mark}" "${_vx_mark}\\:" VX_DESCRIPTION "${VX_DESCRIPTION}")
    endforeach()
    string(TOUPPER "${VX_PAGE}" VX_TITLE)
    string(REPLACE "-" "\\-" VX_PROGRAM "${VX_PAGE}")
    string(REPLACE "@VX_PAGE@" "${VX_PROGRAM}" VX_OPTIONS_NOTE "${_vx_note_template}")
    set(_vx_dir ${_vx_out}/man/${_vx_lang})
    configure_file(${_vx_data}/man/translated/page.1.in ${_vx_dir}/${VX_PAGE}.1 @ONLY)
    add_custom_command(OUTPUT ${_vx_dir}/${VX_PAGE}.1.gz
      COMMAND gzip -9nkf ${VX_PAGE}.1
      WORKING_DIRECTORY ${_vx_dir}
      DEPENDS ${_vx_dir}/${VX_PAGE}.1
      VERBATIM)
    list(APPEND _vx_translated_pages ${_vx_dir}/${VX_PAGE}.1.gz)
    install(FILES ${_vx_dir}/${VX_PAGE}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${_vx_lang}/man1)
  endforeach()
endforeach()
add_custom_target(vorenx_man_pages ALL DEPENDS ${_vx_pages} ${_vx_translated_pages})
install(FILES ${_vx_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The logger's systemd user unit, where the user manager looks in the data
# folders ($XDG_DATA_DIRS/systemd/user: /usr/share/systemd/user).
install(FILES ${_vx_data}/vorenx-logger.service DESTINATION ${CMAKE_INSTALL_DATADIR}/systemd/user)

# The package's documentation folder, as Debian policy asks of every package:
# the machine-readable copyright file, and the changelog compressed (a native
# package's is changelog.gz). The changelog is written by hand; its newest
# entry must name this version and release date, so that neither is forgotten
# when the other changes.
set(_vx_docdir ${CMAKE_INSTALL_DATADIR}/doc/vorenx)
file(STRINGS ${_vx_data}/changelog _vx_changes)
list(GET _vx_changes 0 _vx_newest)
string(REPLACE "." "\\." _vx_version_pattern "${PROJECT_VERSION}")
if(NOT _vx_newest MATCHES "^vorenx \\(${_vx_version_pattern}\\) ")
  message(FATAL_ERROR "data/changelog begins with \"${_vx_newest}\", not an entry for ${PROJECT_VERSION}")
endif()
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _vx_date_parts "${VORENX_RELEASE_DATE}")
set(_vx_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
math(EXPR _vx_month_index "${CMAKE_MATCH_2} - 1")
list(GET _vx_months ${_vx_month_index} _vx_month)
set(_vx_dated "${CMAKE_MATCH_3} ${_vx_month} ${CMAKE_MATCH_1}")
list(FILTER _vx_changes INCLUDE REGEX "^ -- ")
list(GET _vx_changes 0 _vx_trailer)
if(NOT _vx_trailer MATCHES ", ${_vx_dated} ")
  message(FATAL_ERROR "the newest entry of data/changelog is not dated ${_vx_dated} (VORENX_RELEASE_DATE): ${_vx_trailer}")
endif()
configure_file(${_vx_data}/changelog ${_vx_out}/changelog COPYONLY)
add_custom_command(OUTPUT ${_vx_out}/changelog.gz
  COMMAND gzip -9nkf changelog
  WORKING_DIRECTORY ${_vx_out}
  DEPENDS ${_vx_out}/changelog
  VERBATIM)
add_custom_target(vorenx_changelog ALL DEPENDS ${_vx_out}/changelog.gz)
install(FILES ${_vx_out}/changelog.gz ${_vx_data}/copyright DESTINATION ${_vx_docdir})

# --- The Debian package ---------------------------------------------------------
set(VORENX_PACKAGE_MAINTAINER "The Vorenx developers <developers@vorenx.org>"
    CACHE STRING "Maintainer field of the Debian package")
# Build trees configured before keep the former default, an address at
# localhost, which Debian refuses; it gives way to the new one.
if(VORENX_PACKAGE_MAINTAINER STREQUAL "The Vorenx developers <vorenx@localhost>")
  set(VORENX_PACKAGE_MAINTAINER "The Vorenx developers <developers@vorenx.org>" CACHE STRING
      "Maintainer field of the Debian package" FORCE)
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorenx)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vorenx developers")
set(CPACK_PACKAGE_CONTACT "${VORENX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion program of a dual-display process calibrator")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vorenx finds a handheld dual-display process calibrator on a serial port,\n\
polls it and shows both displays on an LCD-like meter panel with a wave of\n\
recent values. It changes the instrument's settings and source value, logs\n\
every reading in a table, exports the log as CSV and saves the panel as a\n\
bitmap. The package also holds vorenx-logger, which logs one or more\n\
calibrators without a window (with a systemd user unit for unattended\n\
logging), vorenx-probe, which lists the ports where an instrument answers,\n\
vorenx-records, which lists, exports, imports and checks a lab's calibration\n\
records, vorenx-calibrate, which runs a calibration without a window for a\n\
script, and vorenx-sim, a simulated calibrator.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the programs link come from dpkg-shlibdeps; what they load at run
# time is named here: the fonts the window is laid out in (Latin texts, the
# meter panel, the Chinese texts of the About box).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core, fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
