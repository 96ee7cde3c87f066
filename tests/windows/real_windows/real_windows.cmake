# The plug-in's windows as real windows: the program runs from bin/native,
# beside the platform runtime with real windows, on a display (label
# "display"; CI runs these under a virtual display).
add_executable(test_real_windows ${CMAKE_CURRENT_LIST_DIR}/real_windows_test.cpp)
target_link_libraries(test_real_windows PRIVATE test_support GTest::gtest_main comctl32)
add_dependencies(test_real_windows native_programs)
set_target_properties(test_real_windows PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/native)
add_test(NAME test_real_windows COMMAND test_real_windows)
set_tests_properties(test_real_windows PROPERTIES TIMEOUT 300 RESOURCE_LOCK registry LABELS display)
