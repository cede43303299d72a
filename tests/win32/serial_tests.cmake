# The serial port component under Wine on a real line: a pty pair with the modem responder at the
# far end, and the prefix's COM port linked to the near end while the tests run.
set(DORVANE_TEST_COM_PORT 7 CACHE STRING
  "COM port the serial tests link to their modem line (above the machine's own serial devices)")
set(serial_line_dir ${CMAKE_BINARY_DIR}/serial-line)

add_executable(serial_port_tests serial_port_test.cpp)
target_link_libraries(serial_port_tests PRIVATE dorvane_win32 GTest::gtest_main)
target_compile_definitions(serial_port_tests PRIVATE
  TEST_COM_PORT=${DORVANE_TEST_COM_PORT} TEST_LINE_DIR="${serial_line_dir}")
set_target_properties(serial_port_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

foreach(step up down)
  add_test(NAME serial.line_${step}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/serial_line.sh ${step} ${serial_line_dir}
            ${DORVANE_TEST_COM_PORT})
endforeach()
# The line's setup needs the prefix, so Wine comes up before it.
set_tests_properties(serial.line_up PROPERTIES
  FIXTURES_SETUP SERIAL_LINE FIXTURES_REQUIRED WINE TIMEOUT 30)
set_tests_properties(serial.line_down PROPERTIES FIXTURES_CLEANUP SERIAL_LINE TIMEOUT 30)
gtest_discover_tests(serial_port_tests TEST_PREFIX serial. DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  PROPERTIES FIXTURES_REQUIRED SERIAL_LINE RESOURCE_LOCK serial_line TIMEOUT 60)
