// The status bar as assistive technology reads it: one static text per
// panel, named by the panel's text. The panels are painted, not widgets, so
// the bar makes their interfaces itself and tells readers when a text
// changes.
#ifndef CONSOLE_STATUSBARACCESSIBLE_H
#define CONSOLE_STATUSBARACCESSIBLE_H

#include <QAccessibleWidget>
#include <vector>

class TStatusBar;

class TStatusBarAccessible : public QAccessibleWidget {
public:
  explicit TStatusBarAccessible(TStatusBar* bar);
  ~TStatusBarAccessible() override;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

  // Tells readers that panel index now shows another text.
  static void AnnouncePanelText(TStatusBar* bar, int index);

private:
  TStatusBar* Bar() const;
  std::vector<QAccessible::Id> panels_;
};

#endif
