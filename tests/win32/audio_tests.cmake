# End-to-end sound tests under Wine: the control hears tones played into the "line" sink of the
# PulseAudio server that winerun.sh starts, meets a machine without a capture device, and plays
# its own tones into a sink that the playback test records.
add_executable(audio_probe audio_probe.cpp com_fixtures.cpp)
target_link_libraries(audio_probe PRIVATE tonvex_resources ole32 oleaut32 uuid user32 winmm)
target_compile_definitions(audio_probe PRIVATE UNICODE _UNICODE)
set_target_properties(audio_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_dependencies(audio_probe tonvex_ocx)

add_test(NAME audio.keys_from_line
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/audio_keys.sh $<TARGET_FILE:audio_probe>
          ${TONVEX_NATIVE_BUILD}/tools/tonvex-dial/tonvex-dial)
set_tests_properties(audio.keys_from_line PROPERTIES TIMEOUT 60)
# A host showing a modal box inside DtmfHit, and a control closed during a search and sited anew.
foreach(mode modal reopened)
  add_test(NAME audio.keys_${mode}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/audio_keys.sh $<TARGET_FILE:audio_probe>
            ${TONVEX_NATIVE_BUILD}/tools/tonvex-dial/tonvex-dial keys-${mode})
  set_tests_properties(audio.keys_${mode} PROPERTIES TIMEOUT 60)
endforeach()

# Wine's sound driver pointed at no server: a machine without a capture device.
add_test(NAME audio.no_capture_device COMMAND audio_probe no-device)
set_tests_properties(audio.no_capture_device PROPERTIES TIMEOUT 30
  ENVIRONMENT TONVEX_PULSE_SERVER=unix:/nonexistent)

add_test(NAME audio.play_dtmf_tones
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/audio_playback.sh $<TARGET_FILE:audio_probe>)
set_tests_properties(audio.play_dtmf_tones PROPERTIES TIMEOUT 30)

set_tests_properties(audio.keys_from_line audio.keys_reopened audio.no_capture_device
  audio.play_dtmf_tones PROPERTIES FIXTURES_REQUIRED WINE RESOURCE_LOCK audio)
# Its message box takes the foreground.
set_tests_properties(audio.keys_modal PROPERTIES FIXTURES_REQUIRED WINE RESOURCE_LOCK "audio;desktop")
