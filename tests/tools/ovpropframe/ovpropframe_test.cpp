#include "AccessibilityProbe.h"
#include "DialogView.h"
#include "FilterCatalogue.h"
#include "PropertyFrame.h"
#include "SettingsFile.h"
#include "TempHome.h"
#include "objbase.h"

#include "FxBankResources.h"
#include "HoldQueueResources.h"
#include "IFrameRateControllerSettings.h"
#include "IGhostSettings.h"
#include "IGreenShiftSettings.h"
#include "IHoldQueueSettings.h"
#include "IInterlaceSettings.h"
#include "ILevelCompressSettings.h"
#include "INoiseSettings.h"
#include "IQuadView.h"
#include "IQuenzaSettings.h"
#include "IScrollSettings.h"
#include "IStereoDisplaySettings.h"
#include "ISubliminalSettings.h"
#include "QuadViewResources.h"
#include "StereoPairResources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include <dlfcn.h>

namespace {

// ---- The four modules registered once, in a registry of the test's own.

// The registry's folder also holds the files the tests write.
std::filesystem::path g_home;

class RegisteredModules : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_home = std::make_unique<TempHome>();
        g_home = m_home->Path();
        CoInitialize(nullptr);
        std::stringstream paths(OSTREL_FILTER_MODULES);
        for (std::string path; std::getline(paths, path, ':');) {
            void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
            ASSERT_NE(module, nullptr) << ::dlerror();
            auto reg = reinterpret_cast<DllRegisterServerFunction>(::dlsym(module, "DllRegisterServer"));
            ASSERT_TRUE(reg && SUCCEEDED(reg())) << path;
            m_modules.push_back(module);
        }
    }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        for (void* module : m_modules) ::dlclose(module);
        CoUninitialize();
        m_home.reset();
    }

private:
    std::unique_ptr<TempHome> m_home;
    std::vector<void*> m_modules;
};

// ---- What each page is asked to do, and how its filter answers.

struct Input {
    ControlKind kind;
    int id;
    int index = 0;          // combo box item, trackbar position
    const char* text = "";  // edit text
};

template <class Settings>
ComPtr<Settings> Query(IUnknown* filter, REFIID iid)
{
    ComPtr<Settings> settings;
    filter->QueryInterface(iid, settings.OutVoid());
    return settings;
}

// Reads one setting through the filter's own settings interface.
template <class Settings, class Value>
std::function<LONG(IUnknown*)> Reader(REFIID iid, HRESULT (Settings::*get)(Value*))
{
    return [&iid, get](IUnknown* filter) {
        Value value{};
        const ComPtr<Settings> settings = Query<Settings>(filter, iid);
        EXPECT_TRUE(settings && SUCCEEDED((settings.Get()->*get)(&value)));
        return static_cast<LONG>(value);
    };
}

struct PageCase {
    const char* filter;
    const char16_t* title;
    // A change that takes effect on Apply, and its value read back.
    Input change;
    std::function<LONG(IUnknown*)> changed;
    LONG appliedValue;
    // Whether that change already reaches the filter before Apply.
    bool changeIsPreview;
};

std::ostream& operator<<(std::ostream& out, const PageCase& c) { return out << c.filter; }

const PageCase kPages[] = {
    {"Velk Green Shift Filter", u"Ｇｒｅｅｎピクセルの右シフト", {ControlKind::ComboBox, IDC_VIDEOCOLOUR, 0},
     Reader(IID_IGreenShiftSettings, &IGreenShiftSettings::GetVideoColour), 0, false},
    {"Velk Interlace Filter", u"インターレース化", {ControlKind::ComboBox, IDC_VIDEOCOLOUR, 1},
     Reader(IID_IInterlaceSettings, &IInterlaceSettings::GetVideoColour), 1, false},
    {"Velk 2-Input Level Compressor", u"2映像圧縮合成", {ControlKind::Edit, IDC_LC_FRAMERATE, 0, "12"},
     Reader(IID_ILevelCompressSettings, &ILevelCompressSettings::GetFrameRate), 12, false},
    {"Velk Stereo Display", u"ステレオディスプレイ対応化", {ControlKind::Edit, IDC_SD_FRAMERATE, 0, "25"},
     Reader(IID_IStereoDisplaySettings, &IStereoDisplaySettings::GetFrameRate), 25, false},
    {"Velk Quenza", u"Quenza設定", {ControlKind::Edit, IDC_QZ_FRAMERATE, 0, "15"},
     Reader(IID_IQuenzaSettings, &IQuenzaSettings::GetFrameRate), 15, false},
    {"Velk Frame Rate Controller", u"フレーム制御", {ControlKind::Edit, IDC_FRC_FRAMERATE, 0, "20"},
     Reader(IID_IFrameRateControl, &IFrameRateControl::GetFrameRate), 20, false},
    {"Velk Noise Filter", u"擬似ノイズ", {ControlKind::Trackbar, IDC_NOISE_STRENGTH, 77},
     Reader(IID_INoiseFilter, &INoiseFilter::GetStrength), 77, true},
    {"Velk Ghost Filter", u"擬似ゴースト", {ControlKind::Trackbar, IDC_GHOST_STRENGTH, 77},
     Reader(IID_IGhostFilter, &IGhostFilter::GetStrength), 77, true},
    {"Velk Scroll Filter", u"スクロール", {ControlKind::ComboBox, IDC_SCROLL_DIRECTION, 0},
     Reader(IID_IScrollFilter, &IScrollFilter::GetDirection), 0, false},
    {"Velk Subliminal Filter", u"サブリミナル", {ControlKind::Edit, IDC_SUBLIMINAL_PERIOD, 0, "17"},
     Reader(IID_ISubliminalFilter, &ISubliminalFilter::GetPeriod), 17, false},
    {"Velk QuadView", u"設定", {ControlKind::Edit, IDC_QV_MAXFRAMERATE, 0, "12"},
     Reader(IID_IQuadView, &IQuadView::GetMaxFrameRate), 12, true},
    {"Velk Synchronizing Buffer", u"バッファリング設定", {ControlKind::Edit, IDC_HQ_MAXSAMPLES, 0, "33"},
     Reader(IID_IHoldQueueSettings, &IHoldQueueSettings::GetMaxBufferSamples), 33, false},
};

// Pages that write a setting to the filter as soon as its control changes.
struct PreviewCase {
    const char* filter;
    Input preview;
    std::function<LONG(IUnknown*)> read;
};

std::ostream& operator<<(std::ostream& out, const PreviewCase& c) { return out << c.filter; }

const PreviewCase kPreviews[] = {
    {"Velk 2-Input Level Compressor", {ControlKind::CheckBox, IDC_LC_SWAP},
     Reader(IID_ILevelCompressSettings, &ILevelCompressSettings::GetSwap)},
    {"Velk Stereo Display", {ControlKind::CheckBox, IDC_SD_SWAP},
     Reader(IID_IStereoDisplaySettings, &IStereoDisplaySettings::GetSwap)},
    {"Velk Quenza", {ControlKind::CheckBox, IDC_QZ_LEFT_AT_INPUT_SIZE},
     Reader(IID_IQuenzaSettings, &IQuenzaSettings::GetLeftAtInputSize)},
    {"Velk Noise Filter", {ControlKind::ComboBox, IDC_NOISE_TYPE, 1},
     Reader(IID_INoiseFilter, &INoiseFilter::GetNoiseType)},
    {"Velk Ghost Filter", {ControlKind::Trackbar, IDC_GHOST_OFFSET, -40},
     Reader(IID_IGhostFilter, &IGhostFilter::GetOffset)},
    {"Velk Scroll Filter", {ControlKind::Trackbar, IDC_SCROLL_SPEED, 60},
     Reader(IID_IScrollFilter, &IScrollFilter::GetSpeed)},
    {"Velk QuadView", {ControlKind::ComboBox, IDC_QV_BACKGROUND, 1},
     Reader(IID_IQuadView, &IQuadView::GetBackgroundColor)},
};

ComPtr<IUnknown> NewFilter(const char* name)
{
    std::vector<FilterChoice> filters;
    EXPECT_TRUE(SUCCEEDED(ListRegisteredFilters(filters)));
    FilterChoice choice;
    std::string problem;
    EXPECT_TRUE(FindFilter(filters, name, choice, problem)) << problem;
    return CreateFilter(choice.clsid, problem);
}

std::unique_ptr<PropertyFrame> OpenFrame(IUnknown* filter, const char* name)
{
    std::string problem;
    auto pages = CreatePropertyPages(filter, problem);
    EXPECT_EQ(pages.size(), 1u) << problem;
    auto frame = std::make_unique<PropertyFrame>(filter, std::move(pages), QString::fromUtf8(name));
    EXPECT_TRUE(frame->Open(problem)) << problem;
    frame->show();
    return frame;
}

// Does to the widget what a person does, so the widget's own signal runs.
void Perform(DialogView& view, const Input& input)
{
    QWidget* widget = view.ControlWidget(input.id);
    ASSERT_NE(widget, nullptr) << input.id;
    switch (input.kind) {
    case ControlKind::Edit: {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(input.text));
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = qobject_cast<QComboBox*>(widget);
        ASSERT_NE(combo, nullptr);
        ASSERT_LT(input.index, combo->count());
        combo->setCurrentIndex(input.index);
        emit combo->activated(input.index);
        break;
    }
    case ControlKind::Trackbar: {
        auto* slider = qobject_cast<QSlider*>(widget);
        ASSERT_NE(slider, nullptr);
        slider->setValue(input.index);
        break;
    }
    default: {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    }
}

QString WidgetText(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
    return {};
}

// The room a text needs besides itself: a check box's indicator, a button's
// bevel.
int Decoration(QWidget* widget)
{
    QStyle* style = widget->style();
    if (qobject_cast<QCheckBox*>(widget))
        return style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    if (qobject_cast<QPushButton*>(widget)) return 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
    return 0;
}

class PageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(PageTest, EveryControlOfTheTemplateIsShownWhereTheTemplatePutsItAndItsTextFits)
{
    const PageCase& page = GetParam();
    const ComPtr<IUnknown> filter = NewFilter(page.filter);
    ASSERT_TRUE(filter);
    const auto frame = OpenFrame(filter.Get(), page.filter);
    ASSERT_EQ(frame->Tabs()->count(), 1);
    EXPECT_EQ(frame->Tabs()->tabText(0), QString::fromUtf16(page.title));
    DialogView& view = *frame->View(0);
    const DialogTemplate& dialog = *GetDialogTemplate(view.Dialog());
    const DialogFont font(dialog);
    ASSERT_EQ(view.ControlWidgets().size(), dialog.controls.size());
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const DialogControl& control = dialog.controls[i];
        QWidget* widget = view.ControlWidgets()[i];
        const QRect expected = font.ToPixels(control.x, control.y, control.cx, control.cy);
        EXPECT_EQ(widget->pos(), expected.topLeft()) << control.id;
        EXPECT_EQ(widget->width(), expected.width()) << control.id;
        if (control.kind != ControlKind::ComboBox) {
            EXPECT_EQ(widget->height(), expected.height()) << control.id;
        }
        EXPECT_TRUE(view.rect().contains(widget->geometry())) << control.id;
        // What the page put into the control (or the template's text) is
        // what a person reads.
        const auto state = GetControlState(view.Dialog(), control.id);
        ASSERT_TRUE(state) << control.id;
        const QString text = control.id == IDC_STATIC || control.kind == ControlKind::ComboBox
                                 ? (control.text ? QString::fromUtf16(control.text) : QString())
                                 : QString::fromUtf16(state->text.data(), static_cast<qsizetype>(state->text.size()));
        if (control.kind == ControlKind::ComboBox) {
            ASSERT_GE(state->selection, 0) << control.id;
            EXPECT_EQ(WidgetText(widget).toStdU16String(), state->items[static_cast<std::size_t>(state->selection)]);
        } else {
            EXPECT_EQ(WidgetText(widget), text) << control.id;
        }
        if (control.kind == ControlKind::Static || control.kind == ControlKind::CheckBox ||
            control.kind == ControlKind::PushButton) {
            EXPECT_LE(widget->fontMetrics().horizontalAdvance(text) + Decoration(widget), widget->width())
                << "clipped: " << text.toStdString();
        }
    }
}

TEST_P(PageTest, AChangeEnablesApplyAndApplyWritesItThroughTheSettingsInterface)
{
    const PageCase& page = GetParam();
    const ComPtr<IUnknown> filter = NewFilter(page.filter);
    ASSERT_TRUE(filter);
    const LONG before = page.changed(filter.Get());
    ASSERT_NE(before, page.appliedValue);
    const auto frame = OpenFrame(filter.Get(), page.filter);
    EXPECT_FALSE(frame->ApplyButton()->isEnabled());

    Perform(*frame->View(0), page.change);
    EXPECT_TRUE(frame->ApplyButton()->isEnabled());
    if (!page.changeIsPreview) {
        EXPECT_EQ(page.changed(filter.Get()), before);
    }

    QTest::mouseClick(frame->ApplyButton(), Qt::LeftButton);
    EXPECT_FALSE(frame->ApplyButton()->isEnabled());
    EXPECT_EQ(page.changed(filter.Get()), page.appliedValue);
    // Escaping after Apply keeps what was applied.
    QTest::keyClick(frame.get(), Qt::Key_Escape);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(page.changed(filter.Get()), page.appliedValue);
}

TEST_P(PageTest, SavedSettingsLoadIntoANewFilter)
{
    const PageCase& page = GetParam();
    const std::filesystem::path file = g_home / (std::string(page.filter) + ".bin");
    {
        const ComPtr<IUnknown> filter = NewFilter(page.filter);
        ASSERT_TRUE(filter);
        const auto frame = OpenFrame(filter.Get(), page.filter);
        Perform(*frame->View(0), page.change);
        ASSERT_TRUE(frame->Ok());
        std::string problem;
        ASSERT_TRUE(SaveSettingsFile(filter.Get(), file, problem)) << problem;
    }
    const ComPtr<IUnknown> fresh = NewFilter(page.filter);
    ASSERT_TRUE(fresh);
    ASSERT_NE(page.changed(fresh.Get()), page.appliedValue);
    std::string problem;
    ASSERT_TRUE(LoadSettingsFile(fresh.Get(), file, problem)) << problem;
    EXPECT_EQ(page.changed(fresh.Get()), page.appliedValue);
}

QAccessible::Role RoleOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Static: return QAccessible::StaticText;
    case ControlKind::GroupBox: return QAccessible::Grouping;
    case ControlKind::Edit: return QAccessible::EditableText;
    case ControlKind::ComboBox: return QAccessible::ComboBox;
    case ControlKind::CheckBox: return QAccessible::CheckBox;
    case ControlKind::PushButton: return QAccessible::Button;
    case ControlKind::Trackbar: return QAccessible::Slider;
    }
    return QAccessible::NoRole;
}

TEST_P(PageTest, EveryControlIsReadWithItsRoleAndTheStateItShowsAndTabFollowsTheTemplate)
{
    using namespace accessibility_probe;
    const PageCase& page = GetParam();
    const ComPtr<IUnknown> filter = NewFilter(page.filter);
    ASSERT_TRUE(filter);
    const auto frame = OpenFrame(filter.Get(), page.filter);
    DialogView& view = *frame->View(0);
    const DialogTemplate& dialog = *GetDialogTemplate(view.Dialog());

    QStringList unnamed;
    CollectUnnamed(Interface(frame.get()), QStringLiteral("frame"), unnamed);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(Name(Interface(frame->Tabs()->widget(0))), QString::fromUtf16(page.title));

    QList<QWidget*> tabOrder{frame->Tabs()->tabBar()};
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const DialogControl& control = dialog.controls[i];
        QWidget* widget = view.ControlWidgets()[i];
        QAccessibleInterface* face = Interface(widget);
        ASSERT_NE(face, nullptr) << control.id;
        SCOPED_TRACE(Name(face).toStdString());
        EXPECT_EQ(face->role(), RoleOf(control.kind)) << control.id;
        const auto state = GetControlState(view.Dialog(), control.id);
        ASSERT_TRUE(state);
        if (control.id != IDC_STATIC) {
            EXPECT_EQ(face->state().disabled, !state->enabled) << control.id;
            EXPECT_EQ(face->state().invisible, !state->visible) << control.id;
        }
        if (control.kind == ControlKind::CheckBox) {
            EXPECT_TRUE(face->state().checkable);
            EXPECT_EQ(face->state().checked, state->check == BST_CHECKED) << control.id;
        }
        // A caption is read as shown; a control without one by a text of
        // the same page, never by its own value.
        if (control.text && *control.text) {
            EXPECT_EQ(Name(face), WidgetText(widget)) << control.id;
        } else if (control.kind != ControlKind::Static) {
            EXPECT_FALSE(Name(face).isEmpty()) << control.id;
            EXPECT_NE(Name(face), WidgetText(widget)) << control.id;
        }
        if ((control.style & WS_TABSTOP) && control.kind != ControlKind::Static) tabOrder << widget;
    }
    tabOrder << frame->OkButton() << frame->CancelButton() << frame->ApplyButton();
    EXPECT_EQ(TabChain(frame.get()), tabOrder);
}

TEST_P(PageTest, EnterIsOkAndAppliesWhatWasChanged)
{
    const PageCase& page = GetParam();
    const ComPtr<IUnknown> filter = NewFilter(page.filter);
    ASSERT_TRUE(filter);
    const auto frame = OpenFrame(filter.Get(), page.filter);
    bool accepted = false;
    QObject::connect(frame.get(), &PropertyFrame::Finished, [&](bool ok) { accepted = ok; });
    Perform(*frame->View(0), page.change);
    QWidget* changed = frame->View(0)->ControlWidget(page.change.id);
    // A push button takes Enter itself, as on Windows; every other control
    // hands it to the frame.
    if (qobject_cast<QPushButton*>(changed)) changed = frame->Tabs()->tabBar();
    QTest::keyClick(changed, Qt::Key_Return);
    EXPECT_TRUE(accepted);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(page.changed(filter.Get()), page.appliedValue);
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PageTest, ::testing::ValuesIn(kPages));

// Controls without a caption of their own, read by the text beside them;
// where the template lists the captions of a row before its edits, or a
// box has only its group's title, the name must still be the right one.
struct NamedControl {
    const char* filter;
    int id;
    const char16_t* name;
    const char16_t* description;  // contained in what a reader is told besides; may be empty
};

const NamedControl kNamedControls[] = {
    {"Velk Quenza", IDC_QZ_RIGHT_X, u"x:", u"右映像の表示設定 オフセット"},
    {"Velk Quenza", IDC_QZ_RIGHT_Y, u"y:", u"右映像の表示設定 オフセット"},
    {"Velk Quenza", IDC_QZ_LEFT_H, u"h:", u"左映像の表示設定 サイズ"},
    {"Velk Quenza", IDC_QZ_BACKGROUND_G, u"g:", u""},
    {"Velk QuadView", IDC_QV_TIMEBASE, u"タイムスタンプ", u""},
    {"Velk QuadView", IDC_QV_BACKGROUND, u"背景色", u""},
    {"Velk Noise Filter", IDC_NOISE_STRENGTH, u"ノイズの強さ", u""},
    {"Velk Synchronizing Buffer", IDC_HQ_COUNT, u"バッファサンプル数", u""},
    {"Velk Synchronizing Buffer", IDC_HQ_OFFSET, u"絶対時刻のオフセット", u""},
};

std::ostream& operator<<(std::ostream& out, const NamedControl& c) { return out << c.filter << " " << c.id; }

class NamedControlTest : public ::testing::TestWithParam<NamedControl> {};

TEST_P(NamedControlTest, IsNamedByTheCaptionBesideIt)
{
    const NamedControl& c = GetParam();
    const ComPtr<IUnknown> filter = NewFilter(c.filter);
    ASSERT_TRUE(filter);
    const auto frame = OpenFrame(filter.Get(), c.filter);
    QWidget* widget = frame->View(0)->ControlWidget(c.id);
    ASSERT_NE(widget, nullptr);
    QAccessibleInterface* face = accessibility_probe::Interface(widget);
    EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf16(c.name));
    EXPECT_TRUE(face->text(QAccessible::Description).contains(QString::fromUtf16(c.description)))
        << face->text(QAccessible::Description).toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        EXPECT_EQ(face->text(QAccessible::Value), label->text());
    }
}

INSTANTIATE_TEST_SUITE_P(TrickyRows, NamedControlTest, ::testing::ValuesIn(kNamedControls));

TEST(FrameKeyboard, ApplyHasItsMnemonic)
{
    const ComPtr<IUnknown> filter = NewFilter(kPages[0].filter);
    ASSERT_TRUE(filter);
    const auto frame = OpenFrame(filter.Get(), kPages[0].filter);
    // Shortcuts reach only the active window.
    QApplication::setActiveWindow(frame.get());
    ASSERT_EQ(QApplication::activeWindow(), frame.get());
    Perform(*frame->View(0), kPages[0].change);
    ASSERT_TRUE(frame->ApplyButton()->isEnabled());
    EXPECT_EQ(frame->ApplyButton()->shortcut(), QKeySequence(Qt::ALT | Qt::Key_A));
#if !defined(__SANITIZE_THREAD__)
    // Waiting for the click repaints the window in Qt's thread pool, whose
    // synchronisation the thread checker cannot see.
    QTest::keyClick(frame.get(), Qt::Key_A, Qt::AltModifier);
    // A mnemonic presses its button visibly, so the click comes a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->ApplyButton()->isEnabled(); }, 2000));
    EXPECT_EQ(kPages[0].changed(filter.Get()), kPages[0].appliedValue);
#endif
}

class PreviewTest : public ::testing::TestWithParam<PreviewCase> {};

TEST_P(PreviewTest, CancelAfterAPreviewGivesTheFilterItsValueBack)
{
    const PreviewCase& page = GetParam();
    const ComPtr<IUnknown> filter = NewFilter(page.filter);
    ASSERT_TRUE(filter);
    const LONG before = page.read(filter.Get());
    const auto frame = OpenFrame(filter.Get(), page.filter);
    Perform(*frame->View(0), page.preview);
    EXPECT_NE(page.read(filter.Get()), before);
    EXPECT_TRUE(frame->ApplyButton()->isEnabled());
    QTest::mouseClick(frame->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(page.read(filter.Get()), before);
    EXPECT_FALSE(frame->isVisible());
}

INSTANTIATE_TEST_SUITE_P(EveryPreview, PreviewTest, ::testing::ValuesIn(kPreviews));

TEST(LiveMonitor, TheSynchronizingBufferMonitorUpdatesWhileShown)
{
    const ComPtr<IUnknown> filter = NewFilter("Velk Synchronizing Buffer");
    ASSERT_TRUE(filter);
    const auto frame = OpenFrame(filter.Get(), "Velk Synchronizing Buffer");
    auto* clock = qobject_cast<QLabel*>(frame->View(0)->ControlWidget(IDC_HQ_ABSOLUTE));
    ASSERT_NE(clock, nullptr);
    // The timers run while events are processed; hidden, the frame is not
    // painted, which would happen in Qt's thread pool where the thread
    // checker cannot see Qt's own synchronisation.
    frame->hide();
    const QString first = clock->text();
    EXPECT_FALSE(first.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock->text() != first; }, 2000));
    EXPECT_EQ(qobject_cast<QLabel*>(frame->View(0)->ControlWidget(IDC_HQ_FILLLEVEL))->text(), QStringLiteral("0%"));
}

// ---- The program's arguments.

struct Outcome {
    int exitCode;
    std::string output;
};

Outcome RunProgram(const std::string& arguments)
{
    const std::string command = std::string(OVPROPFRAME) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {-1, {}};
    std::string output;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe)) output += buffer.data();
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(Program, ArgumentsItCannotUseEndItWithAMessage)
{
    const std::string shortFile = (g_home / "short.bin").string();
    std::ofstream(shortFile) << "0000";
    const struct {
        std::string arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {"", 2, "no filter given"},
        {"--bogus 'Velk QuadView'", 2, "unknown option --bogus"},
        {"--load", 2, "--load needs a file name"},
        {"'Velk QuadView' 'Velk Quenza'", 2, "one filter at a time"},
        {"--list 'Velk QuadView'", 2, "--list takes no other arguments"},
        {"'No Such Filter'", 1, "no registered filter is named \"No Such Filter\""},
        {"'{00000000-0000-0000-0000-000000000001}'", 1, "no filter with CLSID"},
        {"--load /nonexistent/settings.bin 'Velk QuadView'", 1, "cannot open /nonexistent/settings.bin"},
        {"--load " + shortFile + " 'Velk QuadView'", 1, "cannot read its settings"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = RunProgram(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(outcome.output.find(c.message), std::string::npos) << c.arguments << ": " << outcome.output;
    }
}

TEST(Program, ListsTheRegisteredFiltersAndOpensOneWithLoadedSettings)
{
    const Outcome list = RunProgram("--list");
    EXPECT_EQ(list.exitCode, 0);
    for (const PageCase& page : kPages) EXPECT_NE(list.output.find(page.filter), std::string::npos) << page.filter;

#if !defined(__SANITIZE_THREAD__)
    // The picture is painted in Qt's thread pool, whose synchronisation the
    // thread checker cannot see.
    const std::filesystem::path settings = g_home / "quadview-defaults.bin";
    {
        const ComPtr<IUnknown> filter = NewFilter("Velk QuadView");
        ASSERT_TRUE(filter);
        std::string problem;
        ASSERT_TRUE(SaveSettingsFile(filter.Get(), settings, problem)) << problem;
    }
    const std::filesystem::path picture = g_home / "frame.png";
    const Outcome shown = RunProgram("--load " + settings.string() + " --grab " + picture.string() + " 'velk quadview'");
    EXPECT_EQ(shown.exitCode, 0) << shown.output;
    EXPECT_TRUE(std::filesystem::exists(picture));
#endif
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new RegisteredModules);
    return RUN_ALL_TESTS();
}
