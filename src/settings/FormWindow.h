#pragma once

#include "settings/WindowPlacement.h"

#include <QMetaProperty>
#include <QObject>
#include <QSize>
#include <QString>
#include <QVariant>

// What a settings store needs of the window whose settings it keeps. The
// widget side implements it (WidgetFormWindow); tests use a plain fake.
class FormWindow
{
public:
    enum class State { Normal, Maximized };

    virtual ~FormWindow() = default;

    // The window object: stored properties and the focused control are
    // looked up by object name among its children.
    virtual QObject *form() const = 0;

    virtual WindowPlacement placement() const = 0;
    virtual void setPlacement(const WindowPlacement &placement) = 0;
    // Whether the user can resize the window (a fixed window keeps its size).
    virtual bool isSizeable() const = 0;
    virtual QSize size() const = 0;
    virtual QSize screenSize() const = 0;
    virtual int screenPixelsPerInch() const = 0;

    virtual void setState(State state) = 0;
    // Minimizes the window once the current event has been handled.
    virtual void postMinimize() = 0;
    // Moves the maximized position so the frame of a maximized window lies
    // just outside the screen.
    virtual void adjustMaximizedPosition() = 0;

    // Object name of the control that has the focus; empty when none has.
    virtual QString activeControlName() const = 0;
    // Focuses the named control when it exists and can take the focus now.
    virtual void setActiveControl(const QString &name) = 0;

    virtual QVariant readProperty(QObject *component, const QMetaProperty &property) const
    {
        return property.read(component);
    }
};
