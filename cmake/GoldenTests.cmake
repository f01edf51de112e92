# Registers one CTest test per .ms script in DIR: the script runs through the
# listener and its output must match its `-- expect:` comments.
#   add_golden_tests(PREFIX name DIR dir [PLUGIN_DIRS d1 d2 ...] [NO_PLUGINS] [DEPENDS targets...])
# With PLUGIN_DIRS the listener loads exactly those folders (each replaces the
# default build/plugins); without, it loads build/plugins.
function(add_golden_tests)
  cmake_parse_arguments(G "NO_PLUGINS" "PREFIX;DIR" "PLUGIN_DIRS;DEPENDS" ${ARGN})
  file(GLOB scripts CONFIGURE_DEPENDS ${G_DIR}/*.ms)
  set(extra)
  if(G_NO_PLUGINS)
    list(APPEND extra --no-plugins)
  endif()
  foreach(d ${G_PLUGIN_DIRS})
    list(APPEND extra --plugins ${d})
  endforeach()
  foreach(script ${scripts})
    get_filename_component(stem ${script} NAME_WE)
    add_test(NAME ${G_PREFIX}.${stem}
      COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/host/tests/golden/run_golden.py
              --listener $<TARGET_FILE:listener> ${extra} ${script})
  endforeach()
endfunction()
