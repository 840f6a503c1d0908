#pragma once

#include <QWidget>

class QLabel;

// The help panel: a small tool window on top of the others that shows a
// picture of what the selected parameter changes in the chart. Closing it
// only hides it; it comes back where it was left.
class HelpPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize MinimumClientSize{400, 320};
    static constexpr QSize PictureSize{400, 300};

    explicit HelpPanel(QWidget *owner = nullptr);

    // The label that shows the picture.
    QLabel *pictureLabel() const { return m_picture; }

    // Shows the GIF at its own size from the top-left corner. Throws an
    // EditorError when the file cannot be decoded; the picture shown stays.
    void loadPicture(const QString &fileName);
    void clearPicture();

signals:
    // The user closed the panel with its close box.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_picture = nullptr;
};
