#pragma once

#include "base/TColor.h"

#include <QComboBox>

// A drop-down control that shows its ActiveColor as a square and opens the
// application's colour palette instead of a list. Its width always follows
// its height: height + height / 2 + 6.
class TColorPickCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit TColorPickCombo(QWidget *parent = nullptr);

    TColor ActiveColor() const { return m_activeColor; }
    // Raises OnChanged only when the colour changes.
    void setActiveColor(TColor color);
    TColor DropDnColor() const { return m_dropDnColor; }
    void setDropDnColor(TColor color) { m_dropDnColor = color; }
    QString OtherBtnCaption() const { return m_otherBtnCaption; }
    void setOtherBtnCaption(const QString &caption) { m_otherBtnCaption = caption; }
    TColor Color() const { return m_color; }
    void setColor(TColor color);

    static int widthFor(int height) { return height + height / 2 + 6; }

    void showPopup() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void OnChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TColor m_activeColor = TColors::Black;
    TColor m_dropDnColor = TColors::clBtnFace;
    TColor m_color = TColors::clWindow;
    QString m_otherBtnCaption = QStringLiteral("&Other colors...");
};
