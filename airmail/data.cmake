# AirMail's installation, profile and station files, the program's station
# radio data, and the AutoConnect settings record.
add_library(velmora_airmail_data STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AirmailFileText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AirmailInstallation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AirmailProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AutoConnectSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CenterTone.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrequencyFilters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrequencyLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrequencyLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Locator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MailSystems.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StationEntries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StationFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StationRadioData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StationRanges.cpp)
target_link_libraries(velmora_airmail_data PUBLIC velmora_common)

if(VELMORA_WINDOWS)
  add_library(velmora_airmail_data_win32 STATIC ${CMAKE_CURRENT_LIST_DIR}/win32/AirmailRegistry.cpp)
  target_link_libraries(velmora_airmail_data_win32 PUBLIC velmora_airmail_data advapi32)
endif()
