#pragma once
// Conversions between the model's plain values and Qt's.
#include <QColor>
#include <QString>
#include <string>

#include "ui/canvas.h"

namespace mavrolin::qt {

// Model texts are UTF-8 when they are valid UTF-8, otherwise bytes of an 8-bit code page
// (read from files as they are); both show correctly.
QString ToQString(const std::string& s);
std::string FromQString(const QString& s);

// A menu or button caption shown literally ("&" is no mnemonic in the model).
QString CaptionText(const std::string& caption);

inline QColor ToQColor(ui::Color c) { return QColor(ui::RedOf(c), ui::GreenOf(c), ui::BlueOf(c)); }
inline ui::Color FromQColor(const QColor& c) {
    return static_cast<ui::Color>(c.red()) | (static_cast<ui::Color>(c.green()) << 8) |
           (static_cast<ui::Color>(c.blue()) << 16);
}

}  // namespace mavrolin::qt
