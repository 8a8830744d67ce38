# Builds the installer and the zip from the three files of a release. Run
# with cmake -P and PROGRAM, HELP_FILE, TWIN, VERSION_TXT, VERSION_NSH, NSI,
# MAKENSIS, ZIP and OUTPUT_DIR set. Both packages carry the version in their
# names, so OUTPUT_DIR is made anew each time: it never holds an older one.
cmake_minimum_required(VERSION 3.25)

file(STRINGS ${VERSION_TXT} version LIMIT_COUNT 1)
file(REMOVE_RECURSE ${OUTPUT_DIR})
file(MAKE_DIRECTORY ${OUTPUT_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed)
  if(failed)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "Failed (${failed}): ${command}")
  endif()
endfunction()

run(${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
    -DVERSION_NSH=${VERSION_NSH} -DPROGRAM=${PROGRAM} -DHELP_FILE=${HELP_FILE} -DTWIN=${TWIN}
    -DOUTFILE=${OUTPUT_DIR}/TemposZORVA-${version}-instalar.exe
    ${NSI})
# The zip holds the files at its top, to be unpacked straight into Tempovia's folder.
run(${ZIP} -q -X -j ${OUTPUT_DIR}/TemposZORVA-${version}.zip ${PROGRAM} ${HELP_FILE} ${TWIN})
