#include "QuenzaSettings.h"

namespace {

void WritePair(SettingsWriter& writer, const LongPair& pair)
{
    writer.Int32(pair.first);
    writer.Int32(pair.second);
}

LongPair ReadPair(SettingsReader& reader)
{
    const LONG first = reader.Int32();
    return {first, reader.Int32()};
}

} // namespace

const OutputResolution kOutputResolutions[kOutputResolutionCount] = {
    {800, 600, u"800x600"},     {1600, 600, u"1600x600"},   {1024, 768, u"1024x768"},  {2048, 768, u"2048x768"},
    {1280, 1024, u"1280x1024"}, {2560, 1024, u"2560x1024"}, {1600, 1200, u"1600x1200"}, {3200, 1200, u"3200x1200"},
    {800, 300, u"800x300"},     {1024, 384, u"1024x384"},   {1280, 512, u"1280x512"},
};

const OutputResolution& OutputResolutionAt(LONG index)
{
    return index >= 0 && index < kOutputResolutionCount ? kOutputResolutions[index] : kOutputResolutions[0];
}

void WriteQuenzaSettings(SettingsWriter& writer, const QuenzaSettings& s)
{
    writer.Byte(s.swap ? 1 : 0);
    writer.Int32(s.videoColour);
    WritePair(writer, s.leftOffset);
    WritePair(writer, s.rightOffset);
    writer.Byte(s.leftAtInputSize ? 1 : 0);
    WritePair(writer, s.leftSize);
    writer.Byte(s.rightAtInputSize ? 1 : 0);
    WritePair(writer, s.rightSize);
    writer.Int32(s.resolution);
    writer.Int32(s.frameRate);
    writer.Byte(s.red);
    writer.Byte(s.green);
    writer.Byte(s.blue);
    WritePair(writer, s.windowPosition);
    writer.Byte(s.windowAtOutputSize ? 1 : 0);
    WritePair(writer, s.windowSize);
}

void ReadQuenzaSettings(SettingsReader& reader, QuenzaSettings& s)
{
    s.swap = reader.Byte() != 0;
    s.videoColour = reader.Int32();
    s.leftOffset = ReadPair(reader);
    s.rightOffset = ReadPair(reader);
    s.leftAtInputSize = reader.Byte() != 0;
    s.leftSize = ReadPair(reader);
    s.rightAtInputSize = reader.Byte() != 0;
    s.rightSize = ReadPair(reader);
    s.resolution = reader.Int32();
    const LONG frameRate = reader.Int32();
    if (frameRate > 0) s.frameRate = frameRate;
    s.red = reader.Byte();
    s.green = reader.Byte();
    s.blue = reader.Byte();
    s.windowPosition = ReadPair(reader);
    s.windowAtOutputSize = reader.Byte() != 0;
    s.windowSize = ReadPair(reader);
}
