#include "tools/report/PrintingSession.h"

#include <QGuiApplication>

namespace telvoran {

PrintingSession::PrintingSession() {
  previousHandler_ = qInstallMessageHandler(&PassSevereMessagesOnly);
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "telvoran-report";
  static char* argv[] = {name, nullptr};
  application_ = std::make_unique<QGuiApplication>(argc, argv);
}

PrintingSession::~PrintingSession() {
  application_.reset();
  qInstallMessageHandler(previousHandler_);
}

bool PrintingSession::CanPrint() const {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void PrintingSession::PassSevereMessagesOnly(QtMsgType type, const QMessageLogContext& context,
                                             const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) previousHandler_(type, context, message);
}

}  // namespace telvoran
