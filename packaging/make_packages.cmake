# Builds the installer and the zip from the three files of a release, and
# SHA256SUMS beside them. Run with cmake -P and PROGRAM, HELP_FILE, TWIN,
# VERSION_TXT, VERSION_NSH, NSI, MAKENSIS, ZIP, SIGN (sign.sh) and OUTPUT_DIR
# set. Both packages carry the version in their names, so OUTPUT_DIR is made
# anew each time: it never holds an older one.
#
# With a certificate in the environment (ZORVA_SIGN_PKCS12, see sign.sh) the
# two programs, the installer and the uninstaller it writes are signed;
# without one all four stay unsigned.
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

# The programs are signed as copies: the build's own stay as they were built.
set(files ${OUTPUT_DIR}/.files)
file(COPY ${PROGRAM} ${TWIN} DESTINATION ${files})
cmake_path(GET PROGRAM FILENAME program_name)
cmake_path(GET TWIN FILENAME twin_name)
set(PROGRAM ${files}/${program_name})
set(TWIN ${files}/${twin_name})

set(sign_nsis "")
if("$ENV{ZORVA_SIGN_PKCS12}" STREQUAL "")
  message("Packages unsigned: no certificate given (ZORVA_SIGN_PKCS12 and ZORVA_SIGN_PASSWORD)")
else()
  message("Signing with the certificate $ENV{ZORVA_SIGN_PKCS12}")
  run(sh ${SIGN} ${PROGRAM})
  run(sh ${SIGN} ${TWIN})
  set(sign_nsis -DSIGN=${SIGN})
endif()

run(${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
    -DVERSION_NSH=${VERSION_NSH} -DPROGRAM=${PROGRAM} -DHELP_FILE=${HELP_FILE} -DTWIN=${TWIN}
    -DOUTFILE=${OUTPUT_DIR}/TemposZORVA-${version}-instalar.exe ${sign_nsis}
    ${NSI})
# The zip holds the files at its top, to be unpacked straight into Tempovia's folder.
run(${ZIP} -q -X -j ${OUTPUT_DIR}/TemposZORVA-${version}.zip ${PROGRAM} ${HELP_FILE} ${TWIN})
file(REMOVE_RECURSE ${files})

# SHA256SUMS, in the form `sha256sum -c SHA256SUMS` checks.
set(sums "")
foreach(package TemposZORVA-${version}-instalar.exe TemposZORVA-${version}.zip)
  file(SHA256 ${OUTPUT_DIR}/${package} sum)
  string(APPEND sums "${sum}  ${package}\n")
endforeach()
file(WRITE ${OUTPUT_DIR}/SHA256SUMS "${sums}")
