# velmora-soakwatch: drives and samples a running Velmora for tools/soak.
if(VELMORA_WINDOWS)
  add_executable(velmora-soakwatch
    ${CMAKE_CURRENT_LIST_DIR}/win32/soak/ProcessFigures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/soak/ProgramFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/soak/SoakWatch.cpp)
  target_include_directories(velmora-soakwatch PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(velmora-soakwatch PRIVATE user32 psapi ntdll)
  set_target_properties(velmora-soakwatch PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
endif()
