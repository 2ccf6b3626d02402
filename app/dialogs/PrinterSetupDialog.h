#pragma once

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>

#include "app/dialogs/UserDialogs.h"

class QComboBox;

namespace telvoran {

// The printer set-up dialog: the printer (every printer of the system and a PDF file), the paper
// size the printer offers and the orientation. It opens with the printer's present choices and
// changes the printer only when asked to (ApplyTo), so Cancel leaves it as it was.
class PrinterSetupDialog : public QDialog {
  Q_OBJECT

 public:
  PrinterSetupDialog(const QPrinter& printer, const PrinterSetupTexts& texts,
                     QWidget* parent = nullptr);

  // Gives the printer the choices of the dialog.
  void ApplyTo(QPrinter& printer) const;

  QComboBox* Printers = nullptr;  // the printer's name as item data; empty for the PDF file
  QComboBox* PaperSizes = nullptr;
  QComboBox* Orientations = nullptr;

 private:
  // Fills the paper sizes that the chosen printer offers, keeping `preferred` when it can.
  void ListPaperSizes(QPageSize::PageSizeId preferred);
  QPageSize::PageSizeId ChosenPaperSize() const;
};

}  // namespace telvoran
