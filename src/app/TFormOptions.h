#pragma once

#include <QDialog>

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

    // appDir: the application directory, with its movies and help file.
    explicit TFormOptions(const QString &appDir, QWidget *parent = nullptr);
    ~TFormOptions() override;

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    bool FormKeyDown(int key);
    void BtnHelpClick();

    QString m_appDir;
};
