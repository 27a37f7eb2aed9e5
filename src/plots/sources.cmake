# Files of src/plots/: list widget-free units in TOLVEX_CORE_SOURCES, the rest in TOLVEX_UI_SOURCES.
# The counting, statistics and zoom rules of the plots are free of widgets.
list(APPEND TOLVEX_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HistogramModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlotTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TimePlotModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZoomPolicy.cpp
)
list(APPEND TOLVEX_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BarGraph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartKit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataTimePlot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Histogram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlotChartView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlotPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlotReadoutLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlotWindow.cpp
)
