#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

bool InstallToolkitTranslation(const QString& code) {
  static std::unique_ptr<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
  }
  if (code.isEmpty() || code.startsWith(QLatin1String("en"), Qt::CaseInsensitive)) return false;
  auto translator = std::make_unique<QTranslator>();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  // "pt_BR" falls back to "pt" inside QTranslator::load's own search.
  if (!translator->load(QStringLiteral("qtbase_") + code, folder)) return false;
  QCoreApplication::installTranslator(translator.get());
  installed = std::move(translator);
  return true;
}
