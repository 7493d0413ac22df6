#include "ui/qt/scan_messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTime>
#include <QVBoxLayout>

#include "ui/qt/text.h"

namespace mavrolin::qt {

namespace {
const QString kSettingKey = QStringLiteral("scanInfoInStatusBar");
}

bool ScanMessages::InStatusBar() const { return QSettings().value(kSettingKey, false).toBool(); }

void ScanMessages::SetInStatusBar(bool on) {
    QSettings settings;
    settings.setValue(kSettingKey, on);
    settings.sync();
    if (check_ && check_->isChecked() != on) check_->setChecked(on);
}

void ScanMessages::BeginScan() {
    entries_.clear();
    Fill();
}

void ScanMessages::Add(const std::string& text) {
    entries_.push_back({QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), ToQString(text)});
    Fill();
}

QString ScanMessages::Text() const {
    QString out;
    for (const Entry& e : entries_) {
        // A message of several lines keeps them, indented under its time.
        QString text = e.text;
        text.replace(QLatin1Char('\n'), QStringLiteral("\n          "));
        out += e.time + QStringLiteral("  ") + text + QLatin1Char('\n');
    }
    return out;
}

QDialog* ScanMessages::Window() const { return window_.data(); }

void ScanMessages::Fill() {
    if (list_) list_->setPlainText(Text());
}

void ScanMessages::ShowWindow(QWidget* parent) {
    if (!window_) {
        window_ = new QDialog(parent, Qt::Window);
        window_->setObjectName(QStringLiteral("ScanMessages"));
        window_->setWindowTitle(QStringLiteral("Scan Messages"));
        window_->resize(560, 300);
        auto* column = new QVBoxLayout(window_);
        list_ = new QPlainTextEdit(window_);
        list_->setReadOnly(true);
        list_->setLineWrapMode(QPlainTextEdit::NoWrap);
        column->addWidget(list_, 1);
        check_ = new QCheckBox(QString::fromLatin1(kCheckText), window_);
        column->addWidget(check_);
        QObject::connect(check_, &QCheckBox::toggled, window_, [this](bool on) { SetInStatusBar(on); });
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window_);
        QPushButton* copy = buttons->addButton(QStringLiteral("Copy"), QDialogButtonBox::ActionRole);
        QObject::connect(copy, &QPushButton::clicked, window_,
                         [this] { QGuiApplication::clipboard()->setText(Text()); });
        QObject::connect(buttons, &QDialogButtonBox::rejected, window_, &QDialog::hide);
        column->addWidget(buttons);
    }
    check_->setChecked(InStatusBar());
    Fill();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace mavrolin::qt
