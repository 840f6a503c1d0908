// One edit in the parameter grid of a 10,000-parameter profile, offscreen:
// posting a value and the layout that follows it, against changing the
// highlight of a picked element, which changes no value.
//
// QT_QPA_PLATFORM=offscreen build/bench/bench_grid
#include "WidgetBenchmarkMain.h"
#include "editors/ProfileGrid.h"
#include "params/ParameterTable.h"
#include "params/ProfileGridModel.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Parameters = 10000;

struct Grid
{
    ParameterTable table;
    ProfileGridModel model{&table};
    ProfileGrid grid{&model};

    Grid()
    {
        for (int i = 0; i < Parameters; ++i) {
            ParameterRecord record;
            record.setGroup(QStringLiteral("Section %1").arg(i / 50));
            record.setName(QStringLiteral("param%1").arg(i));
            record.setCaption(QStringLiteral("Caption %1").arg(i));
            record.setType(QStringLiteral("spin"));
            record.setValues(QStringLiteral("0,100000"));
            record.setValue(QString::number(i % 100));
            table.append(record);
        }
        grid.resize(700, 400);
        grid.show();
        QCoreApplication::processEvents();
    }
};

void BM_PostValue(benchmark::State &state)
{
    Grid g;
    int edit = 0;
    for (auto _ : state) {
        g.table.setValue(edit % Parameters, QString::number(edit % 1000));
        QCoreApplication::processEvents();
        ++edit;
    }
}

void BM_Highlight(benchmark::State &state)
{
    Grid g;
    int edit = 0;
    for (auto _ : state) {
        g.model.setHighlighted({edit % Parameters, (edit + 1) % Parameters});
        QCoreApplication::processEvents();
        ++edit;
    }
}

} // namespace

BENCHMARK(BM_PostValue)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Highlight)->Unit(benchmark::kMicrosecond);

TREVIX_WIDGET_BENCHMARK_MAIN()
