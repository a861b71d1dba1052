// A file dialog component: default extension, filter in "text|patterns"
// pairs, title, the chosen file name and Execute(). Tests replace the
// interaction through Executor.
#ifndef CONSOLE_FILEDIALOG_H
#define CONSOLE_FILEDIALOG_H

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

class TFileDialog : public QObject {
  Q_OBJECT
public:
  enum class Kind { Open, Save };
  TFileDialog(const QString& name, Kind kind, QObject* owner);

  QString DefaultExt;
  QString Filter;  // "description|pattern;pattern|description|pattern"
  QString Title;
  QString FileName;
  Kind DialogKind;
  bool OverwritePrompt = false;  // a save dialog asks before replacing a file

  void SetUp(const char* defaultExt, const char* filter, const char* title) {
    DefaultExt = QString::fromUtf8(defaultExt);
    Filter = QString::fromUtf8(filter);
    Title = QString::fromUtf8(title);
  }

  // Shows the dialog; true with FileName set when the user confirmed.
  bool Execute(QWidget* parent = nullptr);
  // The filter in Qt's notation: "description (pattern pattern);;...".
  QString QtFilter() const;

  // When set, Execute asks this instead of showing a dialog.
  static std::function<bool(TFileDialog&)> Executor;

  // True while some Execute has not returned: its caller still uses the
  // console's objects, so nothing may free them yet.
  static bool AnyExecuting() { return executing_ > 0; }

private:
  static int executing_;
};

#endif
