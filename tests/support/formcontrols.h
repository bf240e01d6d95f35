// KIVO Log Viewer
#pragma once

#include "ui/display/tdxdraw.h"
#include "ui/viewer/tform1.h"
#include "ui/viewer/topbar.h"
#include "ui/viewer/tscrollbar.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QtTest>

namespace kivo::test {

// The main window's controls, found by their names as a test finds them on the screen.
template <typename Control> Control *control(const TForm1 &form, const char *name)
{
    auto *found = form.findChild<Control *>(QLatin1String(name));
    if (!found)
        qFatal("the main window has no control %s", name);
    return found;
}

inline TopBar *Panel1(const TForm1 &form)
{
    return control<TopBar>(form, "Panel1");
}
inline QLabel *Label1(const TForm1 &form)
{
    return Panel1(form)->Label1;
}
inline QLabel *Label2(const TForm1 &form)
{
    return Panel1(form)->Label2;
}
inline QLabel *Label3(const TForm1 &form)
{
    return Panel1(form)->Label3;
}
inline QLabel *Label5(const TForm1 &form)
{
    return Panel1(form)->Label5;
}
inline QFrame *Panel4(const TForm1 &form)
{
    return control<QFrame>(form, "Panel4");
}
inline TDXDraw *DXDraw1(const TForm1 &form)
{
    return control<TDXDraw>(form, "DXDraw1");
}
inline QFrame *Panel10(const TForm1 &form)
{
    return control<QFrame>(form, "Panel10");
}
inline TScrollBar *ScrollBar4(const TForm1 &form)
{
    return control<TScrollBar>(form, "ScrollBar4");
}
inline QTimer *Timer1(const TForm1 &form)
{
    return control<QTimer>(form, "Timer1");
}

} // namespace kivo::test
