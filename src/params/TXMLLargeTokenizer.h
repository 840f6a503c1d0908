#pragma once

#include "params/TXMLTokenizer.h"

// A tokenizer whose window holds the whole input, for inputs whose lines do
// not fit the ordinary window.
class TXMLLargeTokenizer : public TXMLTokenizer
{
public:
    explicit TXMLLargeTokenizer(QIODevice *stream) : TXMLTokenizer(stream, qMax<qsizetype>(stream->size(), 1)) {}
};
