#include "ui/qt/text.h"

#include <QStringDecoder>

namespace mavrolin::qt {

QString ToQString(const std::string& s) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString out = utf8.decode(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
    if (!utf8.hasError()) return out;
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string FromQString(const QString& s) { return s.toStdString(); }

QString CaptionText(const std::string& caption) {
    QString t = ToQString(caption);
    t.replace(QLatin1Char('&'), QLatin1String("&&"));
    return t;
}

}  // namespace mavrolin::qt
