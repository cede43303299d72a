# The call model's connection to baresip on Linux (included by the Linux program's folder).
find_package(PkgConfig REQUIRED)
pkg_check_modules(GLIB2 REQUIRED IMPORTED_TARGET glib-2.0)
add_library(dorvane_baresip_link STATIC ${CMAKE_CURRENT_LIST_DIR}/baresip_connection.cpp
            ${CMAKE_CURRENT_LIST_DIR}/baresip_messenger_client.cpp)
target_include_directories(dorvane_baresip_link PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(dorvane_baresip_link PUBLIC dorvane_sip PkgConfig::GLIB2)
