# Files of src/app/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/C8L1Frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Configure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Connects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Forms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PathSelect.cpp
)
