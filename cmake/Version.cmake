# The program's version, written once as the project version, in each form Windows wants it:
# "1.00.0006" for people (the version resource's texts, the installer's file name and its
# ProductVersion, which Add or Remove Programs shows), four numbers for the version resource and
# the manifest.
#
# A build may ask for another version with -DCALMORA_VERSION=X.YY.ZZZZ: the installer's tests
# build a higher version to upgrade to.
set(CALMORA_VERSION "" CACHE STRING "Build as this version (X.YY.ZZZZ) instead of the project's")
if(CALMORA_VERSION)
  if(NOT CALMORA_VERSION MATCHES "^([0-9]+)\\.([0-9][0-9])\\.([0-9][0-9][0-9][0-9])$")
    message(FATAL_ERROR "CALMORA_VERSION must look like 1.00.0006, not '${CALMORA_VERSION}'")
  endif()
  # Leading zeros go: "08" must not read as octal anywhere downstream.
  math(EXPR CALMORA_VERSION_MAJOR "${CMAKE_MATCH_1}")
  math(EXPR CALMORA_VERSION_MINOR "1${CMAKE_MATCH_2} - 100")
  math(EXPR CALMORA_VERSION_PATCH "1${CMAKE_MATCH_3} - 10000")
else()
  set(CALMORA_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
  set(CALMORA_VERSION_MINOR ${PROJECT_VERSION_MINOR})
  set(CALMORA_VERSION_PATCH ${PROJECT_VERSION_PATCH})
endif()
# Windows Installer compares only the first three fields, and allows at most 255.255.65535.
if(CALMORA_VERSION_MAJOR GREATER 255 OR CALMORA_VERSION_MINOR GREATER 99 OR
   CALMORA_VERSION_PATCH GREATER 9999)
  message(FATAL_ERROR "Version ${CALMORA_VERSION_MAJOR}.${CALMORA_VERSION_MINOR}.${CALMORA_VERSION_PATCH} is out of range")
endif()

# Padded to two and four digits the way the version has always been shown.
math(EXPR _minor "100 + ${CALMORA_VERSION_MINOR}")
math(EXPR _patch "10000 + ${CALMORA_VERSION_PATCH}")
string(SUBSTRING "${_minor}" 1 2 _minor)
string(SUBSTRING "${_patch}" 1 4 _patch)
set(CALMORA_VERSION_TEXT "${CALMORA_VERSION_MAJOR}.${_minor}.${_patch}")
set(CALMORA_VERSION_FOUR_PART "${CALMORA_VERSION_MAJOR}.${CALMORA_VERSION_MINOR}.0.${CALMORA_VERSION_PATCH}")
unset(_minor)
unset(_patch)

set(CALMORA_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/packaging/calmora_version.h.in
               ${CALMORA_GENERATED_DIR}/calmora_version.h @ONLY)
# The installer's package takes the same version from here (scripts/package.sh).
configure_file(${PROJECT_SOURCE_DIR}/packaging/installer/calmora_version.wxi.in
               ${CALMORA_GENERATED_DIR}/calmora_version.wxi @ONLY)
