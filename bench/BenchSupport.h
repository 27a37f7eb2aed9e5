#pragma once

// The start every window benchmark shares: widgets need an application, and a
// run on a machine without a display uses the offscreen platform unless the
// caller chose another.

#include "widgets/ProgramStyle.h"

#include <QApplication>
#include <benchmark/benchmark.h>

inline int RunWindowBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Drawn as the program draws.
    app.setStyle(new TProgramStyle);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
