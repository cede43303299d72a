# The resource generators of a Windows build run on the build machine. A native build named by
# TONVEX_HOST_BUILD_DIR provides them; without one, the Windows build builds them itself, natively,
# in host/. Either way TONVEX_HOST_TOOLS is the folder that holds them, laid out as a native build.
set(TONVEX_HOST_BUILD_DIR "" CACHE PATH
  "A native build whose generators the Windows build runs (empty: build them in host/)")

set(TONVEX_HOST_GENERATORS
  control/resources/tonvex-pictures
  control/shell/tonvex-tone-images
  app/resources/dorvane-icon
  app/resources/dorvane-back1)

if(TONVEX_HOST_BUILD_DIR)
  set(TONVEX_HOST_TOOLS ${TONVEX_HOST_BUILD_DIR})
  add_custom_target(tonvex_host_tools)
else()
  include(ExternalProject)
  set(TONVEX_HOST_TOOLS ${CMAKE_BINARY_DIR}/host)
  set(generator_targets)
  set(generator_files)
  foreach(generator IN LISTS TONVEX_HOST_GENERATORS)
    get_filename_component(name ${generator} NAME)
    list(APPEND generator_targets --target ${name})
    list(APPEND generator_files ${TONVEX_HOST_TOOLS}/${generator})
  endforeach()
  set(launchers)
  foreach(language C CXX)
    if(CMAKE_${language}_COMPILER_LAUNCHER)
      list(APPEND launchers -DCMAKE_${language}_COMPILER_LAUNCHER=${CMAKE_${language}_COMPILER_LAUNCHER})
    endif()
  endforeach()
  # Configured with the machine's own compiler: no toolchain file reaches it.
  ExternalProject_Add(tonvex_host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${TONVEX_HOST_TOOLS}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DTONVEX_HOST_TOOLS_ONLY=ON ${launchers}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> ${generator_targets}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${generator_files}
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endif()
