// Reading a large generated profile: the editor's XML reader and table
// against pugixml on the same file, side by side in one run.
#include "style/StyleDocument.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

namespace {

QString generatedProfile(int parameters)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("profile%1.xml").arg(parameters));
    if (QFile::exists(path))
        return path;
    QByteArray xml = "<?xml version=\"1.0\"?>\r\n<root>root\r\n";
    const char *types[] = {"color", "spin", "list", "font", "fontstyle", ""};
    for (int i = 0; i < parameters; ++i) {
        if (i % 50 == 0)
            xml += (i ? "</section>\r\n" : "") + QByteArray("<section>Section ")
                   + QByteArray::number(i / 50) + "\r\n";
        xml += "  <param" + QByteArray::number(i) + " type=\"" + types[i % 6]
               + "\" values=\"0,100\" default=\"v" + QByteArray::number(i)
               + "\">Caption &amp; text " + QByteArray::number(i) + "</param"
               + QByteArray::number(i) + ">\r\n";
    }
    xml += "</section>\r\n</root>\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size())
        qFatal("cannot write the generated profile");
    return path;
}

void BM_ReadProfile(benchmark::State &state)
{
    const QString path = generatedProfile(int(state.range(0)));
    for (auto _ : state) {
        ProfileXmlReader parser;
        parser.loadFromFile(path);
        benchmark::DoNotOptimize(parser.root());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_ReadProfileAndBuildTable(benchmark::State &state)
{
    const QString path = generatedProfile(int(state.range(0)));
    for (auto _ : state) {
        StyleDocument document;
        document.loadProfile(path);
        benchmark::DoNotOptimize(document.table().count());
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

void BM_PugixmlParse(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(generatedProfile(int(state.range(0))));
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_file(path.constData()));
    }
    state.SetBytesProcessed(state.iterations() * QFile(QString::fromLocal8Bit(path)).size());
}

} // namespace

BENCHMARK(BM_ReadProfile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProfileAndBuildTable)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PugixmlParse)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
