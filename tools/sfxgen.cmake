# The sound-effect generator: plain C++, no Qt.
add_executable(vandrel-sfxgen sfxgen/sfxgen.cpp)
# Keep the arithmetic the same on every machine, so the sounds come out
# byte for byte alike.
target_compile_options(vandrel-sfxgen PRIVATE -ffp-contract=off)
# No Qt here, so nothing for moc to do.
set_target_properties(vandrel-sfxgen PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
