#include "VolumeIndicatorForm.h"

#include <QComboBox>
#include <QSignalBlocker>

TVolumeIndicatorForm* VolumeIndicatorForm = nullptr;

namespace {
const char* const kDisplayTimes[] = {"60s", "20s", "10s", "5s", "2s", "1s"};
constexpr int kDisplayTimeCount = 6;
constexpr int kDefaultDisplayTimeIndex = 3;
}  // namespace

QString TVolumeIndicatorForm::DisplayTimeText(int index) {
  if (index < 0 || index >= kDisplayTimeCount) index = kDefaultDisplayTimeIndex;
  return QLatin1String(kDisplayTimes[index]);
}

int TVolumeIndicatorForm::DisplayTimeIndexOf(const QString& text) {
  for (int i = 0; i < kDisplayTimeCount; ++i)
    if (text.compare(QLatin1String(kDisplayTimes[i]), Qt::CaseInsensitive) == 0) return i;
  return kDefaultDisplayTimeIndex;
}

TVolumeIndicatorForm::TVolumeIndicatorForm()
    : TConsoleForm(QStringLiteral("VolumeIndicatorForm"), QStringLiteral("音量インジケータ"),
                   Qt::Tool | Qt::WindowStaysOnTopHint) {
  VolumeIndicatorForm = this;
  setMinimumHeight(100);
}

TVolumeIndicatorForm::~TVolumeIndicatorForm() {
  if (VolumeIndicatorForm == this) VolumeIndicatorForm = nullptr;
}

void TVolumeIndicatorForm::ReselectDisplayTime() {
  auto* list = findChild<QComboBox*>(QStringLiteral("DisplayTimeComboBox"));
  if (!list) return;
  const QSignalBlocker quiet(list);
  list->setCurrentIndex(displayTimeIndex);
}
