# The signal generator (a test tool, natively) and the offline analyser
# (natively and for Windows).
add_library(velmora_signalgen STATIC
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/ChannelSignal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/DigitalForms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/DigitalSweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/FadingChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/FadingSweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/LinkPauses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/ModemSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/OfdmModem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/OtherFadingSweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/Pcm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/PskModem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/Random.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/ReceivingChain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/ReceivingChainSweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/ReceiverNoise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/Receiver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/SignalGen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/ShipNoise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/ShipNoiseSweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/SignalGenOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/Sweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/ToneModem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/signalgen/Waveform.cpp)
target_link_libraries(velmora_signalgen PUBLIC velmora_analysis velmora_common)
target_include_directories(velmora_signalgen PUBLIC ${PROJECT_SOURCE_DIR})

add_library(velmora_analyse STATIC ${CMAKE_CURRENT_LIST_DIR}/analyse/RecordingAnalyser.cpp)
target_link_libraries(velmora_analyse PUBLIC velmora_analysis velmora_audio)

add_executable(velmora-analyse ${CMAKE_CURRENT_LIST_DIR}/analyse/main.cpp)
target_link_libraries(velmora-analyse PRIVATE velmora_analyse)
set_target_properties(velmora-analyse PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

if(NOT VELMORA_WINDOWS)
  add_executable(velmora-signalgen ${CMAKE_CURRENT_LIST_DIR}/signalgen/main.cpp)
  target_link_libraries(velmora-signalgen PRIVATE velmora_signalgen)
  set_target_properties(velmora-signalgen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
endif()
