#pragma once

#include <gtest/gtest.h>
#include <QByteArrayView>
#include <QDebug>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>
#include <QVariant>
#include <ostream>

#include "app/richtext/RtfReader.h"

// Readable failure messages for Qt values.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << texts.join(u'|').toStdString();
}
inline void PrintTo(const QVariant& value, std::ostream* out) {
  QString text;
  QDebug(&text) << value;
  *out << text.toStdString();
}

namespace telvoran::test {

// A fixture that reads RTF into a document and looks at what came out.
class RtfDocumentTest : public ::testing::Test {
 protected:
  void Read(QByteArrayView rtf) { ReadRtf(rtf, document); }

  QStringList BlockTexts() const {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      texts << block.text();
    }
    return texts;
  }

  // The raw text, blocks joined by '\n'; unlike toPlainText(), special spaces stay as they are.
  QString Text() const { return BlockTexts().join(u'\n'); }

  // The format of the fragment that holds `text`.
  QTextCharFormat FormatOf(const QString& text) const {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().text().contains(text)) return it.fragment().charFormat();
      }
    }
    ADD_FAILURE() << "no fragment holds " << text.toStdString();
    return {};
  }

  QTextDocument document;
};

}  // namespace telvoran::test
