# The sound-effect player.
add_library(vandrel_sfx STATIC sfxplayer.h sfxplayer.cpp)
target_include_directories(vandrel_sfx PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(vandrel_sfx PUBLIC Qt6::Core SDL2_mixer::SDL2_mixer SDL2::SDL2 vandrel_rules)
