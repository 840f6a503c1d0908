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
class THelpRouter;

// The Options dialog: the chart movie, the size of the preview area and the
// data file handed to the movie. Enter accepts and Escape cancels wherever
// the focus is, except that Enter on a button presses that button.
class TFormOptions : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MinSize = 10;
    static constexpr int MaxSize = 3000;
    static constexpr QSize MinimumClientSize{392, 216};

    // appDir: the application directory, with its movies and help file.
    explicit TFormOptions(const QString &appDir, QWidget *parent = nullptr);
    ~TFormOptions() override;

    // Shows the dialog modally from the given settings; the edited settings
    // on OK, nothing on Cancel.
    static std::optional<PreviewSettings> edit(const QString &appDir, const PreviewSettings &settings,
                                               QWidget *parent);

    void setSettings(const PreviewSettings &settings);
    PreviewSettings settings() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    bool FormKeyDown(int key);
    void BtnHelpClick();

    QGroupBox *GroupBoxFile = nullptr;
    QComboBox *FilenameEdit = nullptr;
    QGroupBox *GroupBoxSize = nullptr;
    QLabel *LabelWidth = nullptr;
    RangeSpinEdit *SpinWidth = nullptr;
    QLabel *LabelHeight = nullptr;
    RangeSpinEdit *SpinHeight = nullptr;
    QGroupBox *GroupBoxData = nullptr;
    QLineEdit *DataFileEdit = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *BtnCansel = nullptr;
    QPushButton *BtnHelp = nullptr;
    THelpRouter *HelpRouter = nullptr;

    QString m_appDir;
};
