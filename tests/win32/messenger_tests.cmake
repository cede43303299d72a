# The messenger client adapter against msgrsim, which runs in a process of its own. One test
# registers msgrsim, walks the program's road and unregisters it, holding the class
# registrations throughout: another test's registering or unregistering in between would take
# the interfaces' marshalling away mid-road.
add_executable(messenger_client_tests messenger_client_test.cpp)
target_link_libraries(messenger_client_tests PRIVATE dorvane_win32 GTest::gtest_main advapi32 ws2_32)
set_target_properties(messenger_client_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(messenger_client_tests msgrsim)

add_test(NAME messenger.client_against_msgrsim
  COMMAND messenger_client_tests --gtest_filter=-SipMessenger*)
# Alt+T goes to the window in front: no other test may take the foreground meanwhile.
set_tests_properties(messenger.client_against_msgrsim PROPERTIES
  FIXTURES_REQUIRED WINE RESOURCE_LOCK "registry;desktop" TIMEOUT 90)

# The same client against msgrsim /sip on two native baresips (loopback ports 15210-15225).
add_test(NAME messenger.client_against_msgrsim_sip
  COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/msgrsim_sip.py ${winerun}
          $<TARGET_FILE:messenger_client_tests>)
set_tests_properties(messenger.client_against_msgrsim_sip PROPERTIES
  FIXTURES_REQUIRED WINE RESOURCE_LOCK "registry;desktop" TIMEOUT 120)
