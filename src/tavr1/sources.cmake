# Files of src/tavr1/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_frontpanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_Panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_PanelLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_PanelWindows.cpp
)
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_BarChart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_BarGraphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_dBRead.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_RawData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_RDSBasic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_Readouts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tavr1_Settings.cpp
)
