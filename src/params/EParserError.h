#pragma once

#include "app/EditorError.h"

// Raised by the XML tokenizer when a line does not fit its input window.
class EParserError : public EditorError
{
public:
    using EditorError::EditorError;
};
