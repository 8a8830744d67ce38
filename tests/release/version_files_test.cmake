# The build number the version files carry: the commit count, unless
# ZORVA_BUILD_NUMBER gives one; 0 where there is no full history; refused
# when it cannot be written into a version resource.
# Run with cmake -P and SCRIPT (zorva_version_files.cmake) and WORK set.
cmake_minimum_required(VERSION 3.25)
find_program(GIT git REQUIRED)

function(git)
  execute_process(COMMAND ${GIT} ${ARGN} RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  if(failed)
    message(FATAL_ERROR "git ${ARGN} failed")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/history ${WORK}/plain)
git(-C ${WORK}/history init -q)
foreach(n 1 2 3)
  git(-C ${WORK}/history -c user.name=t -c user.email=t@t commit -q --allow-empty -m ${n})
endforeach()
git(clone -q --depth 1 file://${WORK}/history ${WORK}/shallow)

# case | source folder | git program | ZORVA_BUILD_NUMBER | version, or FAILS
set(cases
  "commit count|history|${GIT}||1.0.0.3"
  "given number|history|${GIT}|41|1.0.0.41"
  "given zero|history|${GIT}|0|1.0.0.0"
  "no git program|history|||1.0.0.0"
  "not a repository|plain|${GIT}||1.0.0.0"
  "shallow clone|shallow|${GIT}||1.0.0.0"
  "not a number|history|${GIT}|12a|FAILS"
  "beyond 16 bits|history|${GIT}|65536|FAILS"
)
set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 folder)
  list(GET fields 2 git_program)
  list(GET fields 3 number)
  list(GET fields 4 expected)
  set(out ${WORK}/out/${folder}-${number})
  file(REMOVE_RECURSE ${out})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK}/${folder} -DOUTPUT_DIR=${out} -DGIT=${git_program}
            -DVERSION=1.0.0 -DBUILD_NUMBER=${number} -P ${SCRIPT}
    RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  if(failed)
    set(got FAILS)
  else()
    file(STRINGS ${out}/zorva_version.txt got)
    file(STRINGS ${out}/zorva_version.h header REGEX "ZORVA_VERSION_NUMBERS")
    string(REPLACE "." "," numbers "${got}")
    if(NOT header STREQUAL "#define ZORVA_VERSION_NUMBERS ${numbers}")
      set(got "${got}, but the header has '${header}'")
    endif()
  endif()
  if(got STREQUAL expected)
    message(STATUS "${name}: ${got}")
  else()
    message(SEND_ERROR "${name}: expected ${expected}, got ${got}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures EQUAL 0)
  file(REMOVE_RECURSE ${WORK})
endif()
