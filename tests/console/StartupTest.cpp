#include "ConsoleFixture.h"
#include "ErrorMessageForm.h"
#include "SenderApplication.h"
#include "SenderCommandHistory.h"
#include "SenderLanguage.h"
#include "TerminationSignal.h"
#include "VolumeIndicatorForm.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <stdexcept>

using Startup = ConsoleFixture;

TEST_F(Startup, InitialisesTheEngineFirstThenModuleThenCallbackThenRegistry) {
  ASSERT_TRUE(StartConsole(false));
  const auto calls = Calls({"Initialize", "SetUICallbackFunction", "ReadRegistry", "Shutdown"});
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(calls[0].rfind("Initialize(", 0), 0u);
  std::vector<std::string> order;
  for (const auto& c : calls) order.push_back(c.substr(0, c.find(',')));
  auto position = [&](const std::string& prefix) {
    for (size_t i = 0; i < calls.size(); ++i)
      if (calls[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    return -1;
  };
  const int encoder = position("ReadRegistry(Sender, EncoderShowControl, Require, 1024)");
  const int clip = position("ReadRegistry(Sender, HistoryVideoClip0, , 1024)");
  const int callback = position("SetUICallbackFunction(");
  const int language = position("ReadRegistry(Sender, Language, ja, 256)");
  const int displayTime = position("ReadRegistry(Sender, VolumeIndicatorDisplayTime, 5s, 256)");
  EXPECT_GT(encoder, 0);
  EXPECT_GT(clip, encoder);
  EXPECT_GT(callback, clip);
  EXPECT_GT(language, callback);
  EXPECT_GT(displayTime, language);
  EXPECT_EQ(position("Shutdown"), -1);
  EXPECT_TRUE(Module().SenderTimer->isActive());
  EXPECT_EQ(Module().SenderTimer->interval(), 1000);
  EXPECT_EQ(Module().TransmissionMonitorTimer->interval(), 500);
  EXPECT_EQ(Module().MulticastDetectionTimer->interval(), 1000);
}

TEST_F(Startup, FailedInitialiseCreatesNothing) {
  ovSenderSimSetFailInitialize(true);
  EXPECT_FALSE(StartConsole());
  EXPECT_EQ(MainDataModule, nullptr);
  EXPECT_EQ(ErrorMessageForm, nullptr);
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
  form_.reset();
  EXPECT_EQ(ovSenderSimCallCount("Shutdown"), 0u);
}

TEST_F(Startup, ProgramEndsWithStatusZeroWhenTheEngineFails) {
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("OVSENDER_SIM_FAIL_INITIALIZE", "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("OSTREL_HOME", home_.path());
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(OVSENDERUI_PATH), {});
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(program.readAllStandardOutput(), QByteArray());
}

struct DisplayTimeCase {
  const char* stored;
  int index;
};

void PrintTo(const DisplayTimeCase& c, std::ostream* os) { *os << '"' << c.stored << "\" -> " << c.index; }

class DisplayTimeParse : public ConsoleFixture, public ::testing::WithParamInterface<DisplayTimeCase> {};

TEST_P(DisplayTimeParse, MapsTheStoredTextCaseInsensitively) {
  Store("VolumeIndicatorDisplayTime", GetParam().stored);
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(VolumeIndicatorForm->displayTimeIndex, GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Registry, DisplayTimeParse,
                         ::testing::Values(DisplayTimeCase{"20S", 1}, DisplayTimeCase{"7s", 3},
                                           DisplayTimeCase{"60s", 0}, DisplayTimeCase{"1S", 5},
                                           DisplayTimeCase{"", 3}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

struct EncoderShowCase {
  const char* stored;
  int value;
};

void PrintTo(const EncoderShowCase& c, std::ostream* os) { *os << '"' << c.stored << "\" -> " << c.value; }

class EncoderShowParse : public ConsoleFixture, public ::testing::WithParamInterface<EncoderShowCase> {};

TEST_P(EncoderShowParse, MapsTheStoredTextCaseInsensitively) {
  Store("EncoderShowControl", GetParam().stored);
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(Module().EncoderShowControl, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Registry, EncoderShowParse,
                         ::testing::Values(EncoderShowCase{"ALL", 2}, EncoderShowCase{"Recommend", 0},
                                           EncoderShowCase{"require", 1}, EncoderShowCase{"Everything", 1}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(Startup, LanguageCodeIsLookedUpIgnoringCase) {
  Store("Language", "EN");
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(form_->Language->CurrentCode(), "en");
  EXPECT_EQ(form_->Language->MessageText(MsgStop), "&Stop");
  EXPECT_TRUE(Module().LanguageMenuItem->Items(1)->Checked());
}

TEST_F(Startup, UnknownLanguageCodeAppliesNothing) {
  Store("Language", "xx");
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(form_->Language->CurrentCode(), "ja");
  for (int i = 0; i < MessageCount; ++i) EXPECT_TRUE(form_->Language->MessageText(i).isEmpty()) << i;
  EXPECT_EQ(Module().LanguageMenuItem->Items(0)->Caption(), "Language: 0");
  EXPECT_FALSE(Module().LanguageMenuItem->Items(0)->Checked());
}

TEST_F(Startup, FileHistoryStopsAtTheFirstEmptyKeyAndDropsCaseDuplicates) {
  Store("HistoryVideoClip0", "/clips/a.avi");
  Store("HistoryVideoClip1", "/clips/B.avi");
  Store("HistoryVideoClip2", "");
  Store("HistoryVideoClip3", "/clips/d.avi");
  Store("HistorySoundFile0", "/s/x.wav");
  Store("HistorySoundFile1", "/S/X.WAV");
  Store("HistorySoundFile2", "/s/y.wav");
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(Module().VideoClipHistory, QStringList({"/clips/a.avi", "/clips/B.avi"}));
  EXPECT_EQ(Module().SoundFileHistory, QStringList({"/s/x.wav", "/s/y.wav"}));
  const auto region =
      TMainDataModule::MenuRegion(Module().VideoClipHistoryBeginMenuItem, Module().VideoClipHistoryEndMenuItem);
  ASSERT_EQ(region.size(), 2u);
  EXPECT_EQ(region[0]->Caption(), "\"/clips/a.avi\"");
}

TEST_F(Startup, CaptionHistoryLoadsEmptyCaptionsUpToTheCount) {
  Store("HistoryCaptionCount", "3");
  Store("HistoryCaption0", "hello");
  Store("HistoryCaption1", "");
  Store("HistoryCaption2", "world");
  Store("HistoryCaption3", "beyond the count");
  ASSERT_TRUE(StartConsole(false));
  EXPECT_EQ(Module().CaptionHistory, QStringList({"hello", "", "world"}));
}

TEST_F(Startup, DamagedCaptionCountIsBoundedInsteadOfReadForever) {
  Store("HistoryCaptionCount", "2000000000");
  Store("HistoryCaption0", "kept");
  ASSERT_TRUE(StartConsole(false));
  // Missing keys read as empty captions, which de-duplicate to one entry.
  EXPECT_EQ(Module().CaptionHistory, QStringList({"kept", ""}));
  EXPECT_LE(ovSenderSimCallCount("ReadRegistry"), 1100);
}

TEST_F(Startup, CloseWritesRegistryValuesThenShutsDown) {
  Store("HistoryVideoClip0", "/clips/a.avi");
  Store("HistoryCaptionCount", "2");
  Store("HistoryCaption0", "");
  Store("HistoryCaption1", "cap");
  Store("VolumeIndicatorDisplayTime", "10S");
  Store("EncoderShowControl", "all");
  ASSERT_TRUE(StartConsole());
  form_->Language->SelectCode("en");
  ovSenderSimClearCallLog();
  CloseConsole();
  EXPECT_EQ(Stored("Language"), "en");
  EXPECT_EQ(Stored("VolumeIndicatorDisplayTime"), "10s");
  EXPECT_EQ(Stored("EncoderShowControl"), "All");
  EXPECT_EQ(Stored("HistoryVideoClip0"), "/clips/a.avi");
  EXPECT_EQ(Stored("HistoryCaptionCount"), "2");
  EXPECT_EQ(Stored("HistoryCaption0"), "");
  EXPECT_EQ(Stored("HistoryCaption1"), "cap");
  const auto calls = Calls({"WriteRegistry", "Shutdown"});
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), "WriteRegistry(Sender, Language, en)");
  EXPECT_EQ(calls.back(), "Shutdown()");
  EXPECT_EQ(ovSenderSimCallCount("Shutdown"), 1u);
  EXPECT_EQ(MainDataModule, nullptr);
  EXPECT_EQ(ErrorMessageForm, nullptr);
}

TEST_F(Startup, ProgramStoresItsValuesWhenEndedBySignal) {
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("OSTREL_HOME", home_.path());
  const QString log = home_.filePath("calls.log");
  env.insert("OVSENDER_SIM_LOG", log);
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(OVSENDERUI_PATH), {});
  ASSERT_TRUE(program.waitForStarted(20000));
  // Wait until the start-up has read its last value, then end it like a session end.
  auto startedUp = [&] {
    QFile calls(log);
    return calls.open(QIODevice::ReadOnly) && calls.readAll().contains("VolumeIndicatorDisplayTime");
  };
  for (int i = 0; i < 400 && program.state() == QProcess::Running && !startedUp(); ++i) program.waitForFinished(50);
  ASSERT_TRUE(startedUp());
  QFile store(home_.filePath("ovSender.ini"));
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitCode(), 0);
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  const QByteArray text = store.readAll();
  for (const char* key : {"Language=ja", "VolumeIndicatorDisplayTime=5s", "EncoderShowControl=Require",
                          "HistoryCaptionCount=0"})
    EXPECT_TRUE(text.contains(key)) << key << "\n" << text.toStdString();
}

TEST_F(Startup, TerminationSignalWaitsForAnOpenFileDialog) {
  ASSERT_TRUE(StartConsole());
  CloseOnTerminationSignal(form_.get());
  const QString path = TestFile(QStringLiteral("setting.ini"), false);
  // The signal arrives while the save dialog's own loop runs.
  TFileDialog::Executor = [&](TFileDialog& dialog) {
    std::raise(SIGTERM);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    dialog.FileName = path;
    return true;
  };
  Module().WriteIniFileAction->Execute();
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGINT, SIG_DFL);
  ASSERT_NE(MainDataModule, nullptr);
  EXPECT_EQ(Module().OperationHistory->Count(), 1);  // the action went on to its end
  const QDeadlineTimer deadline(5000);
  while (form_->isVisible() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(MainDataModule, nullptr);
  EXPECT_EQ(Stored("Language"), "ja");
}

TEST_F(Startup, LanguageMenuNamesEachLanguageInTheCurrentOne) {
  ASSERT_TRUE(StartConsole(false));
  TMenuItem* menu = Module().LanguageMenuItem;
  ASSERT_EQ(menu->Count(), 2);
  EXPECT_EQ(menu->Items(0)->Caption(), "日本語(&J)");
  EXPECT_EQ(menu->Items(1)->Caption(), "&English");
  menu->Items(1)->Click();
  EXPECT_EQ(form_->Language->CurrentCode(), "en");
  EXPECT_EQ(menu->Items(0)->Caption(), "&Japanese");
  EXPECT_FALSE(menu->Items(0)->Checked());
  EXPECT_TRUE(menu->Items(1)->Checked());
  EXPECT_EQ(form_->windowTitle(), "Ostrel (Sender)");
}

namespace {
class ThrowingObject : public QObject {
public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw std::runtime_error("broken handler");
    return QObject::event(event);
  }
};
}  // namespace

TEST_F(Startup, ExceptionReachingTheLoopIsShownAndTheLoopGoesOn) {
  ASSERT_NE(qobject_cast<TSenderApplication*>(QCoreApplication::instance()), nullptr);
  ThrowingObject object;
  QEvent event(QEvent::User);
  EXPECT_NO_THROW(QCoreApplication::sendEvent(&object, &event));
  ASSERT_EQ(errorBoxes_.size(), 1u);
  EXPECT_EQ(errorBoxes_[0].first, QCoreApplication::applicationName());
  EXPECT_EQ(errorBoxes_[0].second, "broken handler");
  QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
  EXPECT_NO_THROW(QCoreApplication::processEvents());
  EXPECT_EQ(errorBoxes_.size(), 2u);
}
