// The live preview with the real player, offscreen: the first load of the
// chart after the window is shown, and the time from posting a new
// background colour to the first grabbed frame that shows it: each edit
// right after the frame before, and each after a pause of 1.5 s, as a user
// who looks at the chart before the next edit (the preview then is at rest).
//
// QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 build/bench/bench_preview
#include "WidgetBenchmarkMain.h"
#include "app/MainWindow.h"
#include "params/ParameterTable.h"
#include "preview/FlashPlayerView.h"
#include "support/PreviewAppDir.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

const QColor FirstColor(0x12, 0x34, 0x56);

// The sample style with another background colour.
QByteArray styleWithBackground(const QColor &color)
{
    QFile sample(QStringLiteral(TREVIX_SAMPLE_DIR "/style.txt"));
    if (!sample.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample style");
    return "&bgColor=0x" + color.name().mid(1).toUpper().toLatin1() + "\r\n" + sample.readAll();
}

// Pumps events until the player's corner shows the colour; the seconds it took.
double secondsUntil(FlashPlayerView *player, const QColor &color)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (player->frame().pixel(6, 6) == color.rgb())
            return clock.nsecsElapsed() / 1e9;
        QThread::msleep(2);
    }
    return 20;
}

struct Editor
{
    PreviewAppDir dir{styleWithBackground(FirstColor)};
    StyleDocument document;
    std::unique_ptr<MainWindow> form;
    int bgColorRow = -1;

    Editor()
    {
        form = std::make_unique<MainWindow>(document, dir.path(), QStringList());
        bgColorRow = document.table().indexOfKey(QStringLiteral("bgColor"));
    }
};

void BM_FirstLoad(benchmark::State &state)
{
    for (auto _ : state) {
        Editor editor;
        editor.form->show();
        state.SetIterationTime(secondsUntil(editor.form->player(), FirstColor));
    }
}

void BM_ReloadAfterPost(benchmark::State &state)
{
    Editor editor;
    editor.form->show();
    secondsUntil(editor.form->player(), FirstColor);
    ParameterTable &table = editor.form->document().table();
    std::vector<double> times;
    for (auto _ : state) {
        state.PauseTiming();
        const QDeadlineTimer pause(state.range(0));
        while (!pause.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.ResumeTiming();
        const QColor next = QColor::fromHsv(int(times.size() * 37) % 360, 200, 200);
        table.setValue(editor.bgColorRow, QStringLiteral("0x") + next.name().mid(1).toUpper());
        times.push_back(secondsUntil(editor.form->player(), next));
        state.SetIterationTime(times.back());
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2] * 1000;
    state.counters["min_ms"] = times.front() * 1000;
    state.counters["max_ms"] = times.back() * 1000;
}

} // namespace

BENCHMARK(BM_FirstLoad)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_ReloadAfterPost)
        ->Arg(0)
        ->Arg(1500)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(50);

TREVIX_WIDGET_BENCHMARK_MAIN()
