#include "VersionInfoForm.h"

#include "MainDataModule.h"
#include "SenderArtwork.h"
#include "TActionBinding.h"

#include <QLabel>
#include <QPushButton>

TVersionInfoForm* VersionInfoForm = nullptr;

namespace {
// The classic desktop background colour; the panel frames the icon in it.
const QColor kDesktopBackground(0x3a, 0x6e, 0xa5);
constexpr int kPanelWidth = 65;
constexpr int kPanelHeight = 113;
constexpr int kTextLeft = 72;
constexpr int kLabelHeight = 16;
}  // namespace

TVersionInfoForm::TVersionInfoForm()
    : TConsoleForm(QStringLiteral("VersionInfoForm"), QStringLiteral("バージョン情報"),
                   Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  VersionInfoForm = this;
  setFixedSize(ClientWidth, ClientHeight);
  setWindowIcon(SenderIcon());

  // The panel runs from below the icon's top to the bottom edge, so icon and
  // panel together fill the left edge.
  SenderIconBorderPanel = new QWidget(this);
  SenderIconBorderPanel->setObjectName(QStringLiteral("SenderIconBorderPanel"));
  SenderIconBorderPanel->setGeometry(0, ClientHeight - kPanelHeight, kPanelWidth, kPanelHeight);
  QPalette panelPalette = SenderIconBorderPanel->palette();
  panelPalette.setColor(QPalette::Window, kDesktopBackground);
  SenderIconBorderPanel->setPalette(panelPalette);
  SenderIconBorderPanel->setAutoFillBackground(true);

  SenderIconImage = new QLabel(this);
  SenderIconImage->setObjectName(QStringLiteral("SenderIconImage"));
  SenderIconImage->setGeometry(0, 0, SenderIconSize, SenderIconSize);
  SenderIconImage->setPixmap(SenderIconPixmap());

  FocusLogoImage = new QLabel(this);
  FocusLogoImage->setObjectName(QStringLiteral("FocusLogoImage"));
  FocusLogoImage->setGeometry(kTextLeft, 6, FocusLogoWidth, FocusLogoHeight);
  FocusLogoImage->setPixmap(FocusLogoPixmap());

  VersionInfoSoftwareNameLabel =
      AddLabel("VersionInfoSoftwareNameLabel", QStringLiteral("Ostrelソフトウェア v1.0 (送信)"), 46);
  VersionInfoCopyrightLabel = AddLabel("VersionInfoCopyrightLabel", QStringLiteral("Copyright (C) All rights reserved."), 68);
  VersionInfoVelkLabel = AddLabel("VersionInfoVelkLabel", QStringLiteral("Ostrel Project 2026"), 86);
  VersionInfoVelkURLLabel = AddLabel("VersionInfoVelkURLLabel", QStringLiteral("https://ostrel.example.org/"), 104);

  VersionInfoOKButton = new QPushButton(this);
  VersionInfoOKButton->setObjectName(QStringLiteral("VersionInfoOKButton"));
  VersionInfoOKButton->setGeometry(ClientWidth - 81, ClientHeight - 32, 75, 25);
  VersionInfoOKButton->setDefault(true);
  BindButton(VersionInfoOKButton, MainDataModule->VersionInfoOKAction);
}

TVersionInfoForm::~TVersionInfoForm() {
  if (VersionInfoForm == this) VersionInfoForm = nullptr;
}

QLabel* TVersionInfoForm::AddLabel(const char* name, const QString& text, int top) {
  auto* label = new QLabel(text, this);
  label->setObjectName(QLatin1String(name));
  // Fixed width, no growing with the text: a longer translation is cut, not
  // pushed over the window's edge.
  label->setGeometry(kTextLeft, top, LabelWidth, kLabelHeight);
  label->setFixedWidth(LabelWidth);
  label->setWordWrap(false);
  return label;
}
