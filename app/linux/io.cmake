# The Linux program's devices: the serial port over termios and the sound input over PulseAudio,
# both delivering on GLib's default main context.
find_package(PkgConfig REQUIRED)
pkg_check_modules(DORVANE_GLIB REQUIRED IMPORTED_TARGET glib-2.0)
pkg_check_modules(DORVANE_PULSE REQUIRED IMPORTED_TARGET libpulse)

add_library(dorvane_linux_io STATIC
  ${CMAKE_CURRENT_LIST_DIR}/termios_serial_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pulse_wave_in.cpp
)
target_include_directories(dorvane_linux_io PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(dorvane_linux_io
  PUBLIC dorvane_core tonvex_engine PkgConfig::DORVANE_GLIB PkgConfig::DORVANE_PULSE)
