# The editor's images as Windows resources: resources/kavrotel.rc lists them (type "PNG", ids
# 101 to 113). The resource compiler runs as its own step, away from the C++ flags that every
# target carries, and its object is linked into the module like any other.
set(KAVROTEL_IMAGE_RC ${PROJECT_SOURCE_DIR}/resources/kavrotel.rc)
file(GLOB KAVROTEL_IMAGE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/img/*.png)

# kavrotel_add_image_resources(<target>)
# Embeds the 13 images in the Windows module <target> (each deliverable calls it once); it
# does nothing in a native build. The module is relinked when an image or the list changes.
function(kavrotel_add_image_resources target)
  if(NOT WIN32)
    return()
  endif()
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${target}_images.res.o)
  add_custom_command(OUTPUT ${object}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${PROJECT_SOURCE_DIR} ${KAVROTEL_IMAGE_RC} ${object}
    DEPENDS ${KAVROTEL_IMAGE_RC} ${KAVROTEL_IMAGE_FILES}
    COMMENT "Embedding the editor's images in ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${object})
endfunction()
