# Windows build: Orvane.exe, Orvane-Setup.exe (which carries Orvane.exe as
# RT_RCDATA 201) and the small probe program the Wine end-to-end tests drive.
enable_language(RC)

set(ORVANE_WIN32_LIBS
  ole32 oleaut32 uuid shell32 shlwapi user32 gdi32 comctl32 dwmapi advapi32 imm32
  windowscodecs propsys d3d11 d2d1 dwrite dxgi dxguid runtimeobject
  winhttp wininet
  wlanapi bthprops
  dxva2 powrprof wbemuuid comdlg32
)
if(MSVC)
  # Static runtime; wWinMain/wmain are picked up by the linker on its own.
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  set(ORVANE_STATIC_LINK "")
  set(ORVANE_UNICODE_ENTRY "")
else()
  set(ORVANE_STATIC_LINK -static -static-libgcc -static-libstdc++)
  set(ORVANE_UNICODE_ENTRY -municode)
endif()

# The program icon is drawn by a script, not committed as a binary.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ORVANE_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
set(ORVANE_ICON "${ORVANE_GENERATED_DIR}/orvane.ico")
add_custom_command(
  OUTPUT "${ORVANE_ICON}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${ORVANE_GENERATED_DIR}"
  COMMAND "${Python3_EXECUTABLE}" "${CMAKE_SOURCE_DIR}/tools/icongen/make_icon.py" "${ORVANE_ICON}"
  DEPENDS "${CMAKE_SOURCE_DIR}/tools/icongen/make_icon.py"
  COMMENT "Drawing the program icon")
add_custom_target(orvane_icon DEPENDS "${ORVANE_ICON}")

set(ORVANE_APP_MANIFEST "${CMAKE_SOURCE_DIR}/resources/orvane.manifest")
set(ORVANE_SETUP_MANIFEST "${CMAKE_SOURCE_DIR}/installer/win32/setup.manifest")

# --- Orvane.exe --------------------------------------------------------------
# The layers carry their win32/ sources; the Windows libraries come with the
# application core. orvane_win32 is every layer at once, for the program and
# for the end-to-end probe that drives the same adapters.
target_link_libraries(orvane_app PUBLIC ${ORVANE_WIN32_LIBS})
add_library(orvane_win32 INTERFACE)
target_compile_definitions(orvane_win32 INTERFACE ${ORVANE_WIN32_DEFINES})
target_link_libraries(orvane_win32 INTERFACE orvane_portable)

configure_file("${CMAKE_SOURCE_DIR}/resources/orvane.rc.in" "${ORVANE_GENERATED_DIR}/orvane.rc" @ONLY)
set_source_files_properties("${ORVANE_GENERATED_DIR}/orvane.rc" PROPERTIES
  OBJECT_DEPENDS "${ORVANE_ICON};${ORVANE_APP_MANIFEST}")
add_executable(Orvane WIN32 ${ORVANE_APP_ENTRY_SOURCES} "${ORVANE_GENERATED_DIR}/orvane.rc")
orvane_assign_sources(${ORVANE_APP_ENTRY_SOURCES})
add_dependencies(Orvane orvane_icon)
target_link_options(Orvane PRIVATE ${ORVANE_UNICODE_ENTRY} ${ORVANE_STATIC_LINK})
target_link_libraries(Orvane PRIVATE orvane_win32)
set_target_properties(Orvane PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}" OUTPUT_NAME "Orvane")

# --- Orvane-Setup.exe --------------------------------------------------------
set(ORVANE_PAYLOAD "${CMAKE_BINARY_DIR}/Orvane.exe")
orvane_folder_sources(ORVANE_SETUP_WIN32_SOURCES installer/win32)
# The setup core logs through the shared log, which reaches the debugger output.
list(APPEND ORVANE_SETUP_WIN32_SOURCES "${CMAKE_SOURCE_DIR}/src/app/win32/Win32LogBackend.cpp")
configure_file("${CMAKE_SOURCE_DIR}/installer/win32/setup.rc.in" "${ORVANE_GENERATED_DIR}/setup.rc" @ONLY)
set_source_files_properties("${ORVANE_GENERATED_DIR}/setup.rc" PROPERTIES
  OBJECT_DEPENDS "${ORVANE_ICON};${ORVANE_SETUP_MANIFEST};${ORVANE_PAYLOAD}")
add_executable(OrvaneSetup WIN32 ${ORVANE_SETUP_WIN32_SOURCES} "${ORVANE_GENERATED_DIR}/setup.rc")
orvane_assign_sources(${ORVANE_SETUP_WIN32_SOURCES})
add_dependencies(OrvaneSetup Orvane orvane_icon)
target_compile_definitions(OrvaneSetup PRIVATE ${ORVANE_WIN32_DEFINES})
target_link_options(OrvaneSetup PRIVATE ${ORVANE_UNICODE_ENTRY} ${ORVANE_STATIC_LINK})
target_link_libraries(OrvaneSetup PRIVATE orvane_setup_core ${ORVANE_WIN32_LIBS})
set_target_properties(OrvaneSetup PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}" OUTPUT_NAME "Orvane-Setup")

# --- probe used by the Wine end-to-end tests ------------------------------------
file(GLOB ORVANE_PROBE_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/e2e/win32/*.cpp")
if(ORVANE_PROBE_SOURCES)
  add_executable(orvane-probe ${ORVANE_PROBE_SOURCES})
  target_link_options(orvane-probe PRIVATE ${ORVANE_UNICODE_ENTRY} ${ORVANE_STATIC_LINK})
  target_link_libraries(orvane-probe PRIVATE orvane_win32)
  set_target_properties(orvane-probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}")
endif()
