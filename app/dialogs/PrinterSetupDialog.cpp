#include "app/dialogs/PrinterSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace telvoran {
namespace {

// Paper a PDF file can take: the sizes people print archives on.
constexpr QPageSize::PageSizeId kPdfPaperSizes[] = {
    QPageSize::A4,     QPageSize::A3,    QPageSize::A5,        QPageSize::B5,
    QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid,
};

QList<QPageSize> PaperSizesOf(const QString& printerName) {
  if (!printerName.isEmpty()) {
    const QList<QPageSize> offered = QPrinterInfo::printerInfo(printerName).supportedPageSizes();
    if (!offered.isEmpty()) return offered;
  }
  QList<QPageSize> sizes;
  for (QPageSize::PageSizeId id : kPdfPaperSizes) sizes << QPageSize(id);
  return sizes;
}

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(const QPrinter& printer, const PrinterSetupTexts& texts,
                                       QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(texts.title);

  Printers = new QComboBox;
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    const QString label = info.description().isEmpty() ? info.printerName() : info.description();
    Printers->addItem(label, info.printerName());
  }
  Printers->addItem(texts.pdfFile, QString());
  const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat;
  const int current = Printers->findData(toPdf ? QString() : printer.printerName());
  Printers->setCurrentIndex(current >= 0 ? current : Printers->count() - 1);

  PaperSizes = new QComboBox;
  ListPaperSizes(printer.pageLayout().pageSize().id());
  connect(Printers, &QComboBox::currentIndexChanged, this,
          [this] { ListPaperSizes(ChosenPaperSize()); });

  Orientations = new QComboBox;
  Orientations->addItem(texts.portrait, QPageLayout::Portrait);
  Orientations->addItem(texts.landscape, QPageLayout::Landscape);
  Orientations->setCurrentIndex(printer.pageLayout().orientation() == QPageLayout::Landscape ? 1
                                                                                             : 0);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout(this);
  form->addRow(texts.printer, Printers);
  form->addRow(texts.paper, PaperSizes);
  form->addRow(texts.orientation, Orientations);
  form->addRow(buttons);
}

void PrinterSetupDialog::ListPaperSizes(QPageSize::PageSizeId preferred) {
  PaperSizes->clear();
  for (const QPageSize& size : PaperSizesOf(Printers->currentData().toString())) {
    // A size the printer defines by its measures alone cannot be chosen again by its id.
    if (size.id() != QPageSize::Custom)
      PaperSizes->addItem(size.name(), static_cast<int>(size.id()));
  }
  const int kept = PaperSizes->findData(static_cast<int>(preferred));
  PaperSizes->setCurrentIndex(std::max(kept, 0));
}

QPageSize::PageSizeId PrinterSetupDialog::ChosenPaperSize() const {
  return static_cast<QPageSize::PageSizeId>(PaperSizes->currentData().toInt());
}

void PrinterSetupDialog::ApplyTo(QPrinter& printer) const {
  const QString name = Printers->currentData().toString();
  if (name.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
  } else {
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
  }
  printer.setPageSize(QPageSize(ChosenPaperSize()));
  printer.setPageOrientation(
      static_cast<QPageLayout::Orientation>(Orientations->currentData().toInt()));
}

}  // namespace telvoran
