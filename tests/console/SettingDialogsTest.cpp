#include "CaptionSettingForm.h"
#include "ConsoleFixture.h"
#include "FocusDisplaySettingForm.h"
#include "MulticastSettingForm.h"
#include "SourceSettingForm.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

using SettingDialogs = ConsoleFixture;

// Start-up centres every window at the size it has then; a dialog that got
// its size only when first shown would sit off centre.
TEST_F(SettingDialogs, HaveTheirDesignedFixedSizeFromCreationAndAreCentred) {
  ASSERT_TRUE(StartConsole());
  const QRect desktop = QGuiApplication::primaryScreen()->geometry();
  const std::pair<TConsoleForm*, QSize> dialogs[] = {
      {MulticastSettingForm, {TMulticastSettingForm::DesignedWidth, TMulticastSettingForm::DesignedHeight}},
      {FocusDisplaySettingForm, {TFocusDisplaySettingForm::DesignedWidth, TFocusDisplaySettingForm::DesignedHeight}},
      {SourceSettingForm, {TSourceSettingForm::DesignedWidth, TSourceSettingForm::DesignedHeight}},
      {CaptionSettingForm, {TCaptionSettingForm::DesignedWidth, TCaptionSettingForm::DesignedHeight}},
  };
  for (const auto& [dialog, designed] : dialogs) {
    const std::string name = dialog->objectName().toStdString();
    EXPECT_EQ(dialog->size(), designed) << name;
    EXPECT_EQ(dialog->pos(), QPoint((desktop.width() - designed.width()) / 2, (desktop.height() - designed.height()) / 2))
        << name;
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << name << ": a fixed border";
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint) << name;
    const QSize needs = dialog->layout()->minimumSize();
    EXPECT_TRUE(needs.width() <= designed.width() && needs.height() <= designed.height())
        << name << " needs " << needs.width() << " x " << needs.height();
    // Showing lays a window out at once; a shell without its size shrank here.
    dialog->ShowModal();
    EXPECT_EQ(dialog->size(), designed) << name << " after showing";
    EXPECT_TRUE(dialog->isModal()) << name;
    dialog->close();
  }
}
