#include "preview/WebPreviewEngine.h"

#include "preview/WebPreviewView.h"

namespace {

// The web engine takes its switches from this variable when it starts, which
// is when the first view is made.
const char SwitchesVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";

// Ruffle is a 14 MB WebAssembly module of which a chart uses a small part:
// compiling each function at its first call, and with the baseline compiler
// only, shows the first frame a second or more sooner and halves the page's
// memory. Sound plays from the editor's process instead of a process of its own.
const char Switches[] = "--js-flags=\"--wasm-lazy-compilation --liftoff-only\" "
                        "--disable-features=AudioServiceOutOfProcess";

} // namespace

WebPreviewEngine::WebPreviewEngine()
{
    // Switches the user gives come after these, so theirs hold.
    QByteArray switches = Switches;
    const QByteArray users = qgetenv(SwitchesVariable);
    if (!users.isEmpty())
        switches += ' ' + users;
    qputenv(SwitchesVariable, switches);
}

std::unique_ptr<PreviewView> WebPreviewEngine::createView(const Page &page, QWidget *parent)
{
    return std::make_unique<WebPreviewView>(page, parent);
}
