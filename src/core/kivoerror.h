// KIVO Log Viewer
#pragma once

#include <QString>

#include <exception>

namespace kivo {

// An error the user is meant to read: its text is shown as it stands (message box, stderr).
// The core throws it; the windows and the command-line tool catch it where the user sees it.
class KivoError : public std::exception {
public:
    explicit KivoError(QString text)
        : m_text(std::move(text))
        , m_utf8(m_text.toUtf8())
    {}

    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

} // namespace kivo
