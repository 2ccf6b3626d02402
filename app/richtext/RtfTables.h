#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

#include "app/richtext/RtfCodePages.h"

namespace telvoran {

struct RtfFont {
  QString name;
  std::optional<CodePage> codePage;  // from \fcharset; none: the document's code page
};

// The fonts of a \fonttbl by number, filled entry by entry as the table is read: \fN starts an
// entry, its text up to a semicolon is the name. Entries beyond a fixed number, and name
// characters beyond a fixed length, are dropped, so a hostile table cannot grow without bound.
class RtfFontTable {
 public:
  void BeginFont(int index);
  void SetCharset(int charset);
  void AppendText(QStringView text);
  void EndFont();
  void EndTable() { EndFont(); }

  const RtfFont* Find(int index) const;

 private:
  QHash<int, RtfFont> fonts_;
  std::optional<int> pendingIndex_;
  RtfFont pending_;
};

// The colours of a \colortbl in order: \redN \greenN \blueN, ended by a semicolon. An entry
// without components is the automatic colour. Bounded like the font table.
class RtfColorTable {
 public:
  void SetRed(int value) { red_ = value; }
  void SetGreen(int value) { green_ = value; }
  void SetBlue(int value) { blue_ = value; }
  void AppendText(QStringView text);
  void EndColor();
  // Keeps a last entry that lacks its semicolon.
  void EndTable() {
    if (HasPendingComponents()) EndColor();
  }

  // The colour of an entry; invalid for the automatic colour or an index the table lacks.
  QColor At(int index) const;

 private:
  bool HasPendingComponents() const { return red_ || green_ || blue_; }

  QList<QColor> colors_;
  std::optional<int> red_;
  std::optional<int> green_;
  std::optional<int> blue_;
};

}  // namespace telvoran
