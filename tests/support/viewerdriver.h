// KIVO Log Viewer
#pragma once

#include "formcontrols.h"
#include "ui/display/tform2.h"
#include "ui/header/tform6.h"
#include "ui/print/tform8.h"
#include "ui/viewer/opencommand.h"
#include "ui/viewer/tform1.h"
#include "ui/viewer/tform7.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace kivo::test {

// The viewer's five windows, made in the order the program makes them, the main window at a
// fixed size so that the view's rows are known.
struct Viewer {
    explicit Viewer(const QStringList &arguments = {QStringLiteral("kivo-viewer")},
                    QSize size = QSize(1000, 700))
        : form1(std::make_unique<TForm1>(arguments))
        , form2(std::make_unique<TForm2>(form1->session()))
        , form6(std::make_unique<TForm6>(form1->session()))
        , form7(std::make_unique<TForm7>(form1.get()))
        , form8(std::make_unique<TForm8>(form1->session(), form1.get()))
    {
        form1->setWindows(form2.get(), form6.get(), form7.get(), form8.get());
        form1->setGeometry(QRect(QPoint(0, 0), size));
    }
    ~Viewer()
    {
        // The tool windows refer to the main window's state: they go first.
        form8.reset();
        form7.reset();
        form6.reset();
        form2.reset();
    }

    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm6> form6;
    std::unique_ptr<TForm7> form7;
    std::unique_ptr<TForm8> form8;
};

// Drives the viewer as a user would while the open command runs its own loop, which returns only
// when the log is closed: the test's steps run from inside that loop, each one once the loop has
// served every redraw request. After the last step (or a failed one) the log is closed.
class ViewerDriver {
public:
    explicit ViewerDriver(TForm1 &form)
        : m_form(form)
    {}

    ViewerDriver &then(std::function<void()> step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }

    // Starts the steps' clock; `start` then begins the open (a menu click, the command-line
    // timer) and the call returns once the open command has returned.
    void run(const std::function<void()> &start)
    {
        arm();
        start();
        QTRY_VERIFY_WITH_TIMEOUT(m_finished, 30000);
    }
    // Opens a data file as if named on the command line: no dialog.
    void openAndRun(const QString &path)
    {
        run([&] {
            m_form.session().setOpenFromCommandLine(true);
            m_form.openCommand().setCommandLineFile(path);
            m_form.ReplayLog1Click();
        });
    }

    void arm()
    {
        m_index = 0;
        m_finished = false;
        m_sawViewing = false;
        m_clock.start();
        schedule();
    }
    bool finished() const { return m_finished; }

private:
    void schedule()
    {
        QTimer::singleShot(0, &m_form, [this] { next(); });
    }
    void next()
    {
        if (QTest::currentTestFailed() || m_clock.elapsed() > 25000) {
            finish();
            return;
        }
        const bool viewing = m_form.openCommand().viewing();
        if (!viewing && m_sawViewing) { // a step closed the log
            finish();
            return;
        }
        m_sawViewing = m_sawViewing || viewing;
        if (!viewing || m_form.state().RedrawPending) {
            schedule();
            return;
        }
        if (m_index < int(m_steps.size())) {
            m_steps[size_t(m_index++)]();
            schedule();
            return;
        }
        finish();
    }
    void finish()
    {
        if (m_index < int(m_steps.size()) && !QTest::currentTestFailed())
            qWarning("the viewer did not reach step %d", m_index + 1);
        m_index = int(m_steps.size());
        if (m_form.openCommand().viewing())
            m_form.Close1Click();
        m_finished = true;
    }

    TForm1 &m_form;
    std::vector<std::function<void()>> m_steps;
    int m_index = 0;
    bool m_finished = false;
    bool m_sawViewing = false;
    QElapsedTimer m_clock;
};

// Makes a window the active one, as a click on it would, for the shortcuts that act only in the
// active window. Test programs running side by side on one X server take the focus from each
// other, so the request is made again until it holds (bounded by qWaitFor's timeout).
inline bool activate(QWidget *window)
{
    return QTest::qWaitFor([window] {
        if (!window->isActiveWindow())
            window->activateWindow();
        return window->isActiveWindow();
    });
}

// Answers the next modal message box: records its text and presses OK.
inline void answerMessageBox(QString *text)
{
    QTimer::singleShot(0, [text] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        *text = box->text();
        box->accept();
    });
}

// Answers the next message box once it comes up, records its text and presses OK. Unlike
// answerMessageBox it waits without blocking, so that the print's own progress dialog may come
// and go first (a slow build prints for longer than that dialog's half-second grace).
inline void answerBoxWhenShown(QString *text)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, text] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box && clock->elapsed() < 60000)
            return;
        if (box) {
            *text = box->text();
            box->accept();
        }
        timer->deleteLater();
        delete clock;
    });
    timer->start();
}

// While it lives, rejects every modal dialog or message box that comes up and keeps its class
// name: a test learns of a box it did not expect instead of hanging on it. Every box an action
// opens runs its own event loop, so once the action has returned, seen() holds all of them.
class ModalWatch {
public:
    ModalWatch()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                m_seen << QString::fromLatin1(dialog->metaObject()->className());
                dialog->reject();
            }
        });
        m_timer.start();
    }

    const QStringList &seen() const { return m_seen; }

private:
    QTimer m_timer;
    QStringList m_seen;
};

} // namespace kivo::test
