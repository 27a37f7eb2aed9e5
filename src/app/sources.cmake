# Files of src/app/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
list(APPEND TOLVEX_UI_SOURCES
)
