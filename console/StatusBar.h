// A status bar of fixed panels (widths in pixels), each showing one text.
// Unlike label widgets the panels force no minimum window width, so the
// window can follow any video size.
#ifndef CONSOLE_STATUSBAR_H
#define CONSOLE_STATUSBAR_H

#include <QStatusBar>
#include <QStringList>
#include <vector>

class TStatusBar : public QStatusBar {
  Q_OBJECT
public:
  TStatusBar(const QString& name, std::vector<int> panelWidths, int height, QWidget* parent = nullptr);
  int PanelCount() const { return static_cast<int>(widths_.size()); }
  int PanelWidth(int index) const { return widths_.at(static_cast<size_t>(index)); }
  QString PanelText(int index) const { return texts_.value(index); }
  void SetPanelText(int index, const QString& text);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  std::vector<int> widths_;
  QStringList texts_;
};

#endif
