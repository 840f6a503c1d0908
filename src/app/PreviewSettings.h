#pragma once

#include <QString>

// The four preview settings the Options dialog edits: the chart movie, the
// size of the preview area and the data file handed to the movie.
struct PreviewSettings
{
    QString SWFFile = QStringLiteral("trevix.swf");
    // Sizes as stored; the dialog brings them into its range.
    double SWFWidth = 400;
    double SWFHeight = 300;
    QString SWFDataFile = QStringLiteral("data.txt");
};
