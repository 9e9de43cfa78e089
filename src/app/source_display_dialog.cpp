#include "app/source_display_dialog.h"

#include "app/icons.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace vaziduvu {

namespace {

constexpr int kMargin = 7;

// The text view breaks lines at "\n" only: a "\r\n" pair becomes one break
// and a lone "\r" a break of its own.
QString withLineFeeds(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace

TOKBottomDlg::TOKBottomDlg(const QString &text, QWidget *parent) : QDialog(parent), text_(text)
{
    setObjectName("OKBottomDlg");
    setWindowTitle("Source Display");
    setWindowIcon(programIcon());
    setSizeGripEnabled(true);
    setMinimumSize(160, 120);

    RichEdit3 = new QPlainTextEdit(this);
    RichEdit3->setObjectName("RichEdit3");
    RichEdit3->setReadOnly(true);
    RichEdit3->setLineWrapMode(QPlainTextEdit::NoWrap);
    RichEdit3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit3->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    RichEdit3->move(kMargin, kMargin);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    OKBtn->resize(75, 25);
    connect(OKBtn, &QPushButton::clicked, this, &TOKBottomDlg::OKBtnClick);

    resize(kFirstWidth, kFirstHeight);
    FormResize();
}

void TOKBottomDlg::FormActivate()
{
    try {
        RichEdit3->setPlainText(withLineFeeds(text_));
    } catch (...) {
    }
}

void TOKBottomDlg::FormResize()
{
    try {
        RichEdit3->resize(std::max(0, width() - 15), std::max(0, height() - 45));
        OKBtn->move(RichEdit3->x() + RichEdit3->width() - OKBtn->width(),
                    RichEdit3->y() + RichEdit3->height() + 7);
    } catch (...) {
    }
}

void TOKBottomDlg::OKBtnClick() { accept(); }

void TOKBottomDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
    if (placed_)
        return;
    placed_ = true;
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
}

void TOKBottomDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

}  // namespace vaziduvu
