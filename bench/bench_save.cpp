// Writing a style file of 1,000 parameters with saveStyleValues against
// writing the same bytes straight to a temporary file and renaming it over
// the target, with and without flushing them to the disk first (the editor's
// write does, so that a crash never leaves a half-written file).
#include "style/StyleDocument.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Parameters = 1000;

struct Fixture
{
    QTemporaryDir dir;
    StyleDocument document;
    QByteArray bytes;

    Fixture()
    {
        for (int i = 0; i < Parameters; ++i) {
            ParameterRecord record;
            record.setName(QStringLiteral("param%1").arg(i));
            record.setValue(QStringLiteral("0x%1")
                                    .arg(i * 997 % 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                    .toUpper());
            document.table().append(record);
        }
        document.saveStyleValues(path());
        QFile file(path());
        if (!file.open(QIODevice::ReadOnly))
            qFatal("no style file written");
        bytes = file.readAll();
    }
    QString path() const { return dir.filePath(QStringLiteral("style.stl")); }
};

void rawWriteAndRename(const QByteArray &bytes, const QByteArray &target, bool sync)
{
    const QByteArray temporary = target + ".new";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size()
        || (sync && ::fsync(fd) != 0) || ::close(fd) != 0
        || std::rename(temporary.constData(), target.constData()) != 0)
        qFatal("raw write failed");
}

void BM_SaveStyleValues(benchmark::State &state)
{
    Fixture f;
    for (auto _ : state)
        f.document.saveStyleValues(f.path());
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

void BM_RawWriteAndRename(benchmark::State &state)
{
    Fixture f;
    const QByteArray target = QFile::encodeName(f.path());
    for (auto _ : state)
        rawWriteAndRename(f.bytes, target, state.range(0) != 0);
    state.SetBytesProcessed(state.iterations() * f.bytes.size());
}

} // namespace

BENCHMARK(BM_SaveStyleValues)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_RawWriteAndRename)
        ->ArgName("fsync")
        ->Arg(1)
        ->Arg(0)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();

BENCHMARK_MAIN();
