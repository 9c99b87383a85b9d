# Keystroke scripts, AirMail's windows and terminal, the debug-log monitor.
add_library(velmora_airmail_automation STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AirmailTerminal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DebugLogMonitor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DebugLogStamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyScript.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TerminalText.cpp)
target_link_libraries(velmora_airmail_automation PUBLIC velmora_airmail_data velmora_common)
if(VELMORA_WINDOWS)
  target_sources(velmora_airmail_automation PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win32/SharedReadFile.cpp)

  add_library(velmora_airmail_automation_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win32/AirmailWindows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/Clipboard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/KeysSend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/WindowActivate.cpp)
  target_link_libraries(velmora_airmail_automation_win32 PUBLIC velmora_airmail_automation velmora_common_win32 shell32)
else()
  target_sources(velmora_airmail_automation PRIVATE ${CMAKE_CURRENT_LIST_DIR}/posix/SharedReadFile.cpp)
endif()
