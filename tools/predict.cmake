# velmora-predict: a mode's frequency table predicted and chosen from as the
# AutoConnect window does it, as CSV (natively the programs run through Wine).
add_library(velmora_predict STATIC
  ${CMAKE_CURRENT_LIST_DIR}/predict/PredictOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/predict/PredictRun.cpp)
target_include_directories(velmora_predict PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(velmora_predict PUBLIC velmora_selection)

add_executable(velmora-predict ${CMAKE_CURRENT_LIST_DIR}/predict/main.cpp)
if(VELMORA_WINDOWS)
  target_link_libraries(velmora-predict PRIVATE velmora_predict velmora_propagation_win32)
else()
  target_sources(velmora-predict PRIVATE ${CMAKE_CURRENT_LIST_DIR}/predict/posix/WineModelProgram.cpp)
  target_link_libraries(velmora-predict PRIVATE velmora_predict)
endif()
set_target_properties(velmora-predict PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
