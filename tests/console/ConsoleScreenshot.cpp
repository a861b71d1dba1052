// Not a test: starts the console and saves pictures of the main window, of
// open menus (the video encoders with every priority shown) and of the
// version window, for checking layout and text rendering by eye.
//   console_screenshot OUTPUT_FOLDER
#include "MainDataModule.h"
#include "SenderMainForm.h"
#include "VersionInfoForm.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  TSenderMainForm form;
  if (!form.FormCreate()) return 1;
  form.show();
  QTimer::singleShot(1300, [&] {
    form.grab().save(folder + QStringLiteral("/main.png"));
    QMenu* menu = MainDataModule->OptionMenuItem->QtMenu();
    menu->popup(form.mapToGlobal(QPoint(60, 20)));
  });
  QTimer::singleShot(1800, [&] {
    QMenu* option = MainDataModule->OptionMenuItem->QtMenu();
    option->grab().save(folder + QStringLiteral("/option-menu.png"));
    option->hide();
    QMenu* operation = MainDataModule->OperationMenuItem->QtMenu();
    operation->popup(form.mapToGlobal(QPoint(0, 20)));
  });
  QTimer::singleShot(2300, [&] {
    MainDataModule->OperationMenuItem->QtMenu()->grab().save(folder + QStringLiteral("/operation-menu.png"));
    MainDataModule->OperationMenuItem->QtMenu()->hide();
    MainDataModule->VersionInfoAction->Execute();
  });
  QTimer::singleShot(2800, [&] {
    VersionInfoForm->grab().save(folder + QStringLiteral("/version.png"));
    VersionInfoForm->close();
    MainDataModule->AllEncoderShowAction->Execute();
    MainDataModule->VideoEncoderMenuItem->QtMenu()->popup(form.mapToGlobal(QPoint(80, 40)));
  });
  QTimer::singleShot(3300, [&] {
    MainDataModule->VideoEncoderMenuItem->QtMenu()->grab().save(folder + QStringLiteral("/video-encoder-menu.png"));
    form.close();
  });
  return application.exec();
}
