#include "ui/qt/desktop.h"

#include <QApplication>
#include <QFont>

#include "ui/qt/picture.h"
#include "ui/qt/qt_canvas.h"

namespace mavrolin::qt {

void UseWindowFont() {
    PrepareFonts();
    QFont font = QtCanvas::ToQFont(ui::FontSpec{});
    font.setStyleStrategy(QFont::PreferDefault);
    QApplication::setFont(font);
}

}  // namespace mavrolin::qt
