# Files of src/common/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BaseDirectory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FieldHelpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NameTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TDateTime.cpp
)
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FixedFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioGroup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReadoutLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UpDown.cpp
)
