# The main window, the board view and the Qt side of the presentation seam.
add_library(vandrel_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/vandu.h
  ${CMAKE_CURRENT_LIST_DIR}/vandu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vandu_widgets.h
  ${CMAKE_CURRENT_LIST_DIR}/vandu_widgets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vandu_dialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/vandu_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board.h
  ${CMAKE_CURRENT_LIST_DIR}/board.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard.h
  ${CMAKE_CURRENT_LIST_DIR}/keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/accessibility.h
  ${CMAKE_CURRENT_LIST_DIR}/accessibility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vandu_sound.h
  ${CMAKE_CURRENT_LIST_DIR}/vandu_sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windowmode.h
  ${CMAKE_CURRENT_LIST_DIR}/windowmode.cpp
  ${PROJECT_SOURCE_DIR}/resources/art.qrc
  ${PROJECT_SOURCE_DIR}/resources/sounds.qrc
  ${PROJECT_SOURCE_DIR}/resources/help.qrc)
target_include_directories(vandrel_ui PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR})
# Fontconfig: read while Qt starts, before the first text needs it.
find_package(Fontconfig REQUIRED)
target_link_libraries(vandrel_ui PRIVATE Fontconfig::Fontconfig)
target_link_libraries(vandrel_ui PUBLIC
  vandrel_control vandrel_jpeg vandrel_rtf vandrel_myfunc vandrel_scaling Qt6::Widgets)
if(TARGET vandrel_dialogs)
  target_link_libraries(vandrel_ui PUBLIC vandrel_dialogs)
  target_compile_definitions(vandrel_ui PRIVATE VANDREL_HAVE_DIALOGS=1)
endif()

# The sound player as a module of its own, loaded after the window's first
# paint (SDL and the sound libraries under it take a while to load and to
# reach the sound server). It sits next to the program.
add_library(vandrel_sound MODULE
  ${CMAKE_CURRENT_LIST_DIR}/vandu_soundmodule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vandu_sound.h
  ${CMAKE_CURRENT_LIST_DIR}/sfxplayer.h
  ${CMAKE_CURRENT_LIST_DIR}/sfxplayer.cpp)
set_target_properties(vandrel_sound PROPERTIES
  PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/app)
target_include_directories(vandrel_sound PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(vandrel_sound PRIVATE Qt6::Core SDL2_mixer::SDL2_mixer SDL2::SDL2)

# Installed in the program's own library folder, where the window looks for it
# relative to the program, so any install prefix (the package's /usr, a
# DESTDIR) finds it.
include(GNUInstallDirs)
file(RELATIVE_PATH vandrel_sound_dir_from_bin
  ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/vandrel)
target_compile_definitions(vandrel_ui PRIVATE
  VANDREL_SOUND_MODULE_DIR="${vandrel_sound_dir_from_bin}")
install(TARGETS vandrel_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/vandrel)
