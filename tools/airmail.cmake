# velmora-airmail: a check of an AirMail installation from the command line.
add_executable(velmora-airmail ${CMAKE_CURRENT_LIST_DIR}/airmail/main.cpp)
target_include_directories(velmora-airmail PRIVATE ${PROJECT_SOURCE_DIR})
if(VELMORA_WINDOWS)
  target_link_libraries(velmora-airmail PRIVATE velmora_airmail_data_win32)
else()
  target_link_libraries(velmora-airmail PRIVATE velmora_airmail_data)
endif()
set_target_properties(velmora-airmail PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
