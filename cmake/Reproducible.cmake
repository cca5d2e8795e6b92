# Two builds of the same commit and version, with the same tools, give a byte-identical
# Calmora.exe, wherever their folders are: anyone can build a release again and compare it
# (tests/installer does, with two build folders).
# - No link time stamp: the PE header's is 0, which makes its checksum the same as well.
# - No build paths: __FILE__, and debug information if a build asks for it, name files from the
#   source folder (".") and the build folder ("build") instead of their absolute paths. GCC takes
#   the last prefix that matches, so the build folder, which may lie in the source folder, comes
#   second. The resource compiler's output holds no paths.
# - No date: __DATE__, __TIME__ and __TIMESTAMP__ are errors.
# - A fixed order: the program's targets name their sources and libraries, and CMake compiles and
#   links them in that order (only test folders glob, and CMake sorts what a glob finds).
if(WIN32)
  add_link_options(LINKER:--no-insert-timestamp)
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-Werror=date-time>")
endif()
