#pragma once

#include <QString>

// The four preview settings the Options dialog edits: the chart movie, the
// size of the preview area and the data file handed to the movie.
struct PreviewSettings
{
    QString swfFile = QStringLiteral("trevix.swf");
    // Sizes as stored; the dialog brings them into its range.
    double swfWidth = 400;
    double swfHeight = 300;
    QString swfDataFile = QStringLiteral("data.txt");
};
