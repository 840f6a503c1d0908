#pragma once

#include "base/ColorRef.h"

#include <QComboBox>

// A drop-down control that shows its activeColor as a square and opens the
// application's colour palette instead of a list. Its width always follows
// its height: height + height / 2 + 6.
class ColorPickerButton : public QComboBox
{
    Q_OBJECT

public:
    explicit ColorPickerButton(QWidget *parent = nullptr);

    ColorRef activeColor() const { return m_activeColor; }
    // Raises colorChanged only when the colour changes.
    void setActiveColor(ColorRef color);
    ColorRef dropDnColor() const { return m_dropDnColor; }
    void setDropDnColor(ColorRef color) { m_dropDnColor = color; }
    QString otherBtnCaption() const { return m_otherBtnCaption; }
    void setOtherBtnCaption(const QString &caption) { m_otherBtnCaption = caption; }
    ColorRef color() const { return m_color; }
    void setColor(ColorRef color);

    static int widthFor(int height) { return height + height / 2 + 6; }

    void showPopup() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void colorChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    ColorRef m_activeColor = ColorRefs::Black;
    ColorRef m_dropDnColor = ColorRefs::clBtnFace;
    ColorRef m_color = ColorRefs::clWindow;
    QString m_otherBtnCaption = QStringLiteral("&Other colors...");
};
