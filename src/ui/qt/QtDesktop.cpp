#include "ui/qt/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QThread>

#include "ui/qt/AboutWindow.h"
#include "ui/qt/DesktopText.h"
#include "ui/qt/HeldEnd.h"

namespace tc {

QtDesktop::QtDesktop(HeldEnd& held, std::function<bool()> previousInstance)
    : held_(held), previousInstance_(std::move(previousInstance)) {}

QtDesktop::~QtDesktop() = default;

QWidget* QtDesktop::owner() const {
    // The start-up messages come before the main window is shown; a hidden
    // owner would place them at its unshown spot.
    return mainWindow_ && mainWindow_->isVisible() ? mainWindow_.data() : nullptr;
}

void QtDesktop::MsgBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box(owner());
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setTextFormat(Qt::PlainText);
    switch (style & 0x70) {  // the icon bits; the program shows only an OK button
        case mb::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case mb::Information:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    held_.rethrow();
}

std::optional<std::string> QtDesktop::ShowOpen(const std::string& filter, const std::string& fileName) {
    QFileDialog dialog(owner());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(qtFileFilter(filter));
    if (!fileName.empty()) {
        QFileInfo preset(QString::fromStdString(fileName));
        if (preset.dir().exists()) dialog.setDirectory(preset.dir());
        dialog.selectFile(preset.fileName());
    }
    bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    held_.rethrow();
    if (!chosen) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

bool QtDesktop::PreviousInstance() { return previousInstance_ && previousInstance_(); }

void QtDesktop::OpenLink(const std::string& link) { QDesktopServices::openUrl(linkUrl(link)); }

void QtDesktop::ShowAbout(Form14& about) {
    if (!about_)
        about_ = std::make_unique<AboutWindow>([this](const std::function<void()>& handler) {
            if (runHandler_) held_.run([&] { runHandler_(handler); });
        });
    about_->present(about);
}

void QtDesktop::Ended() {
    ended_ = true;
    for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
    // Quitting outside every event loop would make the next one return at
    // once; there the caller sees ended() instead.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

}  // namespace tc
