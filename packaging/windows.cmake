# The Windows release ZIP: the plug-in with its platform runtime, the stand-in
# host with the host's device library, the simulated tracker library with its
# registration tool, and a text for Windows users, all in one folder.
#
#   cmake --build build/windows --target windows_zip
#
# builds only what the ZIP holds, installs it (component windows_zip) into a
# staging folder, strips the debug information there and packs the folder
# with CPack into
# build/windows/package/QNZUDeviceQWand-<version>-win64.zip. CPack is not
# given the build tree itself: it would build the whole tree first.

# The runtime with real windows when the build has it; the headless one
# exports the same names under the same file name.
if(TARGET qnplatform_native)
  set(QNZU_PACKAGED_PLATFORM qnplatform_native)
else()
  set(QNZU_PACKAGED_PLATFORM qnplatform)
  message(STATUS "Windows package: no qnplatform_native target, "
    "the ZIP carries the headless platform runtime")
endif()

set(QNZU_PACKAGED_TARGETS QNZUDeviceQWand ${QNZU_PACKAGED_PLATFORM} zuhost QNZUDevice trackersim
  trackersim-regtool trackerrec)
set(QNZU_ZIP_BASENAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(QNZU_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(QNZU_PACKAGE_STAGE ${QNZU_PACKAGE_DIR}/stage)

configure_file(${CMAKE_CURRENT_LIST_DIR}/README-Windows.txt.in
  ${QNZU_PACKAGE_DIR}/README.txt @ONLY NEWLINE_STYLE WIN32)

# Files rather than targets: only the DLLs and programs, no import libraries.
# The host library is a file that clang builds (hostlib/), not a MinGW target.
function(qnzu_packaged_file target out)
  if(target STREQUAL "QNZUDevice")
    set(${out} $<TARGET_PROPERTY:QNZUDevice,HOST_LIBRARY_FILE> PARENT_SCOPE)
  else()
    set(${out} $<TARGET_FILE:${target}> PARENT_SCOPE)
  endif()
endfunction()
foreach(target IN LISTS QNZU_PACKAGED_TARGETS)
  qnzu_packaged_file(${target} file)
  install(PROGRAMS ${file} DESTINATION . COMPONENT windows_zip EXCLUDE_FROM_ALL)
endforeach()
install(FILES ${QNZU_PACKAGE_DIR}/README.txt DESTINATION . COMPONENT windows_zip EXCLUDE_FROM_ALL)

file(CONFIGURE OUTPUT ${QNZU_PACKAGE_DIR}/CPackWindowsZip.cmake @ONLY CONTENT [[
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "@PROJECT_NAME@")
set(CPACK_PACKAGE_VERSION "@PROJECT_VERSION@")
set(CPACK_PACKAGE_DESCRIPTION "The Q-Wand device plug-in for the ZU host, for 64-bit Windows")
set(CPACK_PACKAGE_FILE_NAME "@QNZU_ZIP_BASENAME@")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY "@QNZU_PACKAGE_DIR@")
set(CPACK_INSTALLED_DIRECTORIES "@QNZU_PACKAGE_STAGE@;.")
]])

# The build keeps its debug information; the users' copies go without it.
# The host library has none (lld-link writes it to no PDB), and GNU strip
# would drop its .data section, which holds only uninitialised data.
set(QNZU_STAGED_BINARIES)
foreach(target IN LISTS QNZU_PACKAGED_TARGETS)
  if(NOT target STREQUAL "QNZUDevice")
    list(APPEND QNZU_STAGED_BINARIES ${QNZU_PACKAGE_STAGE}/$<TARGET_FILE_NAME:${target}>)
  endif()
endforeach()

add_custom_target(windows_zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QNZU_PACKAGE_STAGE}
    ${QNZU_PACKAGE_DIR}/${QNZU_ZIP_BASENAME}.zip
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component windows_zip
    --prefix ${QNZU_PACKAGE_STAGE}
  COMMAND ${CMAKE_STRIP} --strip-debug ${QNZU_STAGED_BINARIES}
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${QNZU_PACKAGE_DIR}/CPackWindowsZip.cmake
  WORKING_DIRECTORY ${QNZU_PACKAGE_DIR}
  COMMENT "Packing ${QNZU_ZIP_BASENAME}.zip"
  VERBATIM)
add_dependencies(windows_zip ${QNZU_PACKAGED_TARGETS})
