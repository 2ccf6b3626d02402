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
// Without translations for the language Qt's texts stay English.
class QtLanguage {
 public:
  explicit QtLanguage(std::uint16_t languageId);
  ~QtLanguage();
  QtLanguage(const QtLanguage&) = delete;
  QtLanguage& operator=(const QtLanguage&) = delete;

  // Whether Qt's translations for the language were found and installed.
  bool Translated() const { return translated_; }

 private:
  QLocale previousLocale_;
  QTranslator translator_;
  bool translated_ = false;
};

}  // namespace telvoran
