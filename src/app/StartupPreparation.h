#pragma once

#include <thread>

// Work the window's first paint would otherwise wait for, started before the
// application object so the window system starts with what it sets; made
// first thing in main().
class StartupPreparation
{
public:
    StartupPreparation();

private:
    std::jthread m_fontConfiguration;
};
