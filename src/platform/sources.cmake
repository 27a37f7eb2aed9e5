# Files of src/platform/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/UserMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SerialLib.cpp
)
# Message boxes and the desktop's URL opener need Qt Widgets and Gui.
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MessageBoxService.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellOpen.cpp
)
