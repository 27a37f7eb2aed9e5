# Files of src/shell/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/EventLogView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PUListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Rack.cpp
)
