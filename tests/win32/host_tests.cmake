# Dorvane's control host under Wine: the registered control heard through the host's sink, and a
# class that is not registered.
add_executable(host_probe host_probe.cpp com_fixtures.cpp)
target_link_libraries(host_probe PRIVATE dorvane_win32 ole32 oleaut32 uuid user32)
target_compile_definitions(host_probe PRIVATE UNICODE _UNICODE)
set_target_properties(host_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(host_probe tonvex_ocx)

add_test(NAME host.keys_from_line
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/host_keys.sh $<TARGET_FILE:host_probe>
          ${TONVEX_NATIVE_BUILD}/tools/tonvex-dial/tonvex-dial $<TARGET_FILE:tonvex_ocx>)
set_tests_properties(host.keys_from_line PROPERTIES TIMEOUT 90 FIXTURES_REQUIRED WINE
  RESOURCE_LOCK "audio;registry")
add_test(NAME host.unregistered_class COMMAND host_probe unregistered)
set_tests_properties(host.unregistered_class PROPERTIES TIMEOUT 30 FIXTURES_REQUIRED WINE)
