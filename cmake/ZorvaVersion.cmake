# The version in one place. project() gives major.minor.patch; the build
# number is the count of commits behind HEAD, so the same commit always
# builds the same number. Without git history (a source archive, a shallow
# clone) it is 0 unless -DZORVA_BUILD_NUMBER=N says otherwise.
#
# The numbers are worked out at every build, not only at configure time, and
# written into <build>/generated/ only when they change:
#   zorva_version.h    ZORVA_VERSION ("1.0.0.57"), ZORVA_VERSION_NUMBERS
#                      (1,0,0,57, for FILEVERSION) and ZORVA_BUILD_NUMBER,
#                      for C++ and the version resource: link zorva_version
#   zorva_version.nsh  the same for the installer script
#   zorva_version.txt  the version text alone, for scripts

set(ZORVA_BUILD_NUMBER "" CACHE STRING "Build number to use instead of the commit count")
set(ZORVA_VERSION_DIR ${CMAKE_BINARY_DIR}/generated)
set(ZORVA_VERSION_HEADER ${ZORVA_VERSION_DIR}/zorva_version.h)
set(ZORVA_VERSION_NSH ${ZORVA_VERSION_DIR}/zorva_version.nsh)
set(ZORVA_VERSION_TXT ${ZORVA_VERSION_DIR}/zorva_version.txt)

find_package(Git QUIET)
add_custom_target(zorva_version_files
  COMMAND ${CMAKE_COMMAND}
          -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
          -DOUTPUT_DIR=${ZORVA_VERSION_DIR}
          -DGIT=${GIT_EXECUTABLE}
          -DVERSION=${PROJECT_VERSION}
          -DBUILD_NUMBER=${ZORVA_BUILD_NUMBER}
          -P ${CMAKE_CURRENT_LIST_DIR}/zorva_version_files.cmake
  BYPRODUCTS ${ZORVA_VERSION_HEADER} ${ZORVA_VERSION_NSH} ${ZORVA_VERSION_TXT}
  COMMENT "Version files"
  VERBATIM)

add_library(zorva_version INTERFACE)
target_include_directories(zorva_version INTERFACE ${ZORVA_VERSION_DIR})
add_dependencies(zorva_version zorva_version_files)
