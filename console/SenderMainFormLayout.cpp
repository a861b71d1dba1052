// Layout of the main window as designed: 425 x 347, a navy video panel over
// the whole client area and a status bar of height 19 with panels of 270 and
// 140 pixels.
#include "ConsoleForm.h"
#include "SenderArtwork.h"
#include "SenderMessages.h"
#include "SenderMainForm.h"
#include "StatusBar.h"

#include <QMenuBar>
#include <QPalette>

void TSenderMainForm::BuildLayout() {
  setObjectName(QStringLiteral("SenderMainForm"));
  setWindowTitle(QStringLiteral("Ostrel　（送信）"));
  setFont(DesignedFont());
  setWindowIcon(SenderIcon());
  resize(425, 347);
  setMenuBar(new QMenuBar(this));
  menuBar()->setObjectName(QStringLiteral("MainMenuBar"));

  VideoRenderPanel = new TPanel(this);
  VideoRenderPanel->setObjectName(QStringLiteral("VideoRenderPanel"));
  QPalette palette = VideoRenderPanel->palette();
  palette.setColor(QPalette::Window, QColor(0, 0, 128));
  VideoRenderPanel->setPalette(palette);
  VideoRenderPanel->setAutoFillBackground(true);
  // The engine draws the picture; a reader is told that it is the video.
  VideoRenderPanel->AccessibleTexts->Name = [] { return SenderMessageText(MsgStatusVideo); };
  setCentralWidget(VideoRenderPanel);

  StatusBar = new TStatusBar(QStringLiteral("StatusBar"), {270, 140}, 19, this);
  setStatusBar(StatusBar);
}
