#include "platform/message_box_dialog.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace vaziduvu {

namespace {

    QRect availableScreenArea(const QWidget *widget)
    {
        QScreen *screen = widget->screen();
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }

} // namespace

TMessageBoxCDF::TMessageBoxCDF(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TMessageBoxCDF"));
    setWindowTitle(QStringLiteral("Morv Edit!"));
    setModal(true);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::StyledPanel);
    Shape1->setFrameShadow(QFrame::Sunken);
    Shape1->setBackgroundRole(QPalette::Base);
    Shape1->setAutoFillBackground(true);

    Label1 = new QLabel(Shape1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setForegroundRole(QPalette::Text);
    QFont headerFont = Label1->font();
    headerFont.setBold(true);
    if (headerFont.pointSizeF() > 0)
        headerFont.setPointSizeF(headerFont.pointSizeF() + 2);
    else
        headerFont.setPixelSize(headerFont.pixelSize() + 3);
    Label1->setFont(headerFont);

    messageArea_ = new QScrollArea(Shape1);
    messageArea_->setObjectName(QStringLiteral("messageArea"));
    messageArea_->setFrameShape(QFrame::NoFrame);
    messageArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    messageArea_->setWidgetResizable(false);
    messageArea_->viewport()->setAutoFillBackground(false);

    lblMessage = new QLabel;
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setTextFormat(Qt::PlainText);
    lblMessage->setWordWrap(true);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMessage->setForegroundRole(QPalette::Text);
    lblMessage->setAutoFillBackground(false);
    lblMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messageArea_->setWidget(lblMessage);

    auto *panelLayout = new QVBoxLayout(Shape1);
    panelLayout->setContentsMargins(6, 8, 6, 8);
    panelLayout->setSpacing(8);
    panelLayout->addWidget(Label1);
    panelLayout->addWidget(messageArea_);
    panelLayout->addStretch(1);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    OKBtn->setAutoDefault(true);
    OKBtn->setMinimumWidth(75);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(OKBtn);
    buttonRow->addStretch(1);

    auto *mainLayout = new QVBoxLayout(this);
    mainLayout->setContentsMargins(8, 8, 8, 8);
    mainLayout->setSpacing(8);
    mainLayout->addWidget(Shape1, 1);
    mainLayout->addLayout(buttonRow);

    OKBtn->setFocus();
    fitToText();
}

void TMessageBoxCDF::setHeader(const QString &header)
{
    Label1->setText(header);
    fitToText();
}

void TMessageBoxCDF::setMessage(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblMessage->setText(shown);
    fitToText();
}

// Sizes the message to its text: 281 x 89 at least; wider for a word that
// would not fit (a long path), wider still for a very long text before it
// grows tall; taller than the screen allows, it scrolls. The box then takes
// the size its contents need, never less than its designed client area.
void TMessageBoxCDF::fitToText()
{
    ensurePolished();
    const QRect screenArea = availableScreenArea(this);
    const int maxWidth = std::max(kMessageWidth, screenArea.width() - 120);
    const int maxHeight = std::max(kMessageHeight, screenArea.height() - 200);

    const QFontMetrics metrics(lblMessage->font());
    int width = kMessageWidth;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = lblMessage->text().split(blanks, Qt::SkipEmptyParts);
    for (const QString &word : words)
        width = std::max(width, metrics.horizontalAdvance(word) + 4);
    width = std::min(width, maxWidth);

    // A label measures its text within its size limits: lift the old ones.
    lblMessage->setMinimumSize(0, 0);
    lblMessage->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    int height = lblMessage->heightForWidth(width);
    while (height > 3 * kMessageHeight && width < maxWidth) {
        width = std::min(maxWidth, width + 80);
        height = lblMessage->heightForWidth(width);
    }
    height = std::max(height, kMessageHeight);
    lblMessage->setFixedSize(width, height);

    const bool scrolls = height > maxHeight;
    const int scrollBarWidth = scrolls ? messageArea_->verticalScrollBar()->sizeHint().width() : 0;
    messageArea_->setFixedSize(width + scrollBarWidth, std::min(height, maxHeight));

    // Nothing is shown yet, so no layout request reaches the panel: renew
    // the cached sizes by hand before asking for the whole box's size.
    Label1->updateGeometry();
    messageArea_->updateGeometry();
    Shape1->layout()->invalidate();
    Shape1->updateGeometry();
    layout()->invalidate();
    setFixedSize(layout()->sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

void TMessageBoxCDF::centreOnScreen()
{
    const QRect screenArea = availableScreenArea(this);
    const QSize frame = frameGeometry().size();
    move(screenArea.x() + (screenArea.width() - frame.width()) / 2,
        screenArea.y() + (screenArea.height() - frame.height()) / 2);
}

void TMessageBoxCDF::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen();
    OKBtn->setFocus();
}

} // namespace vaziduvu
