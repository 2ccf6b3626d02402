#pragma once

#include <QtGlobal>

#include <memory>

class QGuiApplication;

namespace telvoran {

// What printing from a command-line tool needs of Qt, for as long as it lives: a GUI application
// for fonts and printers, made when none runs yet, on the offscreen platform unless another is
// asked for (it draws the same pages and needs no display); and Qt's notes and warnings (such as a
// missing runtime folder) kept off standard error, which carries the tool's own messages only.
// Critical and fatal messages still go out.
class PrintingSession {
 public:
  PrintingSession();
  ~PrintingSession();
  PrintingSession(const PrintingSession&) = delete;
  PrintingSession& operator=(const PrintingSession&) = delete;

  // False when the running application cannot print (it is not a GUI application).
  bool CanPrint() const;

 private:
  static void PassSevereMessagesOnly(QtMsgType type, const QMessageLogContext& context,
                                     const QString& message);
  static inline QtMessageHandler previousHandler_ = nullptr;

  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace telvoran
