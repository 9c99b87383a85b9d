# velmora-propagationshow: a propagation window of one station with the real
# ITS HF programs, for screenshots (tools/propagation-screenshot).
if(VELMORA_WINDOWS)
  add_executable(velmora-propagationshow ${CMAKE_CURRENT_LIST_DIR}/win32/propagationshow.cpp)
  target_include_directories(velmora-propagationshow PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(velmora-propagationshow PRIVATE velmora_selection_win32)
  set_target_properties(velmora-propagationshow PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
endif()
