// KIVO Log Viewer
#pragma once

#include "header/boundedarray.h"

#include <QString>

namespace kivo {

// The in-memory form of a ".HED" header file. Field names are the header file's own; which key
// fills which field, and in what order, is ReadHeader's business (readheader.cpp). Texts are
// held decoded (the file's bytes are Windows-1252).

// One logging run; run n is filled from the "WellInfo" keys ending in the digit n.
struct runtype {
    QString DateRun;
    qint32 RunNo = 0; // 0: the run is not used
    QString Engineer;
    QString Witness;
    double DepthDriller = 0.0;
    double DepthLogger = 0.0;
    double Deepest = 0.0;
    double Shallow = 0.0;
    QString LogType;
    QString Fluid;
    QString Salinity;
    QString FluidDensity;
    QString FluidLevel;
    double MaxTemperature = 0.0;
    QString RigTime;
    double BitRec = 0.0; // bit size, drilled from BitRecFrom to BitRecTo
    double BitRecFrom = 0.0;
    double BitRecTo = 0.0;
    double CasRecSize = 0.0; // casing size, weight and interval
    double CasRecWeight = 0.0;
    double CasRecFrom = 0.0;
    double CasRecTo = 0.0;
};

// One display track, section "Track<i>".
struct TrackType {
    QString Style;
    QString Type;
    qint32 GridFlag = 0;
    QString GridStyle;
    qint32 GridColour = 0;
};

// One data channel, section "Channel<i>".
struct channeltype {
    qint32 FilterFlag = 0;
    qint32 FilterType = 0;
    qint32 FilterWidth = 0;
    qint32 HeaderLine = 0;
    qint32 DisplayTrack = 0;
    qint32 DisplayStyle = 0;
    qint32 TrackSpan = 0;
    QString ColourPalette;
    QString Title;
    QString TitleShort;
    QString Unit;
    qint32 Offset = 0;
    qint32 PhysicalCh = 0;
    qint32 LogicalCh = 0;
    qint32 Window = 0;
    qint32 LineColour = 0;
    qint32 PrintParameter = 0;
    double RangeLeft = 0.0;
    double RangeRight = 0.0;
    qint32 File = 0;
    qint32 DataOffset = 0;
    qint32 SampleType = 0;
    qint32 SampleCount = 0;
    qint32 CalFlag = 0;
    double Coefficient0 = 0.0;
    double Coefficient1 = 0.0;
    double Coefficient2 = 0.0;
    double Coefficient3 = 0.0;
};

// Everything is empty or zero until ResetHeader runs.
struct uniheader {
    QString Ident;
    qint32 Version = 0;
    qint32 Data_Files = 0;
    qint32 UserProcessFlag = 0;
    QString UserDLL;
    qint32 SondeLength = 0;
    qint32 DepthUnit = 0; // 0 metres (sizes in mm), otherwise feet (sizes in inches)
    qint32 LogMode = 0;
    qint32 StartDepth = 0;
    qint32 EndDepth = 0;
    qint32 Step = 0;
    qint32 StartTime = 0;
    qint32 EndTime = 0;
    double Zero = 0.0;
    QString Company;
    QString Wellname;
    QString Fieldname;
    QString Location;
    QString Latitude;
    QString Longitude;
    QString Country;
    QString ServiceCompany;
    QString Date;
    QString UWI;
    QString Project;
    QString LogName;
    QString ToolName;
    BoundedArray<QString, 1, 5> OtherServices;
    QString PermanentDatum;
    QString Elevation;
    QString LogDatum;
    QString DrillDatum;
    double KellyBushing = 0.0;
    double DrillFloor = 0.0;
    double GroundLevel = 0.0;
    BoundedArray<runtype, 1, 3> Runs;
    BoundedArray<QString, 1, 10> Comment;
    qint32 TrackCount = 0; // leading entries of Tracks in use, at most 16
    BoundedArray<TrackType, 0, 15> Tracks;
    QString FileName;
    qint32 ReferenceUnit = 0;
    qint32 Mode = 0;
    qint32 Interval = 0;
    qint32 FileStartDepth = 0;
    qint32 FileEndDepth = 0;
    qint32 FileStartTime = 0;
    qint32 FileEndTime = 0;
    qint32 RecLineSize = 0;
    qint32 ChannelCount = 0; // leading entries of Channels in use, at most 16
    BoundedArray<channeltype, 0, 15> Channels;
};

} // namespace kivo
