# Files of src/link/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ConnectionConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EventLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IPClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MeasurementSeries.cpp
)
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Frame2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameTransport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameSeries.cpp
)
