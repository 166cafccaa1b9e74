#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "app/RuntimeError.h"
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

TEST(LinkUrl, BareHostsBecomeWebAddressesAndOtherLinksStay) {
    EXPECT_EQ(linkUrl("tailchime.example.org").toString().toStdString(), "http://tailchime.example.org");
    EXPECT_EQ(linkUrl("tailchime.example.org:8080/x").toString().toStdString(), "http://tailchime.example.org:8080/x");
    EXPECT_EQ(linkUrl("https://example.org/a").toString().toStdString(), "https://example.org/a");
    QUrl mail = linkUrl("mailto:ident@tailchime.example.org?subject= Tailchime Program ");
    EXPECT_EQ(mail.scheme().toStdString(), "mailto");
    EXPECT_EQ(mail.path().toStdString(), "ident@tailchime.example.org");
    // The subject keeps its blank before and after.
    EXPECT_EQ(mail.query(QUrl::FullyDecoded).toStdString(), "subject= Tailchime Program ");
}

// Answers the next modal dialog as soon as it is up, and remembers it.
template <class Dialog, class Answer>
void whenShown(Answer answer) {
    QTimer::singleShot(0, [answer] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        answer(d);
    });
}

TEST(QtDesktop, MessageBoxesCarryTextTitleAndTheStylesIcon) {
    HeldEnd held;
    QTemporaryDir dir;
    QtDesktop desktop(held, dir.path().toStdString());
    const std::pair<int, QMessageBox::Icon> styles[] = {
        {0, QMessageBox::NoIcon}, {48, QMessageBox::Warning}, {64, QMessageBox::Information}};
    for (auto [style, icon] : styles) {
        QString text, title;
        QMessageBox::Icon shownIcon{};
        bool modal = false;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            title = box->windowTitle();
            shownIcon = box->icon();
            modal = box->windowModality() == Qt::ApplicationModal;
            box->accept();
        });
        desktop.MsgBox(" You must select an audio file", style, "Error No File selected");
        EXPECT_EQ(text.toStdString(), " You must select an audio file");
        EXPECT_EQ(title.toStdString(), "Error No File selected");
        EXPECT_EQ(shownIcon, icon) << style;
        EXPECT_TRUE(modal);
    }
}

TEST(QtDesktop, TheFileDialogIsPresetFilteredAndCancellable) {
    HeldEnd held;
    QTemporaryDir dir;
    QtDesktop desktop(held, dir.path().toStdString());
    std::string tone = dir.filePath("rf.wav").toStdString();
    QFile(QString::fromStdString(tone)).open(QIODevice::WriteOnly);

    QStringList filters;
    QString directory;
    whenShown<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        directory = d->directory().absolutePath();
        QMetaObject::invokeMethod(d, "accept");  // the preset file is the one chosen
    });
    auto chosen = desktop.ShowOpen("*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid", tone);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, tone);
    EXPECT_EQ(filters, QStringList{QStringLiteral("*.wav, *.mp2, *.mp3, *.mid (*.wav *.mp2 *.mp3 *.mid)")});
    EXPECT_EQ(directory, dir.path());

    whenShown<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(desktop.ShowOpen("Wave|*.wav", "").has_value());
}

TEST(QtDesktop, AHandlerEndingTheProgramDuringADialogClosesItAndEndsTheWaitingOne) {
    HeldEnd held;
    QTemporaryDir dir;
    QtDesktop desktop(held, dir.path().toStdString());
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

TEST(QtDesktop, OneCopyPerConfigurationFolder) {
    HeldEnd held;
    QTemporaryDir station, other;
    QtDesktop first(held, station.path().toStdString());
    QtDesktop second(held, station.path().toStdString());
    QtDesktop elsewhere(held, other.path().toStdString());
    EXPECT_FALSE(first.PreviousInstance());
    EXPECT_TRUE(second.PreviousInstance());
    EXPECT_FALSE(elsewhere.PreviousInstance());
}

class LinkCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(QtDesktop, LinksGoToTheDesktopsHandlers) {
    HeldEnd held;
    QTemporaryDir dir;
    QtDesktop desktop(held, dir.path().toStdString());
    LinkCatcher catcher;
    for (const char* scheme : {"http", "mailto"}) QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    desktop.OpenLink("tailchime.example.org");
    desktop.OpenLink("mailto:ident@tailchime.example.org?subject= Tailchime Program ");
    for (const char* scheme : {"http", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("http://tailchime.example.org")));
    EXPECT_EQ(catcher.opened[1].scheme(), QStringLiteral("mailto"));
}

}  // namespace
}  // namespace tc

#include "QtDesktopTest.moc"
