// The floor of any preview on Qt WebEngine: a bare web view in a main window,
// composed in software as the editor's preview is, that starts and shows a
// page with one block of the colour given as the only argument. Prints the monotonic clock
// at its first paint and when the block is on screen, as startup_editor does.
#include "ChartProbe.h"

#include <QApplication>
#include <QColor>
#include <QMainWindow>
#include <QQuickWindow>
#include <QVBoxLayout>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    // The editor's preview draws without OpenGL; the floor does the same.
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString colour = QString::fromLatin1(argv[1]);
    QMainWindow window;
    window.resize(700, 400);
    // A frame around the view, as around the editor's preview: a view that covered the whole
    // window would leave the window itself nothing to paint, and its first paint unseen.
    auto *frame = new QWidget(&window);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *view = new QWebEngineView(frame);
    layout->addWidget(view);
    window.setCentralWidget(frame);
    new ChartProbe(&window, view, QColor::fromString(colour).rgb());
    view->setHtml(QStringLiteral("<!DOCTYPE html><html><body style=\"margin:0\"><div "
                                 "style=\"width:300px;height:200px;background:%1\"></div></body>"
                                 "</html>")
                          .arg(colour));
    window.show();
    return app.exec();
}
