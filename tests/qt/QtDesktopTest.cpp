#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "core/RuntimeError.h"
#include "ui/qt/DesktopText.h"
#include "ui/qt/HeldEnd.h"
#include "ui/qt/QtDesktop.h"

namespace tc {
namespace {

TEST(FileFilter, TheCommonDialogFormBecomesQtsForm) {
    EXPECT_EQ(qtFileFilter("*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid").toStdString(),
              "*.wav, *.mp2, *.mp3, *.mid (*.wav *.mp2 *.mp3 *.mid)");
    EXPECT_EQ(qtFileFilter("Wave|*.wav|All|*.*").toStdString(), "Wave (*.wav);;All (*.*)");
    // Malformed filters still give a usable dialog.
    EXPECT_EQ(qtFileFilter("").toStdString(), "");
    EXPECT_EQ(qtFileFilter("Sounds").toStdString(), "Sounds (*)");
    EXPECT_EQ(qtFileFilter("Sounds|;;").toStdString(), "Sounds (*)");
}

// Answers the next modal dialog as soon as it is up.
template <class Dialog, class Answer>
void whenShown(Answer answer) {
    QTimer::singleShot(0, [answer] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        answer(d);
    });
}

class QtDesktopTest : public ::testing::Test {
protected:
    HeldEnd held;
    QTemporaryDir dir;
    QtDesktop desktop{held, {}};
};

TEST_F(QtDesktopTest, MessageBoxesCarryTextTitleAndTheStylesIcon) {
    for (auto [style, icon] : {std::pair{0, QMessageBox::NoIcon}, {48, QMessageBox::Warning},
                               {64, QMessageBox::Information}}) {
        whenShown<QMessageBox>([icon = icon](QMessageBox* box) {
            EXPECT_EQ(box->text().toStdString(), " You must select an audio file");
            EXPECT_EQ(box->windowTitle().toStdString(), "Error No File selected");
            EXPECT_EQ(box->icon(), icon);
            EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
            box->accept();
        });
        desktop.MsgBox(" You must select an audio file", style, "Error No File selected");
    }
}

TEST_F(QtDesktopTest, TheFileDialogIsPresetFilteredAndCancellable) {
    std::string tone = dir.filePath("rf.wav").toStdString();
    QFile(QString::fromStdString(tone)).open(QIODevice::WriteOnly);
    whenShown<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->nameFilters(), QStringList{"*.wav, *.mp2, *.mp3, *.mid (*.wav *.mp2 *.mp3 *.mid)"});
        EXPECT_EQ(d->directory().absolutePath(), dir.path());
        QMetaObject::invokeMethod(d, "accept");  // the preset file is the one chosen
    });
    EXPECT_EQ(desktop.ShowOpen("*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid", tone), tone);
    whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(desktop.ShowOpen("Wave|*.wav", "").has_value());
}

TEST_F(QtDesktopTest, AHandlerEndingTheProgramDuringADialogClosesItAndEndsTheWaitingOne) {
    bool later = false;
    QTimer::singleShot(0, [&] {
        held.run([] { throw EndProgram{}; });  // a tick handled while the box is up
        held.run([&] { later = true; });
    });
    EXPECT_THROW(desktop.MsgBox("text", 0, "Tailchime"), EndProgram);
    EXPECT_FALSE(later);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(held.held());
}

class LinkCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// Bare hosts become web addresses, other links stay as they are; the mail
// subject keeps its blank before and after.
TEST_F(QtDesktopTest, LinksGoToTheDesktopsHandlers) {
    LinkCatcher catcher;
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    for (const char* link : {"tailchime.example.org", "tailchime.example.org:8080/x", "https://example.org/a",
                             "mailto:ident@tailchime.example.org?subject= Tailchime Program "})
        desktop.OpenLink(link);
    for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
    EXPECT_EQ(catcher.opened,
              (QList<QUrl>{QUrl(QStringLiteral("http://tailchime.example.org")),
                           QUrl(QStringLiteral("http://tailchime.example.org:8080/x")),
                           QUrl(QStringLiteral("https://example.org/a")),
                           QUrl(QStringLiteral("mailto:ident@tailchime.example.org?"
                                               "subject=%20Tailchime%20Program%20"))}));
}

}  // namespace
}  // namespace tc

#include "QtDesktopTest.moc"
