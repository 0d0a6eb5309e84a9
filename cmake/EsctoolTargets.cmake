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
# esctool_test_code(<target>): test code compiles without optimization in
# every configuration. It runs for moments, and optimizing it took about a
# third of a test file's compile time, mostly in the test framework's templates.
function(esctool_test_code target)
  target_compile_options(${target} PRIVATE -O0)
endfunction()

# esctool_test_sources(<target> <sources...>): the sources a test executable
# compiles. Several files become one translation unit that includes them, so
# the test framework's and the toolkit's headers are parsed and their
# templates emitted once per executable instead of once per file. Includes are
# relative to the source root, so the file is the same in every clone and
# ccache shares its object between them.
function(esctool_test_sources target)
  list(LENGTH ARGN count)
  if(count LESS 2)
    target_sources(${target} PRIVATE ${ARGN})
    return()
  endif()
  set(text "// Generated: the sources of ${target}, compiled as one unit.\n")
  foreach(source IN LISTS ARGN)
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${path})
    string(APPEND text "#include \"${path}\"\n")
  endforeach()
  set(unit ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.cpp)
  file(CONFIGURE OUTPUT ${unit} CONTENT "${text}")
  target_sources(${target} PRIVATE ${unit})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC counts the included files as headers, and so flags the test
    # fixtures they keep in anonymous namespaces.
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
endfunction()

function(esctool_test name)
  cmake_parse_arguments(ARG "TSAN" "LABEL;TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_LABEL)
    set(ARG_LABEL unit)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name})
  esctool_test_sources(${name} ${ARG_SOURCES})
  esctool_test_code(${name})
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
