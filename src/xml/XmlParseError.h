#pragma once

#include "base/EditorError.h"

// Raised by the profile reader for a long file that is all one line.
class XmlParseError : public EditorError
{
public:
    using EditorError::EditorError;
};
