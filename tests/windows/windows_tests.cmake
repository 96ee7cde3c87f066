# The Windows target's tests, included by tests/CMakeLists.txt when WIN32:
# the export table, loading the plug-in DLL again and again under Wine, and
# the recording library as the process ends (COM creation is every simulator
# suite's, the elevated launch test_connect_dialog's and the settings store
# test_registry's).

# The plug-in exports exactly the names of its module definition file.
add_test(NAME windows.export_table
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DDLL=$<TARGET_FILE:QNZUDeviceQWand>
          -DDEF=${CMAKE_SOURCE_DIR}/plugin/QNZUDeviceQWand.def
          -P ${CMAKE_CURRENT_LIST_DIR}/check_exports.cmake)

# The plug-in imports the host library's operations under the names Microsoft's
# compiler gives them, as a host's QNZUDevice.dll built that way exports them.
add_test(NAME windows.host_library_imports
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPLUGIN=$<TARGET_FILE:QNZUDeviceQWand>
          -DHOST_LIBRARY=$<TARGET_PROPERTY:QNZUDevice,HOST_LIBRARY_FILE>
          -P ${CMAKE_CURRENT_LIST_DIR}/check_host_imports.cmake)

# GoogleTest from the sources of Debian's googletest package, built by the
# cross compiler (posix threads) and linked statically like everything else.
set(QNZU_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${QNZU_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(gtest_target gtest gtest_main)
  # GoogleTest's own code is not held to the project's warning flags.
  # (It defines the GTest:: aliases itself.)
  target_compile_options(${gtest_target} PRIVATE -Wno-error)
endforeach()

file(GLOB WINDOWS_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
# The recording library's settings: a test records through it.
add_executable(test_windows ${WINDOWS_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/trackerrec/settings.cpp)
target_link_libraries(test_windows PRIVATE test_support GTest::gtest_main)
add_dependencies(test_windows trackersim trackerrec)
# One test for the program, like the other suites on Windows.
add_test(NAME test_windows COMMAND test_windows)
set_tests_properties(test_windows PROPERTIES TIMEOUT 300 RESOURCE_LOCK registry)
include(${CMAKE_CURRENT_LIST_DIR}/real_windows/real_windows.cmake)
