#include "platform/error_report.h"

#include <QApplication>
#include <QMessageBox>

namespace tarvelin {

std::string ReportMessage(const std::string& message) {
  if (message.empty()) return message;
  // Characters that sort after the period and end a sentence: letters and digits.
  const unsigned char last = static_cast<unsigned char>(message.back());
  const bool letterOrDigit = (last >= '0' && last <= '9') || (last >= 'A' && last <= 'Z') ||
                             (last >= 'a' && last <= 'z') || last >= 0xC0;
  return letterOrDigit ? message + "." : message;
}

void MessageBoxReport::Show(const std::string& message, const std::string& place) {
  const std::string shown = ReportMessage(message);
  QString text = QString::fromLatin1(shown.data(), static_cast<qsizetype>(shown.size()));
  if (!place.empty())
    text += "\n\n" + QString::fromLatin1(place.data(), static_cast<qsizetype>(place.size()));
  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kApplicationTitle), text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace tarvelin
