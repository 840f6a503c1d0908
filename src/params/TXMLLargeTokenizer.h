#pragma once

#include "params/TXMLTokenizer.h"

#include <QFileDevice>

// A tokenizer whose window holds the whole file, for files whose lines do not
// fit the ordinary window.
class TXMLLargeTokenizer : public TXMLTokenizer
{
public:
    explicit TXMLLargeTokenizer(QFileDevice *file) : TXMLTokenizer(file, qMax<qsizetype>(file->size(), 1)) {}
};
