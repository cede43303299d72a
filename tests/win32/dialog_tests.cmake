# Dorvane's dialogs, picture loader and resources under Wine. The test program carries the
# program's compiled resources itself and finds back1.jpg beside it in bin/.
add_executable(dorvane_dialog_tests dialog_test.cpp program_resources_test.cpp)
target_link_libraries(dorvane_dialog_tests PRIVATE
  dorvane_win32 dorvane_resources GTest::gtest_main version)
set_target_properties(dorvane_dialog_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(dorvane_dialog_tests dorvane_back1)
# A dialog shown takes the foreground.
gtest_discover_tests(dorvane_dialog_tests TEST_PREFIX dialog. DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60 PROPERTIES FIXTURES_REQUIRED WINE RESOURCE_LOCK desktop TIMEOUT 60)
