// What the editor costs over time with the real player, offscreen.
//
// Idle: the sample chart on show and nobody using the editor, with the
// pointer resting over the chart, and with the window minimised: the CPU
// time the editor and all its processes use over ten seconds, as a
// percentage of one core.
//
// LongSession: 1,000 edits typed into the grid like a user would (Enter on
// the row, the value, Enter), each waited for until the preview shows it:
// the background colour alternates between two values, so every edit's frame
// can be told from the one before. Reports the private memory (USS) of the
// editor's process and of the page's after edit 1, 100 and 1,000, the page's
// largest from edit 100 to 1,000 (looked at every 20 edits), and the CPU at
// rest after the first edit and after the last; with the page started anew
// now and then (/0) and, as a yardstick, one page all along (/1).
//
// QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 build/bench/bench_session
#include "WidgetBenchmarkMain.h"
#include "app/MainWindow.h"
#include "editors/ProfileGrid.h"
#include "preview/FlashPlayerView.h"
#include "support/ChartPixels.h"
#include "support/PageScript.h"
#include "support/PreviewAppDir.h"
#include "support/TestGrid.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <limits>
#include <memory>
#include <unistd.h>

namespace {

const QColor Colors[] = {QColor(0x10, 0x20, 0x30), QColor(0x30, 0x20, 0x10)};

QByteArray sampleStyle()
{
    QFile sample(QStringLiteral(TREVIX_SAMPLE_DIR "/style.txt"));
    if (!sample.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample style");
    return "&bgColor=0x" + Colors[0].name().mid(1).toUpper().toLatin1() + "\r\n" + sample.readAll();
}

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// This process and every process it started, the web engine's among them.
QList<int> processTree()
{
    QList<int> tree{int(getpid())};
    for (qsizetype i = 0; i < tree.size(); ++i) {
        QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(tree[i]));
        if (children.open(QIODevice::ReadOnly)) {
            for (const QByteArray &child : children.readAll().split(' '))
                if (!child.trimmed().isEmpty())
                    tree.append(child.trimmed().toInt());
        }
    }
    return tree;
}

// User and system time of the process, in clock ticks.
long long ticks(int pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : 0;
}

// Percent of one core the whole editor uses while the event loop runs for the given time.
double idleCpu(int ms)
{
    QHash<int, long long> before;
    for (int pid : processTree())
        before.insert(pid, ticks(pid));
    QElapsedTimer clock;
    clock.start();
    runEventsFor(ms);
    long long used = 0;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        used += ticks(it.key()) - it.value();
    return 100.0 * double(used) / double(sysconf(_SC_CLK_TCK)) / (clock.elapsed() / 1000.0);
}

// Private memory (USS) of a process in megabytes.
double ussMb(int pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    long long kb = 0;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        if (line.startsWith("Private_Clean:") || line.startsWith("Private_Dirty:"))
            kb += line.simplified().split(' ').value(1).toLongLong();
    }
    return kb / 1024.0;
}

// The web engine's process that runs the preview's page: the largest of
// the engine's processes (a page's process is forked from the engine's
// zygote and keeps its command line, so the line does not tell).
int pageProcess()
{
    int largest = 0;
    for (int pid : processTree()) {
        if (pid != int(getpid()) && (!largest || ussMb(pid) > ussMb(largest)))
            largest = pid;
    }
    return largest;
}

// The page's script heap in megabytes (Chromium's own count: script
// objects only, no WebAssembly memories or canvases; exact with the engine's
// switch --enable-precise-memory-info, which Editor adds).
double scriptHeapMb()
{
    for (QWidget *widget : QApplication::allWidgets()) {
        if (auto *view = qobject_cast<QWebEngineView *>(widget))
            return evaluateInPage(view, QStringLiteral("performance.memory.usedJSHeapSize"))
                           .toDouble()
                   / 1048576.0;
    }
    return 0;
}

struct Editor
{
    PreviewAppDir dir{sampleStyle()};
    StyleDocument document;
    std::unique_ptr<MainWindow> form;
    int edits = 0;

    Editor()
    {
        // Without it, the page's heap size is rounded and renewed only every 20 minutes.
        if (!qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--enable-precise-memory-info"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                    qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --enable-precise-memory-info");
        form = std::make_unique<MainWindow>(document, dir.path(), QStringList());
        form->show();
        waitForColor(Colors[0]);
    }

    void waitForColor(const QColor &color)
    {
        QElapsedTimer clock;
        clock.start();
        while (form->player()->frame().pixel(6, 6) != color.rgb()) {
            if (clock.elapsed() > 30000)
                qFatal("the preview did not show edit %d", edits);
            runEventsFor(5);
        }
    }

    QLineEdit *cellEditor() const
    {
        for (QLineEdit *editor : form->profileGrid()->findChildren<QLineEdit *>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }

    // One edit typed into the grid, waited for until the preview shows it.
    void edit()
    {
        const QColor next = Colors[++edits % 2];
        ProfileGrid *grid = form->profileGrid();
        grid->setCurrentIndex(valueIndexOf(*form, QStringLiteral("bgColor")));
        if (!cellEditor())
            QTest::keyClick(grid, Qt::Key_Return);
        QLineEdit *editor = cellEditor();
        if (!editor)
            qFatal("the grid opened no editor");
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("0x") + next.name().mid(1).toUpper());
        QTest::keyClick(editor, Qt::Key_Return);
        waitForColor(next);
    }
};

constexpr int SettleMs = 5000;
constexpr int PeakSampleEdits = 20;
constexpr int MeasuredMs = 10000;

enum IdleCase { Rest, PointerOver, Minimised };

void BM_Idle(benchmark::State &state)
{
    for (auto _ : state) {
        Editor editor;
        if (state.range(0) == PointerOver) {
            const QImage frame = editor.form->player()->frame();
            QTest::mouseMove(ChartPixels::pageSurface(),
                             QPoint(frame.width() / 2, frame.height() / 2));
        } else if (state.range(0) == Minimised) {
            editor.form->showMinimized();
        }
        runEventsFor(SettleMs);
        state.counters["cpu_percent"] = idleCpu(MeasuredMs);
    }
}

enum PageCase { PageRenewed, OnePage };

void BM_LongSession(benchmark::State &state)
{
    for (auto _ : state) {
        Editor editor;
        // The yardstick: one page for the whole session, as before pages were started anew.
        if (state.range(0) == OnePage)
            editor.form->player()->setLoadsPerPage(std::numeric_limits<int>::max() / 2);
        double pagePeak = 0;
        for (int edits : {1, 100, 1000}) {
            while (editor.edits < edits) {
                editor.edit();
                // The page is started anew now and then: its largest size tells what it costs.
                if (editor.edits >= 100 && editor.edits % PeakSampleEdits == 0)
                    pagePeak = std::max(pagePeak, ussMb(pageProcess()));
            }
            state.counters[QStringLiteral("page_uss_mb_%1").arg(edits).toStdString()] = ussMb(
                    pageProcess());
            state.counters[QStringLiteral("editor_uss_mb_%1").arg(edits).toStdString()] = ussMb(
                    int(getpid()));
            state.counters[QStringLiteral("page_script_heap_mb_%1").arg(edits).toStdString()]
                    = scriptHeapMb();
            if (edits == 1 || edits == 1000) {
                runEventsFor(SettleMs);
                state.counters[QStringLiteral("idle_cpu_percent_%1").arg(edits).toStdString()]
                        = idleCpu(MeasuredMs);
            }
        }
        state.counters["page_uss_mb_peak_100_1000"] = pagePeak;
    }
}

} // namespace

BENCHMARK(BM_Idle)
        ->Arg(Rest)
        ->Arg(PointerOver)
        ->Arg(Minimised)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
BENCHMARK(BM_LongSession)->Arg(PageRenewed)->Arg(OnePage)->Iterations(1)->Unit(benchmark::kSecond);

TREVIX_WIDGET_BENCHMARK_MAIN()
