#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "core/text/LanguageNames.h"

namespace telvoran {

QLocale LocaleOfLanguage(std::uint16_t languageId) {
  const std::string name = LocaleNameOfLanguage(languageId);
  return name.empty() ? QLocale::c() : QLocale(QString::fromStdString(name));
}

QString QtLanguage::Gaps::translate(const char* context, const char* sourceText, const char*,
                                    int) const {
  if (qstrcmp(context, "QPrintSettingsOutput") == 0 && qstrcmp(sourceText, "Pages") == 0)
    return pagesLabel;
  return {};
}

QtLanguage::QtLanguage(std::uint16_t languageId, QString pagesLabel) {
  const QLocale locale = LocaleOfLanguage(languageId);
  if (locale.language() == QLocale::C) return;
  QLocale::setDefault(locale);
  translated_ =
      translator_.load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(&translator_);
  gaps_.pagesLabel = std::move(pagesLabel);
  if (!gaps_.isEmpty()) gapsInstalled_ = QCoreApplication::installTranslator(&gaps_);
}

QtLanguage::~QtLanguage() {
  if (gapsInstalled_) QCoreApplication::removeTranslator(&gaps_);
  if (translated_) QCoreApplication::removeTranslator(&translator_);
  QLocale::setDefault(previousLocale_);
}

}  // namespace telvoran
