#include "preview/WebPreviewEngine.h"

#include "preview/WebPreviewView.h"

std::unique_ptr<PreviewView> WebPreviewEngine::createView(const Page &page, QWidget *parent)
{
    return std::make_unique<WebPreviewView>(page, parent);
}
