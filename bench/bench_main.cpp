// The benchmark program's entry: one application object for every case (the
// widget cases need one, and Qt allows only one per program), made before
// the first case runs and destroyed after the last.
//
// Memory that a pass frees stays with the process for the next pass: the
// C library would otherwise hand large blocks back to the system and take
// them again, and each fresh page costs a fault (about 10 us on a virtual
// machine), so that timings would depend on which blocks happen to be
// returned. Cases that measure a first pass report it on its own.
#include "benchsupport.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstring>
#include <malloc.h>

namespace {
bool g_small = false;
}

bool bench::SmallRun()
{
    return g_small;
}

int main(int argc, char **argv)
{
    // --small: every case on at most 200 items, to prove that it runs.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--small") == 0)
            g_small = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;

    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024); // the largest the library allows
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (g_small)
        benchmark::AddCustomContext("run", "small: at most 200 items per case");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
