// KIVO Log Viewer
#include "header/headerio.h"

namespace kivo {

void ResetHeader(uniheader &header, const QDate &today, const QLocale &locale)
{
    const QString date = locale.toString(today, QLocale::ShortFormat);

    header = uniheader{};
    header.Ident = QStringLiteral("QZ-HEADER");
    header.Version = 101;
    header.Data_Files = 1;
    header.Company = QStringLiteral("TARVENIX");
    header.Date = date;
    for (runtype &run : header.Runs)
        run.DateRun = date;
    for (TrackType &track : header.Tracks)
        track.GridColour = 0xFFFFFF; // white
    for (channeltype &channel : header.Channels) {
        channel.FilterType = 1;
        channel.FilterWidth = 1;
        channel.File = 1;
    }
}

} // namespace kivo
