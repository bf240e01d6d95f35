// KIVO Log Viewer
#include "cli/headerjson.h"

namespace kivo::cli {

// The field's name is its JSON key.
#define KIVO_FIELD(record, name) json.value(#name, (record).name)

namespace {

void writeRun(JsonWriter &json, const runtype &run)
{
    json.beginObject();
    KIVO_FIELD(run, DateRun);
    KIVO_FIELD(run, RunNo);
    KIVO_FIELD(run, Engineer);
    KIVO_FIELD(run, Witness);
    KIVO_FIELD(run, DepthDriller);
    KIVO_FIELD(run, DepthLogger);
    KIVO_FIELD(run, Deepest);
    KIVO_FIELD(run, Shallow);
    KIVO_FIELD(run, LogType);
    KIVO_FIELD(run, Fluid);
    KIVO_FIELD(run, Salinity);
    KIVO_FIELD(run, FluidDensity);
    KIVO_FIELD(run, FluidLevel);
    KIVO_FIELD(run, MaxTemperature);
    KIVO_FIELD(run, RigTime);
    KIVO_FIELD(run, BitRec);
    KIVO_FIELD(run, BitRecFrom);
    KIVO_FIELD(run, BitRecTo);
    KIVO_FIELD(run, CasRecSize);
    KIVO_FIELD(run, CasRecWeight);
    KIVO_FIELD(run, CasRecFrom);
    KIVO_FIELD(run, CasRecTo);
    json.endObject();
}

void writeTrack(JsonWriter &json, const TrackType &track)
{
    json.beginObject();
    KIVO_FIELD(track, Style);
    KIVO_FIELD(track, Type);
    KIVO_FIELD(track, GridFlag);
    KIVO_FIELD(track, GridStyle);
    KIVO_FIELD(track, GridColour);
    json.endObject();
}

void writeChannel(JsonWriter &json, const channeltype &channel)
{
    json.beginObject();
    KIVO_FIELD(channel, FilterFlag);
    KIVO_FIELD(channel, FilterType);
    KIVO_FIELD(channel, FilterWidth);
    KIVO_FIELD(channel, HeaderLine);
    KIVO_FIELD(channel, DisplayTrack);
    KIVO_FIELD(channel, DisplayStyle);
    KIVO_FIELD(channel, TrackSpan);
    KIVO_FIELD(channel, ColourPalette);
    KIVO_FIELD(channel, Title);
    KIVO_FIELD(channel, TitleShort);
    KIVO_FIELD(channel, Unit);
    KIVO_FIELD(channel, Offset);
    KIVO_FIELD(channel, PhysicalCh);
    KIVO_FIELD(channel, LogicalCh);
    KIVO_FIELD(channel, Window);
    KIVO_FIELD(channel, LineColour);
    KIVO_FIELD(channel, PrintParameter);
    KIVO_FIELD(channel, RangeLeft);
    KIVO_FIELD(channel, RangeRight);
    KIVO_FIELD(channel, File);
    KIVO_FIELD(channel, DataOffset);
    KIVO_FIELD(channel, SampleType);
    KIVO_FIELD(channel, SampleCount);
    KIVO_FIELD(channel, CalFlag);
    KIVO_FIELD(channel, Coefficient0);
    KIVO_FIELD(channel, Coefficient1);
    KIVO_FIELD(channel, Coefficient2);
    KIVO_FIELD(channel, Coefficient3);
    json.endObject();
}

template <typename Array, typename WriteItem>
void writeArray(JsonWriter &json, const char *key, const Array &items, WriteItem writeItem)
{
    json.beginArray(key);
    for (const auto &item : items)
        writeItem(item);
    json.endArray();
}

} // namespace

void writeHeaderJson(JsonWriter &json, const char *key, const uniheader &h)
{
    const auto text = [&](const QString &s) {
        json.value(nullptr, s);
    };
    json.beginObject(key);
    KIVO_FIELD(h, Ident);
    KIVO_FIELD(h, Version);
    KIVO_FIELD(h, Data_Files);
    KIVO_FIELD(h, UserProcessFlag);
    KIVO_FIELD(h, UserDLL);
    KIVO_FIELD(h, SondeLength);
    KIVO_FIELD(h, DepthUnit);
    KIVO_FIELD(h, LogMode);
    KIVO_FIELD(h, StartDepth);
    KIVO_FIELD(h, EndDepth);
    KIVO_FIELD(h, Step);
    KIVO_FIELD(h, StartTime);
    KIVO_FIELD(h, EndTime);
    KIVO_FIELD(h, Zero);
    KIVO_FIELD(h, Company);
    KIVO_FIELD(h, Wellname);
    KIVO_FIELD(h, Fieldname);
    KIVO_FIELD(h, Location);
    KIVO_FIELD(h, Latitude);
    KIVO_FIELD(h, Longitude);
    KIVO_FIELD(h, Country);
    KIVO_FIELD(h, ServiceCompany);
    KIVO_FIELD(h, Date);
    KIVO_FIELD(h, UWI);
    KIVO_FIELD(h, Project);
    KIVO_FIELD(h, LogName);
    KIVO_FIELD(h, ToolName);
    writeArray(json, "OtherServices", h.OtherServices, text);
    KIVO_FIELD(h, PermanentDatum);
    KIVO_FIELD(h, Elevation);
    KIVO_FIELD(h, LogDatum);
    KIVO_FIELD(h, DrillDatum);
    KIVO_FIELD(h, KellyBushing);
    KIVO_FIELD(h, DrillFloor);
    KIVO_FIELD(h, GroundLevel);
    writeArray(json, "Runs", h.Runs, [&](const runtype &run) { writeRun(json, run); });
    writeArray(json, "Comment", h.Comment, text);
    KIVO_FIELD(h, TrackCount);
    writeArray(json, "Tracks", h.Tracks, [&](const TrackType &t) { writeTrack(json, t); });
    KIVO_FIELD(h, FileName);
    KIVO_FIELD(h, ReferenceUnit);
    KIVO_FIELD(h, Mode);
    KIVO_FIELD(h, Interval);
    KIVO_FIELD(h, FileStartDepth);
    KIVO_FIELD(h, FileEndDepth);
    KIVO_FIELD(h, FileStartTime);
    KIVO_FIELD(h, FileEndTime);
    KIVO_FIELD(h, RecLineSize);
    KIVO_FIELD(h, ChannelCount);
    writeArray(json, "Channels", h.Channels, [&](const channeltype &c) { writeChannel(json, c); });
    json.endObject();
}

#undef KIVO_FIELD

} // namespace kivo::cli
