# The messenger client adapter against msgrsim, which runs in a process of its own and is
# registered for the prefix's user by the first test and unregistered by the last.
add_executable(messenger_client_tests messenger_client_test.cpp)
target_link_libraries(messenger_client_tests PRIVATE dorvane_win32 GTest::gtest_main advapi32)
set_target_properties(messenger_client_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(messenger_client_tests msgrsim)

add_test(NAME msgrsim.regserver
  COMMAND messenger_client_tests --gtest_filter=Registration.RegistersTheMessengerClassForTheCurrentUser)
add_test(NAME messenger.client_against_msgrsim
  COMMAND messenger_client_tests --gtest_filter=MessengerClient.*)
add_test(NAME msgrsim.unregserver
  COMMAND messenger_client_tests --gtest_filter=Registration.UnregisteringLeavesNothingBehind)
set_tests_properties(msgrsim.regserver PROPERTIES FIXTURES_SETUP MSGRSIM FIXTURES_REQUIRED WINE)
set_tests_properties(msgrsim.unregserver PROPERTIES FIXTURES_CLEANUP MSGRSIM FIXTURES_REQUIRED WINE)
# Alt+T goes to whatever window is in front: no other test may take the foreground meanwhile.
set_tests_properties(messenger.client_against_msgrsim PROPERTIES
  FIXTURES_REQUIRED "WINE;MSGRSIM" RESOURCE_LOCK desktop)
set_tests_properties(msgrsim.regserver messenger.client_against_msgrsim msgrsim.unregserver
  PROPERTIES TIMEOUT 60)
