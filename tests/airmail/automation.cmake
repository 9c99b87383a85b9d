# Keystroke scripts, the debug-log monitor and the terminal operations.
velmora_add_test(airmail_automation_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AirmailTerminalTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DebugLogMonitorTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyScriptTest.cpp
  LIBS velmora_airmail_automation)

if(VELMORA_WINDOWS)
  # AirMail's stand-in for the tests: never installed or shipped.
  add_executable(airmail_standin WIN32 ${CMAKE_CURRENT_LIST_DIR}/win32/standin/StandIn.cpp)
  target_link_libraries(airmail_standin PRIVATE user32 kernel32)
  set_target_properties(airmail_standin PROPERTIES OUTPUT_NAME Airmail3
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/standin)

  velmora_add_test(airmail_automation_win32_test
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/DebugLogMonitorTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/win32/TerminalEndToEndTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/win32/VistaLibTest.cpp
    LIBS velmora_airmail_automation_win32)
  target_compile_definitions(airmail_automation_win32_test PRIVATE VELMORA_STANDIN="$<TARGET_FILE:airmail_standin>")
  add_dependencies(airmail_automation_win32_test airmail_standin)
  # A message box nobody answers would wait for ever: fail sooner.
  set_tests_properties(airmail_automation_win32_test PROPERTIES TIMEOUT 120)
endif()
