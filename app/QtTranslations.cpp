#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "core/text/LanguageNames.h"

namespace telvoran {

QLocale LocaleOfLanguage(std::uint16_t languageId) {
  const std::string name = LocaleNameOfLanguage(languageId);
  return name.empty() ? QLocale::c() : QLocale(QString::fromStdString(name));
}

QtLanguage::QtLanguage(std::uint16_t languageId) {
  const QLocale locale = LocaleOfLanguage(languageId);
  if (locale.language() == QLocale::C) return;
  QLocale::setDefault(locale);
  translated_ =
      translator_.load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(&translator_);
}

QtLanguage::~QtLanguage() {
  if (translated_) QCoreApplication::removeTranslator(&translator_);
  QLocale::setDefault(previousLocale_);
}

}  // namespace telvoran
