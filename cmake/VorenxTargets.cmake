# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Small helpers so that each folder's CMakeLists stays a few lines long.

# vorenx_add_test(NAME <name> [GUI] [LABELS l...] SOURCES s... LIBS l...)
# One GoogleTest executable and one ctest entry. GUI tests get a QApplication on
# the offscreen platform, the others a QCoreApplication.
function(vorenx_add_test)
  cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE vorenx_gui_test_main)
  else()
    target_link_libraries(${T_NAME} PRIVATE vorenx_test_main)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock Qt6::Test)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS "${T_LABELS}"
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VORENX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# vorenx_add_bench(NAME <name> [GUI] SOURCES s... LIBS l...)
# GUI benchmarks get a QApplication on the offscreen platform, the others a QCoreApplication.
function(vorenx_add_bench)
  cmake_parse_arguments(B "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  if(B_GUI)
    target_link_libraries(${B_NAME} PRIVATE vorenx_bench_gui_main)
  else()
    target_link_libraries(${B_NAME} PRIVATE vorenx_bench_main)
  endif()
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()

# vorenx_add_fuzz(NAME <name> SOURCES s... LIBS l...)
function(vorenx_add_fuzz)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
endfunction()

# Adds every immediate sub-folder of the current folder that holds a CMakeLists.txt.
macro(vorenx_add_subfolders)
  file(GLOB _vx_children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _vx_children)
  foreach(_vx_child ${_vx_children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_vx_child}/CMakeLists.txt)
      add_subdirectory(${_vx_child})
    endif()
  endforeach()
endmacro()

# vorenx_export_folder(<target>)
# The library exports only the folder it is built from, under the folder's
# name, so that "link/CDeviceLink.h" is found only by targets that link
# vorenx_link (directly or through a floor above it). The exported include
# root holds one entry, a link to the folder; an include of a floor the
# target does not link fails to compile.
function(vorenx_export_folder target)
  get_filename_component(_vx_name ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(_vx_root ${PROJECT_BINARY_DIR}/include/${_vx_name})
  if(NOT EXISTS ${_vx_root}/${_vx_name})
    file(MAKE_DIRECTORY ${_vx_root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${_vx_root}/${_vx_name} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${_vx_root})
endfunction()
