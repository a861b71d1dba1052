#include "FrameworkTestSupport.h"
#include "TempHome.h"
#include "TestSettings.h"
#include "objidl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<BYTE> StreamBytes(IStream* stream)
{
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(stat.cbSize.QuadPart);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG got = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return bytes;
}

Ref<IStream> StreamWith(const std::vector<BYTE>& bytes)
{
    Ref<IStream> stream;
    CreateMemoryStream(stream.Put());
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

struct Values {
    LONG colour, gain;
    BYTE enabled;
    LONG rate;
};

Values Read(ITestSettings* s)
{
    Values v{};
    s->GetColour(&v.colour);
    s->GetGain(&v.gain);
    s->GetEnabled(&v.enabled);
    s->GetRate(&v.rate);
    return v;
}

class PersistTest : public ::testing::Test {
protected:
    void NewFilter(Ref<ITestSettings>& settings, Ref<IPersistStream>& persist)
    {
        ASSERT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_ITestSettings, settings.PutVoid()), S_OK);
        ASSERT_EQ(settings->QueryInterface(IID_IPersistStream, persist.PutVoid()), S_OK);
    }
    TestModule module;
};

} // namespace

TEST_F(PersistTest, SavedStreamHasVersionFieldThenRawSettingsAndRestoresInNewObject)
{
    Ref<ITestSettings> settings;
    Ref<IPersistStream> persist;
    NewFilter(settings, persist);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    settings->SetColour(1);
    settings->SetGain(-5);
    settings->SetEnabled(0);
    settings->SetRate(25);
    EXPECT_EQ(persist->IsDirty(), S_OK);

    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 24u + kTestSettingsSize);

    Ref<IStream> stream;
    ASSERT_EQ(CreateMemoryStream(stream.Put()), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    const std::vector<BYTE> bytes = StreamBytes(stream.Get());
    ASSERT_EQ(bytes.size(), 24u + kTestSettingsSize);
    const std::u16string version = u"00000000001 ";
    EXPECT_EQ(std::memcmp(bytes.data(), version.data(), 24), 0);
    const std::vector<BYTE> settingsBytes(bytes.begin() + 24, bytes.end());
    EXPECT_EQ(settingsBytes, (std::vector<BYTE>{1, 0, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF, 0, 25, 0, 0, 0}));

    Ref<ITestSettings> copy;
    Ref<IPersistStream> copyPersist;
    NewFilter(copy, copyPersist);
    ASSERT_EQ(copyPersist->Load(stream.Get()), S_OK);
    const Values v = Read(copy.Get());
    EXPECT_EQ(v.colour, 1);
    EXPECT_EQ(v.gain, -5);
    EXPECT_EQ(v.enabled, 0);
    EXPECT_EQ(v.rate, 25);
}

TEST_F(PersistTest, TruncatedOrMalformedStreamFailsAndKeepsSettings)
{
    Ref<ITestSettings> source;
    Ref<IPersistStream> sourcePersist;
    NewFilter(source, sourcePersist);
    source->SetColour(0);
    source->SetRate(99);
    Ref<IStream> saved;
    CreateMemoryStream(saved.Put());
    ASSERT_EQ(sourcePersist->Save(saved.Get(), FALSE), S_OK);
    std::vector<BYTE> whole = StreamBytes(saved.Get());

    Ref<ITestSettings> target;
    Ref<IPersistStream> persist;
    NewFilter(target, persist);
    const Values before = Read(target.Get());

    for (std::size_t length : {std::size_t{0}, std::size_t{10}, std::size_t{24}, whole.size() - 1}) {
        std::vector<BYTE> part(whole.begin(), whole.begin() + static_cast<long>(length));
        EXPECT_EQ(persist->Load(StreamWith(part).Get()), HRESULT_FROM_WIN32(ERROR_HANDLE_EOF)) << length;
    }
    std::vector<BYTE> badVersion = whole;
    badVersion[4] = 'x';
    EXPECT_EQ(persist->Load(StreamWith(badVersion).Get()), HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
    EXPECT_EQ(persist->Load(nullptr), E_POINTER);

    const Values after = Read(target.Get());
    EXPECT_EQ(after.colour, before.colour);
    EXPECT_EQ(after.rate, before.rate);
    EXPECT_EQ(after.enabled, before.enabled);
}

TEST_F(PersistTest, FileStreamRoundTrip)
{
    TempHome folder;
    const auto path = folder.Path() / "filter.settings";
    Ref<ITestSettings> settings;
    Ref<IPersistStream> persist;
    NewFilter(settings, persist);
    settings->SetGain(77);
    {
        Ref<IStream> file;
        ASSERT_EQ(CreateFileStream(path, STGM_WRITE | STGM_CREATE, file.Put()), S_OK);
        ASSERT_EQ(persist->Save(file.Get(), TRUE), S_OK);
    }
    EXPECT_EQ(std::filesystem::file_size(path), 24u + kTestSettingsSize);
    Ref<ITestSettings> copy;
    Ref<IPersistStream> copyPersist;
    NewFilter(copy, copyPersist);
    Ref<IStream> file;
    ASSERT_EQ(CreateFileStream(path, STGM_READ, file.Put()), S_OK);
    ASSERT_EQ(copyPersist->Load(file.Get()), S_OK);
    EXPECT_EQ(Read(copy.Get()).gain, 77);
}
