# Fails when the program, or a library it loads, is a Qt widget library: what draws without a
# display (korvel-cli's report) must run where no widget library is installed.
# Usage: cmake -DPROGRAM=<executable> -P check_no_widgets.cmake

file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${PROGRAM}
  RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
set(widgets "")
foreach(library IN LISTS resolved unresolved)
  if(library MATCHES "Qt6(Widgets|PrintSupport)")
    list(APPEND widgets ${library})
  endif()
endforeach()
if(widgets)
  message(FATAL_ERROR "${PROGRAM} loads a widget library: ${widgets}")
endif()
message(STATUS "no widget library")
