#pragma once

#include "app/PreviewSettings.h"

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
    static constexpr int MinSize = 10;
    static constexpr int MaxSize = 3000;
    static constexpr QSize MinimumClientSize{392, 216};

    // appDir: the application directory, with its movies and help file.
    explicit OptionsDialog(const QString &appDir, QWidget *parent = nullptr);
    ~OptionsDialog() override;

    // Shows the dialog modally from the given settings; the edited settings
    // on OK, nothing on Cancel.
    static std::optional<PreviewSettings> edit(const QString &appDir, const PreviewSettings &settings,
                                               QWidget *parent);

    void setSettings(const PreviewSettings &settings);
    PreviewSettings settings() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadDocument();
    bool handleKey(int key);
    void showHelp();

    QGroupBox *groupBoxFile = nullptr;
    QComboBox *filenameEdit = nullptr;
    QGroupBox *groupBoxSize = nullptr;
    QLabel *labelWidth = nullptr;
    RangeSpinEdit *spinWidth = nullptr;
    QLabel *labelHeight = nullptr;
    RangeSpinEdit *spinHeight = nullptr;
    QGroupBox *groupBoxData = nullptr;
    QLineEdit *dataFileEdit = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;
    QPushButton *helpButton = nullptr;
    HelpRouter *helpRouter = nullptr;

    QString m_appDir;
};
