# AirMail's installation, profile and station files, and the AutoConnect settings.
velmora_add_test(airmail_data_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AutoConnectSettingsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AirmailInstallationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StationListsTest.cpp
  LIBS velmora_airmail_data)
if(NOT VELMORA_WINDOWS)
  # A comma-decimal locale made for the run (see ./test), without touching the system's.
  set_tests_properties(airmail_data_test PROPERTIES ENVIRONMENT "LOCPATH=${PROJECT_BINARY_DIR}/../locales")
else()
  velmora_add_test(airmail_data_win32_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/AirmailRegistryTest.cpp
    LIBS velmora_airmail_data_win32)
  add_dependencies(airmail_data_win32_test velmora-airmail)
endif()
