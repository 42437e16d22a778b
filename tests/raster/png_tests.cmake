# The PNG codec's tests, with a libpng-written image helper.
kavrotel_add_test(kavrotel_png_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/png_decoder_test.cpp ${CMAKE_CURRENT_LIST_DIR}/png_writer.cpp
  LIBS kavrotel_png PNG::PNG)
