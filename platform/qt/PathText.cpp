#include "platform/qt/PathText.h"

#include <QFile>

namespace quorvel {

QString PathToQString(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string PathFromQString(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace quorvel
