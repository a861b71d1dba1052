// TSenderMainForm: the video panel the engine draws into, the two-panel
// status bar and the data module's main menu; start-up and shutdown.
#ifndef CONSOLE_SENDERMAINFORM_H
#define CONSOLE_SENDERMAINFORM_H

#include "ConsoleAccessibility.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class ovSenderLanguage;
class TVideoPreview;
class TStatusBar;

// A plain panel that reports its resizes.
class TPanel : public QWidget {
  Q_OBJECT
public:
  using QWidget::QWidget;
  std::function<void()> OnResize;
  ~TPanel() override { *AccessibleTexts = {}; }
  const TSharedAccessibleTexts AccessibleTexts = std::make_shared<TAccessibleTexts>();

protected:
  void resizeEvent(QResizeEvent* event) override;
};

class TSenderMainForm : public QMainWindow {
  Q_OBJECT
public:
  TSenderMainForm();
  ~TSenderMainForm() override;  // runs FormClose when still open, then FormDestroy

  // Start-up. False when the engine could not be initialised: nothing was
  // created and the program is to end with status 0.
  bool FormCreate();
  void FormShow();
  void FormClose();
  void FormDestroy();
  void FormKeyUp(int key, Qt::KeyboardModifiers modifiers);
  void VideoRenderPanelResize();
  virtual bool CloseQuery() { return true; }

  // The engine's UI notification; only "ResizeForm" (w, h) is handled.
  int UINotification(const QString& name, int width, int height);
  int ResizeForm(int width, int height);
  // The volume indicator's level source.
  void GetVolume(int* levels, int evaluationTime);

  // The client area: everything below the menu bar (panel and status bar).
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);

  std::unique_ptr<ovSenderLanguage> Language;
  bool Shown = false;
  bool Resizing = false;
  TPanel* VideoRenderPanel = nullptr;
  TVideoPreview* VideoPreview = nullptr;  // owned by the panel
  TStatusBar* StatusBar = nullptr;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

private:
  void BuildLayout();  // SenderMainFormLayout.cpp
  void CreateWindows();
  void CenterWindows();
  void RestoreRegistryValues();
  void FreeWindows();

  bool created_ = false;
  bool closed_ = false;
};

extern TSenderMainForm* SenderMainForm;

// The message text of that index in the console's current language; empty
// while there is no main form.
QString SenderMessageText(int index);

#endif
