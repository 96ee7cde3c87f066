# The plug-in's windows as real windows: the program runs from bin/native,
# beside the platform runtime with real windows, on a display (label
# "display"; CI runs these under a virtual display).
add_executable(test_real_windows ${CMAKE_CURRENT_LIST_DIR}/real_windows_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_fit_test.cpp ${CMAKE_CURRENT_LIST_DIR}/visual_styles_test.cpp)
target_link_libraries(test_real_windows PRIVATE test_support GTest::gtest_main comctl32)
add_dependencies(test_real_windows native_programs)
set_target_properties(test_real_windows PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/native)
add_test(NAME test_real_windows COMMAND test_real_windows)
set_tests_properties(test_real_windows PROPERTIES TIMEOUT 300 RESOURCE_LOCK registry LABELS display)

# The suites that drive the dialogs and pages run again, unchanged, against
# real windows: copies of their programs beside the real-window runtime. (At
# the end of tests/, once the suites' targets exist.)
function(qnzu_add_real_window_runs)
  foreach(area connect_dialog settings_page e2e profiles_page positioning_page ovc_page
          inclination_page templates)
    if(NOT TARGET test_${area})
      continue()
    endif()
    add_custom_command(TARGET test_${area} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:test_${area}>
              ${CMAKE_BINARY_DIR}/bin/native/)
    add_dependencies(test_${area} native_programs)
    add_test(NAME real_windows.test_${area}
      COMMAND ${QNZU_WINE} ${CMAKE_BINARY_DIR}/bin/native/$<TARGET_FILE_NAME:test_${area}>)
    set_tests_properties(real_windows.test_${area} PROPERTIES TIMEOUT 600 RESOURCE_LOCK registry
      LABELS display)
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} CALL qnzu_add_real_window_runs)
