# A whole run of Dorvane.exe: modem on COM2, msgrsim, the sound card, the tray, Exit.
add_executable(desktop_driver desktop_driver.cpp)
target_link_libraries(desktop_driver PRIVATE user32 shell32)
set_target_properties(desktop_driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_test(NAME dorvane.end_to_end
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/end_to_end.sh ${CMAKE_BINARY_DIR}/bin
          ${TONVEX_NATIVE_BUILD}/tools/tonvex-dial/tonvex-dial ${CMAKE_BINARY_DIR}/screenshots)
set_tests_properties(dorvane.end_to_end PROPERTIES TIMEOUT 240 FIXTURES_REQUIRED WINE
  RESOURCE_LOCK "audio;desktop;registry;serial_line")

# Whole calls between two native baresips on loopback, Dorvane.exe on msgrsim /sip.
add_test(NAME dorvane.sip_call
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/sip_call.sh ${CMAKE_BINARY_DIR}/bin
          ${TONVEX_NATIVE_BUILD}/tools/tonvex-dial/tonvex-dial
          ${TONVEX_NATIVE_BUILD}/tools/tonvex-scan/tonvex-scan)
set_tests_properties(dorvane.sip_call PROPERTIES TIMEOUT 180 FIXTURES_REQUIRED WINE
  RESOURCE_LOCK "audio;desktop;registry;serial_line")
