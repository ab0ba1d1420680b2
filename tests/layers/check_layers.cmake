# Checks the include lines of the layers below the Qt shell, under ROOT:
#   app/ (without app/ui/), datafile/, survey/, gauge/, sim/ and usb/ include no Qt header;
#   sim/ includes nothing of the gauge layer, so the simulated gauge stays an independent check.
# Prints every offending line and fails when there is one.
# Usage: cmake -DROOT=<source tree> -P check_layers.cmake

set(qt_include "^#include[ \t]*<(Q[A-Za-z]|q[a-z_]*\\.h>)")
set(gauge_include "^#include[ \t]*\"gauge/")
set(violations "")

function(check_dir dir pattern what)
  file(GLOB files ${ROOT}/${dir}/*.h ${ROOT}/${dir}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "${pattern}")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH name ${ROOT} ${file})
      list(APPEND violations "${name}: ${what}: ${line}")
    endforeach()
  endforeach()
  set(violations ${violations} PARENT_SCOPE)
endfunction()

foreach(dir app datafile survey gauge sim usb)
  check_dir(${dir} "${qt_include}" "Qt header below the Qt shell")
endforeach()
check_dir(sim "${gauge_include}" "the simulated gauge reaches into the gauge layer")

if(violations)
  list(JOIN violations "\n" text)
  message(FATAL_ERROR "${text}")
endif()
message(STATUS "layers hold")
