# The build keeps the layers apart. A library is compiled against copies of the headers it may
# use: its own, and the public headers of the libraries it links. Those are links in the build
# tree (layers/<target>/public and layers/<target>/private), each keeping its path in the source
# tree, so "#include "gauge/usb_link.h"" reads the same everywhere; a header the library does
# not link, or another library's private header, is simply not there and does not compile.
# Tests are compiled against the whole source tree and may reach every header.

set(KORVEL_LAYERS_DIR ${CMAKE_BINARY_DIR}/layers)

# korvel_layer(TARGET [DIR dir] [HEADERS header...] [PRIVATE header...])
# Exposes the headers directly in DIR (default: the current source directory, relative to the
# project root) as TARGET's public headers, except those listed as PRIVATE, which only TARGET's
# own sources see. Headers added later are picked up when the build next runs. Libraries that
# share a directory (the pages) name their own with HEADERS and see none of the others'.
function(korvel_layer target)
  cmake_parse_arguments(ARG "" "DIR" "HEADERS;PRIVATE" ${ARGN})
  if(NOT ARG_DIR)
    file(RELATIVE_PATH ARG_DIR ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(stage ${KORVEL_LAYERS_DIR}/${target})
  file(REMOVE_RECURSE ${stage})
  if(DEFINED ARG_HEADERS)
    set(headers ${ARG_HEADERS} ${ARG_PRIVATE})
  else()
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/${ARG_DIR}
         ${PROJECT_SOURCE_DIR}/${ARG_DIR}/*.h)
  endif()
  foreach(header IN LISTS headers)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${ARG_DIR}/${header})
      message(FATAL_ERROR "${target}: header ${ARG_DIR}/${header} does not exist")
    endif()
  endforeach()
  foreach(header IN LISTS headers)
    if(header IN_LIST ARG_PRIVATE)
      set(side private)
    else()
      set(side public)
    endif()
    file(MAKE_DIRECTORY ${stage}/${side}/${ARG_DIR})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${ARG_DIR}/${header} ${stage}/${side}/${ARG_DIR}/${header}
         SYMBOLIC)
  endforeach()
  file(MAKE_DIRECTORY ${stage}/public ${stage}/private)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${stage}/public)
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${stage}/public ${stage}/private)
  else()
    target_include_directories(${target} PUBLIC ${stage}/public PRIVATE ${stage}/private)
  endif()
endfunction()
