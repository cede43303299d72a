# Dorvane's window runtime under Wine.
add_executable(dorvane_runtime_tests runtime_test.cpp)
target_link_libraries(dorvane_runtime_tests PRIVATE dorvane_win32 GTest::gtest_main)
set_target_properties(dorvane_runtime_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The keys test puts its own windows in front and types into them.
gtest_discover_tests(dorvane_runtime_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES FIXTURES_REQUIRED WINE RESOURCE_LOCK desktop TIMEOUT 60)
