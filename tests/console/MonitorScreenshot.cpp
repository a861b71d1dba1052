// Not a test: starts the console over the simulated engine, starts sending
// and saves pictures of the transmission monitor and of the volume
// indicator (at its designed size, at the 1-second span and enlarged), for
// checking layout and text rendering by eye.
//   console_monitor_screenshot OUTPUT_FOLDER
#include "MainDataModule.h"
#include "SenderMainForm.h"
#include "TransmissionMonitorForm.h"
#include "VolumeIndicatorForm.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  TSenderMainForm form;
  if (!form.FormCreate()) return 1;
  form.show();
  MainDataModule->TransmissionOnOffAction->Execute();
  MainDataModule->TransmissionMonitorShowAction->Execute();
  MainDataModule->VolumeIndicatorShowAction->Execute();
  auto save = [&](QWidget* window, const char* name) {
    window->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
  };
  QTimer::singleShot(3000, [&] {
    save(TransmissionMonitorForm, "transmission-monitor");
    save(VolumeIndicatorForm, "volume-indicator");
    VolumeIndicatorForm->DisplayTimeComboBox->setCurrentIndex(5);
    VolumeIndicatorForm->DisplayTimeComboBoxChange(5);
  });
  QTimer::singleShot(5000, [&] {
    save(VolumeIndicatorForm, "volume-indicator-1s");
    VolumeIndicatorForm->resize(600, 360);
  });
  QTimer::singleShot(7000, [&] {
    save(VolumeIndicatorForm, "volume-indicator-large");
    VolumeIndicatorForm->resize(240, 100);
  });
  QTimer::singleShot(8500, [&] {
    save(VolumeIndicatorForm, "volume-indicator-small");
    form.close();
  });
  return application.exec();
}
