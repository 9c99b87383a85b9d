# Keystroke scripts, the debug-log monitor and the terminal operations.
velmora_add_test(airmail_automation_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AirmailTerminalTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DebugLogMonitorTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyScriptTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TerminalTextTest.cpp
  LIBS velmora_airmail_automation)
