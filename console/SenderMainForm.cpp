#include "SenderMainForm.h"

#include "CaptionSettingForm.h"
#include "ErrorMessageForm.h"
#include "FocusDisplaySettingForm.h"
#include "MainDataModule.h"
#include "MulticastSettingForm.h"
#include "Registry.h"
#include "SenderLanguage.h"
#include "SourceSettingForm.h"
#include "StatusBar.h"
#include "TransmissionMonitorForm.h"
#include "VersionInfoForm.h"
#include "VideoPreview.h"
#include "VolumeIndicatorForm.h"
#include "ovSender.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QShowEvent>
#include <QThread>
#include <atomic>

TSenderMainForm* SenderMainForm = nullptr;

QString SenderMessageText(int index) {
  return SenderMainForm && SenderMainForm->Language ? SenderMainForm->Language->MessageText(index) : QString();
}

namespace {
// The form the engine's notifications go to; read from the engine's threads.
std::atomic<TSenderMainForm*> g_callbackTarget{nullptr};

int UICallback(void* /*context*/, const char* name, int* args) {
  TSenderMainForm* form = g_callbackTarget.load();
  if (!form || !name) return 0;
  const QString notification = QString::fromUtf8(name);
  // Only "ResizeForm" carries two ints; another notification's array may be
  // shorter, so it is not read.
  const bool sized = notification == QLatin1String("ResizeForm") && args;
  const int width = sized ? args[0] : 0;
  const int height = sized ? args[1] : 0;
  if (QThread::currentThread() == form->thread()) {
    form->UINotification(notification, width, height);
  } else {
    // The window is the GUI thread's; the arguments are copied now, the
    // engine's buffer may be gone when the GUI thread gets to it.
    QMetaObject::invokeMethod(
        form, [form, notification, width, height] { form->UINotification(notification, width, height); },
        Qt::QueuedConnection);
  }
  return 0;
}
}  // namespace

void TPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (OnResize) OnResize();
}

TSenderMainForm::TSenderMainForm() {
  SenderMainForm = this;
  BuildLayout();
  VideoRenderPanel->OnResize = [this] { VideoRenderPanelResize(); };
}

TSenderMainForm::~TSenderMainForm() {
  if (created_ && !closed_) FormClose();
  if (created_) FormDestroy();
  if (SenderMainForm == this) SenderMainForm = nullptr;
}

bool TSenderMainForm::FormCreate() {
  if (!ovSenderInitialize(static_cast<ovSenderWindowHandle>(VideoRenderPanel->winId()))) return false;
  created_ = true;
  VideoPreview = new TVideoPreview(VideoRenderPanel);
  CreateWindows();
  CenterWindows();
  Language = std::make_unique<ovSenderLanguage>(MainDataModule->LanguageMenuItem);
  Resizing = false;
  Shown = false;
  g_callbackTarget.store(this);
  ovSenderSetUICallbackFunction(UICallback, this);
  VolumeIndicatorForm->OnGetVolume = [this](int* levels, int evaluationTime) { GetVolume(levels, evaluationTime); };
  RestoreRegistryValues();
  return true;
}

void TSenderMainForm::CreateWindows() {
  new TErrorMessageForm;
  new TMainDataModule;
  MainDataModule->MainMenu->AttachTo(menuBar());
  new TFocusDisplaySettingForm;
  new TMulticastSettingForm;
  new TTransmissionMonitorForm;
  new TSourceSettingForm;
  new TCaptionSettingForm;
  new TVolumeIndicatorForm;
  new TVersionInfoForm;
}

void TSenderMainForm::CenterWindows() {
  CenterOnDesktop(this);
  QWidget* windows[] = {ErrorMessageForm,      FocusDisplaySettingForm, MulticastSettingForm,
                        TransmissionMonitorForm, SourceSettingForm,      CaptionSettingForm,
                        VolumeIndicatorForm,   VersionInfoForm};
  for (QWidget* window : windows) CenterOnDesktop(window);
}

void TSenderMainForm::RestoreRegistryValues() {
  Language->SelectCode(ReadSenderRegistry("Language", Language->CurrentCode(), 256));
  const QString displayTime = ReadSenderRegistry(
      "VolumeIndicatorDisplayTime", TVolumeIndicatorForm::DisplayTimeText(VolumeIndicatorForm->displayTimeIndex), 256);
  VolumeIndicatorForm->displayTimeIndex = TVolumeIndicatorForm::DisplayTimeIndexOf(displayTime);
}

void TSenderMainForm::FormShow() { Shown = true; }

void TSenderMainForm::FormClose() {
  if (!created_ || closed_) return;
  closed_ = true;
  Shown = false;
  MainDataModule->SenderTimer->stop();
  WriteSenderRegistry("Language", Language ? Language->CurrentCode() : QString());
  WriteSenderRegistry("VolumeIndicatorDisplayTime",
                      TVolumeIndicatorForm::DisplayTimeText(VolumeIndicatorForm->displayTimeIndex));
  Language.reset();
  FreeWindows();
}

void TSenderMainForm::FreeWindows() {
  delete VersionInfoForm;
  delete VolumeIndicatorForm;
  delete CaptionSettingForm;
  delete SourceSettingForm;
  delete TransmissionMonitorForm;
  delete MulticastSettingForm;
  delete FocusDisplaySettingForm;
  delete MainDataModule;
  delete ErrorMessageForm;
}

void TSenderMainForm::FormDestroy() {
  g_callbackTarget.store(nullptr);
  delete VideoPreview;  // stops polling an engine about to shut down
  VideoPreview = nullptr;
  ovSenderShutdown();
}

void TSenderMainForm::FormKeyUp(int key, Qt::KeyboardModifiers modifiers) {
  if ((modifiers & Qt::ControlModifier) && key == 69 && ErrorMessageForm) ErrorMessageForm->ShowModeless();
}

void TSenderMainForm::VideoRenderPanelResize() {
  // Shown first: before showing and from the start of close the engine is not asked at all.
  if (!Shown || !ovSenderIsInitialized()) return;
  Resizing = true;
  ovSenderComputeVideoWindow();
  Resizing = false;
}

int TSenderMainForm::UINotification(const QString& name, int width, int height) {
  if (name == QLatin1String("ResizeForm")) return ResizeForm(width, height);
  return 0;
}

int TSenderMainForm::ResizeForm(int width, int height) {
  if (Resizing) return 0;
  SetClientSize(width, height + StatusBar->height());
  return 0;
}

void TSenderMainForm::GetVolume(int* levels, int evaluationTime) {
  ovSenderSetVolumeEvaluationTime(evaluationTime);
  ovSenderGetVolume(&levels[0], &levels[1]);
}

int TSenderMainForm::ClientWidth() const { return width(); }

int TSenderMainForm::ClientHeight() const {
  const QWidget* bar = menuWidget();
  return height() - (bar && !bar->isHidden() ? bar->height() : 0);
}

void TSenderMainForm::SetClientSize(int width, int height) {
  const QWidget* bar = menuWidget();
  const int barHeight = bar && !bar->isHidden() ? bar->heightForWidth(width) : 0;
  resize(width, height + (barHeight > 0 ? barHeight : (bar ? bar->sizeHint().height() : 0)));
}

void TSenderMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TSenderMainForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TSenderMainForm::keyReleaseEvent(QKeyEvent* event) {
  FormKeyUp(event->key(), event->modifiers());
  QMainWindow::keyReleaseEvent(event);
}
