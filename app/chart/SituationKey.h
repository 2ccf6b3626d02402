#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QString>

#include <vector>

namespace telvoran {

// The alarm timeline's key to its colours: a square of each situation's colour and its text,
// side by side in rows that wrap at the width given, so that no text is cut however long the
// situations' texts are. Drawn in the chart's scene, it goes into exports and printouts too.
class SituationKey : public QGraphicsItem {
 public:
  struct Entry {
    QColor fill;
    QColor outline;
    QString text;
  };

  SituationKey(std::vector<Entry> entries, QFont font, QGraphicsItem* parent = nullptr);

  // Lays the entries out in rows no wider than `width`; an entry wider than that gets a row of
  // its own. Returns the height the rows take.
  double LayOut(double width);
  const std::vector<Entry>& Entries() const { return entries_; }
  // The number of rows of the last layout.
  int Rows() const { return rows_; }

  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

 private:
  std::vector<Entry> entries_;
  QFont font_;
  std::vector<QPointF> places_;  // the top left corner of each entry
  QSizeF size_;
  int rows_ = 0;
};

}  // namespace telvoran
