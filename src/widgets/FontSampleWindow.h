#pragma once

#include <QWidget>

class QLabel;

// The font picker's preview: a window without border that stays on top and
// is never activated, showing the face's name in a strip along the top and a
// sample text written in that face below it.
class FontSampleWindow : public QWidget
{
    Q_OBJECT

public:
    explicit FontSampleWindow(QWidget *parent = nullptr);

    QLabel *panelFontName() const { return m_panelFontName; }
    QLabel *panelPreview() const { return m_panelPreview; }

    void showFace(const QString &face, const QString &sampleText);
    void setNameVisible(bool visible);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int nameStripHeight() const;

    QLabel *m_panelFontName;
    QLabel *m_panelPreview;
};
