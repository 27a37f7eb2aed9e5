# Files of src/link/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ConnectionConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EventLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IPClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MeasurementSeries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1BlockLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1CodeTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1Commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1Data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1Decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1Firmware.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1Receive.cpp
)
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Frame2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameSeries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameTransport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1Link.cpp
)
