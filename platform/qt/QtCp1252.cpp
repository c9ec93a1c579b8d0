#include "platform/qt/QtCp1252.h"

#include "platform/Cp1252.h"

#include <QStringDecoder>

namespace quorvel {

QString ToQString(std::string_view bytes)
{
    QString text;
    text.resize(static_cast<qsizetype>(bytes.size()));
    QChar* out = text.data();
    for (const char c : bytes)
        *out++ = QChar(Cp1252::ToUnicode(static_cast<unsigned char>(c)));
    return text;
}

std::string FromQString(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            bytes.push_back('?');
            continue;
        }
        const int byte = Cp1252::FromUnicode(c.unicode());
        bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return bytes;
}

std::string TextFromFile(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return utf8.hasError() ? std::string(bytes) : FromQString(text);
}

std::string TextToFile(std::string_view text) { return ToQString(text).toUtf8().toStdString(); }

}  // namespace quorvel
