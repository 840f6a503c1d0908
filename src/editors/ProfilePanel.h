#pragma once

#include <QAbstractItemView>
#include <QWidget>

class QAction;
class QLineEdit;
class ProfileGrid;
class ProfileGridModel;

// The parameter grid with its filter box above it. Typing in the box keeps
// the parameters whose caption, key or value contains the text; Escape
// clears it; the find action (Ctrl+F) focuses it from anywhere in the window.
class ProfilePanel : public QWidget
{
    Q_OBJECT

public:
    explicit ProfilePanel(ProfileGridModel *model, QWidget *parent = nullptr);

    ProfileGrid *grid() const { return m_grid; }
    QLineEdit *filterBox() const { return m_filter; }
    QAction *findAction() const { return m_find; }
    QAction *showModifiedAction() const { return m_showModified; }

    // Makes a parameter's row the grid's current one, scrolled into view as
    // the hint says; a filter that hides it is cleared and its section opened.
    void showRecord(int recordIndex,
                    QAbstractItemView::ScrollHint hint = QAbstractItemView::EnsureVisible);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyFilter();

    QLineEdit *m_filter;
    ProfileGrid *m_grid;
    QAction *m_find;
    QAction *m_showModified;
};
