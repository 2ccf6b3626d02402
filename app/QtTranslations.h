#pragma once

#include <QLocale>
#include <QTranslator>

#include <cstdint>

namespace telvoran {

// The locale of the string library's language (StringLookup::LanguageId): Polish for the
// neutral language, and the C locale for a language the program does not know.
QLocale LocaleOfLanguage(std::uint16_t languageId);

// Makes Qt's own texts (its dialogs, its buttons) speak the language of the string library while
// it lives: loads Qt's translations for that language and makes its locale the default one.
// Without translations for the language Qt's texts stay English. `pagesLabel` (the string
// library's word) fills a gap of Qt's translations: the print dialog's "Pages" choice, which they
// leave in English.
class QtLanguage {
 public:
  explicit QtLanguage(std::uint16_t languageId, QString pagesLabel = {});
  ~QtLanguage();
  QtLanguage(const QtLanguage&) = delete;
  QtLanguage& operator=(const QtLanguage&) = delete;

  // Whether Qt's translations for the language were found and installed.
  bool Translated() const { return translated_; }

 private:
  QLocale previousLocale_;
  QTranslator translator_;
  bool translated_ = false;
  // Searched before Qt's translations, for the texts they lack.
  class Gaps : public QTranslator {
   public:
    QString pagesLabel;
    bool isEmpty() const override { return pagesLabel.isEmpty(); }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
  };
  Gaps gaps_;
  bool gapsInstalled_ = false;
};

}  // namespace telvoran
