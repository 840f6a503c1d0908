// Process start to the first paint of the main window: the editor on the
// sample profile and on a 10,000-parameter profile against a bare Qt main
// window, run in turn so that all three see the same machine. Reports the
// median of each and the ratios to the bare window.
//
// Process start to the sample chart's first bar on screen: on a first start
// (nothing kept from earlier runs) and on later starts (what the runs before
// kept in the user's cache and settings folders), each run closed the way a
// user closes the window. Against two yardsticks started in turn with it: a
// bare web view showing a block of the bar's colour (the floor of any preview
// on this web engine), and a bare Qt main window's first paint.
#include "StartupProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>
#include <utility>

namespace {

QString benchDir;
QString sampleDir;

// Milliseconds from starting the program to the time it printed.
double startToPaint(const QString &program, const QStringList &arguments)
{
    QProcess process;
    const long long started = StartupProbe::now();
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("%s did not start and paint", qPrintable(program));
    return double(process.readAllStandardOutput().trimmed().toLongLong() - started) / 1e6;
}

// Milliseconds from starting the program to its first paint and to the
// chart's first bar (the block, for the bare web view) on screen.
std::pair<double, double> startToChart(const QString &program, const QStringList &arguments)
{
    QProcess process;
    const long long started = StartupProbe::now();
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("%s did not start", qPrintable(program));
    const QList<QByteArray> times = process.readAllStandardOutput().trimmed().split('\n');
    if (times.size() != 2 || times[1].toLongLong() < 0)
        qFatal("the chart did not show");
    return {double(times[0].toLongLong() - started) / 1e6,
            double(times[1].toLongLong() - started) / 1e6};
}

// Links the built program's own files (profile, movies, player, help) into to.
void linkAppFiles(const QString &to, const QString &except = {})
{
    for (const QString &name :
         QDir(sampleDir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name != except)
            QFile::link(sampleDir + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
    }
}

// Copies the built program's own files into to and links its folders (the
// player's among them): the preview plays only files that lie in the
// application directory itself.
void copyAppFiles(const QString &to)
{
    const QDir from(sampleDir);
    for (const QString &name : from.entryList(QDir::Files))
        QFile::copy(from.filePath(name), to + QLatin1Char('/') + name);
    for (const QString &name : from.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        QFile::link(from.filePath(name), to + QLatin1Char('/') + name);
}

void writeProfile(const QString &path, int parameters)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\r\n<root>root\r\n";
    for (int i = 0; i < parameters; ++i) {
        if (i % 50 == 0)
            xml += (i ? "</section>\r\n" : "") + QByteArray("<section>Section ")
                   + QByteArray::number(i / 50) + "\r\n";
        xml += "  <param" + QByteArray::number(i) + " type=\"spin\" values=\"0,100\" default=\""
               + QByteArray::number(i % 100) + "\">Caption " + QByteArray::number(i) + "</param"
               + QByteArray::number(i) + ">\r\n";
    }
    xml += "</section>\r\n</root>\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size())
        qFatal("cannot write the profile");
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The user's own settings and cache stay untouched: the runs keep theirs in folder.
void useUserFolders(const QString &folder)
{
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, folder.toLocal8Bit());
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX",
                "1"); // the preview's engine refuses its sandbox as root
}

// The colour of the sample chart's first series, as its style gives it.
QString firstBarColor()
{
    QFile style(sampleDir + QStringLiteral("/style.txt"));
    if (!style.open(QIODevice::ReadOnly))
        qFatal("cannot read the sample style");
    for (const QByteArray &line : style.readAll().split('\n')) {
        if (line.startsWith("&series1Color=0x"))
            return QLatin1Char('#') + QString::fromLatin1(line.mid(16).trimmed());
    }
    qFatal("the sample style names no colour for its first series");
}

void BM_StartToFirstPaint(benchmark::State &state)
{
    QTemporaryDir sample;
    QTemporaryDir big;
    QTemporaryDir user;
    linkAppFiles(sample.path());
    linkAppFiles(big.path(), QStringLiteral("Style.xml"));
    writeProfile(big.filePath(QStringLiteral("Style.xml")), 10000);
    useUserFolders(user.path());

    const QString bare = benchDir + QStringLiteral("/startup_bare");
    const QString editor = benchDir + QStringLiteral("/startup_editor");
    std::vector<double> bareMs, sampleMs, bigMs;
    for (auto _ : state) {
        bareMs.push_back(startToPaint(bare, {}));
        sampleMs.push_back(startToPaint(editor, {sample.path()}));
        bigMs.push_back(startToPaint(editor, {big.path()}));
        state.SetIterationTime(sampleMs.back() / 1000);
    }
    state.counters["bare_ms"] = median(bareMs);
    state.counters["sample_ms"] = median(sampleMs);
    state.counters["params10k_ms"] = median(bigMs);
    state.counters["sample_ratio"] = median(sampleMs) / median(bareMs);
    state.counters["params10k_ratio"] = median(bigMs) / median(bareMs);
}

// state.range(0): 1 for first starts, each with empty user folders; 0 for
// later starts, all with the folders of one start made before.
void BM_StartToChart(benchmark::State &state)
{
    const bool firstStarts = state.range(0) == 1;
    QTemporaryDir sample;
    copyAppFiles(sample.path());
    const QString editor = benchDir + QStringLiteral("/startup_editor");
    const QString webView = benchDir + QStringLiteral("/startup_webview");
    const QString bare = benchDir + QStringLiteral("/startup_bare");
    const QStringList editorArguments{sample.path(), firstBarColor()};
    auto user = std::make_unique<QTemporaryDir>();
    useUserFolders(user->path());
    // The run before the later starts is left open until its chart has settled, as a user
    // who looks at the chart before closing the editor.
    if (!firstStarts)
        startToChart(editor, editorArguments + QStringList{QStringLiteral("settle")});
    std::vector<double> paintMs, chartMs, floorMs, bareMs;
    for (auto _ : state) {
        if (firstStarts) {
            user = std::make_unique<QTemporaryDir>();
            useUserFolders(user->path());
        }
        // The three take turns at going first, so none has the machine's quiet moments to itself.
        const auto runEditor = [&] {
            const auto [paint, chart] = startToChart(editor, editorArguments);
            paintMs.push_back(paint);
            chartMs.push_back(chart);
        };
        const auto runFloor = [&] {
            floorMs.push_back(startToChart(webView, {editorArguments.at(1)}).second);
        };
        const auto runBare = [&] { bareMs.push_back(startToPaint(bare, {})); };
        const std::function<void()> runs[] = {runEditor, runFloor, runBare};
        const size_t turn = chartMs.size();
        for (size_t i = 0; i < 3; ++i)
            runs[(turn + i) % 3]();
        state.SetIterationTime(chartMs.back() / 1000);
    }
    state.counters["paint_ms"] = median(paintMs);
    state.counters["chart_ms"] = median(chartMs);
    state.counters["chart_min_ms"] = *std::min_element(chartMs.begin(), chartMs.end());
    state.counters["chart_max_ms"] = *std::max_element(chartMs.begin(), chartMs.end());
    state.counters["webview_ms"] = median(floorMs);
    state.counters["bare_ms"] = median(bareMs);
    state.counters["chart_webview_ratio"] = median(chartMs) / median(floorMs);
    state.counters["chart_bare_ratio"] = median(chartMs) / median(bareMs);
}

} // namespace

BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartToChart)
        ->ArgName("first_start")
        ->Arg(1)
        ->Arg(0)
        ->UseManualTime()
        ->Iterations(10)
        ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchDir = QCoreApplication::applicationDirPath();
    sampleDir = QStringLiteral(TREVIX_APP_DIR);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
