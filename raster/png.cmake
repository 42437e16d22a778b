# The PNG codec: memory and file readers over libpng, into a caller's 32-bit pixel target.
add_library(kavrotel_png STATIC
  ${CMAKE_CURRENT_LIST_DIR}/png_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/png_session.cpp)
target_link_libraries(kavrotel_png PRIVATE PNG::PNG kavrotel_warnings)
