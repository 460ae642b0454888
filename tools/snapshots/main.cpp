// Writes a PNG of every registered view, built with fixed sample values, into
// the folder given on the command line, for people to look at.
//
//   pelmor-snapshots OUT_DIR [SCALE]
//
// SCALE is device pixels per point (2 by default). A missing font face is a
// setup fault: the program stops before it writes anything.

#include "ChannelScanWindowSnapshots.h"
#include "DiagnosticsExportWindowSnapshots.h"
#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "PopoverPanelSnapshots.h"
#include "PopoverViewSnapshots.h"
#include "RadarWindowSnapshots.h"
#include "SettingsWindowSnapshots.h"
#include "SnapshotRenderer.h"
#include "SpeedTestWindowSnapshots.h"
#include "UI/Ground/FontFaces.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>

#include <QApplication>
#include <QDir>
#include <QLocale>

namespace {

// Every group of views; a new group of views adds its function here.
std::vector<Snapshot> allSnapshots() {
    std::vector<Snapshot> snapshots;
    for (const auto group : {popoverViewSnapshots, popoverPanelSnapshots, settingsWindowSnapshots,
                             radarWindowSnapshots, channelScanWindowSnapshots,
                             speedTestWindowSnapshots, diagnosticsExportWindowSnapshots}) {
        std::vector<Snapshot> more = group();
        snapshots.insert(snapshots.end(), std::make_move_iterator(more.begin()),
                         std::make_move_iterator(more.end()));
    }
    return snapshots;
}

int usage() {
    std::fputs("usage: pelmor-snapshots OUT_DIR [SCALE]\n", stderr);
    return 64;
}

} // namespace

int main(int argc, char** argv) {
    // Fixed sample values read the same on every machine.
    qputenv("TZ", "UTC");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        return usage();
    }
    bool scaleIsNumber = true;
    const double scale = arguments.size() == 3 ? arguments.at(2).toDouble(&scaleIsNumber) : 2.0;
    if (!scaleIsNumber || scale <= 0) {
        return usage();
    }

    const QStringList missing = FontFaces::missingFaces();
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "pelmor-snapshots: missing font faces (run scripts/setup): %s\n",
                     qPrintable(missing.join(u", ")));
        return 2;
    }

    const QDir folder(arguments.at(1));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "pelmor-snapshots: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    // The whole popover is drawn over real monitors, which poll as tasks.
    const Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                                 std::make_shared<Async::EventLoopTimerService>());
    int failures = 0;
    for (const Snapshot& snapshot : allSnapshots()) {
        const QString path = folder.filePath(snapshot.name + QStringLiteral(".png"));
        if (!SnapshotRenderer::render(snapshot, scale).save(path)) {
            std::fprintf(stderr, "pelmor-snapshots: cannot write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
