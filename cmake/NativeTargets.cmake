# Native (Linux) build: the portable libraries, their headless platform
# implementations and the unit tests.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB ORVANE_UNIT_TEST_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/unit/*.cpp")
add_executable(orvane_tests ${ORVANE_UNIT_TEST_SOURCES})
target_include_directories(orvane_tests PRIVATE "${CMAKE_SOURCE_DIR}/tests")
# Hand-written input files the tests read (tests/unit/data).
target_compile_definitions(orvane_tests PRIVATE ORVANE_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/unit/data")
target_link_libraries(orvane_tests PRIVATE orvane_portable orvane_setup_core GTest::gtest GTest::gtest_main)
gtest_discover_tests(orvane_tests DISCOVERY_TIMEOUT 60)

# cairo + pango draw the software canvas on Linux; Windows uses Direct2D.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO_PANGO REQUIRED IMPORTED_TARGET cairo pangocairo fontconfig)
target_link_libraries(orvane_render PUBLIC PkgConfig::CAIRO_PANGO)

# PNG files (icon cache) on Linux; Windows uses WIC.
find_package(PNG REQUIRED)
target_link_libraries(orvane_system PUBLIC PNG::PNG)

# SQLite reads the notification database snapshot; Windows binds the
# system's winsqlite3.dll at run time instead.
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
target_link_libraries(orvane_system PUBLIC PkgConfig::SQLITE3)

# Benchmarks of the portable code (Google Benchmark). Not part of the test run;
# see the README's performance section.
file(GLOB ORVANE_BENCHMARK_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/benchmarks/*.cpp")
find_package(benchmark QUIET)
if(ORVANE_BENCHMARK_SOURCES AND benchmark_FOUND)
  add_executable(orvane_bench ${ORVANE_BENCHMARK_SOURCES})
  target_include_directories(orvane_bench PRIVATE "${CMAKE_SOURCE_DIR}/tests")
  target_link_libraries(orvane_bench PRIVATE orvane_portable orvane_setup_core benchmark::benchmark)
endif()

# The preview tool: renders named scenes on the software compositor to PNG.
# Every .cpp in tools/preview is part of it; scene files register themselves.
file(GLOB ORVANE_PREVIEW_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tools/preview/*.cpp")
add_executable(orvane-preview ${ORVANE_PREVIEW_SOURCES})
target_link_libraries(orvane-preview PRIVATE orvane_portable)
add_test(NAME PreviewRendersEveryScene COMMAND orvane-preview --all "${CMAKE_BINARY_DIR}/preview")
add_test(NAME PreviewRendersEverySceneDarkSolidScaled
         COMMAND orvane-preview --all "${CMAKE_BINARY_DIR}/preview/dark" --dark --no-transparency --scale 1.5)
