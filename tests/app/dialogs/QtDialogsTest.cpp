// The real dialogs, answered by code as soon as each one is up: no test waits for a person.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/dialogs/QtDialogs.h"
#include "support/TempDir.h"

namespace telvoran {
namespace {

// Runs `answer` on the dialog of type T once the event loop of its exec() has started.
template <typename Dialog>
void AnswerWhenShown(std::function<void(Dialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<Dialog*>(window); dialog && dialog->isVisible())
        return answer(*dialog);
    ADD_FAILURE() << "no dialog is up";
  });
}

// What the dialog's confirming button does, reached through QDialog where it is public.
void Confirm(QDialog& dialog) {
  dialog.accept();
}

QStringList ComboTexts(const QComboBox& combo) {
  QStringList texts;
  for (int i = 0; i < combo.count(); ++i) texts << combo.itemText(i);
  return texts;
}

class Dialogs : public ::testing::Test {
 protected:
  QtDialogs dialogs;
  test::TempDir dir;
  QString Path(const char* name) const { return QString::fromStdString((dir / name).string()); }
};

TEST_F(Dialogs, OpenShowsTheDescriptionsPreselectsTheEntryAndTakesATypedName) {
  AnswerWhenShown<QFileDialog>([this](QFileDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Open data file");
    const auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    EXPECT_EQ(ComboTexts(*types), QStringList({"Interval", "Event", "Both"}));
    EXPECT_EQ(types->currentIndex(), 2);
    dialog.selectFile(Path("not-there.czt"));
    Confirm(dialog);
  });
  EXPECT_EQ(dialogs.OpenFileName(nullptr, "Open data file",
                                 "Interval|*.czt|Event|*.zdr|Both|*.czt; *.zdr", 3),
            Path("not-there.czt"));

  AnswerWhenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(dialogs.OpenFileName(nullptr, "Open", "Interval|*.czt", 1), std::nullopt);
}

TEST_F(Dialogs, SaveStaysOpenWhileTheNameIsRefusedAndAddsTheDefaultSuffix) {
  QStringList asked;
  AnswerWhenShown<QFileDialog>([this](QFileDialog& dialog) {
    dialog.selectFile(Path("refused.txt"));
    Confirm(dialog);
    EXPECT_TRUE(dialog.isVisible());
    dialog.selectFile(Path("report"));
    Confirm(dialog);
  });
  const auto chosen = dialogs.SaveFileName(nullptr, "Save", "Text files|*.txt", "txt",
                                           [&asked](const QString& path) {
                                             asked << path;
                                             return !path.endsWith("refused.txt");
                                           });
  EXPECT_EQ(asked, QStringList({Path("refused.txt"), Path("report.txt")}));
  EXPECT_EQ(chosen, Path("report.txt"));
}

TEST_F(Dialogs, MessageBoxesShowTheirCaptionIconButtonsAndLineBreaks) {
  AnswerWhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.windowTitle(), "Telvoran");
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box.text(), "first\nsecond");
    EXPECT_EQ(box.buttons().size(), 1);
    box.button(QMessageBox::Ok)->click();
  });
  dialogs.Message(nullptr, "Telvoran", "first\rsecond");

  AnswerWhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    box.button(QMessageBox::Ok)->click();
  });
  dialogs.Error(nullptr, "Error", "text");

  AnswerWhenShown<QMessageBox>([](QMessageBox& box) {
    EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
    box.button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(dialogs.YesNo(nullptr, "Telvoran", "Replace?"));

  AnswerWhenShown<QMessageBox>([](QMessageBox& box) { box.defaultButton()->click(); });
  EXPECT_TRUE(dialogs.YesNo(nullptr, "Telvoran", "Replace?"));
}

}  // namespace
}  // namespace telvoran
