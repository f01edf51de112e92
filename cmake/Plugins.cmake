# A plug-in is an ordinary shared object with its deliverable's exact file
# name (ByteHarbor.dlx, hotbind.gup, ...). Installed plug-ins go to
# build/plugins; each test-only plug-in goes to its own folder
# build/test-plugins/<target> so the listener never loads it by default and a
# test picks exactly the ones it wants with --plugins.
function(add_host_plugin target)
  cmake_parse_arguments(P "TEST_ONLY" "FILE_NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${target} MODULE ${P_SOURCES})
  string(REGEX REPLACE "\\.[^.]*$" "" base "${P_FILE_NAME}")
  string(REGEX MATCH "\\.[^.]*$" suffix "${P_FILE_NAME}")
  if(P_TEST_ONLY)
    set(dir ${TEST_PLUGIN_OUTPUT_DIR}/${target})
  else()
    set(dir ${PLUGIN_OUTPUT_DIR})
  endif()
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME "${base}" SUFFIX "${suffix}"
    LIBRARY_OUTPUT_DIRECTORY ${dir}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${target} PRIVATE host_contract ${P_LIBS})
endfunction()
