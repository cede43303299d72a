# Registration through Wine's regsvr32, and the control driven by a container that this project
# did not write: VBScript in Wine's cscript. Both change the class registrations of the shared
# prefix, so they hold the "registry" lock; both leave the control unregistered. The script also
# plays tones into the speaker and records the line, so it holds "audio" too.
add_test(NAME registration.round_trip
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/registration_round_trip.sh
    ${winerun} $<TARGET_FILE:tonvex_ocx>)
add_test(NAME script_host.automation
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/script_host_automation.sh
    ${winerun} $<TARGET_FILE:tonvex_ocx> ${CMAKE_CURRENT_SOURCE_DIR}/script_host_automation.vbs)
set_tests_properties(registration.round_trip PROPERTIES
  FIXTURES_REQUIRED WINE RESOURCE_LOCK registry TIMEOUT 120)
set_tests_properties(script_host.automation PROPERTIES
  FIXTURES_REQUIRED WINE RESOURCE_LOCK "registry;audio" TIMEOUT 120)
