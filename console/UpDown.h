// TUpDown: a pair of arrow buttons associated with an edit, as the classic
// up-down control is. The position lives in the edit's text: reading it
// derives the position from the text (the last good one when the text is no
// number, clamped to the range otherwise), setting it writes the text. The
// arrows and the Up and Down keys in the edit step within the range, without
// wrapping. Numbers are written without thousands separators.
#ifndef CONSOLE_UPDOWN_H
#define CONSOLE_UPDOWN_H

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
  Q_OBJECT
public:
  TUpDown(QWidget* parent, const QString& name, QLineEdit* associate, int min, int max, int position);

  QLineEdit* Associate() const { return associate_; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const;
  // Clamps to the range and writes the edit's text (its change handler runs).
  void SetPosition(int position);
  void Step(int delta);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLineEdit* associate_;
  QToolButton* up_;
  QToolButton* down_;
  int min_;
  int max_;
  mutable int lastPosition_;
};

#endif
