#pragma once

#include "preview/PreviewSettings.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RangeSpinEdit;
class HelpRouter;

// The Options dialog: the chart movie, the size of the preview area and the
// data file handed to the movie. Enter accepts and Escape cancels wherever
// the focus is, except that Enter on a button presses that button.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr QSize MinimumClientSize{392, 216};

    // appDir: the application directory, with its movies and help file.
    explicit OptionsDialog(const QString &appDir, QWidget *parent = nullptr);
    ~OptionsDialog() override;

    // Shows the dialog modally from the given settings; the edited settings
    // on OK, nothing on Cancel.
    static std::optional<PreviewSettings> edit(const QString &appDir,
                                               const PreviewSettings &settings, QWidget *parent);

    void setSettings(const PreviewSettings &settings);
    PreviewSettings settings() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadDocument();
    bool handleKey(int key);
    void showHelp();

    QGroupBox *m_movieGroup = nullptr;
    QComboBox *m_movieEdit = nullptr;
    QGroupBox *m_sizeGroup = nullptr;
    QLabel *m_widthLabel = nullptr;
    RangeSpinEdit *m_widthEdit = nullptr;
    QLabel *m_heightLabel = nullptr;
    RangeSpinEdit *m_heightEdit = nullptr;
    QGroupBox *m_dataGroup = nullptr;
    QLineEdit *m_dataFileEdit = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_helpButton = nullptr;
    HelpRouter *m_helpRouter = nullptr;

    QString m_appDir;
};
