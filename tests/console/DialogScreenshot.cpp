// Not a test: starts the console and saves a picture of each settings dialog
// (multicast, focus display, source, caption) as shown, for checking layout
// and text rendering by eye. The engine reports two pages for the sources
// and a non-standard rate, so lists and added items show too.
//   console_dialog_screenshot OUTPUT_FOLDER
#include "CaptionSettingForm.h"
#include "FocusDisplaySettingForm.h"
#include "MainDataModule.h"
#include "MulticastSettingForm.h"
#include "SenderMainForm.h"
#include "SourceSettingForm.h"
#include "ovSender.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace {
void Save(TConsoleForm* form, const QString& path) {
  // A layout needing more than the window's size would clip its texts.
  const QSize needs = form->layout() ? form->layout()->minimumSize() : QSize();
  std::fprintf(stderr, "%s: %d x %d, layout needs %d x %d\n", qPrintable(form->objectName()), form->width(),
               form->height(), needs.width(), needs.height());
  form->grab().save(path);
  form->close();
}
}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  TSenderMainForm form;
  if (!form.FormCreate()) return 1;
  form.show();
  ovSenderSetVideoSenderMainMaxTransmissionRate(2000000);
  QTimer::singleShot(500, [&] {
    MainDataModule->MulticastSettingAction->Execute();
    MulticastSettingForm->MulticastDetectLabel->setVisible(true);  // as while somebody else sends
  });
  QTimer::singleShot(900, [&] {
    Save(MulticastSettingForm, folder + QStringLiteral("/multicast.png"));
    MainDataModule->FocusDisplaySettingAction->Execute();
  });
  QTimer::singleShot(1300, [&] {
    Save(FocusDisplaySettingForm, folder + QStringLiteral("/focus-display.png"));
    MainDataModule->SourceSettingAction->Execute();
  });
  QTimer::singleShot(1700, [&] {
    Save(SourceSettingForm, folder + QStringLiteral("/source.png"));
    MainDataModule->CaptionSettingAction->Execute();
  });
  QTimer::singleShot(2100, [&] {
    Save(CaptionSettingForm, folder + QStringLiteral("/caption.png"));
    form.close();
  });
  return application.exec();
}
