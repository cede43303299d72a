# The release zip of the 32-bit build, with its 64-bit control tested under 64-bit Wine. It brings
# up the 64-bit prefix itself, so it also runs where 32-bit Wine cannot.
if(DORVANE_RELEASE_ZIP AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_test(NAME release.zip_and_x64_script_host
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/release_zip.sh ${winerun} ${DORVANE_RELEASE_ZIP}
      ${CMAKE_CURRENT_SOURCE_DIR}/script_host_automation.vbs)
  set_tests_properties(release.zip_and_x64_script_host PROPERTIES
    RESOURCE_LOCK registry TIMEOUT 180)
endif()
