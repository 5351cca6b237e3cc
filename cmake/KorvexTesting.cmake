# korvex_add_test(NAME <name> LABEL <unit|ui|e2e> SOURCES <files...> LIBS <targets...>)
# One GoogleTest binary per folder, registered with CTest under its label.
find_package(GTest QUIET)

function(korvex_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  target_compile_definitions(${T_NAME} PRIVATE
    KORVEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    KORVEX_BIN_DIR="${KORVEX_BIN_DIR}")
  add_dependencies(${T_NAME} korvex_data)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(${T_NAME} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# korvex_add_bench(NAME <name> SOURCES <files...> LIBS <targets...>)
find_package(benchmark QUIET)
function(korvex_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark Threads::Threads)
  target_compile_definitions(${B_NAME} PRIVATE
    KORVEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    KORVEX_BIN_DIR="${KORVEX_BIN_DIR}")
  add_dependencies(${B_NAME} korvex_data)
endfunction()
