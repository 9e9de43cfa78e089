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

SourceDisplayDialog::SourceDisplayDialog(const QString &text, QWidget *parent)
    : QDialog(parent)
    , text_(text)
{
    setObjectName("sourceDisplayDialog");
    setWindowTitle("Source Display");
    setWindowIcon(programIcon());
    setSizeGripEnabled(true);
    setMinimumSize(160, 120);

    textView_ = new QPlainTextEdit(this);
    textView_->setObjectName("sourceText");
    textView_->setReadOnly(true);
    textView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    textView_->move(kMargin, kMargin);

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    okButton_->setDefault(true);
    okButton_->resize(75, 25);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    resize(kFirstWidth, kFirstHeight);
    layoutChildren();
}

void SourceDisplayDialog::showText()
{
    textView_->setPlainText(withLineFeeds(text_));
}

void SourceDisplayDialog::layoutChildren()
{
    textView_->resize(std::max(0, width() - 15), std::max(0, height() - 45));
    okButton_->move(textView_->x() + textView_->width() - okButton_->width(),
                    textView_->y() + textView_->height() + 7);
}

void SourceDisplayDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    showText();
    if (placed_)
        return;
    placed_ = true;
    const QScreen *screen
        = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
}

void SourceDisplayDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layoutChildren();
}

}  // namespace vaziduvu
