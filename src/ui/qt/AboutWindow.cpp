#include "ui/qt/AboutWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <algorithm>

#include "ui/About.h"
#include "ui/Maker.h"
#include "ui/qt/DesignFont.h"
#include "ui/qt/FrameStyle.h"
#include "ui/qt/Images.h"
#include "ui/qt/PictureButton.h"
#include "ui/qt/SvgPicture.h"
#include "ui/qt/Twips.h"

namespace tc {

namespace {

QLabel* label(QWidget* parent, const QString& text, const QRect& where, const QFont& f, bool wrap = false) {
    auto* l = new QLabel(text, parent);
    l->setFont(f);
    // The design's label heights fit its bitmap faces; a face of the same
    // size with more line spacing gets the room it needs below.
    l->setGeometry(where.x(), where.y(), where.width(), std::max(where.height(), l->fontMetrics().height()));
    l->setTextFormat(Qt::PlainText);  // the title's runs of blanks stay as they are
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(wrap);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    l->setPalette(pal);
    return l;
}

QGroupBox* plainFrame(QWidget* parent, const QRect& where) {
    auto* frame = new QGroupBox(parent);
    frame->setGeometry(where);
    return frame;
}

}  // namespace

AboutWindow::AboutWindow(HandlerRunner run) : QWidget(nullptr), run_(std::move(run)) {
    registerImages();
    // A fixed tool window: small caption, close button only, not in the task bar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(twips::toPx(6600), twips::toPx(6945));
    setFont(designFont("MS Sans Serif", 9.75, false));
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(pal);
    setStyleSheet(QString::fromLatin1(kFrameStyle));

    // Frame1 holds everything; in it the first listed lies in front, so the
    // widgets are made from the back forward.
    QGroupBox* frame1 = plainFrame(this, twips::rect(120, 0, 6375, 6855));

    label6_ = label(frame1, QStringLiteral("Program Here"), twips::rect(120, 4200, 6135, 375),
                    designFont("MS Sans Serif", 13.5, false));

    auto* picture = new SvgPicture(QStringLiteral(":/images/about_site.svg"), frame1);
    picture->setGeometry(twips::rect(120, 240, 6135, 3975));
    picture->setToolTip(QStringLiteral("A hilltop repeater site at dusk"));

    QGroupBox* frame2 = plainFrame(frame1, twips::rect(120, 4560, 6135, 2175));
    label(frame2, QString::fromLatin1(maker::kCallsign), twips::rect(120, 240, 5895, 495),
          designFont("MS Serif", 24, true, QFont::Serif));
    label(frame2, QString::fromLatin1(maker::kName), twips::rect(120, 720, 5895, 375),
          designFont("MS Serif", 18, false, QFont::Serif));
    label(frame2, QString::fromLatin1(maker::kAddress), twips::rect(1200, 1200, 3615, 615),
          designFont("MS Sans Serif", 12, false), true);
    label(frame2, QString::fromLatin1(maker::kWebSite), twips::rect(120, 1800, 5895, 255),
          designFont("MS Sans Serif", 12, false));

    auto* web =
        new PictureButton(QStringLiteral(":/images/about_web.svg"), twips::rect(4440, 4800, 1575, 975), frame1, 48);
    web->setToolTip(QStringLiteral("For more information on this program visit the Nodeworks web site"));
    auto* mail =
        new PictureButton(QStringLiteral(":/images/about_mail.svg"), twips::rect(360, 4800, 1575, 975), frame1, 48);
    mail->setToolTip(QStringLiteral("Send me an email"));

    connect(web, &QPushButton::clicked, this, [this] {
        if (form_) run_([form = form_] { form->Command2_Click(); });
    });
    connect(mail, &QPushButton::clicked, this, [this] {
        if (form_) run_([form = form_] { form->Command3_Click(); });
    });
}

void AboutWindow::present(Form14& form) {
    form_ = &form;
    setWindowTitle(QString::fromStdString(form.Caption()));
    label6_->setText(QString::fromStdString(form.Label6()));
    if (!isVisible()) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r(QPoint(0, 0), size());
            r.moveCenter(screen->availableGeometry().center());
            move(r.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
}

void AboutWindow::closeEvent(QCloseEvent* e) {
    // Closed, the window is unloaded: the next showing loads it afresh.
    if (form_) form_->Unload();
    e->accept();
}

}  // namespace tc
