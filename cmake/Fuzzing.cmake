# Coverage-guided fuzz targets (libFuzzer). They exist only in a build with
# ENABLE_FUZZING (preset "fuzz": clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer); scripts/fuzz.sh builds and runs every one.
#
#   add_fuzz_target(name SOURCES a.cpp... [LIBS libs...] [INCLUDES dirs...] [SEEDS globs...])
#
# SEEDS are file patterns whose files start the target's corpus (they are
# copied to <build>/fuzz-seeds/<name>). Each target is listed in
# <build>/fuzz-targets.txt as "name<TAB>program<TAB>seed folder".
if(ENABLE_FUZZING)
  add_custom_target(fuzz_targets)
endif()

function(add_fuzz_target name)
  if(NOT ENABLE_FUZZING)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;INCLUDES;SEEDS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_include_directories(${name} PRIVATE ${F_INCLUDES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_targets ${name})
  set(seed_dir ${CMAKE_BINARY_DIR}/fuzz-seeds/${name})
  file(REMOVE_RECURSE ${seed_dir})
  file(MAKE_DIRECTORY ${seed_dir})
  foreach(pattern ${F_SEEDS})
    file(GLOB seeds CONFIGURE_DEPENDS ${pattern})
    if(seeds)
      file(COPY ${seeds} DESTINATION ${seed_dir})
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY FUZZ_TARGET_LINES "${name}\t$<TARGET_FILE:${name}>\t${seed_dir}")
endfunction()

# Called once every target is known: writes the list scripts/fuzz.sh reads.
function(write_fuzz_target_list)
  if(NOT ENABLE_FUZZING)
    return()
  endif()
  get_property(lines GLOBAL PROPERTY FUZZ_TARGET_LINES)
  list(JOIN lines "\n" content)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzz-targets.txt CONTENT "${content}\n")
endfunction()
