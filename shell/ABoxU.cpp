#include "shell/ABoxU.h"

#include <QPushButton>

#include "shell/MainU.h"
#include "text/QtText.h"
#include "text/StringIds.h"
#include "text/StringLookup.h"

namespace telvoran {

TAboutBox::TAboutBox(TMainForm& mainForm) : QDialog(&mainForm), mainForm_(mainForm) {
  setObjectName("AboutBox");
  setWindowTitle("AboutBox");
  setFixedSize(232, 166);
  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(78, 132, 75, 25);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  FormCreate();
}

void TAboutBox::FormCreate() {
  const StringLookup& strings = mainForm_.Strings();
  setWindowTitle(FromCp1250(strings.Text(sid::kAboutCaption)));
  OKButton->setText(FromCp1250(strings.Text(sid::kAboutOk)));
}

}  // namespace telvoran
