# The plug-in. Its code lives in plugin/, measurement/, settings/ and toolsheet/.
# Everything but the export shims goes into a static core library that the
# tests link directly; the shared library adds the exports and shows nothing
# else to the loader.
file(GLOB QWAND_CORE_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/plugin/*.cpp
  ${CMAKE_SOURCE_DIR}/measurement/*.cpp
  ${CMAKE_SOURCE_DIR}/settings/*.cpp
  ${CMAKE_SOURCE_DIR}/toolsheet/*.cpp)
list(REMOVE_ITEM QWAND_CORE_SOURCES ${CMAKE_SOURCE_DIR}/plugin/exports.cpp)

add_library(qwand_core STATIC ${QWAND_CORE_SOURCES})
target_link_libraries(qwand_core PUBLIC qnplatform QNZUDevice)
# The dialog templates register themselves when their binary loads, so they are
# compiled into every binary that links the core rather than archived.
target_sources(qwand_core INTERFACE ${CMAKE_SOURCE_DIR}/resources/dialog_templates.cpp)
set_target_properties(qwand_core PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

add_library(QNZUDeviceQWand SHARED ${CMAKE_SOURCE_DIR}/plugin/exports.cpp)
target_link_libraries(QNZUDeviceQWand PRIVATE qwand_core)
set_target_properties(QNZUDeviceQWand PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
  enable_language(RC)
  configure_file(${CMAKE_SOURCE_DIR}/resources/QNZUDeviceQWand.rc.in
    ${CMAKE_BINARY_DIR}/resources/QNZUDeviceQWand.rc @ONLY)
  target_sources(QNZUDeviceQWand PRIVATE ${CMAKE_SOURCE_DIR}/plugin/QNZUDeviceQWand.def
    ${CMAKE_BINARY_DIR}/resources/QNZUDeviceQWand.rc)
  target_link_options(QNZUDeviceQWand PRIVATE -static-libgcc -static-libstdc++)
else()
  target_link_options(QNZUDeviceQWand PRIVATE
    -Wl,--version-script=${CMAKE_SOURCE_DIR}/plugin/exports.map -Wl,--no-undefined)
  set_property(TARGET QNZUDeviceQWand APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/plugin/exports.map)
endif()
