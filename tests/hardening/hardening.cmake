# Hardening: the randomized sweep over every input (label fuzz), the
# failure paths of the program when its folder cannot be written (label
# gui), the memory check of the window under valgrind (label memcheck), and
# the sanitizer settings of the window tests.

# Included from the tests folder, so that it reaches the tests above.
set(hardening ${CMAKE_CURRENT_LIST_DIR})
add_executable(veltaro_sweep ${hardening}/sweep_main.cpp ${hardening}/sweep_cases.cpp
               ${hardening}/sweep_checks.cpp ${hardening}/sweep_library.cpp)
target_link_libraries(veltaro_sweep PRIVATE veltaro_bl veltaro_aerofoil nlohmann_json::nlohmann_json)
add_dependencies(veltaro_sweep veltaro-cli)

# The faults the sweep found, one test each.
add_executable(hardening_tests ${hardening}/test_cli_faults.cpp ${PROJECT_SOURCE_DIR}/cli/summary.cpp)
target_include_directories(hardening_tests PRIVATE ${PROJECT_SOURCE_DIR}/cli)
target_link_libraries(hardening_tests PRIVATE veltaro_polar veltaro_bl veltaro_aerofoil nlohmann_json::nlohmann_json
                      GTest::gtest GTest::gtest_main)
target_compile_definitions(hardening_tests PRIVATE VELTARO_CLI="$<TARGET_FILE:veltaro-cli>")
add_dependencies(hardening_tests veltaro-cli)
gtest_discover_tests(hardening_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

# A few hundred seeded cases; the README's "Hardening" shows the long run.
set(VELTARO_SWEEP_CASES 300 CACHE STRING "Cases of the randomized sweep run by ctest")
# The time limit of a case is one a computation that settles never reaches:
# 120 s with the normal build, where the slowest viscous case of the CI
# share takes 6 s; the sanitizer build's debug code runs some 20 to 40
# times slower.
if(VELTARO_SANITIZE)
  set(sweep_timeout 1200)
else()
  set(sweep_timeout 120)
endif()
add_test(NAME fuzz.sweep
  COMMAND veltaro_sweep --cli $<TARGET_FILE:veltaro-cli> --cases ${VELTARO_SWEEP_CASES} --seed 1 --jobs 2
          --timeout ${sweep_timeout})
set_tests_properties(fuzz.sweep PROPERTIES LABELS fuzz TIMEOUT 3000 RUN_SERIAL TRUE)

# The window when its folder cannot be written, under a virtual display.
if(XVFB AND XDOTOOL)
  add_test(NAME gui.window_failures
    COMMAND bash ${hardening}/window_failures.sh $<TARGET_FILE:veltaro>)
  set_tests_properties(gui.window_failures PROPERTIES LABELS gui TIMEOUT 180)
endif()

# The window under valgrind's memcheck (not in the sanitizer build: the two
# cannot watch one program together).
find_program(VALGRIND valgrind)
if(XVFB AND XDOTOOL AND VALGRIND AND NOT VELTARO_SANITIZE)
  add_test(NAME memcheck.window
    COMMAND bash ${hardening}/window_memcheck.sh $<TARGET_FILE:veltaro>)
  set_tests_properties(memcheck.window PROPERTIES LABELS memcheck TIMEOUT 600)
endif()

# The toolkit's font libraries keep caches to the end of the process;
# LeakSanitizer is told about those and about nothing else.
if(VELTARO_SANITIZE)
  get_property(window_tests DIRECTORY PROPERTY TESTS)
  foreach(t IN LISTS window_tests)
    if(t MATCHES "^gui\\.")
      set_property(TEST ${t} APPEND PROPERTY ENVIRONMENT
                   "LSAN_OPTIONS=suppressions=${hardening}/lsan.supp:print_suppressions=0")
    endif()
  endforeach()
endif()
