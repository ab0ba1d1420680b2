# Every tools/ script that the README or CI names is committed with its run bit, so that a
# fresh clone runs them as written.
file(READ ${SOURCE}/README.md readme)
file(READ ${SOURCE}/.ci/run ci)
string(REGEX MATCHALL "tools/[A-Za-z0-9_-]+\\.sh" named "${readme}\n${ci}")
list(REMOVE_DUPLICATES named)
if(NOT named)
  message(FATAL_ERROR "no tools/ script found in README.md or .ci/run")
endif()
foreach(script ${named})
  execute_process(COMMAND git -C ${SOURCE} ls-files -s -- ${script}
                  OUTPUT_VARIABLE entry RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR entry STREQUAL "")
    message(FATAL_ERROR "${script} is named but not committed")
  endif()
  if(NOT entry MATCHES "^100755 ")
    message(FATAL_ERROR "${script} is committed without its run bit: ${entry}")
  endif()
endforeach()
