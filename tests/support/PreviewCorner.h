#pragma once

#include "preview/FlashPlayerView.h"

#include <QImage>

// The colour just inside the drawn frame's top left corner, where the test
// movies and the sample chart show their background: what a test waits on to
// know which movie has drawn.
inline QRgb previewCorner(FlashPlayerView &player)
{
    return player.frame().pixel(6, 6);
}
