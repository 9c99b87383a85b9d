# velmora-history: the history summaries from the command line (natively and for Windows).
add_executable(velmora-history
  ${CMAKE_CURRENT_LIST_DIR}/history/HistoryOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/history/OccupancyListing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/history/main.cpp)
target_include_directories(velmora-history PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(velmora-history PRIVATE velmora_reports)
set_target_properties(velmora-history PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
