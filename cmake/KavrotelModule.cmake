# kavrotel_windows_module(<target> NAME <name> SUFFIX <suffix> [BUNDLE <architecture folder>]
#                         SOURCES <files> LIBS <libraries>)
# A Windows plug-in module: the shared library <name><suffix> (no "lib" prefix), linked with
# every symbol resolved, in the build folder; with BUNDLE, inside the bundle folder
# <build>/<name><suffix> at Contents/<architecture folder>/, the folder being the target's
# KAVROTEL_BUNDLE_DIR. Exports come from the sources (a .def file among them, or dllexport);
# the caller embeds the images. Does nothing in a native build.
function(kavrotel_windows_module target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(M "" "NAME;SUFFIX;BUNDLE" "SOURCES;LIBS" ${ARGN})
  add_library(${target} SHARED ${M_SOURCES})
  target_link_libraries(${target} PRIVATE ${M_LIBS} kavrotel_warnings)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${M_NAME} SUFFIX ${M_SUFFIX})
  if(M_BUNDLE)
    set(bundle ${CMAKE_BINARY_DIR}/${M_NAME}${M_SUFFIX})
    set_target_properties(${target} PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${bundle}/Contents/${M_BUNDLE}
      KAVROTEL_BUNDLE_DIR ${bundle})
  else()
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  endif()
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
endfunction()
