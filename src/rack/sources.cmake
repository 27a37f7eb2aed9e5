# Files of src/rack/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ChildWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VFPanel.cpp
)
