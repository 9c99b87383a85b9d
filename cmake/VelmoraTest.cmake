# GoogleTest: Debian's package natively; built from Debian's sources for Windows.
if(VELMORA_WINDOWS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(VELMORA_GTEST gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(VELMORA_GTEST GTest::gtest GTest::gtest_main)
endif()

# velmora_add_test(NAME source... LIBS lib... [WRAPPER script])
# One GoogleTest executable, registered with CTest as one test (Wine starts
# once per executable, not once per case). A wrapper script, given the
# command, sets up what the test needs outside the program (a serial line).
# The libraries are tested as shipped (Release, -O3); the tests' own code
# needs no more than -O1, which takes two fifths off its compile time.
function(velmora_add_test name)
  cmake_parse_arguments(T "" "WORKING_DIRECTORY;WRAPPER" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(CMAKE_BUILD_TYPE STREQUAL "Release")
    target_compile_options(${name} PRIVATE -O1)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${VELMORA_GTEST})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    VELMORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VELMORA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  if(T_WRAPPER)
    add_test(NAME ${name} COMMAND ${T_WRAPPER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> --gtest_color=no
      WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  endif()
  # Nothing may hang a run: a stuck test fails after five minutes.
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
