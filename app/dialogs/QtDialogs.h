#pragma once

#include "app/dialogs/UserDialogs.h"

namespace telvoran {

// The dialogs and message boxes the user really sees, made with Qt's own dialogs. The open and
// save dialogs start in the folder of the file chosen last in either; before any, in that of
// the archive opened last in an earlier run.
class QtDialogs : public UserDialogs {
 public:
  std::optional<QString> OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                      int filterIndex) override;
  std::optional<QString> FolderName(QWidget* parent, const QString& title) override;
  std::optional<SaveChoice> SaveFileName(
      QWidget* parent, const QString& title, const QString& filter, const QString& defaultSuffix,
      const std::function<bool(const QString& path)>& acceptName) override;
  bool PrintDialog(QWidget* parent, QPrinter& printer) override;
  void PrintSetupDialog(QWidget* parent, QPrinter& printer,
                        const PrinterSetupTexts& texts) override;
  std::optional<QDateTime> DateTime(QWidget* parent, const QString& title, const QString& label,
                                    const QDateTime& initial) override;
  void Message(QWidget* parent, const QString& caption, const QString& text) override;
  bool YesNo(QWidget* parent, const QString& caption, const QString& text) override;
  void Error(QWidget* parent, const QString& caption, const QString& text) override;
  void Beep() override;

 private:
  QString StartFolder() const;
  void Remember(const QString& chosen);

  QString lastFolder_;
};

}  // namespace telvoran
