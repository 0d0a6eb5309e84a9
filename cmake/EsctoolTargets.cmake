# esctool_library(<name> [DEPS <targets...>])
# One static library per folder, made of every .cpp and .c in that folder.
function(esctool_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# esctool_test(<name> [LABEL <label>] [TSAN] [TIMEOUT <s>] SOURCES <files...> [DEPS <targets...>])
# A GoogleTest executable registered with CTest under one label
# (unit, display, readers, sim, e2e), linked with the test-support library. TSAN
# also runs it in the ThreadSanitizer build.
# The target <label>_tests builds every test of a label, so that a build
# configuration compiles only the tests it runs.
foreach(label IN ITEMS unit display readers sim tsan e2e)
  add_custom_target(${label}_tests)
endforeach()
function(esctool_test name)
  cmake_parse_arguments(ARG "TSAN" "LABEL;TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  set(labels ${ARG_LABEL})
  if(ARG_TSAN)
    list(APPEND labels tsan)
  endif()
  foreach(label IN LISTS labels)
    if(NOT TARGET ${label}_tests)
      add_custom_target(${label}_tests)
    endif()
    add_dependencies(${label}_tests ${name})
  endforeach()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "ESCTOOL_SOURCE_DIR=${PROJECT_SOURCE_DIR};ESCTOOL_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()

# esctool_fuzz(<name> SOURCES <files...> [DEPS <targets...>])
# A libFuzzer target, only in the clang fuzz build (ESCTOOL_FUZZ), where every
# library is compiled with coverage and sanitizers. It is run for a short,
# bounded time under the fuzz label; new inputs go to a corpus folder.
function(esctool_fuzz name)
  if(NOT (ESCTOOL_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang"))
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_targets ${name})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name} COMMAND ${name} -max_total_time=10 -rss_limit_mb=2048 -timeout=10 ${corpus})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endfunction()
