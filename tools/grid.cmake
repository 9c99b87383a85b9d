# velmora-gridshow: the frequency grid with sample stations, for screenshots
# (tools/grid-screenshot) and the timing of its drawing.
if(VELMORA_WINDOWS)
  add_executable(velmora-gridshow ${CMAKE_CURRENT_LIST_DIR}/win32/gridshow.cpp)
  target_link_libraries(velmora-gridshow PRIVATE velmora_selection_win32)
  set_target_properties(velmora-gridshow PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
endif()
