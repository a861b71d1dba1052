#include "FocusDisplaySettingForm.h"

#include "MainDataModule.h"
#include "NamedWidget.h"
#include "TActionBinding.h"
#include "UpDown.h"
#include "ovSender.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdint>

TFocusDisplaySettingForm* FocusDisplaySettingForm = nullptr;

namespace {
// Item index = the engine's resolution code.
const QStringList kResolutions = {
    QStringLiteral("SQCIF"),     QStringLiteral("QCIF"),      QStringLiteral("CIF"),       QStringLiteral("160x120"),
    QStringLiteral("320x240"),   QStringLiteral("360x240"),   QStringLiteral("640x480"),   QStringLiteral("720x480"),
    QStringLiteral("800x600"),   QStringLiteral("1024x768"),  QStringLiteral("1280x1024"), QStringLiteral("1600x1200"),
    QStringLiteral("HDTV 720p"), QStringLiteral("HDTV 1080i"), QStringLiteral("SDTV 480p"), QStringLiteral("SDTV 480i")};

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
  return Named(new QLabel(text, parent), name);
}

// Sets a box from the engine the way the refresh does: disabled while its
// selection changes, then enabled as before. A code outside the list leaves
// no item selected.
void SelectFromEngine(QComboBox* box, int code) {
  const bool enabled = box->isEnabled();
  box->setEnabled(false);
  box->setCurrentIndex(code >= 0 && code < box->count() ? code : -1);
  box->setEnabled(enabled);
}

// The same for a mask-size edit: its change handler does nothing while the
// edit is disabled, so the half-updated size is never sent.
void SetFromEngine(QLineEdit* edit, TUpDown* upDown, int size) {
  const bool enabled = edit->isEnabled();
  edit->setEnabled(false);
  upDown->SetPosition(static_cast<int16_t>(size));
  edit->setEnabled(enabled);
}
}  // namespace

TFocusDisplaySettingForm::TFocusDisplaySettingForm()
    : TConsoleForm(QStringLiteral("FocusDisplaySettingForm"), QStringLiteral("フォーカス表示の詳細設定"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  FocusDisplaySettingForm = this;
  CreateFocusRows();
  CreatePartialZoomGroup();
  CreateNonLinearZoomGroup();
  CreateImageCompoundGroup();
  LayOut();
  // The designed size from the start, so start-up centres the window as it
  // will be shown.
  setFixedSize(DesignedWidth, DesignedHeight);
}

TFocusDisplaySettingForm::~TFocusDisplaySettingForm() {
  if (FocusDisplaySettingForm == this) FocusDisplaySettingForm = nullptr;
}

QComboBox* TFocusDisplaySettingForm::NewList(QWidget* parent, const char* name, const QStringList& items,
                                             void (*set)(int), bool computeVideoWindow) {
  auto* box = Named(new QComboBox(parent), name);
  box->addItems(items);
  // activated: the user's choices only, never the refresh's.
  connect(box, &QComboBox::activated, this, [set, computeVideoWindow](int index) {
    set(index);
    if (computeVideoWindow) ovSenderComputeVideoWindow();
  });
  return box;
}

void TFocusDisplaySettingForm::CreateFocusRows() {
  ShowFocusFrameCheckBox = Named(new QCheckBox(this), "ShowFocusFrameCheckBox");
  BindButton(ShowFocusFrameCheckBox, MainDataModule->ShowFocusFrameAction);
  FocusCoordinateGroupBox =
      Named(new QGroupBox(QStringLiteral("フォーカス位置の座標系"), this), "FocusCoordinateGroupBox");
  FocusCoordinateDesktopWindowRadio =
      Named(new QRadioButton(FocusCoordinateGroupBox), "FocusCoordinateDesktopWindowRadio");
  FocusCoordinateVideoWindowRadio = Named(new QRadioButton(FocusCoordinateGroupBox), "FocusCoordinateVideoWindowRadio");
  for (QRadioButton* radio : {FocusCoordinateDesktopWindowRadio, FocusCoordinateVideoWindowRadio}) {
    // The pair stays exclusive, so readers and arrow keys treat it as radio
    // buttons; ShowCoordinate lifts that for a moment to show neither.
    connect(radio, &QRadioButton::clicked, this, [this, radio] { FocusCoordinateRadioClick(radio); });
  }
  BindButton(FocusCoordinateDesktopWindowRadio, MainDataModule->FocusCoordinateDesktopWindowAction);
  BindButton(FocusCoordinateVideoWindowRadio, MainDataModule->FocusCoordinateVideoWindowAction);
}

void TFocusDisplaySettingForm::CreatePartialZoomGroup() {
  PartialZoomGroupBox = Named(new QGroupBox(QStringLiteral("部分映像のズーミング"), this), "PartialZoomGroupBox");
  QGroupBox* g = PartialZoomGroupBox;
  PartialZoomOutputResolutionLabel = NewLabel(g, "PartialZoomOutputResolutionLabel", QStringLiteral("表示解像度"));
  PartialZoomOutputResolutionComboBox = NewList(g, "PartialZoomOutputResolutionComboBox", kResolutions,
                                                ovSenderSetPartialZoomOutputVideoResolution, false);
  PartialZoomSourceResolutionLabel =
      NewLabel(g, "PartialZoomSourceResolutionLabel", QStringLiteral("部分映像の解像度"));
  PartialZoomSourceResolutionComboBox = NewList(g, "PartialZoomSourceResolutionComboBox", kResolutions,
                                                ovSenderSetPartialZoomSourceVideoResolution, true);
  PartialZoomOutputResolutionLabel->setBuddy(PartialZoomOutputResolutionComboBox);
  PartialZoomSourceResolutionLabel->setBuddy(PartialZoomSourceResolutionComboBox);
}

void TFocusDisplaySettingForm::CreateNonLinearZoomGroup() {
  NonLinearZoomGroupBox = Named(new QGroupBox(QStringLiteral("非線形ズーミング"), this), "NonLinearZoomGroupBox");
  QGroupBox* g = NonLinearZoomGroupBox;
  NonLinearZoomResolutionLabel = NewLabel(g, "NonLinearZoomResolutionLabel", QStringLiteral("表示解像度"));
  NonLinearZoomResolutionComboBox = NewList(g, "NonLinearZoomResolutionComboBox", kResolutions,
                                            ovSenderSetNonLinearZoomOutputVideoResolution, false);
  NonLinearZoomMaskLabel = NewLabel(g, "NonLinearZoomMaskLabel", QStringLiteral("マスク形状"));
  NonLinearZoomMaskComboBox = NewList(g, "NonLinearZoomMaskComboBox", {QStringLiteral("矩形"), QStringLiteral("楕円")},
                                      ovSenderSetNonLinearZoomMaskType, false);
  NonLinearZoomMaskSizeLabel = NewLabel(g, "NonLinearZoomMaskSizeLabel", QStringLiteral("マスクサイズ"));
  NonLinearZoomMaskWidthLabel = NewLabel(g, "NonLinearZoomMaskWidthLabel", QStringLiteral("幅："));
  NonLinearZoomMaskHeightLabel = NewLabel(g, "NonLinearZoomMaskHeightLabel", QStringLiteral("高さ："));
  NonLinearZoomMaskWidthEdit = Named(new QLineEdit(QStringLiteral("100"), g), "NonLinearZoomMaskWidthEdit");
  NonLinearZoomMaskHeightEdit = Named(new QLineEdit(QStringLiteral("100"), g), "NonLinearZoomMaskHeightEdit");
  NonLinearZoomMaskWidthUpDown = new TUpDown(g, QStringLiteral("NonLinearZoomMaskWidthUpDown"),
                                             NonLinearZoomMaskWidthEdit, MinMaskSize, MaxMaskSize, 100);
  NonLinearZoomMaskHeightUpDown = new TUpDown(g, QStringLiteral("NonLinearZoomMaskHeightUpDown"),
                                              NonLinearZoomMaskHeightEdit, MinMaskSize, MaxMaskSize, 100);
  NonLinearZoomResolutionLabel->setBuddy(NonLinearZoomResolutionComboBox);
  NonLinearZoomMaskLabel->setBuddy(NonLinearZoomMaskComboBox);
  NonLinearZoomMaskWidthLabel->setBuddy(NonLinearZoomMaskWidthEdit);
  NonLinearZoomMaskHeightLabel->setBuddy(NonLinearZoomMaskHeightEdit);
  for (QLineEdit* edit : {NonLinearZoomMaskWidthEdit, NonLinearZoomMaskHeightEdit}) {
    edit->setFixedWidth(48);
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { NonLinearZoomMaskSizeEditChange(edit); });
  }
}

void TFocusDisplaySettingForm::CreateImageCompoundGroup() {
  ImageCompoundGroupBox = Named(new QGroupBox(QStringLiteral("低／高解像度の合成"), this), "ImageCompoundGroupBox");
  QGroupBox* g = ImageCompoundGroupBox;
  ImageCompoundBaseResolutionLabel =
      NewLabel(g, "ImageCompoundBaseResolutionLabel", QStringLiteral("ベース画像の解像度"));
  ImageCompoundBaseResolutionComboBox = NewList(g, "ImageCompoundBaseResolutionComboBox", kResolutions,
                                                ovSenderSetImageCompoundBaseVideoResolution, true);
  ImageCompoundAddResolutionLabel = NewLabel(g, "ImageCompoundAddResolutionLabel", QStringLiteral("付加画像の解像度"));
  ImageCompoundAddResolutionComboBox = NewList(g, "ImageCompoundAddResolutionComboBox", kResolutions,
                                               ovSenderSetImageCompoundAdditionalVideoResolution, true);
  ImageCompoundMaskLabel = NewLabel(g, "ImageCompoundMaskLabel", QStringLiteral("マスク形状"));
  ImageCompoundMaskComboBox =
      NewList(g, "ImageCompoundMaskComboBox",
              {QStringLiteral("矩形"), QStringLiteral("楕円"), QStringLiteral("市松模様")},
              ovSenderSetImageCompoundMaskType, false);
  ImageCompoundBlendingLabel = NewLabel(g, "ImageCompoundBlendingLabel", QStringLiteral("合成方式"));
  ImageCompoundBlendingComboBox = NewList(g, "ImageCompoundBlendingComboBox",
                                          {QStringLiteral("単純"), QStringLiteral("曖昧")},
                                          ovSenderSetImageCompoundBlendingType, false);
  ImageCompoundBaseResolutionLabel->setBuddy(ImageCompoundBaseResolutionComboBox);
  ImageCompoundAddResolutionLabel->setBuddy(ImageCompoundAddResolutionComboBox);
  ImageCompoundMaskLabel->setBuddy(ImageCompoundMaskComboBox);
  ImageCompoundBlendingLabel->setBuddy(ImageCompoundBlendingComboBox);
}

void TFocusDisplaySettingForm::LayOut() {
  auto* coordinates = new QVBoxLayout(FocusCoordinateGroupBox);
  coordinates->addWidget(FocusCoordinateDesktopWindowRadio);
  coordinates->addWidget(FocusCoordinateVideoWindowRadio);

  auto* partial = new QGridLayout(PartialZoomGroupBox);
  partial->addWidget(PartialZoomOutputResolutionLabel, 0, 0);
  partial->addWidget(PartialZoomOutputResolutionComboBox, 0, 1);
  partial->addWidget(PartialZoomSourceResolutionLabel, 1, 0);
  partial->addWidget(PartialZoomSourceResolutionComboBox, 1, 1);

  auto* nonLinear = new QGridLayout(NonLinearZoomGroupBox);
  nonLinear->addWidget(NonLinearZoomResolutionLabel, 0, 0);
  nonLinear->addWidget(NonLinearZoomResolutionComboBox, 0, 1);
  nonLinear->addWidget(NonLinearZoomMaskLabel, 1, 0);
  nonLinear->addWidget(NonLinearZoomMaskComboBox, 1, 1);
  nonLinear->addWidget(NonLinearZoomMaskSizeLabel, 2, 0, 1, 2);
  auto* size = new QHBoxLayout;
  size->setSpacing(0);
  size->addSpacing(12);
  size->addWidget(NonLinearZoomMaskWidthLabel);
  size->addWidget(NonLinearZoomMaskWidthEdit);
  size->addWidget(NonLinearZoomMaskWidthUpDown);
  size->addSpacing(8);
  size->addWidget(NonLinearZoomMaskHeightLabel);
  size->addWidget(NonLinearZoomMaskHeightEdit);
  size->addWidget(NonLinearZoomMaskHeightUpDown);
  size->addStretch(1);
  nonLinear->addLayout(size, 3, 0, 1, 2);

  auto* compound = new QGridLayout(ImageCompoundGroupBox);
  compound->addWidget(ImageCompoundBaseResolutionLabel, 0, 0);
  compound->addWidget(ImageCompoundBaseResolutionComboBox, 0, 1);
  compound->addWidget(ImageCompoundAddResolutionLabel, 1, 0);
  compound->addWidget(ImageCompoundAddResolutionComboBox, 1, 1);
  compound->addWidget(ImageCompoundMaskLabel, 2, 0);
  compound->addWidget(ImageCompoundMaskComboBox, 2, 1);
  compound->addWidget(ImageCompoundBlendingLabel, 3, 0);
  compound->addWidget(ImageCompoundBlendingComboBox, 3, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(ShowFocusFrameCheckBox);
  left->addWidget(FocusCoordinateGroupBox);
  left->addWidget(PartialZoomGroupBox);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(NonLinearZoomGroupBox);
  right->addWidget(ImageCompoundGroupBox);
  right->addStretch(1);
  auto* form = new QHBoxLayout(this);
  form->addLayout(left);
  form->addLayout(right);
}

void TFocusDisplaySettingForm::FormShow() {
  Refresh();
  active = true;
}

void TFocusDisplaySettingForm::Refresh() {
  SelectFromEngine(PartialZoomOutputResolutionComboBox, ovSenderGetPartialZoomOutputVideoResolution());
  SelectFromEngine(PartialZoomSourceResolutionComboBox, ovSenderGetPartialZoomSourceVideoResolution());
  SelectFromEngine(NonLinearZoomResolutionComboBox, ovSenderGetNonLinearZoomOutputVideoResolution());
  SelectFromEngine(NonLinearZoomMaskComboBox, ovSenderGetNonLinearZoomMaskType());
  RefreshMaskSize();
  SelectFromEngine(ImageCompoundBaseResolutionComboBox, ovSenderGetImageCompoundBaseVideoResolution());
  SelectFromEngine(ImageCompoundAddResolutionComboBox, ovSenderGetImageCompoundAdditionalVideoResolution());
  SelectFromEngine(ImageCompoundMaskComboBox, ovSenderGetImageCompoundMaskType());
  SelectFromEngine(ImageCompoundBlendingComboBox, ovSenderGetImageCompoundBlendingType());
  RefreshFocusRows();
}

void TFocusDisplaySettingForm::RefreshMaskSize() {
  int width = 0;
  int height = 0;
  ovSenderGetNonLinearZoomMaskSize(&width, &height);
  SetFromEngine(NonLinearZoomMaskWidthEdit, NonLinearZoomMaskWidthUpDown, width);
  SetFromEngine(NonLinearZoomMaskHeightEdit, NonLinearZoomMaskHeightUpDown, height);
}

void TFocusDisplaySettingForm::RefreshFocusRows() {
  MainDataModule->ShowFocusFrameAction->SetChecked(ovSenderGetFocusFrameVisible());
  MainDataModule->FocusCoordinateDesktopWindowAction->SetChecked(ovSenderGetFocusCoordinate() == 0);
  MainDataModule->FocusCoordinateVideoWindowAction->SetChecked(ovSenderGetFocusCoordinate() == 1);
  // A box the user toggled kept Qt's state while its action's did not
  // change; show the engine's.
  ShowFocusFrameCheckBox->setChecked(MainDataModule->ShowFocusFrameAction->Checked());
  ShowCoordinate(MainDataModule->FocusCoordinateDesktopWindowAction->Checked(),
                 MainDataModule->FocusCoordinateVideoWindowAction->Checked());
}

void TFocusDisplaySettingForm::ShowCoordinate(bool desktop, bool video) {
  // The checked button of an exclusive pair cannot be unchecked, so neither
  // would stay impossible to show for a coordinate outside 0 and 1.
  for (QRadioButton* radio : {FocusCoordinateDesktopWindowRadio, FocusCoordinateVideoWindowRadio})
    radio->setAutoExclusive(false);
  FocusCoordinateDesktopWindowRadio->setChecked(desktop);
  FocusCoordinateVideoWindowRadio->setChecked(video);
  for (QRadioButton* radio : {FocusCoordinateDesktopWindowRadio, FocusCoordinateVideoWindowRadio})
    radio->setAutoExclusive(true);
}

void TFocusDisplaySettingForm::FocusCoordinateRadioClick(QRadioButton* clicked) {
  // The pair behaves as radio buttons for the user: the clicked one on, the
  // other off, also when the clicked one was on already.
  const bool desktop = clicked == FocusCoordinateDesktopWindowRadio;
  MainDataModule->FocusCoordinateDesktopWindowAction->SetChecked(desktop);
  MainDataModule->FocusCoordinateVideoWindowAction->SetChecked(!desktop);
  ShowCoordinate(desktop, !desktop);
}

void TFocusDisplaySettingForm::NonLinearZoomMaskSizeEditChange(QLineEdit* changed) {
  if (!active || !changed->isEnabled()) return;
  ovSenderSetNonLinearZoomMaskSize(NonLinearZoomMaskWidthUpDown->Position(), NonLinearZoomMaskHeightUpDown->Position());
}
