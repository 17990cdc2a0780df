# Project-wide helpers for tests and benchmarks.

set(TERVANE_NETNS_RUN "${PROJECT_SOURCE_DIR}/scripts/netns-run")

# tervane_add_test(NAME SOURCES ... LIBS ... [NETNS] [QT_OFFSCREEN])
# One CTest entry per GoogleTest executable. NETNS runs it inside a fresh
# private network namespace, for every test that opens a socket.
function(tervane_add_test name)
  if(NOT TERVANE_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "NETNS;QT_OFFSCREEN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
  if(T_NETNS)
    add_test(NAME ${name} COMMAND ${TERVANE_NETNS_RUN} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set(env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1"
          "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
          "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp")
  if(T_QT_OFFSCREEN)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()

# tervane_add_bench(NAME SOURCES ... LIBS ... [NETNS])
# Benchmarks print figures only; `make bench` runs them all.
set_property(GLOBAL PROPERTY TERVANE_BENCH_COMMANDS "")
function(tervane_add_bench name)
  if(NOT TERVANE_BENCH)
    return()
  endif()
  cmake_parse_arguments(B "NETNS;GBENCH" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS})
  if(B_GBENCH)
    target_link_libraries(${name} PRIVATE benchmark::benchmark)
  endif()
  set_property(GLOBAL APPEND PROPERTY TERVANE_BENCH_TARGETS ${name})
  if(B_NETNS)
    set_property(GLOBAL APPEND PROPERTY TERVANE_BENCH_NETNS ${name})
  endif()
endfunction()
