// Process start to the first paint of the main window: the editor on the
// sample profile and on a 10,000-parameter profile against a bare Qt main
// window, run in turn so that all three see the same machine. Reports the
// median of each and the ratios to the bare window.
#include "StartupProbe.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>

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

// Links the built program's own files (profile, movies, player, help) into to.
void linkAppFiles(const QString &to, const QString &except = {})
{
    for (const QString &name : QDir(sampleDir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name != except)
            QFile::link(sampleDir + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
    }
}

void writeProfile(const QString &path, int parameters)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\r\n<root>root\r\n";
    for (int i = 0; i < parameters; ++i) {
        if (i % 50 == 0)
            xml += (i ? "</section>\r\n" : "") + QByteArray("<section>Section ") + QByteArray::number(i / 50) + "\r\n";
        xml += "  <param" + QByteArray::number(i) + " type=\"spin\" values=\"0,100\" default=\"" + QByteArray::number(i % 100)
               + "\">Caption " + QByteArray::number(i) + "</param" + QByteArray::number(i) + ">\r\n";
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

void BM_StartToFirstPaint(benchmark::State &state)
{
    QTemporaryDir sample;
    QTemporaryDir big;
    QTemporaryDir config;
    linkAppFiles(sample.path());
    linkAppFiles(big.path(), QStringLiteral("Style.xml"));
    writeProfile(big.filePath(QStringLiteral("Style.xml")), 10000);
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit()); // the user's own settings stay untouched
    qputenv("XDG_DATA_HOME", config.path().toLocal8Bit());
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1"); // the preview's engine refuses its sandbox as root

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

} // namespace

BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

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
