// KIVO Log Viewer
#pragma once

#include <QString>

class QWidget;

namespace kivo {

// A message with the program's fixed text and an OK button, captioned "KIVO VIEWER".
void showMessage(QWidget *parent, const QString &text);

// A piece of news with an OK button and the information icon, captioned "KIVO VIEWER".
void showInformation(QWidget *parent, const QString &text);

// The default error report: a critical box captioned "KIVO VIEWER" with the error's text (a
// full stop added where the text ends in a letter or digit). The command that failed is
// abandoned; the program goes on.
void showErrorReport(QWidget *parent, const QString &text);

} // namespace kivo
