#include "platform/qt/PathText.h"

#include "platform/qt/QtCp1252.h"

#include <QFile>

namespace quorvel {

QString PathToQString(const Path& path) { return QFile::decodeName(QByteArray::fromStdString(path.Bytes())); }

Path PathFromQString(const QString& path) { return Path(QFile::encodeName(path).toStdString()); }

std::string PathToText(const Path& path) { return FromQString(PathToQString(path)); }

QString TextWithPath(std::string_view before, const Path& path, std::string_view after)
{
    return ToQString(before) + PathToQString(path) + ToQString(after);
}

}  // namespace quorvel
