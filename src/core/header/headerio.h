// KIVO Log Viewer
#pragma once

#include "header/uniheader.h"

#include <QDate>
#include <QLocale>
#include <QString>

namespace kivo {

class IniFile;

// Gives every field its reset value: "QZ-HEADER", version 101, company "TARVENIX", today's date
// (in the locale's short date format) for Date and each run's DateRun, and so on.
void ResetHeader(uniheader &header, const QDate &today = QDate::currentDate(),
                 const QLocale &locale = QLocale::system());

enum class HeaderReadStatus {
    Read,         // every key read
    InvalidIdent, // "Ident" present but not "WL_EXT": the user is to be told "Invalid Header!"
};

// The message for HeaderReadStatus::InvalidIdent.
inline const char *const InvalidHeaderMessage = "Invalid Header!";

// Reads a header file into the record, key by key in the file format's order. On a wrong
// identity only Ident is stored. Throws KivoError when the file cannot be read, and
// "'<text>' is not a valid floating point value" for a bad number (fields read before it keep
// their values). Texts are decoded by decodeHeaderText.
HeaderReadStatus ReadHeader(const QString &path, uniheader &header,
                            const QLocale &locale = QLocale::system());
HeaderReadStatus ReadHeader(const IniFile &file, uniheader &header,
                            const QLocale &locale = QLocale::system());

// Decodes a header value: UTF-8 when the file began with a byte-order mark and the value is
// valid UTF-8, Windows-1252 otherwise.
QString decodeHeaderText(const IniFile &file, const QByteArray &bytes);

} // namespace kivo
