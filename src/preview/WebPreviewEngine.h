#pragma once

#include "preview/PreviewEngine.h"

#include <QObject>

// The plugin that makes the preview's views with Qt WebEngine.
class WebPreviewEngine : public QObject, public PreviewEngine
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PreviewEngine_iid)
    Q_INTERFACES(PreviewEngine)

public:
    WebPreviewEngine();

    std::unique_ptr<PreviewView> createView(const Page &page, QWidget *parent) override;
};
