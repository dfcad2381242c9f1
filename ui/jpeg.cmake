# The JPEG adapter: libjpeg decoding into QImage.
find_package(JPEG REQUIRED)

add_library(vandrel_jpeg STATIC
  ${CMAKE_CURRENT_LIST_DIR}/jpegimage.h
  ${CMAKE_CURRENT_LIST_DIR}/jpegimage.cpp)
target_include_directories(vandrel_jpeg PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vandrel_jpeg PUBLIC Qt6::Gui PRIVATE JPEG::JPEG)
