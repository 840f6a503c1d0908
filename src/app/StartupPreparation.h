#pragma once

#include <thread>

// Work the window's first paint would otherwise wait for, done beside it.
// Made before the application object, so the window system starts with what
// it sets:
//
//     StartupPreparation preparation;
//     TrevixApplication app(argc, argv);
//     preparation.loadImagePlugins();
class StartupPreparation
{
public:
    StartupPreparation();

    // Once the application object exists: loads the image format plugins on
    // a thread of their own.
    void loadImagePlugins();

private:
    std::jthread m_fontConfiguration;
    std::jthread m_imagePlugins;
};
