# A plug-in is an ordinary shared object with its deliverable's exact file
# name (ByteHarbor.dlx, hotbind.gup, ...). Installed plug-ins go to
# build/plugins; each test-only plug-in goes to its own folder
# build/test-plugins/<target> so the listener never loads it by default and a
# test picks exactly the ones it wants with --plugins. With ALONE_DIR var, an
# installed plug-in is also copied into a folder of its own for tests that
# load it alone, and var names that folder.
function(add_host_plugin target)
  cmake_parse_arguments(P "TEST_ONLY" "FILE_NAME;ALONE_DIR" "SOURCES;LIBS" ${ARGN})
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
  if(P_ALONE_DIR)
    string(TOLOWER ${target} lower)
    set(alone ${TEST_PLUGIN_OUTPUT_DIR}/${lower}_alone)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory ${alone}
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${alone}/)
    set(${P_ALONE_DIR} ${alone} PARENT_SCOPE)
  endif()
endfunction()
